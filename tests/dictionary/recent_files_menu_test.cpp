#include "dictionary/recent_files_menu.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "platform/ini_file.h"
#include "platform/qt_prompter.h"
#include "support/fake_prompter.h"

namespace lexo {
namespace {

// A window with the editor's "Otevřít starší" submenu, which holds one item of its own.
class RecentMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programFolder_.isValid());
        ASSERT_TRUE(dictionaries_.isValid());
    }

    void createWindow(RecentFilesSettings settings, Prompter* prompter = nullptr) {
        window_ = std::make_unique<QMainWindow>();
        QMenu* dictionaryMenu = window_->menuBar()->addMenu(QStringLiteral("Slovník"));
        submenu_ = dictionaryMenu->addMenu(settings.menuTitle);
        submenu_->setObjectName(settings.menuObjectName);
        submenu_->addAction(QStringLiteral("Vyčistit seznam"));
        settings.fileMenu = submenu_;
        component_ = new RecentFilesMenu(window_.get(), settings, prompter ? *prompter : prompter_,
                                         programFolder_.path());
        component_->setFileChooser([this] { return choices_.isEmpty() ? QString() : choices_.takeFirst(); });
        component_->setOpenHandler([this](const QString& path) {
            opened_ << path;
            return handlerSucceeds_;
        });
    }

    void createWindow(RecentList list) { createWindow(recentFilesSettings(list)); }

    QString makeDictionary(const QString& name) {
        const QString path = QDir(dictionaries_.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("pes;dog;[];NENÍ\r\n");
        return path;
    }

    void openThroughDialog(const QString& path) {
        choices_ << path;
        component_->open();
    }

    QAction* separator() const {
        const QList<QAction*> actions = submenu_->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [](QAction* a) { return a->isSeparator(); });
        return found == actions.end() ? nullptr : *found;
    }

    QList<QAction*> listItems() const {
        const QList<QAction*> actions = submenu_->actions();
        const qsizetype at = actions.indexOf(separator());
        return at < 0 ? QList<QAction*>{} : actions.mid(at + 1);
    }

    QStringList itemTexts() const {
        QStringList texts;
        for (QAction* item : listItems()) texts << item->text();
        return texts;
    }

    QStringList visibleTexts() const {
        QStringList texts;
        for (QAction* action : submenu_->actions())
            if (action->isVisible()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    QString listFile(const QString& name = QStringLiteral("historyev.ini")) const {
        return QDir(programFolder_.path()).filePath(name);
    }

    // "key=value" for each key of the file's list section.
    QStringList listOnDisk(const QString& name = QStringLiteral("historyev.ini")) const {
        QStringList keys;
        for (const auto& [key, value] : readIniFile(listFile(name).toStdString()).file.entries("RecentFiles"))
            keys << QString::fromStdString(key + "=" + value);
        return keys;
    }

    QTemporaryDir programFolder_;
    QTemporaryDir dictionaries_;
    FakePrompter prompter_;
    std::unique_ptr<QMainWindow> window_;
    QMenu* submenu_ = nullptr;
    RecentFilesMenu* component_ = nullptr;
    QStringList choices_;
    QStringList opened_;
    bool handlerSucceeds_ = true;
};

TEST_F(RecentMenu, SixthDictionaryDropsTheOldestAndTheFileHoldsFiveNewestFirst) {
    createWindow(RecentList::Editor);
    window_->show();
    QSignalSpy captions(component_, &RecentFilesMenu::currentFileChanged);

    QStringList paths;
    for (int i = 1; i <= 6; ++i) {
        paths << makeDictionary(QStringLiteral("slovnik%1.slv").arg(i));
        openThroughDialog(paths.last());
    }
    EXPECT_EQ(opened_, paths);
    EXPECT_EQ(captions.count(), 6);
    EXPECT_EQ(component_->currentFile(), paths.last());

    EXPECT_EQ(itemTexts(), (QStringList{paths[5], paths[4], paths[3], paths[2], paths[1]}))
        << "the editor's items are bare paths";
    const QStringList keys = {"File0=" + paths[5], "File1=" + paths[4], "File2=" + paths[3], "File3=" + paths[2],
                              "File4=" + paths[1]};
    // Written already, before any exit: a crash loses nothing.
    EXPECT_EQ(listOnDisk(), keys);
    window_.reset();
    EXPECT_EQ(listOnDisk(), keys);
}

TEST_F(RecentMenu, ReopeningAListedDictionaryMovesItToTheTopAlsoWhenOnlyTheCaseDiffers) {
    createWindow(RecentList::Editor);
    window_->show();
    const QString a = makeDictionary(QStringLiteral("zvirata.slv"));
    const QString b = makeDictionary(QStringLiteral("barvy.slv"));
    const QString c = makeDictionary(QStringLiteral("cisla.slv"));
    for (const QString& path : {a, b, c}) openThroughDialog(path);

    openThroughDialog(b);
    EXPECT_EQ(itemTexts(), (QStringList{b, c, a}));

    const QString upper = makeDictionary(QStringLiteral("ZVIRATA.SLV"));
    openThroughDialog(upper);
    EXPECT_EQ(itemTexts(), (QStringList{upper, b, c}));
    EXPECT_EQ(listOnDisk(), (QStringList{"File0=" + upper, "File1=" + b, "File2=" + c}));
}

TEST_F(RecentMenu, DeletedDictionaryIsDroppedWhenTheWindowIsNextShown) {
    createWindow(RecentList::Editor);
    window_->show();
    const QString a = makeDictionary(QStringLiteral("a.slv"));
    const QString b = makeDictionary(QStringLiteral("b.slv"));
    openThroughDialog(a);
    openThroughDialog(b);
    window_->hide();

    ASSERT_TRUE(QFile::remove(a));
    EXPECT_EQ(itemTexts(), (QStringList{b, a})) << "nothing is read while the window is hidden";
    window_->show();
    EXPECT_EQ(itemTexts(), (QStringList{b}));
    EXPECT_EQ(listOnDisk(), (QStringList{"File0=" + b}));
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(RecentMenu, ClickingADeletedDictionaryShowsNotFoundAndRemovesIt) {
    createWindow(RecentList::Editor);
    window_->show();
    const QString a = makeDictionary(QStringLiteral("a.slv"));
    const QString b = makeDictionary(QStringLiteral("b.slv"));
    openThroughDialog(a);
    openThroughDialog(b);
    opened_.clear();

    ASSERT_TRUE(QFile::remove(a));
    listItems().at(1)->trigger();
    EXPECT_EQ(prompter_.messages,
              (std::vector<FakePrompter::Message>{{FakePrompter::Kind::Error, "Soubor nebyl nalezen."}}));
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_EQ(itemTexts(), (QStringList{b}));
    EXPECT_EQ(listOnDisk(), (QStringList{"File0=" + b}));
    EXPECT_EQ(component_->currentFile(), b);

    // The items rebuilt after the removal work too.
    listItems().at(0)->trigger();
    EXPECT_EQ(opened_, (QStringList{b}));
}

TEST_F(RecentMenu, EmptyListHidesTheSeparatorAndShowsOnlyTheSubmenusOwnItems) {
    createWindow(RecentList::Editor);
    window_->show();
    ASSERT_NE(separator(), nullptr);
    EXPECT_EQ(visibleTexts(), (QStringList{QStringLiteral("Vyčistit seznam")}));

    const QString a = makeDictionary(QStringLiteral("a.slv"));
    openThroughDialog(a);
    EXPECT_EQ(visibleTexts(), (QStringList{QStringLiteral("Vyčistit seznam"), QStringLiteral("-"), a}));

    window_->hide();
    ASSERT_TRUE(QFile::remove(a));
    window_->show();
    EXPECT_EQ(visibleTexts(), (QStringList{QStringLiteral("Vyčistit seznam")}));
    const QList<QAction*> actions = submenu_->actions();
    const auto separators =
        std::count_if(actions.begin(), actions.end(), [](QAction* action) { return action->isSeparator(); });
    EXPECT_EQ(separators, 1) << "the separator is made once";
}

TEST_F(RecentMenu, TestTwoNumbersItemsWithAltShortcutsOneToNineThenA) {
    RecentFilesSettings settings = recentFilesSettings(RecentList::TestTwo);
    settings.maxList = 10;
    createWindow(settings);
    window_->show();
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths << makeDictionary(QStringLiteral("lekce%1.slv").arg(i));
        openThroughDialog(paths.last());
    }
    const QList<QAction*> items = listItems();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&1 ") + paths[9]);
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_1));
    EXPECT_EQ(items[8]->text(), QStringLiteral("&9 ") + paths[1]);
    EXPECT_EQ(items[9]->text(), QStringLiteral("&A ") + paths[0]);
    EXPECT_EQ(items[9]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_A));
    EXPECT_EQ(listOnDisk(QStringLiteral("historyzkj.ini")).size(), 10);

    // Alt+2 opens the second newest, which then moves to the top.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    opened_.clear();
    QTest::keyClick(window_.get(), Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(opened_, (QStringList{paths[8]}));
    EXPECT_EQ(listItems().at(0)->text(), QStringLiteral("&1 ") + paths[8]);
    EXPECT_EQ(listItems().at(1)->text(), QStringLiteral("&2 ") + paths[9]);
}

TEST_F(RecentMenu, HandlerFailureChangesNothing) {
    createWindow(RecentList::Editor);
    window_->show();
    const QString a = makeDictionary(QStringLiteral("a.slv"));
    const QString b = makeDictionary(QStringLiteral("b.slv"));
    openThroughDialog(a);
    openThroughDialog(b);
    const QStringList listBefore = listOnDisk();
    QSignalSpy captions(component_, &RecentFilesMenu::currentFileChanged);

    handlerSucceeds_ = false;
    const QString c = makeDictionary(QStringLiteral("c.slv"));
    choices_ << c;
    EXPECT_FALSE(component_->open());
    listItems().at(1)->trigger();

    EXPECT_EQ(opened_.mid(2), (QStringList{c, a}));
    EXPECT_EQ(itemTexts(), (QStringList{b, a}));
    EXPECT_EQ(component_->currentFile(), b);
    EXPECT_EQ(captions.count(), 0);
    EXPECT_EQ(listOnDisk(), listBefore);
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(RecentMenu, LeaveCheckRefusalStopsBeforeAnythingHappens) {
    createWindow(RecentList::Editor);
    window_->show();
    const QString a = makeDictionary(QStringLiteral("a.slv"));
    openThroughDialog(a);
    opened_.clear();

    int asked = 0;
    component_->setLeaveCheck([&] {
        ++asked;
        return false;
    });
    choices_ << makeDictionary(QStringLiteral("b.slv"));
    EXPECT_FALSE(component_->open());
    EXPECT_EQ(choices_.size(), 1) << "the file chooser must not run";
    ASSERT_TRUE(QFile::remove(a));
    listItems().at(0)->trigger();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_EQ(itemTexts(), (QStringList{a}));
}

TEST_F(RecentMenu, AListNeverShownIsNeverWritten) {
    const QByteArray stored = "[RecentFiles]\r\nFile0=/nowhere/a.slv\r\n";
    {
        QFile file(listFile(QStringLiteral("historyzk.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(stored);
    }
    createWindow(RecentList::TestOne);
    window_.reset();
    QFile file(listFile(QStringLiteral("historyzk.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
}

TEST_F(RecentMenu, MissingFileIsReportedInAModalBoxCaptionedLexo) {
    const QString previousName = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName(QStringLiteral("Lexo"));
    QtPrompter prompter;
    createWindow(recentFilesSettings(RecentList::Editor), &prompter);
    prompter.setParent(window_.get());
    window_->show();

    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        modal = box->isModal() && box->parentWidget() == window_.get();
        box->button(QMessageBox::Ok)->click();
    });
    watcher.start();
    openThroughDialog(QDir(dictionaries_.path()).filePath(QStringLiteral("nic.slv")));
    watcher.stop();
    QApplication::setApplicationDisplayName(previousName);

    EXPECT_EQ(title, QStringLiteral("Lexo"));
    EXPECT_EQ(text, QStringLiteral("Soubor nebyl nalezen."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(modal);
}

}  // namespace
}  // namespace lexo
