#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/expression_table.h"
#include "platform/ports.h"
#include "exam/grading.h"
#include "exam/exam_table.h"
#include "tools/print_list.h"

namespace lexo {

inline constexpr std::string_view kTestOneWrongExpressionsFile = "spatnevyrazy.slv";
inline constexpr std::string_view kTestTwoWrongExpressionsFile = "spatnevyrazyjedn.slv";

inline constexpr std::string_view kNothingToTickMessage = "Nejsou žádné výrazy k výběru.";
inline constexpr std::string_view kNothingTickedForRetestMessage = "Nebyly vybrány žádné výrazy ze seznamu.";
inline constexpr std::string_view kNothingTickedForSaveMessage = "Nejsou vybrány žádne výrazy, slovník nelze uložit.";
inline constexpr std::string_view kNothingTickedForPrintMessage =
    "Nejsou vybrány žádne výrazy, slovník nelze vytisknout.";
inline constexpr std::string_view kDictionarySavedMessage = "Slovník byl úspěšně uložen.";

// The choice under "Vybrané výrazy:".
enum class EvaluationAction {
    Retest,  // "Nechat se znova prozkoušet"
    Save,    // "Uložit do nového slovníku"
    Print,   // "Vytisknout"
};

enum class EvaluatedTestKind { None, TestOne, TestTwo };

// What the evaluation needs of the test whose results it shows.
class EvaluatedTest {
public:
    virtual ~EvaluatedTest() = default;
    // The evaluation shows this test's results now.
    virtual bool testFinished() const = 0;
    // A retest found nothing ticked: the results stay this test's.
    virtual void restoreTestFinished() = 0;
    // Back to the empty state; clears testFinished().
    virtual void resetTest() = 0;
    // Tests the given expressions (dictionary order) as a new test of the same dictionary.
    virtual void startRetest(ExpressionTable expressions) = 0;
    // The direction the wrong answers were given in; decides the order of their fields
    // when they go back into a dictionary.
    virtual TestDirection recordsDirection() const = 0;
};

// The four result labels; "-" until a test fills them.
struct EvaluationLabels {
    std::string correct{"-"};
    std::string wrong{"-"};
    std::string success{"-"};
    std::string grade{"-"};
    // Unchanged: the label's own colour, until a "1" or a "5" colours it.
    GradeColour gradeColour = GradeColour::Unchanged;

    bool operator==(const EvaluationLabels&) const = default;
};

// The evaluation "Vyhodnocení" that both tests share: the results, the wrong answers with
// their ticks (record i is item i), and what "Vybrat", "Zpět" and the tick buttons do. Whenever
// the user acts or leaves with a non-empty list, the whole list is also written as the last
// wrong expressions of the test it came from.
class EvaluationSession {
public:
    // Asked for the target of "Uložit do nového slovníku"; nullopt when the user cancels.
    using SavePathChooser = std::function<std::optional<std::filesystem::path>()>;

    // What the window does after an action.
    enum class Next {
        Stay,         // the evaluation stays as it is
        ShowTestOne,  // hide the evaluation and show Test I
        ShowTestTwo,  // hide the evaluation and show Test II
        ShowPrint,    // hide the evaluation and show the print window (it reads printLines())
    };

    EvaluationSession(Prompter& prompter, std::filesystem::path programFolder);

    void attachTestOne(EvaluatedTest& test) { testOne_ = &test; }
    void attachTestTwo(EvaluatedTest& test) { testTwo_ = &test; }
    // Which test the window serves now, by the tests' own flags; Test I first.
    EvaluatedTestKind served() const;

    // --- filled by the tests
    // A wrong answer to `row` of a test's table. The list shares the table instead of
    // copying the record, so a wrong answer costs the same however long the test is; the
    // table lives on with the list after the test is reset. `dictionaryPath` is the file
    // the test was loaded from: sound references are resolved against it when written.
    void appendWrongAnswer(const std::shared_ptr<const ExamTable>& table, std::size_t row,
                           const std::filesystem::path& dictionaryPath = {});
    // A record on its own, copied.
    void appendWrongAnswer(const TestRecord& record, const std::filesystem::path& dictionaryPath = {});
    // Empties the list and its records; the labels stay.
    void clearList();
    void showResults(const EvaluationFigures& figures);
    // The labels back to "-". The grade keeps its colour, as the label always did.
    void resetResults() {
        const GradeColour colour = labels_.gradeColour;
        labels_ = EvaluationLabels{};
        labels_.gradeColour = colour;
    }
    void selectAction(EvaluationAction action) { action_ = action; }

    // --- what the window shows
    const EvaluationLabels& labels() const { return labels_; }
    EvaluationAction action() const { return action_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // The list shows the question of each wrong answer.
    std::string_view itemText(std::size_t index) const { return source(index).question(entries_[index].row); }
    TestRecord record(std::size_t index) const { return source(index).record(entries_[index].row); }
    bool ticked(std::size_t index) const { return entries_[index].ticked != 0; }
    void setTicked(std::size_t index, bool on) { entries_[index].ticked = on ? 1 : 0; }
    std::size_t tickedCount() const;

    // --- buttons
    // "Vybrat vše" / "Zrušit vybraní"; false (with the message) when the list is empty.
    bool tickAll() { return setAllTicks(true); }
    bool untickAll() { return setAllTicks(false); }
    // "Vybrat": carries out the selected action for the test served.
    Next choose(const SavePathChooser& chooseSavePath);
    // "Zpět" and closing the window. Closing after "Zpět" finds no test served and does nothing.
    Next back();

    // The ticked records in dictionary order, by the direction of the test served.
    ExpressionTable tickedExpressions() const;
    // The ticked records for the print window: "Czech - foreign - pronunciation", the Czech
    // text bold, whatever the direction.
    std::vector<PrintLine> printLines() const;

    // The list, ticked or not, in dictionary order into the served test's file of last wrong
    // expressions, each sound as the full path of the file it plays (the file lies in the
    // program folder, not beside the dictionary). An empty list writes nothing. False
    // (reported) when the write failed.
    bool writeWrongExpressions();
    std::filesystem::path wrongExpressionsFile(EvaluatedTestKind kind) const;

private:
    struct Entry {
        std::uint32_t source = 0;
        std::uint32_t row = 0;
        std::uint8_t ticked = 0;
    };

    const ExamTable& source(std::size_t index) const { return *sources_[entries_[index].source]; }
    EvaluatedTest* servedTest() const;
    bool setAllTicks(bool on);
    // The records, all or only the ticked ones, in dictionary order for that direction.
    ExpressionTable expressions(TestDirection direction, bool tickedOnly) const;

    Prompter& prompter_;
    std::filesystem::path programFolder_;
    EvaluatedTest* testOne_ = nullptr;
    EvaluatedTest* testTwo_ = nullptr;

    std::vector<std::shared_ptr<const ExamTable>> sources_;
    std::vector<std::filesystem::path> sourceDictionaries_;  // beside sources_
    std::shared_ptr<ExamTable> loose_;  // records handed over on their own
    std::vector<Entry> entries_;
    EvaluationLabels labels_;
    EvaluationAction action_ = EvaluationAction::Retest;
};

}  // namespace lexo
