#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/application.h"
#include "app/general_settings_window.h"
#include "app/help_window.h"
#include "common/program_info.h"
#include "app/splash_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

struct Launch {
    WorkingWindow kind;
    const char* buttonName;
    const char* buttonCaption;
    const char* actionName;
    const char* actionCaption;
    Qt::Key key;
};

// The five windows the main window launches, in menu order.
constexpr Launch kLaunches[] = {
    {WorkingWindow::Editor, "bteditor", "Editor výrazů", "Editorvraz1", "Editor výrazů", Qt::Key_F1},
    {WorkingWindow::Learning, "btvyuka", "Výuka výrazů", "Vukavraz1", "Výuka výrazů", Qt::Key_F2},
    {WorkingWindow::TestOne, "btzkouseni", "Zkoušení výrazů I", "Zkouevraz1", "Zkoušení výrazů I", Qt::Key_F3},
    {WorkingWindow::TestTwo, "btzkouseni1", "Zkoušení výrazů II", "ZkouevrazII1", "Zkoušení výrazů II", Qt::Key_F4},
    {WorkingWindow::Translator, "bitbtn1", "Translator", "ranslator1", "Translator", Qt::Key_F6},
};

}  // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(mainWindowCaption(kVersionString)));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/lexo.png")));
    buildButtons();
    buildMenus();
    helpWindow_ = new HelpWindow(context_.programFolder / "Lexo.html", this);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildButtons() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(18, 14, 18, 18);
    layout->setSpacing(6);
    auto* header = new QHBoxLayout;
    auto* logo = new QLabel(central);
    logo->setPixmap(QPixmap(QStringLiteral(":/pictures/lexo-48.png")));
    auto* caption = new QLabel(QStringLiteral("Co spustit:"), central);
    caption->setObjectName(QStringLiteral("Label1"));
    QFont bold = caption->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    caption->setFont(bold);
    header->addWidget(logo);
    header->addSpacing(8);
    header->addWidget(caption, 1);
    layout->addLayout(header);
    layout->addSpacing(4);

    const auto makeButton = [&](const char* name, const char* text) {
        auto* button = new QPushButton(QString::fromUtf8(text), central);
        button->setObjectName(QString::fromLatin1(name));
        button->setFlat(true);
        button->setMinimumHeight(34);
        button->setCursor(Qt::PointingHandCursor);
        layout->addWidget(button);
        return button;
    };
    for (const Launch& launch : kLaunches) {
        QPushButton* button = makeButton(launch.buttonName, launch.buttonCaption);
        button->setEnabled(false);
        working_[launch.kind].button = button;
        const WorkingWindow kind = launch.kind;
        connect(button, &QPushButton::clicked, this, [this, kind] { startWorkingWindow(kind); });
    }
    layout->addSpacing(6);
    QPushButton* quit = makeButton("btkonec", "Konec");
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    layout->addStretch();

    central->setStyleSheet(QStringLiteral(
        "QPushButton { text-align: left; padding: 6px 12px; border: 1px solid transparent; border-radius: 4px;"
        " font-size: 11pt; }"
        "QPushButton:hover:enabled { background: #e3ebf8; border-color: #9fb4d8; }"
        "QPushButton:pressed { background: #c9d8f0; }"));
    setCentralWidget(central);
    resize(320, 360);
}

void MainWindow::buildMenus() {
    const auto makeAction = [](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    QMenu* program = menuBar()->addMenu(QStringLiteral("&Program"));
    program->setObjectName(QStringLiteral("Program1"));
    QMenu* start = program->addMenu(QStringLiteral("&Spustit"));
    start->setObjectName(QStringLiteral("Spustit1"));
    for (const Launch& launch : kLaunches) {
        QAction* action = makeAction(start, launch.actionName, QString::fromUtf8(launch.actionCaption));
        action->setShortcut(QKeySequence(launch.key));
        action->setEnabled(false);
        working_[launch.kind].action = action;
        const WorkingWindow kind = launch.kind;
        connect(action, &QAction::triggered, this, [this, kind] { startWorkingWindow(kind); });
    }
    program->addSeparator();
    QAction* quit = makeAction(program, "Konec1", QStringLiteral("&Ukončit program"));
    quit->setShortcut(QKeySequence(Qt::Key_F10));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    // Top-level items that act at once.
    QAction* statistics = menuBar()->addAction(QStringLiteral("Statistiky"));
    statistics->setObjectName(QStringLiteral("Statistiky1"));
    statistics->setEnabled(false);
    working_[WorkingWindow::Statistics].action = statistics;
    connect(statistics, &QAction::triggered, this, [this] { startWorkingWindow(WorkingWindow::Statistics); });

    QAction* settings = menuBar()->addAction(QStringLiteral("&Nastavení"));
    settings->setObjectName(QStringLiteral("Nastaven1"));
    settings->setEnabled(false);
    settingsAction_ = settings;
    connect(settings, &QAction::triggered, this, [this] {
        if (settingsWindow_ == nullptr) return;
        bringForward(*settingsWindow_);
    });

    QMenu* info = menuBar()->addMenu(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("Info1"));
    QAction* help = makeAction(info, "Npovda1", QStringLiteral("Náp&ověda"));
    // F1 belongs to the editor; inside the open menu it still opens help.
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WidgetShortcut);
    connect(help, &QAction::triggered, this, &MainWindow::showHelp);
    QAction* tip = makeAction(info, "ipyaTriky1", QStringLiteral("&Tip dne"));
    tip->setEnabled(false);
    commandActions_[Command::TipOfTheDay] = tip;
    info->addSeparator();
    QMenu* internet = info->addMenu(QStringLiteral("&Internet"));
    internet->setObjectName(QStringLiteral("Internet1"));
    QAction* author = makeAction(internet, "Napstautorovi1", QStringLiteral("Napsat &autorovi"));
    author->setEnabled(false);
    commandActions_[Command::MessageToAuthor] = author;
    QAction* web = makeAction(internet, "Oficilnstrnkyprogramu1", QStringLiteral("Stránky &programu"));
    connect(web, &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(qs(program_info::kWebSite))); });
    QAction* update = makeAction(internet, "Zkontrolovataktualizace1", QStringLiteral("Zkontrolovat aktualizace"));
    update->setEnabled(false);
    commandActions_[Command::UpdateCheck] = update;
    info->addSeparator();
    QAction* about = makeAction(info, "Oaplikaci1", QStringLiteral("&O Programu"));
    connect(about, &QAction::triggered, this, [this] {
        if (splashWindow_ != nullptr) splashWindow_->showAsAboutBox();
    });

    for (auto& [command, action] : commandActions_) {
        const Command c = command;
        connect(action, &QAction::triggered, this, [this, c] {
            if (auto it = commands_.find(c); it != commands_.end() && it->second) it->second();
        });
    }
}

void MainWindow::setWorkingWindow(WorkingWindow kind, QWidget* window, std::function<void()> afterShow) {
    Working& entry = working_[kind];
    if (entry.window != nullptr) entry.window->removeEventFilter(this);
    entry.window = window;
    entry.afterShow = std::move(afterShow);
    if (window != nullptr) window->installEventFilter(this);
    const bool live = window != nullptr;
    if (entry.button != nullptr) entry.button->setEnabled(live);
    if (entry.action != nullptr) entry.action->setEnabled(live);
}

void MainWindow::setWorkingWindowFactory(WorkingWindow kind, std::function<QWidget*()> factory) {
    Working& entry = working_[kind];
    entry.factory = std::move(factory);
    const bool live = entry.window != nullptr || static_cast<bool>(entry.factory);
    if (entry.button != nullptr) entry.button->setEnabled(live);
    if (entry.action != nullptr) entry.action->setEnabled(live);
}

void MainWindow::setCommand(Command command, std::function<void()> handler) {
    const bool live = static_cast<bool>(handler);
    commands_[command] = std::move(handler);
    if (auto it = commandActions_.find(command); it != commandActions_.end()) it->second->setEnabled(live);
}

void MainWindow::setSettingsWindow(GeneralSettingsWindow* window) {
    settingsWindow_ = window;
    settingsAction_->setEnabled(window != nullptr);
    if (window == nullptr) return;
    // The settings window opens over a visible main window and returns to it.
    connect(window, &GeneralSettingsWindow::confirmed, this, [this] {
        context_.startup.settingsWindowLeft();
        show();
    });
    connect(window, &GeneralSettingsWindow::cancelled, this, [this] { show(); });
    connect(window, &GeneralSettingsWindow::closedByTitleBar, this, [this] {
        context_.startup.settingsWindowLeft();
        show();
    });
}

void MainWindow::setSplashWindow(SplashWindow* window) {
    splashWindow_ = window;
    connect(window, &SplashWindow::handOver, this, [this] {
        bringForward(*this);
    });
    connect(window, &SplashWindow::webSiteRequested, this,
            [] { QDesktopServices::openUrl(QUrl(qs(program_info::kWebSite))); });
}

void MainWindow::addExitCheck(std::function<bool()> check) { exitChecks_.push_back(std::move(check)); }
void MainWindow::addExitAction(std::function<void()> action) { exitActions_.push_back(std::move(action)); }

void MainWindow::startWorkingWindow(WorkingWindow kind) {
    Working& entry = working_[kind];
    if (entry.factory) {
        QWidget* window = entry.factory();
        if (window != entry.window) {
            if (entry.window != nullptr) entry.window->removeEventFilter(this);
            entry.window = window;
            if (window != nullptr) window->installEventFilter(this);
        }
    }
    if (entry.window == nullptr) return;
    activeWorking_ = entry.window;
    bringForward(*entry.window);
    hide();
    setApplicationTitle(applicationTitleFor(kind));
    if (entry.afterShow) entry.afterShow();
}

void MainWindow::returnFromWorkingWindow() {
    activeWorking_ = nullptr;
    setApplicationTitle(kApplicationTitle);
    bringForward(*this);
}

void MainWindow::setApplicationTitle(std::string_view title) { context_.applicationTitle = std::string(title); }

void MainWindow::showHelp() {
    helpWindow_->showTopic(QStringLiteral("Topic1"));
    bringForward(*helpWindow_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A working window that goes away brings the main window back; one stepping aside for a
    // window of its own does not, nor does the window system's own news of a hidden window
    // (an unmapped or minimised one), which arrives later and on its own.
    if (event->type() == QEvent::Hide && watched == activeWorking_ && !exiting_ && !event->spontaneous() &&
        !steppingAside(*watched))
        returnFromWorkingWindow();
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        auto tip = commands_.find(Command::TipOfTheDay);
        if (tip != commands_.end() && tip->second && context_.startup.takeTipOnActivation(context_.general.showTips))
            tip->second();
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    for (const auto& check : exitChecks_) {
        if (!check()) {
            event->ignore();
            return;
        }
    }
    exiting_ = true;
    if (context_.general.clearTempOnExit) clearTempFolder(context_.programFolder / "Temp");
    for (const auto& action : exitActions_) action();
    event->accept();
    QApplication::quit();
}

}  // namespace lexo
