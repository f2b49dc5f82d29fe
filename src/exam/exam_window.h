#pragma once

#include <functional>
#include <string_view>

#include <QFont>
#include <QMainWindow>
#include <QSize>
#include <QString>

#include "exam/exam_window_support.h"

class QGridLayout;
class QLabel;
class QPlainTextEdit;

namespace lexo {

// The engines are only declared here: a Qt keyword macro must not meet their names.
struct AppContext;
struct ExamServices;
class EvaluationSession;
class ExamResultSink;
class ExamSession;
class Random;
class RecentFilesMenu;
class TesterSettingsModel;
class Timers;

// What the two test windows share: the menus, the tool bar and the recent files; the caption
// above the question; the commands that may break a test off; the openers the program sets.
// Each window builds its own central part and session, then calls attach().
class ExamWindow : public QMainWindow {
    Q_OBJECT
public:
    // The open dialog of a new test; an empty text on Cancel.
    using FileChooser = std::function<QString()>;

    ~ExamWindow() override;

    RecentFilesMenu& recentFiles() { return *recentFiles_; }

    // Replaces the open dialog (tests, scripted use).
    void setFileChooser(FileChooser chooser);
    // Shows the evaluation window; runs when a test ends, and this window hides after it.
    void setEvaluationOpener(std::function<void()> opener);
    // Shows the test's "Nastavení zkoušeče"; its menu item and button stay disabled until set.
    void setSettingsOpener(std::function<void()> opener);
    // "Potvrdit" of the settings window sets the caption above the question.
    void setQuestionLabel(std::string_view text);

    // The commands of the tool bar and the menus.
    void newTest();
    void loadLastWrongExpressions();
    void repeatPronunciation();

    virtual void applyExpressionFont(const QFont& font) = 0;

protected:
    ExamWindow(AppContext& context, TesterSettingsModel& settings, const char* objectName, const char* title,
               QWidget* parent);

    // What the session of this window works with.
    ExamServices services(Timers& timers, Random& random, EvaluationSession& evaluation,
                          ExamResultSink& statistics) const;
    // Connects the session, the menus, the recent files and the expression font.
    void attach(ExamSession& session, const ExamMenuNames& names);
    // Runs a command that may ask to break the test off, then shows its outcome.
    virtual void runCommand(const std::function<void()>& command);
    // Shows the session's state and follows its phase.
    virtual void refresh() = 0;
    // Where typing goes: the answer box or the answer buttons.
    virtual void focusAnswer() = 0;
    // The designed client size, grown when the chosen font needs more room.
    void fitSize(QSize client);
    // The evaluation opener, when set.
    void openEvaluation();

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    AppContext& context_;
    QLabel* questionLabel_ = nullptr;

private:
    bool openDictionaryPath(const QString& path);

    TesterSettingsModel& settings_;
    ExamSession* session_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    std::function<void()> evaluationOpener_;
    ExamMenus menus_;
};

// A row of the box "Informace o …": its caption and its value, "-" until a test runs.
QLabel* addCounter(QGridLayout* grid, int row, const char* name, const char* text);
// The counts of right and wrong answers: bold, in green and red.
void styleAnswerCounts(QLabel* correct, QLabel* wrong);

}  // namespace lexo
