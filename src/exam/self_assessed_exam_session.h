#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "exam/exam_session.h"

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
class SelfAssessedExamSession final : public ExamSession {
public:
    explicit SelfAssessedExamSession(SelfAssessedExamServices services);
    ~SelfAssessedExamSession() override;

    // --- commands of the window
    // The window was closed: the delays stop and the test is broken off.
    void windowClosed();
    // "Vím" and "Nevím".
    void know();
    void dontKnow();
    // "Opakovat výslovnost": at once, whatever the settings say; nothing on the first
    // question in file order and on the second in random order.
    void repeatPronunciation() override;

    // --- state
    SelfAssessedExamPhase phase() const { return phase_; }
    const SelfAssessedExamView& view() const { return view_; }
    PreviousAnswerColour previousColour() const { return previousColour_; }

private:
    void reset() override;
    void begin() override;
    // After an answer: the next question, or the end.
    void advance();
    void showQuestion(std::size_t row);
    void showCounters();
    // The answer of the question just answered, under it.
    void showAnswer();
    void hideAnswer();
    void evaluate();

    SelfAssessedExamPhase phase_ = SelfAssessedExamPhase::Empty;
    SelfAssessedExamView view_;
    PreviousAnswerColour previousColour_ = PreviousAnswerColour::Default;
    int answers_ = 0;  // answers given in this test
};

}  // namespace lexo
