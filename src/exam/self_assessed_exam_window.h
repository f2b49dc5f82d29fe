#pragma once

#include <memory>

#include <QFont>

#include "exam/exam_window.h"

class QPlainTextEdit;
class QPushButton;

namespace lexo {

// The engines are only declared here: a Qt keyword macro must not meet their names.
class SelfAssessedExamSession;
enum class SelfAssessedExamPhase;

// "Zkoušení výrazů II": the question of one expression at a time, answered with "Vím" or
// "Nevím" (also the keys v and n). Every rule lives in SelfAssessedExamSession; the window
// feeds it clicks and keys and shows view() after each call. Built once, then shown and
// hidden; it hides itself while the evaluation shows its results.
class SelfAssessedExamWindow : public ExamWindow {
    Q_OBJECT
public:
    // The session is built over the context's prompter, speaker, sound player, general
    // settings, start-up state and program folder, attached to `evaluation` as Test II; it
    // tells `settings` when a dictionary is loaded (direction and order lock).
    SelfAssessedExamWindow(AppContext& context, Timers& timers, Random& random, TesterSettingsModel& settings,
                           EvaluationSession& evaluation, ExamResultSink& statistics, QWidget* parent = nullptr);
    ~SelfAssessedExamWindow() override;

    SelfAssessedExamSession& session() { return *session_; }

    // The evaluation sent the user back (after "Zpět" or a retest).
    void showAfterEvaluation();

    // The answer buttons.
    void know();
    void dontKnow();

    void applyExpressionFont(const QFont& font) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCentral();
    void refresh() override;
    void focusAnswer() override;
    void followPhase();

    std::unique_ptr<SelfAssessedExamSession> session_;
    SelfAssessedExamPhase shownPhase_;

    QPlainTextEdit* question_ = nullptr;
    QPlainTextEdit* previousQuestion_ = nullptr;
    QPlainTextEdit* previousAnswers_ = nullptr;
    QPushButton* know_ = nullptr;
    QPushButton* dontKnow_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* wrong_ = nullptr;
};

}  // namespace lexo
