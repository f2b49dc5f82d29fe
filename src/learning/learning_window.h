#pragma once

#include <functional>
#include <memory>

#include <QFont>
#include <QMainWindow>
#include <QString>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace lexo {

// The engines are only declared here: a Qt keyword macro must not meet their names.
struct AppContext;
class LearningSession;
class LearningSettingsModel;
class RecentFilesMenu;
class Timers;

// "Výuka výrazů": the expressions of one dictionary one after another, advanced by the
// timer or by "w" / "." and "q" / ",". Every rule lives in LearningSession; the window feeds
// it keys and clicks and shows view() after each call and each tick. Built once and then
// shown and hidden.
class LearningWindow : public QMainWindow {
    Q_OBJECT
public:
    // The open dialog of a new lesson; an empty text on Cancel.
    using FileChooser = std::function<QString()>;

    // The session is built over the context's prompter, speaker, sound player, start-up
    // state and program folder; it reads `settings` at the moment of use.
    LearningWindow(AppContext& context, Timers& timers, const LearningSettingsModel& settings,
                   QWidget* parent = nullptr);
    ~LearningWindow() override;

    LearningSession& session() { return *session_; }
    const LearningSession& session() const { return *session_; }
    RecentFilesMenu& recentFiles() { return *recentFiles_; }

    // Replaces the open dialog (tests, scripted use).
    void setFileChooser(FileChooser chooser);
    // Shows "Nastavení výuky výrazů" ("btnastaveni", menu "Nastavení"); both stay disabled
    // until it is set.
    void setSettingsOpener(std::function<void()> opener);
    // "Potvrdit" of the settings window: the pause button, the interval and the text size.
    void settingsConfirmed();

    // The commands of the tool bar, the menu and the keys.
    void newLesson();
    void next();
    void back();
    void pause();
    void speak();

    void applyExpressionFont(const QFont& font);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenusAndToolBar();
    void buildCentral();
    bool learningKey(const QKeyEvent* event);
    void refresh();

    std::unique_ptr<LearningSession> session_;
    RecentFilesMenu* recentFiles_ = nullptr;
    std::function<void()> settingsOpener_;
    QFont expressionFont_;

    QPlainTextEdit* czech_ = nullptr;
    QPlainTextEdit* foreign_ = nullptr;
    QPlainTextEdit* pronunciation_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* current_ = nullptr;
    QLabel* interval_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QToolButton* pauseButton_ = nullptr;
    QToolButton* settingsButton_ = nullptr;
    QAction* settingsAction_ = nullptr;
};

}  // namespace lexo
