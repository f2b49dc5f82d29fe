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

ExamMenus buildExamMenus(QMainWindow& window, const ExamMenuNames& names) {
    ExamMenus menus;
    QMenu* test = window.menuBar()->addMenu(QStringLiteral("Zkoušení"));
    test->setObjectName(QStringLiteral("Zkouen1"));
    menus.newTest = new QAction(QStringLiteral("Nové"), &window);
    menus.newTest->setObjectName(QStringLiteral("Nov1"));
    menus.newTest->setShortcut(QKeySequence(Qt::Key_F2));
    test->addAction(menus.newTest);
    const RecentFilesSettings recent = recentFilesSettings(names.recentList);
    menus.recent = test->addMenu(recent.menuTitle);
    menus.recent->setObjectName(recent.menuObjectName);
    test->addSeparator();
    menus.close = new QAction(QStringLiteral("Zavřít"), &window);
    menus.close->setObjectName(QString::fromLatin1(names.close));
    menus.close->setShortcut(QKeySequence(Qt::Key_F10));
    test->addAction(menus.close);

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
    menus.newButton = addButton("btnew", "Nové", "Nové zkoušení", QStyle::SP_FileIcon);
    menus.settingsButton =
        addButton(names.settingsButton, "Nastavení", "Nastavení", QStyle::SP_FileDialogDetailedView);
    menus.settingsButton->setEnabled(false);
    menus.repeatButton = addButton("btrepeat", "Výslovnost", "Opakovat výslovnost", QStyle::SP_MediaVolume);
    menus.lastWrongButton =
        addButton(names.lastWrongButton, "Neuhodnuté", "Naposledy neuhodnuté výrazy", QStyle::SP_BrowserReload);
    return menus;
}

void setMemoText(QPlainTextEdit* memo, const std::string& text) {
    const QString shown = qs(text);
    if (memo->toPlainText() != shown) memo->setPlainText(shown);
}

}  // namespace lexo
