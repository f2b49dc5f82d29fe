#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include <QFont>
#include <QMainWindow>
#include <QString>

#include "exam/exam_window_support.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace lexo {

// The engines are only declared here: a Qt keyword macro must not meet their names.
struct AppContext;
class EntryLineEdit;
class EvaluationSession;
class ExtendedTestingWindow;
class Random;
class RecentFilesMenu;
class TypedExamSession;
class ExamResultSink;
class TesterSettingsModel;
class Timers;
enum class TypedExamPhase;

// "Zkoušení výrazů I": one expression at a time, the translation typed into the answer box
// and confirmed with Enter. Every rule lives in TypedExamSession; the window feeds it keys and
// clicks and shows view() after each call. Built once and then shown and hidden.
//
// It hides itself while the extended-testing window is open and when the test is evaluated;
// the evaluation comes back through showAfterEvaluation().
class TypedExamWindow : public QMainWindow {
    Q_OBJECT
public:
    // The open dialog of a new test; an empty text on Cancel.
    using FileChooser = std::function<QString()>;

    // The session is built over the context's prompter, speaker, sound player, general
    // settings, start-up state and program folder. The window attaches it to `evaluation`
    // as Test I and tells `settings` when a dictionary is loaded (direction and order lock).
    TypedExamWindow(AppContext& context, Timers& timers, Random& random, TesterSettingsModel& settings,
                  EvaluationSession& evaluation, ExamResultSink& statistics, QWidget* parent = nullptr);
    ~TypedExamWindow() override;

    TypedExamSession& session() { return *session_; }
    const TypedExamSession& session() const { return *session_; }
    ExtendedTestingWindow& extendedTestingWindow() { return *extended_; }
    RecentFilesMenu& recentFiles() { return *recentFiles_; }

    // Replaces the open dialog (tests, scripted use).
    void setFileChooser(FileChooser chooser);
    // Shows the evaluation window; runs when a test ends, and this window hides after it.
    void setEvaluationOpener(std::function<void()> opener);
    // Shows "Nastavení zkoušeče" of Test I ("btoptions", menu "Nastavení"); both stay
    // disabled until it is set.
    void setSettingsOpener(std::function<void()> opener);
    // "Potvrdit" of the settings window sets the caption above the question.
    void setQuestionLabel(std::string_view text);
    // The evaluation sent the user back (after "Zpět" or a retest): shown with the
    // session's state, whatever the evaluation did to it.
    void showAfterEvaluation();

    // The commands of the tool bar and the menus.
    void newTest();
    void loadLastWrongExpressions();
    void repeatPronunciation();

    void applyExpressionFont(const QFont& font);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenusAndToolBar();
    void buildCentral();
    void fitSize();
    bool answerKey(QKeyEvent* event);
    bool openDictionaryPath(const QString& path);
    // Runs a command that may ask to break off the test, and shows its outcome.
    void runAskingCommand(const std::function<void()>& command);
    // Shows the session's state, the answer box included, and follows its phase.
    void refresh();
    void followPhase();
    QFont answerFont() const;
    void returnFromExtendedTesting();
    void comeBack();

    AppContext& context_;
    TesterSettingsModel* settings_ = nullptr;
    std::unique_ptr<TypedExamSession> session_;
    std::unique_ptr<ExtendedTestingWindow> extended_;
    RecentFilesMenu* recentFiles_ = nullptr;
    std::function<void()> evaluationOpener_;
    TypedExamPhase shownPhase_;
    QFont expressionFont_;

    QLabel* questionLabel_ = nullptr;
    QPlainTextEdit* question_ = nullptr;
    EntryLineEdit* answer_ = nullptr;
    QPlainTextEdit* previousQuestion_ = nullptr;
    QPlainTextEdit* previousAnswers_ = nullptr;
    QLabel* dictionaryName_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* wrong_ = nullptr;
    ExamMenus menus_;
};

}  // namespace lexo
