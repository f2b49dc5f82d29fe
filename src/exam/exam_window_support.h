#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QColor>
#include <QPalette>
#include <QString>

#include "dictionary/recent_files_menu.h"

class QAction;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace lexo {

struct AppContext;
class SoundPlayer;
class Speaker;

// What the test windows share in how they show a test.

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

inline const QColor kExamGreen(0, 128, 0);
inline const QColor kExamRed(255, 0, 0);

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// A read-only memo of the tests, tall enough for `lines` lines of its font.
QPlainTextEdit* examMemo(const char* name, int lines, QWidget* parent);
// Keeps the memo `lines` lines tall after a font change.
void fitMemoHeight(QPlainTextEdit* memo);
void setMemoText(QPlainTextEdit* memo, const std::string& text);

// The control names by which the two test windows' menus and tool bars differ.
struct ExamMenuNames {
    RecentList recentList;
    const char* close;            // "Zkoušení" → "Zavřít" (F10)
    const char* settings;         // "Nastavení" (F5) on the menu bar
    const char* settingsButton;   // the tool bar's "Nastavení"
    const char* lastWrongButton;  // "Naposledy neuhodnuté výrazy"
};

// What the menus and the tool bar do; the window closes itself on "Zavřít".
struct ExamMenuHandlers {
    std::function<void()> newTest;
    std::function<void()> repeatPronunciation;
    std::function<void()> loadLastWrong;
};

struct ExamMenus {
    QMenu* recent = nullptr;      // the recent-files component fills it
    QAction* settings = nullptr;  // "Nastavení" on the menu bar (F5)
    QToolButton* settingsButton = nullptr;
    // Both "Nastavení" stay disabled until the window has a settings window to open.
    void setSettingsOpener(std::function<void()> opener);

    std::shared_ptr<std::function<void()>> settingsOpener = std::make_shared<std::function<void()>>();
};

// The menu "Zkoušení", the menu-bar item "Nastavení" and the tool bar of a test window.
ExamMenus buildExamMenus(QMainWindow& window, const ExamMenuNames& names, const ExamMenuHandlers& handlers);

}  // namespace lexo
