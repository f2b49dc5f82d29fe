#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"
#include "exam/alternatives.h"
#include "exam/evaluation_session.h"
#include "exam/exam_services.h"
#include "exam/exam_table.h"
#include "exam/random_order.h"
#include "exam/tester_settings.h"

namespace lexo {

inline constexpr std::string_view kNoDictionaryLoadedMessage = "Není načtený slovník!";

enum class SelfAssessedExamPhase {
    Empty,      // no dictionary loaded
    Asking,     // a question waits for "Vím" or "Nevím"
    Evaluated,  // the evaluation shows this test's results; the window is hidden
};

// The colour of the question last answered (mespravneprvni); it keeps the last one set.
enum class PreviousAnswerColour { Default, Green, Red };

// Everything the window "Zkoušení výrazů II" shows, as text.
struct SelfAssessedExamView {
    std::string total{"-"};             // lbpocet
    std::string current{"-"};           // lbaktvyraz
    std::string correct{"-"};           // lbspravne (green)
    std::string wrong{"-"};             // lbspatne (red)
    std::string question{"-"};          // mecz
    std::string previousQuestion{"-"};  // mespravneprvni
    std::string previousAnswers{"-"};   // mespravne (red)
};

using SelfAssessedExamServices = ExamServices;

// Test II: the question side of one expression at a time, and the user says whether he
// knew the translation ("Vím") or not ("Nevím"); nothing is typed or compared. File or
// random order; the answer shown after the buttons by the display setting; the "Nevím"
// records handed to the evaluation; pronunciation with its delay; statistics rows at the
// end and on interruption. The window feeds clicks and keys into it and shows view().
class SelfAssessedExamSession final : public EvaluatedTest {
public:
    explicit SelfAssessedExamSession(SelfAssessedExamServices services);
    ~SelfAssessedExamSession() override;
    SelfAssessedExamSession(const SelfAssessedExamSession&) = delete;
    SelfAssessedExamSession& operator=(const SelfAssessedExamSession&) = delete;

    // --- commands of the window
    // The open dialog and "Otevřít předchozí": false when the file cannot be read (said
    // before anything is broken off) or the user keeps the running test; an empty
    // dictionary is reported and gives true with nothing loaded.
    bool openDictionary(const std::filesystem::path& path);
    // "Nové zkoušení": true when the window should now run its open dialog (nothing was
    // loaded); a running test is broken off after a Yes and the window stays empty.
    bool newTest();
    // "Naposledy neuhodnuté výrazy": tests "spatnevyrazyjedn.slv" of the program folder.
    void loadLastWrongExpressions();
    // The window was shown: it takes a dictionary named on the command line, once.
    void windowShown();
    // The window was closed: the delays stop and the test is broken off.
    void windowClosed();
    // "Vím" and "Nevím".
    void know();
    void dontKnow();
    // "Opakovat výslovnost": at once, whatever the settings say; nothing on the first
    // question in file order and on the second in random order.
    void repeatPronunciation();

    // The caption above the question, set on every activation of the window.
    std::string_view questionLabel() const;

    // --- for the evaluation
    bool testFinished() const override { return testFinished_; }
    void restoreTestFinished() override { testFinished_ = true; }
    void resetTest() override { reset(); }
    void startRetest(ExpressionTable expressions) override;
    TestDirection recordsDirection() const override { return recordsDirection_; }

    // --- state
    SelfAssessedExamPhase phase() const { return phase_; }
    const SelfAssessedExamView& view() const { return view_; }
    PreviousAnswerColour previousColour() const { return previousColour_; }
    bool dictionaryLoaded() const { return phase_ != SelfAssessedExamPhase::Empty; }
    int correctCount() const { return correct_; }
    int wrongCount() const { return wrong_; }
    int wrongRecordCount() const { return wrongRecords_; }
    int total() const { return total_; }
    // The number shown as the current question (0 before any).
    int position() const { return position_; }
    // The row of the test table on display; nullopt between tests.
    std::optional<std::size_t> currentRow() const { return current_; }
    const ExamTable& table() const;
    const Alternatives& questionSlots() const { return questionSlots_; }
    const Alternatives& answerSlots() const { return answerSlots_; }
    // What the statistics call the test: the path of the file tested, in lower case.
    const std::string& statisticsPath() const { return statisticsPath_; }
    bool pronunciationPending() const { return pronunciation_.pending(); }

private:
    void reset();
    void interrupt();
    void fill(ExpressionTable expressions);
    void begin();
    // After an answer: the next question, or the end.
    void advance();
    void showQuestion(std::size_t row);
    void showCounters();
    // The answer of the question just answered, under it.
    void showAnswer();
    void hideAnswer();
    void evaluate();
    void pronounce();
    void setTestedFile(const std::filesystem::path& file);

    SelfAssessedExamServices services_;
    ExamPronunciation pronunciation_;

    // Shared with the evaluation's list of wrong answers, which may outlive the test.
    std::shared_ptr<const ExamTable> table_;
    TestDirection recordsDirection_ = TestDirection::CzechToForeign;
    TestOrder order_ = TestOrder::Random;
    RandomOrder randomOrder_;
    std::optional<std::size_t> current_;
    Alternatives questionSlots_;
    Alternatives answerSlots_;

    SelfAssessedExamPhase phase_ = SelfAssessedExamPhase::Empty;
    SelfAssessedExamView view_;
    PreviousAnswerColour previousColour_ = PreviousAnswerColour::Default;
    int answers_ = 0;  // answers given in this test
    int correct_ = 0;
    int wrong_ = 0;
    int wrongRecords_ = 0;
    int total_ = 0;
    int position_ = 0;
    bool testFinished_ = false;
    std::filesystem::path testedFile_;  // its sound folder holds sounds copied with it
    std::string statisticsPath_;
};

}  // namespace lexo
