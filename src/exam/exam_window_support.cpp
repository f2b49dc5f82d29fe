#include "exam/exam_window_support.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTextDocument>

#include "common/program_context.h"
#include "platform/ports.h"

namespace lexo {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QPlainTextEdit* examMemo(const char* name, int lines, QWidget* parent) {
    auto* result = new QPlainTextEdit(parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setReadOnly(true);
    result->setFocusPolicy(Qt::ClickFocus);
    result->setTabChangesFocus(true);
    result->setProperty("lines", lines);
    return result;
}

void fitMemoHeight(QPlainTextEdit* memo) {
    const int lines = memo->property("lines").toInt();
    const int frame = 2 * memo->frameWidth() + 2 * static_cast<int>(memo->document()->documentMargin());
    memo->setFixedHeight(lines * memo->fontMetrics().lineSpacing() + frame);
}

void ExamMenus::setSettingsOpener(std::function<void()> opener) {
    *settingsOpener = std::move(opener);
    const bool live = static_cast<bool>(*settingsOpener);
    settings->setEnabled(live);
    settingsButton->setEnabled(live);
}

ExamMenus buildExamMenus(QMainWindow& window, const ExamMenuNames& names, const ExamMenuHandlers& handlers) {
    ExamMenus menus;
    QMenu* test = window.menuBar()->addMenu(QStringLiteral("Zkoušení"));
    test->setObjectName(QStringLiteral("Zkouen1"));
    auto* newTest = new QAction(QStringLiteral("Nové"), &window);
    newTest->setObjectName(QStringLiteral("Nov1"));
    newTest->setShortcut(QKeySequence(Qt::Key_F2));
    test->addAction(newTest);
    const RecentFilesSettings recent = recentFilesSettings(names.recentList);
    menus.recent = test->addMenu(recent.menuTitle);
    menus.recent->setObjectName(recent.menuObjectName);
    test->addSeparator();
    auto* close = new QAction(QStringLiteral("Zavřít"), &window);
    close->setObjectName(QString::fromLatin1(names.close));
    close->setShortcut(QKeySequence(Qt::Key_F10));
    test->addAction(close);

    // "Nastavení" is an item of the menu bar itself: it acts at once, F5 as well.
    menus.settings = new QAction(QStringLiteral("Nastavení"), &window);
    menus.settings->setObjectName(QString::fromLatin1(names.settings));
    menus.settings->setShortcut(QKeySequence(Qt::Key_F5));
    menus.settings->setEnabled(false);
    window.menuBar()->addAction(menus.settings);

    auto* toolBar = window.addToolBar(QStringLiteral("Nástroje"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(20, 20));
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    const auto addButton = [&window, toolBar](const char* name, const char* text, const char* hint,
                                              QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromUtf8(text));
        button->setToolTip(QString::fromUtf8(hint));
        button->setIcon(window.style()->standardIcon(icon));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        toolBar->addWidget(button);
        return button;
    };
    QToolButton* newButton = addButton("btnew", "Nové", "Nové zkoušení", QStyle::SP_FileIcon);
    menus.settingsButton =
        addButton(names.settingsButton, "Nastavení", "Nastavení", QStyle::SP_FileDialogDetailedView);
    menus.settingsButton->setEnabled(false);
    QToolButton* repeatButton = addButton("btrepeat", "Výslovnost", "Opakovat výslovnost", QStyle::SP_MediaVolume);
    QToolButton* lastWrongButton =
        addButton(names.lastWrongButton, "Neuhodnuté", "Naposledy neuhodnuté výrazy", QStyle::SP_BrowserReload);

    QObject::connect(newTest, &QAction::triggered, &window, handlers.newTest);
    QObject::connect(newButton, &QToolButton::clicked, &window, handlers.newTest);
    QObject::connect(close, &QAction::triggered, &window, &QWidget::close);
    const auto openSettings = [opener = menus.settingsOpener] {
        if (*opener) (*opener)();
    };
    QObject::connect(menus.settings, &QAction::triggered, &window, openSettings);
    QObject::connect(menus.settingsButton, &QToolButton::clicked, &window, openSettings);
    QObject::connect(repeatButton, &QToolButton::clicked, &window, handlers.repeatPronunciation);
    QObject::connect(lastWrongButton, &QToolButton::clicked, &window, handlers.loadLastWrong);
    return menus;
}

void setMemoText(QPlainTextEdit* memo, const std::string& text) {
    const QString shown = qs(text);
    if (memo->toPlainText() != shown) memo->setPlainText(shown);
}

}  // namespace lexo
