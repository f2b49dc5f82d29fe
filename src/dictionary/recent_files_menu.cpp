#include "dictionary/recent_files_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>

namespace lexo {

RecentFilesSettings recentFilesSettings(RecentList list) {
    RecentFilesSettings settings;
    settings.maxList = 5;
    settings.notFoundString = QStringLiteral("Soubor nebyl nalezen.");
    settings.addShortcut = false;
    settings.enableMenuList = true;
    settings.moveToTop = true;
    settings.openDialogFilter = QStringLiteral("Slovníky (*.slv)");
    settings.openDialogDefaultSuffix = QStringLiteral("slv");
    switch (list) {
    case RecentList::Editor:
        settings.iniFileName = QStringLiteral("historyev.ini");
        settings.menuObjectName = QStringLiteral("Otevtstar1");
        settings.menuTitle = QStringLiteral("Otevřít starší");
        settings.openDialogCaption = QStringLiteral("Načíst slovník z:");
        break;
    case RecentList::TestOne:
        settings.iniFileName = QStringLiteral("historyzk.ini");
        settings.menuObjectName = QStringLiteral("Otev1");
        settings.menuTitle = QStringLiteral("Otevřít starší");
        break;
    case RecentList::Learning:
        settings.iniFileName = QStringLiteral("historyvy.ini");
        settings.menuObjectName = QStringLiteral("Otevtpedchoz1");
        settings.menuTitle = QStringLiteral("Otevřít předchozí");
        settings.openDialogCaption = QStringLiteral("Otevřete soubor s výrazy");
        break;
    case RecentList::TestTwo:
        settings.iniFileName = QStringLiteral("historyzkj.ini");
        settings.menuObjectName = QStringLiteral("Otevtpedchoz1");
        settings.menuTitle = QStringLiteral("Otevřít předchozí");
        settings.addShortcut = true;
        break;
    }
    return settings;
}

RecentFilesMenu::RecentFilesMenu(QWidget* owner, RecentFilesSettings settings, Prompter& prompter,
                                 QString programFolder)
    : QObject(owner),
      owner_(owner),
      settings_(std::move(settings)),
      prompter_(prompter),
      programFolder_(std::move(programFolder)),
      list_(settings_.maxList),
      fileMenu_(settings_.fileMenu),
      leaveCheck_([] { return true; }),
      fileChooser_([this] { return chooseWithDialog(); }) {
    settings_.maxList = list_.maxList();
    if (owner) owner->installEventFilter(this);
    if (auto* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { saveList(); });
}

RecentFilesMenu::~RecentFilesMenu() {
    // Exit is when the list has always been written; after the saves that follow every
    // change this only matters when a write failed earlier.
    saveList();
}

void RecentFilesMenu::setLeaveCheck(LeaveCheck check) {
    leaveCheck_ = check ? std::move(check) : [] { return true; };
}

void RecentFilesMenu::setFileChooser(FileChooser chooser) {
    fileChooser_ = chooser ? std::move(chooser) : [this] { return chooseWithDialog(); };
}

QStringList RecentFilesMenu::entries() const {
    QStringList result;
    for (const std::string& path : list_.entries()) result << QString::fromStdString(path);
    return result;
}

QString RecentFilesMenu::listFilePath() const {
    if (settings_.iniFileName.isEmpty()) return {};
    return QDir(programFolder_).filePath(settings_.iniFileName);
}

bool RecentFilesMenu::eventFilter(QObject* watched, QEvent* event) {
    // A window restored from the task bar sends a spontaneous Show; only showing it counts.
    if (watched == owner_ && event->type() == QEvent::Show && !event->spontaneous()) loadList();
    return QObject::eventFilter(watched, event);
}

void RecentFilesMenu::loadList() {
    const QString path = listFilePath();
    if (!path.isEmpty()) list_.load(path.toStdString());
    rebuildMenu();
}

bool RecentFilesMenu::saveList() const { return list_.hasListFile() && list_.save().ok; }

bool RecentFilesMenu::open() {
    if (!leaveCheck_()) return false;
    const QString path = fileChooser_();
    if (path.isEmpty()) return false;
    if (!list_.exists(path.toStdString())) {
        prompter_.error(notFoundMessage(path).toStdString());
        return false;
    }
    if (!openHandler_ || !openHandler_(path)) return false;
    list_.addToTop(path.toStdString());
    opened(path);
    return true;
}

bool RecentFilesMenu::openRecent(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list_.size()) return false;
    const std::string path = list_.entries()[static_cast<std::size_t>(index)];
    const QString qpath = QString::fromStdString(path);
    if (!leaveCheck_()) return false;
    if (!list_.exists(path)) {
        prompter_.error(notFoundMessage(qpath).toStdString());
        list_.remove(list_.indexOf(path));
        rebuildMenu();
        return false;
    }
    if (!openHandler_ || !openHandler_(qpath)) return false;
    if (settings_.moveToTop) list_.moveToTop(list_.indexOf(path));
    opened(qpath);
    return true;
}

void RecentFilesMenu::addToTop(const QString& path) {
    list_.addToTop(path.toStdString());
    rebuildMenu();
}

void RecentFilesMenu::opened(const QString& path) {
    currentFile_ = path;
    rebuildMenu();
    emit currentFileChanged(path);
}

QString RecentFilesMenu::notFoundMessage(const QString& path) const {
    QString message = settings_.notFoundString;
    if (const qsizetype at = message.indexOf(QLatin1String("%s")); at >= 0) message.replace(at, 2, path);
    return message;
}

QString RecentFilesMenu::chooseWithDialog() const {
    QString folder;
    if (!currentFile_.isEmpty()) folder = QFileInfo(currentFile_).absolutePath();
    else if (!list_.empty()) folder = QFileInfo(QString::fromStdString(list_.entries().front())).absolutePath();

    QFileDialog dialog(owner_, settings_.openDialogCaption, folder, settings_.openDialogFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist gets the program's own not-found message.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(settings_.openDialogDefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void RecentFilesMenu::rebuildMenu() {
    if (!fileMenu_ || !settings_.enableMenuList) return;
    if (!separator_) {
        separator_ = fileMenu_->addSeparator();
        separator_->setVisible(false);
    }
    separator_->setVisible(!list_.empty());

    const QList<QAction*> actions = fileMenu_->actions();
    for (qsizetype i = actions.indexOf(separator_.data()) + 1; i < actions.size(); ++i) {
        fileMenu_->removeAction(actions[i]);
        // The clicked item may be the one going away, while its signal is still running.
        actions[i]->deleteLater();
    }

    for (std::size_t i = 0; i < list_.size(); ++i) {
        const std::string caption = recentMenuCaption(list_.entries()[i], i, settings_.addShortcut);
        auto* item = new QAction(QString::fromStdString(caption), fileMenu_);
        if (settings_.addShortcut) {
            if (const char key = recentShortcutCharacter(i); key != '\0')
                item->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(key)));
        }
        connect(item, &QAction::triggered, this, [this, item] { itemTriggered(item); });
        fileMenu_->addAction(item);
    }
}

void RecentFilesMenu::itemTriggered(QAction* item) {
    if (!fileMenu_ || !separator_) return;
    const QList<QAction*> actions = fileMenu_->actions();
    const qsizetype position = actions.indexOf(item);
    if (position < 0) return;
    openRecent(static_cast<int>(position - actions.indexOf(separator_.data()) - 1));
}

}  // namespace lexo
