#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "exam/exam_session.h"
#include "exam/extended_testing_session.h"

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
class TypedExamSession final : public ExamSession {
public:
    explicit TypedExamSession(TypedExamServices services);
    ~TypedExamSession() override;

    // --- commands of the window
    // The window was closed: the test is broken off.
    void windowClosed();
    // Enter in the answer box with its text (capitals already applied).
    void enter(std::string_view typed);
    // "Opakovat výslovnost": at once, whatever the settings say, while an expression is asked.
    void repeatPronunciation() override;

    // The answer box's text after a key: capitals when the general settings want them.
    std::string applyEntryCase(std::string_view typed) const;

    // --- extended testing
    ExtendedTestingSession& extendedTesting() { return extended_; }
    const ExtendedTestingSession& extendedTesting() const { return extended_; }
    // The extended-testing window returned (its second button press or its closing):
    // the test goes on with the next expression; the counts are as they were.
    void returnFromExtendedTesting();

    // --- state
    TypedExamPhase phase() const { return phase_; }
    const TypedExamView& view() const { return view_; }
    bool lastAnswerCorrect() const { return lastAnswerCorrect_; }
    bool waitingForCorrect() const { return waiting_; }
    bool hasSeveralAnswers() const { return severalAnswers_ > 0; }
    std::size_t severalAnswerCount() const { return severalAnswers_; }
    // The dictionary last opened through the dialog or the recent list; its file name is
    // the name label.
    const std::string& dictionaryPath() const { return dictionaryPath_; }

private:
    void reset() override;
    void begin() override;
    void dictionaryOpened(const std::filesystem::path& path) override { dictionaryPath_ = path.string(); }
    void next();
    void showExpression(std::size_t row);
    void prefetchNext() const;
    void endOfTest();
    void evaluate();
    void judge(std::string_view typed);
    void offerExtendedTesting(std::string_view typed);

    ExtendedTestingSession extended_;
    std::size_t sequentialIndex_ = 0;
    std::size_t severalAnswers_ = 0;

    TypedExamPhase phase_ = TypedExamPhase::Empty;
    TypedExamView view_;
    bool lastAnswerCorrect_ = false;
    bool waiting_ = false;
    std::string dictionaryPath_;
};

}  // namespace lexo
