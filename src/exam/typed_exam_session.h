#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/general_settings.h"
#include "common/startup_state.h"
#include "dictionary/expression_table.h"
#include "platform/ports.h"
#include "exam/alternatives.h"
#include "exam/evaluation_session.h"
#include "exam/extended_testing_session.h"
#include "exam/random_order.h"
#include "exam/exam_result_sink.h"
#include "exam/exam_table.h"
#include "exam/exam_services.h"
#include "exam/tester_settings.h"

namespace lexo {

inline constexpr std::string_view kEndOfTestMessage = "STISKNĚTE ENTER PRO UKONČENÍ ZKOUŠENÍ!";

// "Právě jste uhádl 1 ze N správných odpovědí, …"
std::string extendedTestingOffer(std::size_t translations);

enum class TypedExamPhase {
    Empty,              // no dictionary loaded
    Asking,             // an expression waits for its answer
    WaitingForCorrect,  // a wrong answer was given; the correct one must be typed
    ExtendedPractice,   // the extended-testing window is open; the test waits for it
    EndMessage,         // the last answer was wrong: Enter ends the test
    Evaluated,          // the evaluation shows this test's results; the window is hidden
};

// Everything the window "Zkoušení výrazů I" shows, as text.
struct TypedExamView {
    std::string dictionaryName{"-"};    // lbnazev
    std::string total{"-"};             // lbpocetvyrazu
    std::string current{"-"};           // lbaktvyraz
    std::string correct{"-"};           // lbspravne (green)
    std::string wrong{"-"};             // lbspatne (red)
    std::string question{"-"};          // mevyraz
    std::string previousQuestion{"-"};  // mespravneprvni
    std::string previousAnswers{"-"};   // mespravne (red)
    std::string answer;                 // edtodpoved
    bool answerReadOnly = false;
    bool answerSelected = false;  // a wrong answer stays selected, so typing replaces it
};

using TypedExamServices = ExamServices;

// Test I: one expression at a time, the typed answer judged exactly against every
// translation; file or random order; optional waiting for the correct answer; the
// pronunciation with its delay; the offer of extended testing; the hand-over of wrong
// answers, results and statistics rows at the end. The window "Zkoušení výrazů I" feeds
// keys and clicks into it and shows view().
class TypedExamSession final : public EvaluatedTest {
public:
    explicit TypedExamSession(TypedExamServices services);
    ~TypedExamSession() override;
    TypedExamSession(const TypedExamSession&) = delete;
    TypedExamSession& operator=(const TypedExamSession&) = delete;

    // --- commands of the window
    // Opens a dictionary and starts a test on it (the open dialog and "Otevřít starší").
    // False when the user keeps the running test or the file cannot be read or is too
    // large (both said, and checked before a running test is broken off); an empty
    // dictionary is reported and gives true, nothing loaded.
    bool openDictionary(const std::filesystem::path& path);
    // "Nové zkoušení": true when the window should now run its open dialog (no test was
    // loaded); a running test is broken off after a Yes and the window stays empty.
    bool newTest();
    // "Naposledy neuhodnuté výrazy": tests "spatnevyrazy.slv" of the program folder.
    void loadLastWrongExpressions();
    // The window was shown: it takes a dictionary named on the command line, once.
    void windowShown();
    // The window was closed: the test is broken off.
    void windowClosed();
    // Enter in the answer box with its text (capitals already applied).
    void enter(std::string_view typed);
    // "Opakovat výslovnost": at once, whatever the settings say, while an expression is asked.
    void repeatPronunciation();

    // The answer box's text after a key: capitals when the general settings want them.
    std::string applyEntryCase(std::string_view typed) const;
    // The caption above the question: set on every activation of the window.
    std::string_view questionLabel() const;

    // --- extended testing
    ExtendedTestingSession& extendedTesting() { return extended_; }
    const ExtendedTestingSession& extendedTesting() const { return extended_; }
    // The extended-testing window returned (its second button press or its closing):
    // the test goes on with the next expression; the counts are as they were.
    void returnFromExtendedTesting();

    // --- for the evaluation
    bool testFinished() const override { return testFinished_; }
    void restoreTestFinished() override { testFinished_ = true; }
    void resetTest() override { reset(); }
    void startRetest(ExpressionTable expressions) override;
    TestDirection recordsDirection() const override { return recordsDirection_; }

    // --- state
    TypedExamPhase phase() const { return phase_; }
    const TypedExamView& view() const { return view_; }
    bool dictionaryLoaded() const { return table_ && !table_->empty(); }
    int correctCount() const { return correct_; }
    int wrongCount() const { return wrong_; }
    int wrongRecordCount() const { return wrongRecords_; }
    int total() const { return total_; }
    // The number shown as the current expression (0 before any).
    int position() const { return position_; }
    bool lastAnswerCorrect() const { return lastAnswerCorrect_; }
    bool waitingForCorrect() const { return waiting_; }
    // The row of the test table being asked; nullopt between tests and at the end message.
    std::optional<std::size_t> currentRow() const { return current_; }
    const ExamTable& table() const;
    const Alternatives& answerSlots() const { return answerSlots_; }
    const Alternatives& questionSlots() const { return questionSlots_; }
    bool hasSeveralAnswers() const { return severalAnswers_ > 0; }
    std::size_t severalAnswerCount() const { return severalAnswers_; }
    // The dictionary last opened through the dialog or the recent list; its file name is
    // the name label.
    const std::string& dictionaryPath() const { return dictionaryPath_; }
    // What the statistics call the test: the path of the file tested, in lower case.
    const std::string& statisticsPath() const { return statisticsPath_; }
    // A pronunciation is waiting for its delay to pass.
    bool pronunciationPending() const { return pronunciation_.pending(); }

private:
    void reset();
    void interrupt();
    void fill(ExpressionTable expressions);
    void begin();
    void next();
    void showExpression(std::size_t row);
    void prefetchNext() const;
    void endOfTest();
    void evaluate();
    void judge(std::string_view typed);
    void offerExtendedTesting(std::string_view typed);
    void recordStatistics(bool finished);
    void pronounceOnShow();
    void pronounce(std::size_t row);
    // Loads a file for one of the three ways in; reports what cannot be loaded.
    void setTestedFile(const std::filesystem::path& file);
    std::optional<ExpressionTable> loadForTest(const std::filesystem::path& path, bool reportUnreadable);
    void reportUnreadable(const std::filesystem::path& path, const std::string& error);

    TypedExamServices services_;
    ExamPronunciation pronunciation_;
    ExtendedTestingSession extended_;

    // Shared with the evaluation's list of wrong answers, which may outlive the test.
    std::shared_ptr<const ExamTable> table_;
    TestDirection recordsDirection_ = TestDirection::CzechToForeign;
    TestOrder order_ = TestOrder::Random;
    RandomOrder randomOrder_;
    std::size_t sequentialIndex_ = 0;
    std::optional<std::size_t> current_;
    Alternatives answerSlots_;
    Alternatives questionSlots_;
    std::size_t severalAnswers_ = 0;

    TypedExamPhase phase_ = TypedExamPhase::Empty;
    TypedExamView view_;
    int correct_ = 0;
    int wrong_ = 0;
    int wrongRecords_ = 0;
    int total_ = 0;
    int position_ = 0;
    bool lastAnswerCorrect_ = false;
    bool waiting_ = false;
    bool testFinished_ = false;
    std::string dictionaryPath_;
    std::filesystem::path testedFile_;  // its sound folder holds sounds copied with it
    std::string statisticsPath_;
};

}  // namespace lexo
