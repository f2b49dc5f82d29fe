#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "common/program_context.h"
#include "platform/qt_widgets.h"
#include "support/fake_prompter.h"
#include "support/fake_sound_player.h"
#include "support/fake_speaker.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::TempDir;
using lexo::testing::writeBytes;

struct MainWindowFixture : ::testing::Test {
    TempDir dir;
    FakePrompter prompter;
    FakeSpeaker speaker;
    FakeSoundPlayer player;
    AppContext context;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        context.programFolder = dir.path();
        context.settings = std::make_unique<MemorySettingsStore>();
        context.prompter = &prompter;
        context.speaker = &speaker;
        context.soundPlayer = &player;
        window = std::make_unique<MainWindow>(context);
    }

    template <typename T>
    T* find(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

TEST_F(MainWindowFixture, CaptionMenusAndButtonsOfWindowsNotYetThere) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lexo 2.95"));
    for (const char* name : {"bteditor", "btvyuka", "btzkouseni", "btzkouseni1", "bitbtn1"}) {
        ASSERT_NE(find<QPushButton>(name), nullptr) << name;
        EXPECT_FALSE(find<QPushButton>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(find<QPushButton>("btkonec")->isEnabled());
    EXPECT_EQ(find<QAction>("Editorvraz1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(find<QAction>("ranslator1")->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(find<QAction>("Konec1")->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(find<QAction>("Konec1")->text(), QStringLiteral("&Ukončit program"));
    EXPECT_EQ(find<QAction>("Npovda1")->shortcutContext(), Qt::WidgetShortcut) << "F1 must reach the editor";
    EXPECT_FALSE(find<QAction>("Statistiky1")->isEnabled());
    EXPECT_FALSE(find<QAction>("Nastaven1")->isEnabled());
}

TEST_F(MainWindowFixture, WorkingWindowReplacesTheMainWindowAndReturns) {
    QWidget editor;
    bool filled = false;
    window->setWorkingWindow(WorkingWindow::Editor, &editor);
    QWidget statistics;
    window->setWorkingWindow(WorkingWindow::Statistics, &statistics, [&] { filled = statistics.isVisible(); });
    EXPECT_TRUE(find<QPushButton>("bteditor")->isEnabled());
    EXPECT_TRUE(find<QAction>("Statistiky1")->isEnabled());

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(context.applicationTitle, "Lexo - Editor výrazů");

    editor.close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(context.applicationTitle, "Lexo");

    find<QAction>("Statistiky1")->trigger();
    EXPECT_TRUE(filled) << "the statistics window fills itself once it is shown";
    EXPECT_EQ(context.applicationTitle, "Lexo - Statistiky");
    // Stepping aside for a window of its own is not leaving.
    stepAside(statistics);
    EXPECT_FALSE(window->isVisible());
    statistics.show();
    statistics.close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(context.applicationTitle, "Lexo");
}

TEST_F(MainWindowFixture, AClosedWorkingWindowReturnsEvenAfterAQuestionInItsCloseEvent) {
    // A modal question runs an event loop of its own inside the close event.
    class Asking : public QWidget {
    protected:
        void closeEvent(QCloseEvent* event) override {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
            event->accept();
        }
    } editor;
    window->setWorkingWindow(WorkingWindow::Editor, &editor);
    window->show();
    find<QPushButton>("bteditor")->click();
    ASSERT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.close());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowFixture, ExitAsksChecksThenEmptiesTempAndRunsActions) {
    writeBytes(dir / "Temp" / "a.wav", "a");
    writeBytes(dir / "Temp" / "keep" / "b.wav", "b");
    bool allow = false;
    int actions = 0;
    window->addExitCheck([&] { return allow; });
    window->addExitAction([&] { ++actions; });
    window->show();

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(std::filesystem::exists(dir / "Temp" / "a.wav"));
    EXPECT_EQ(actions, 0);

    allow = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(actions, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "Temp" / "a.wav"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Temp" / "keep" / "b.wav"));
}

TEST_F(MainWindowFixture, TempStaysWhenTheSettingSaysSo) {
    writeBytes(dir / "Temp" / "a.wav", "a");
    context.general.clearTempOnExit = false;
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::exists(dir / "Temp" / "a.wav"));
}

TEST_F(MainWindowFixture, TipOfTheDayOnFirstActivationOnly) {
    int tips = 0;
    window->setCommand(MainWindow::Command::TipOfTheDay, [&] { ++tips; });
    EXPECT_TRUE(find<QAction>("ipyaTriky1")->isEnabled());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(tips, 1);
    find<QAction>("ipyaTriky1")->trigger();
    EXPECT_EQ(tips, 2) << "the menu item shows it at any time";
}

TEST_F(MainWindowFixture, HelpOpensAtItsTopicOrSaysItIsMissing) {
    window->show();
    find<QAction>("Npovda1")->trigger();
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->window()->isVisible());
    EXPECT_TRUE(window->isVisible()) << "help opens over the main window";
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("nebyl nalezen")));

    writeBytes(dir / "Lexo.html", "<html><body><a name=\"Topic1\"></a><h1>Obsah</h1></body></html>");
    find<QAction>("Npovda1")->trigger();
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("Topic1"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Obsah")));
}

}  // namespace
}  // namespace lexo
