// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "learning/learning_session.h"
#include "learning/learning_settings.h"

#include "learning/learning_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/app_signals.h"
#include "common/context_ports.h"
#include "common/program_context.h"
#include "dictionary/recent_files_menu.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr QSize kClientSize{476, 353};

// Read-only, borderless, in the colour of the buttons; reached by clicking, never by Tab.
QPlainTextEdit* memo(const char* name, QWidget* parent) {
    auto* result = new QPlainTextEdit(parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setReadOnly(true);
    result->setFrameShape(QFrame::NoFrame);
    result->setFocusPolicy(Qt::ClickFocus);
    result->setTabChangesFocus(true);
    result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    result->setPlainText(QStringLiteral("-"));
    result->setMinimumHeight(24);
    QPalette palette = result->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    result->setPalette(palette);
    return result;
}

void setMemoText(QPlainTextEdit* memo, const std::string& text) {
    const QString shown = qs(text);
    if (memo->toPlainText() != shown) memo->setPlainText(shown);
}

}  // namespace

LearningWindow::LearningWindow(AppContext& context, Timers& timers, const LearningSettingsModel& settings,
                               QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Výuka výrazů"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    session_ = std::make_unique<LearningSession>(LearningServices{*context.prompter, timers, soundPlayerOf(context),
                                                                  speakerOf(context), settings, context.startup,
                                                                  context.programFolder});
    session_->setViewChangedHandler([this] { refresh(); });

    buildCentral();
    buildMenusAndToolBar();

    RecentFilesSettings recent = recentFilesSettings(RecentList::Learning);
    recent.fileMenu = recentMenu_;
    recentFiles_ =
        new RecentFilesMenu(this, recent, *context.prompter, QString::fromStdString(context.programFolder.string()));
    recentFiles_->setOpenHandler([this](const QString& path) {
        const bool opened = session_->openDictionary(path.toStdString());
        refresh();
        return opened;
    });

    if (context.appSignals != nullptr) {
        applyExpressionFont(context.appSignals->expressionFont());
        connect(context.appSignals, &AppSignals::expressionFontChanged, this, &LearningWindow::applyExpressionFont);
    } else {
        applyExpressionFont(font());
    }

    refresh();
    // The designed size; the text areas share what the rest leaves and scroll the remainder.
    setFixedSize(QSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height())
                     .expandedTo(minimumSizeHint()));
    centreOnScreen(*this);
}

LearningWindow::~LearningWindow() { session_->setViewChangedHandler({}); }

void LearningWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 6, 10, 8);
    layout->setSpacing(2);

    const auto caption = [central](const char* name, const char* text, QWidget* buddy) {
        auto* result = new QLabel(QString::fromUtf8(text), central);
        result->setObjectName(QString::fromLatin1(name));
        result->setBuddy(buddy);
        return result;
    };

    czech_ = memo("mec", central);
    foreign_ = memo("meang", central);
    pronunciation_ = memo("meangvysl", central);
    for (QPlainTextEdit* area : {czech_, foreign_, pronunciation_}) area->installEventFilter(this);

    layout->addWidget(caption("Label1", "Český výraz:", czech_));
    layout->addWidget(czech_, 1);
    layout->addSpacing(4);
    layout->addWidget(caption("Label2", "Cizí překlad výrazu:", foreign_));
    layout->addWidget(foreign_, 1);
    layout->addSpacing(4);
    layout->addWidget(caption("Label3", "Cizojazyčná výslovnost:", pronunciation_));
    layout->addWidget(pronunciation_, 1);
    layout->addSpacing(6);

    auto* info = new QGroupBox(QStringLiteral("Informace o průběhu výuky"), central);
    info->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(info);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);
    const auto row = [info, grid](int at, const char* titleName, const char* title, const char* name) {
        auto* caption = new QLabel(QString::fromUtf8(title), info);
        caption->setObjectName(QString::fromLatin1(titleName));
        auto* value = new QLabel(QStringLiteral("-"), info);
        value->setObjectName(QString::fromLatin1(name));
        grid->addWidget(caption, at, 0);
        grid->addWidget(value, at, 1);
        return value;
    };
    total_ = row(0, "Label4", "Celkově výrazu:", "lbcelkvyrazu");
    current_ = row(1, "Label5", "Aktuální výraz:", "lbaktvyraz");
    interval_ = row(2, "Label6", "Nastavený internval posuvu(sek.):", "lbinterval");
    grid->setColumnStretch(1, 1);
    layout->addWidget(info);

    setCentralWidget(central);
}

void LearningWindow::buildMenusAndToolBar() {
    QMenu* learning = menuBar()->addMenu(QStringLiteral("Výuka"));
    learning->setObjectName(QStringLiteral("Vuka1"));
    auto* newAction = new QAction(QStringLiteral("Nová"), this);
    newAction->setObjectName(QStringLiteral("Otevt1"));
    newAction->setShortcut(QKeySequence(Qt::Key_F2));
    learning->addAction(newAction);
    const RecentFilesSettings recent = recentFilesSettings(RecentList::Learning);
    recentMenu_ = learning->addMenu(recent.menuTitle);
    recentMenu_->setObjectName(recent.menuObjectName);
    learning->addSeparator();
    auto* closeAction = new QAction(QStringLiteral("Zavřít"), this);
    closeAction->setObjectName(QStringLiteral("Konec1"));
    closeAction->setShortcut(QKeySequence(Qt::Key_F10));
    learning->addAction(closeAction);

    // "Nastavení" is an item of the menu bar itself: it acts at once, F5 as well.
    settingsAction_ = new QAction(QStringLiteral("Nastavení"), this);
    settingsAction_->setObjectName(QStringLiteral("Nastaven1"));
    settingsAction_->setShortcut(QKeySequence(Qt::Key_F5));
    settingsAction_->setEnabled(false);
    menuBar()->addAction(settingsAction_);

    auto* toolBar = addToolBar(QStringLiteral("Nástroje"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(20, 20));
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    // Icons only: the hints name the commands and their keys.
    const auto addButton = [this, toolBar](const char* name, const char* text, const char* hint,
                                           QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromUtf8(text));
        if (hint != nullptr) button->setToolTip(QString::fromUtf8(hint));
        button->setIcon(style()->standardIcon(icon));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolBar->addWidget(button);
        return button;
    };
    QToolButton* newButton = addButton("btnew", "Nová", "Nová výuka", QStyle::SP_FileIcon);
    toolBar->addSeparator();
    QToolButton* backButton = addButton("btback", "Zpět", "Zpět na výraz (klávesa Q)", QStyle::SP_MediaSeekBackward);
    QToolButton* nextButton = addButton("btnext", "Další", "Další výraz (klávesa W)", QStyle::SP_MediaSeekForward);
    pauseButton_ = addButton("btend", "Pozastavit", "Pozastavit výuku", QStyle::SP_MediaPause);
    toolBar->addSeparator();
    QToolButton* speakButton = addButton("ToolButton3", "Vyslovit", nullptr, QStyle::SP_MediaVolume);
    settingsButton_ = addButton("btnastaveni", "Nastavení", "Nastavení výuky", QStyle::SP_FileDialogDetailedView);
    settingsButton_->setEnabled(false);

    connect(newAction, &QAction::triggered, this, &LearningWindow::newLesson);
    connect(newButton, &QToolButton::clicked, this, &LearningWindow::newLesson);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    const auto openSettings = [this] {
        if (settingsOpener_) settingsOpener_();
    };
    connect(settingsAction_, &QAction::triggered, this, openSettings);
    connect(settingsButton_, &QToolButton::clicked, this, openSettings);
    connect(backButton, &QToolButton::clicked, this, &LearningWindow::back);
    connect(nextButton, &QToolButton::clicked, this, &LearningWindow::next);
    connect(pauseButton_, &QToolButton::clicked, this, &LearningWindow::pause);
    connect(speakButton, &QToolButton::clicked, this, &LearningWindow::speak);
}

void LearningWindow::setFileChooser(FileChooser chooser) { recentFiles_->setFileChooser(std::move(chooser)); }

void LearningWindow::setSettingsOpener(std::function<void()> opener) {
    settingsOpener_ = std::move(opener);
    const bool live = static_cast<bool>(settingsOpener_);
    settingsAction_->setEnabled(live);
    settingsButton_->setEnabled(live);
}

void LearningWindow::settingsConfirmed() {
    session_->settingsConfirmed();
    refresh();
}

void LearningWindow::newLesson() {
    const bool openDialog = session_->newLesson();
    refresh();
    // The open handler shows what it opened.
    if (openDialog) recentFiles_->open();
}

void LearningWindow::next() {
    session_->advance();
    refresh();
}

void LearningWindow::back() {
    session_->back();
    refresh();
}

void LearningWindow::pause() {
    session_->pause();
    refresh();
}

void LearningWindow::speak() { session_->speak(); }

void LearningWindow::applyExpressionFont(const QFont& font) {
    expressionFont_ = font;
    session_->expressionFontApplied();
    refresh();
}

void LearningWindow::refresh() {
    const LearningView& view = session_->view();
    setMemoText(czech_, view.czech);
    setMemoText(foreign_, view.foreign);
    setMemoText(pronunciation_, view.pronunciation);
    total_->setText(qs(view.total));
    current_->setText(qs(view.current));
    interval_->setText(qs(view.interval));
    pauseButton_->setEnabled(view.pauseEnabled);
    QFont memoFont = expressionFont_;
    memoFont.setPointSize(view.textSize);
    memoFont.setBold(true);
    for (QPlainTextEdit* area : {czech_, foreign_, pronunciation_})
        if (area->font() != memoFont) area->setFont(memoFont);
}

// Typed characters only, lower case only: "W" and "Q" do nothing.
bool LearningWindow::learningKey(const QKeyEvent* event) {
    const QString text = event->text();
    if (text == QLatin1String("w") || text == QLatin1String(".")) {
        next();
        return true;
    }
    if (text == QLatin1String("q") || text == QLatin1String(",")) {
        back();
        return true;
    }
    return false;
}

bool LearningWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && learningKey(static_cast<QKeyEvent*>(event))) return true;
    return QMainWindow::eventFilter(watched, event);
}

void LearningWindow::keyPressEvent(QKeyEvent* event) {
    if (learningKey(event)) return;
    QMainWindow::keyPressEvent(event);
}

bool LearningWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) session_->windowActivated();
    return QMainWindow::event(event);
}

void LearningWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restored from the task bar: the lesson goes on as it was.
    if (event->spontaneous()) return;
    session_->windowShown();
    refresh();
}

void LearningWindow::closeEvent(QCloseEvent* event) {
    session_->windowClosed();
    refresh();
    event->accept();
}

}  // namespace lexo
