#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <vector>

#include "app/shell.h"

class QAction;
class QPushButton;

namespace lexo {

struct AppContext;
class GeneralSettingsWindow;
class HelpWindow;
class SplashWindow;

// The window every working window is started from. A working window that has not been
// built yet leaves its button and menu item disabled; plugging it in enables them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class Command { TipOfTheDay, MessageToAuthor, UpdateCheck };

    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // `afterShow` runs once the window is on screen (the statistics window fills itself).
    void setWorkingWindow(WorkingWindow kind, QWidget* window, std::function<void()> afterShow = {});
    // A window built on its first opening: `factory` gives it at every opening (and may
    // prepare it again, as the translator reads a word list it did not find before).
    void setWorkingWindowFactory(WorkingWindow kind, std::function<QWidget*()> factory);
    void setCommand(Command command, std::function<void()> handler);
    void setSettingsWindow(GeneralSettingsWindow* window);
    void setSplashWindow(SplashWindow* window);

    // Exit asks every check first (an editor with unsaved changes may refuse), then runs
    // the actions (writing the statistics), then ends the program.
    void addExitCheck(std::function<bool()> check);
    void addExitAction(std::function<void()> action);

    void startWorkingWindow(WorkingWindow kind);
    void showHelp();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Working {
        QWidget* window = nullptr;
        std::function<void()> afterShow;
        std::function<QWidget*()> factory;
        QPushButton* button = nullptr;
        QAction* action = nullptr;
    };

    void buildButtons();
    void buildMenus();
    void returnFromWorkingWindow();
    void setApplicationTitle(std::string_view title);

    AppContext& context_;
    std::map<WorkingWindow, Working> working_;
    std::map<Command, QAction*> commandActions_;
    std::map<Command, std::function<void()>> commands_;
    std::vector<std::function<bool()>> exitChecks_;
    std::vector<std::function<void()>> exitActions_;
    QAction* settingsAction_ = nullptr;
    GeneralSettingsWindow* settingsWindow_ = nullptr;
    SplashWindow* splashWindow_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    QWidget* activeWorking_ = nullptr;
    bool exiting_ = false;
};

}  // namespace lexo
