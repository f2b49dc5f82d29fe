#pragma once

#include <functional>

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "dictionary/recent_files.h"
#include "platform/ports.h"

namespace lexo {

struct RecentFilesSettings {
    QString iniFileName = QStringLiteral("Options.ini");  // in the program folder; empty: no list
    int maxList = 4;
    QString notFoundString = QStringLiteral("File %s not found.");  // "%s" becomes the path
    bool addShortcut = true;     // number the items and give them Alt shortcuts
    bool enableMenuList = true;  // show the list in the menu at all
    bool moveToTop = true;       // an entry opened from the menu moves to the top
    QMenu* fileMenu = nullptr;   // the list is shown at its end
    QString openDialogCaption;
    QString openDialogFilter;
    QString openDialogDefaultSuffix;
    // How the owning window names and captions the submenu it passes as fileMenu.
    QString menuObjectName;
    QString menuTitle;
};

// The windows that keep a list of the dictionaries opened in them.
enum class RecentList { Editor, TestOne, Learning, TestTwo };

RecentFilesSettings recentFilesSettings(RecentList list);

// Runs a window's Open command and its list of recently opened files: loads the list each
// time the owner window is shown, shows it at the end of the submenu and keeps it in the
// list file, written after every change and once more at exit.
class RecentFilesMenu : public QObject {
    Q_OBJECT

public:
    // Loads the file, says whether it could.
    using OpenHandler = std::function<bool(const QString& path)>;
    // May the current file be left? Asked before Open and Open recent.
    using LeaveCheck = std::function<bool()>;
    // The chosen path, or an empty text on Cancel.
    using FileChooser = std::function<QString()>;

    // The component is a child of `owner` and watches its Show events.
    RecentFilesMenu(QWidget* owner, RecentFilesSettings settings, Prompter& prompter, QString programFolder);
    ~RecentFilesMenu() override;

    void setOpenHandler(OpenHandler handler) { openHandler_ = std::move(handler); }
    void setLeaveCheck(LeaveCheck check);
    void setFileChooser(FileChooser chooser);

    const RecentFilesSettings& settings() const { return settings_; }
    QStringList entries() const;
    QString currentFile() const { return currentFile_; }
    QString listFilePath() const;

    // The Open command: leave-check, file chooser, existence check, open handler.
    bool open();
    // A click on the list's item `index` (0 is the newest).
    bool openRecent(int index);
    // For a file the owner opened by other means (the command line).
    void addToTop(const QString& path);

    // What showing the owner does: reads the list file and rebuilds the menu.
    void loadList();
    // Ignores and reports a failed write; false also when no list has been loaded.
    bool saveList() const;

signals:
    // The owner shows this file name in its caption.
    void currentFileChanged(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuildMenu();
    void itemTriggered(QAction* item);
    void opened(const QString& path);
    QString notFoundMessage(const QString& path) const;
    QString chooseWithDialog() const;

    QPointer<QWidget> owner_;
    RecentFilesSettings settings_;
    Prompter& prompter_;
    QString programFolder_;
    RecentFiles list_;
    QPointer<QMenu> fileMenu_;
    QPointer<QAction> separator_;
    QString currentFile_;

    OpenHandler openHandler_;
    LeaveCheck leaveCheck_;
    FileChooser fileChooser_;
};

}  // namespace lexo
