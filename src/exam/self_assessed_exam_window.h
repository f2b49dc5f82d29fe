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
class QPushButton;
class QToolButton;

namespace lexo {

// The engines are only declared here: a Qt keyword macro must not meet their names.
struct AppContext;
class EvaluationSession;
class ExamResultSink;
class Random;
class RecentFilesMenu;
class SelfAssessedExamSession;
class TesterSettingsModel;
class Timers;
enum class SelfAssessedExamPhase;

// "Zkoušení výrazů II": the question of one expression at a time, answered with "Vím" or
// "Nevím" (also the keys v and n). Every rule lives in SelfAssessedExamSession; the window
// feeds it clicks and keys and shows view() after each call. Built once, then shown and
// hidden; it hides itself while the evaluation shows its results.
class SelfAssessedExamWindow : public QMainWindow {
    Q_OBJECT
public:
    // The open dialog of a new test; an empty text on Cancel.
    using FileChooser = std::function<QString()>;

    // The session is built over the context's prompter, speaker, sound player, general
    // settings, start-up state and program folder, attached to `evaluation` as Test II; it
    // tells `settings` when a dictionary is loaded (direction and order lock).
    SelfAssessedExamWindow(AppContext& context, Timers& timers, Random& random, TesterSettingsModel& settings,
                           EvaluationSession& evaluation, ExamResultSink& statistics, QWidget* parent = nullptr);
    ~SelfAssessedExamWindow() override;

    SelfAssessedExamSession& session() { return *session_; }
    RecentFilesMenu& recentFiles() { return *recentFiles_; }

    void setFileChooser(FileChooser chooser);
    // Shows the evaluation window when a test ends; this window hides after it.
    void setEvaluationOpener(std::function<void()> opener);
    // Shows "Nastavení zkoušeče" of Test II; "btnastaveni" and the menu stay disabled until set.
    void setSettingsOpener(std::function<void()> opener);
    // "Potvrdit" of the settings window sets the caption above the question.
    void setQuestionLabel(std::string_view text);
    // The evaluation sent the user back (after "Zpět" or a retest).
    void showAfterEvaluation();

    // The buttons, the tool bar and the menus.
    void know();
    void dontKnow();
    void newTest();
    void loadLastWrongExpressions();
    void repeatPronunciation();

    void applyExpressionFont(const QFont& font);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenusAndToolBar();
    void buildCentral();
    bool openDictionaryPath(const QString& path);
    void refresh();
    void followPhase();

    AppContext& context_;
    TesterSettingsModel* settings_ = nullptr;
    std::unique_ptr<SelfAssessedExamSession> session_;
    RecentFilesMenu* recentFiles_ = nullptr;
    std::function<void()> evaluationOpener_;
    SelfAssessedExamPhase shownPhase_;

    QLabel* questionLabel_ = nullptr;
    QPlainTextEdit* question_ = nullptr;
    QPlainTextEdit* previousQuestion_ = nullptr;
    QPlainTextEdit* previousAnswers_ = nullptr;
    QPushButton* know_ = nullptr;
    QPushButton* dontKnow_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* wrong_ = nullptr;
    ExamMenus menus_;
};

}  // namespace lexo
