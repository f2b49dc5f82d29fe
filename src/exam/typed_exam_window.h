#pragma once

#include <memory>

#include <QFont>

#include "exam/exam_window.h"

class QPlainTextEdit;

namespace lexo {

// The engines are only declared here: a Qt keyword macro must not meet their names.
class EntryLineEdit;
class ExtendedTestingWindow;
class TypedExamSession;
enum class TypedExamPhase;

// "Zkoušení výrazů I": one expression at a time, the translation typed into the answer box
// and confirmed with Enter. Every rule lives in TypedExamSession; the window feeds it keys and
// clicks and shows view() after each call. Built once and then shown and hidden.
//
// It hides itself while the extended-testing window is open and when the test is evaluated;
// the evaluation comes back through showAfterEvaluation().
class TypedExamWindow : public ExamWindow {
    Q_OBJECT
public:
    // The session is built over the context's prompter, speaker, sound player, general
    // settings, start-up state and program folder. The window attaches it to `evaluation`
    // as Test I and tells `settings` when a dictionary is loaded (direction and order lock).
    TypedExamWindow(AppContext& context, Timers& timers, Random& random, TesterSettingsModel& settings,
                    EvaluationSession& evaluation, ExamResultSink& statistics, QWidget* parent = nullptr);
    ~TypedExamWindow() override;

    TypedExamSession& session() { return *session_; }
    const TypedExamSession& session() const { return *session_; }
    ExtendedTestingWindow& extendedTestingWindow() { return *extended_; }

    // The evaluation sent the user back (after "Zpět" or a retest): shown with the
    // session's state, whatever the evaluation did to it.
    void showAfterEvaluation();

    void applyExpressionFont(const QFont& font) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCentral();
    bool answerKey(QKeyEvent* event);
    // "No" to breaking the test off changes nothing, the half-typed answer included.
    void runCommand(const std::function<void()>& command) override;
    // Shows the session's state, the answer box included, and follows its phase.
    void refresh() override;
    void focusAnswer() override;
    void followPhase();
    QFont answerFont() const;
    void returnFromExtendedTesting();
    void comeBack();

    std::unique_ptr<TypedExamSession> session_;
    std::unique_ptr<ExtendedTestingWindow> extended_;
    TypedExamPhase shownPhase_;
    QFont expressionFont_;

    QPlainTextEdit* question_ = nullptr;
    EntryLineEdit* answer_ = nullptr;
    QPlainTextEdit* previousQuestion_ = nullptr;
    QPlainTextEdit* previousAnswers_ = nullptr;
    QLabel* dictionaryName_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* wrong_ = nullptr;
};

}  // namespace lexo
