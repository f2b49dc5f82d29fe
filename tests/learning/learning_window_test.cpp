// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "learning/learning_session.h"
#include "learning/learning_settings.h"

#include "learning/learning_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/recent_files_menu.h"
#include "support/find_widget.h"
#include "support/fake_app_context.h"
#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using Answer = Prompter::Answer;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

class LearningWindowTest : public ::testing::Test, protected testing::FakeAppContext {
protected:
    LearningWindowTest() {
        context.startup.soundWorks = true;
        settings.load();
    }

    void create() {
        if (window) return;
        window = std::make_unique<LearningWindow>(context, timers, settings);
        window->setFileChooser([this] {
            ++dialogs;
            return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst();
        });
    }

    void show() {
        create();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Through "Nová výuka" and the open dialog, as the user does.
    void openThree() {
        chosenFiles << qs(dictionary("zvirata.slv", {"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];NENÍ",
                                                    "dům+stavení;house+building;[haus];NENÍ"})
                              .string());
        find<QToolButton>("btnew")->click();
    }

    template <class W>
    W* find(const char* name) const {
        return testing::findWidget<W>(*window, name);
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    QString memoText(const char* memo) const { return find<QPlainTextEdit>(memo)->toPlainText(); }
    void type(QWidget* target, char key) { QTest::keyClick(target, key); }

    LearningSettingsModel settings{store, prompter};
    std::unique_ptr<LearningWindow> window;
    QStringList chosenFiles;
    int dialogs = 0;
};

TEST_F(LearningWindowTest, HasTheDesignedControlsAndMenus) {
    create();
    EXPECT_EQ(window->objectName(), "Form6");
    EXPECT_EQ(window->windowTitle(), "Výuka výrazů");
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(find<QToolButton>("btnew")->toolTip(), "Nová výuka");
    EXPECT_EQ(find<QToolButton>("btback")->toolTip(), "Zpět na výraz (klávesa Q)");
    EXPECT_EQ(find<QToolButton>("btnext")->toolTip(), "Další výraz (klávesa W)");
    EXPECT_EQ(find<QToolButton>("btend")->toolTip(), "Pozastavit výuku");
    EXPECT_EQ(find<QToolButton>("ToolButton3")->toolTip(), "");
    EXPECT_EQ(find<QToolButton>("btnastaveni")->toolTip(), "Nastavení výuky");
    EXPECT_EQ(text("Label1"), "Český výraz:");
    EXPECT_EQ(text("Label2"), "Cizí překlad výrazu:");
    EXPECT_EQ(text("Label3"), "Cizojazyčná výslovnost:");
    EXPECT_EQ(text("Label6"), "Nastavený internval posuvu(sek.):");
    for (const char* memo : {"mec", "meang", "meangvysl"}) {
        auto* area = find<QPlainTextEdit>(memo);
        EXPECT_TRUE(area->isReadOnly()) << memo;
        EXPECT_EQ(area->focusPolicy(), Qt::ClickFocus) << memo;
        EXPECT_EQ(area->toPlainText(), "-") << memo;
        EXPECT_TRUE(area->font().bold()) << memo;
        EXPECT_EQ(area->font().pointSize(), 10) << memo;
    }
    for (const char* label : {"lbcelkvyrazu", "lbaktvyraz", "lbinterval"}) EXPECT_EQ(text(label), "-") << label;

    EXPECT_EQ(find<QAction>("Otevt1")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(find<QAction>("Konec1")->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(find<QAction>("Nastaven1")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(find<QMenu>("Otevtpedchoz1")->title(), "Otevřít předchozí");
    EXPECT_EQ(window->recentFiles().listFilePath(), qs((context.programFolder / "historyvy.ini").string()));

    EXPECT_FALSE(find<QToolButton>("btnastaveni")->isEnabled());
    int settingsShown = 0;
    window->setSettingsOpener([&] { ++settingsShown; });
    show();
    QTest::keyClick(window.get(), Qt::Key_F5);
    find<QToolButton>("btnastaveni")->click();
    EXPECT_EQ(settingsShown, 2);
}

TEST_F(LearningWindowTest, ManualLessonWithTheKeysLowerCaseOnly) {
    settings.setAutoAdvance(false);
    settings.setFontSize(14);
    show();
    chosenFiles << qs(dictionary("zvirata.slv", {"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];NENÍ",
                                                "dům+stavení;house+building;[haus];NENÍ"})
                          .string());
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(text("lbcelkvyrazu"), "3");
    EXPECT_EQ(text("lbaktvyraz"), "1");
    EXPECT_EQ(text("lbinterval"), "-");
    EXPECT_EQ(memoText("mec"), "pes");
    EXPECT_EQ(memoText("meang"), "dog");
    EXPECT_EQ(memoText("meangvysl"), "[dog]");
    EXPECT_EQ(find<QPlainTextEdit>("meang")->font().pointSize(), 14);

    type(window.get(), 'W');
    EXPECT_EQ(text("lbaktvyraz"), "1");
    type(window.get(), 'w');
    EXPECT_EQ(text("lbaktvyraz"), "2");
    EXPECT_EQ(memoText("mec"), "kočka");
    // The text areas pass the keys on too.
    auto* czech = find<QPlainTextEdit>("mec");
    czech->setFocus();
    type(czech, '.');
    EXPECT_EQ(memoText("meang"), "house ; building");
    EXPECT_EQ(memoText("mec"), "dům ; stavení") << "the key was not typed into the area";
    type(czech, 'Q');
    EXPECT_EQ(text("lbaktvyraz"), "3");
    type(czech, 'q');
    EXPECT_EQ(text("lbaktvyraz"), "2");
    type(window.get(), ',');
    EXPECT_EQ(text("lbaktvyraz"), "1");
    EXPECT_EQ(memoText("meang"), "dog");

    find<QToolButton>("btnext")->click();
    find<QToolButton>("btnext")->click();
    prompter.queueAnswer(Answer::Yes);
    find<QToolButton>("btnext")->click();
    EXPECT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>{"Výuka skončila, přejete si ji zopakovat?"});
    EXPECT_EQ(text("lbaktvyraz"), "0");
    EXPECT_EQ(memoText("meang"), "-");
    EXPECT_EQ(memoText("meangvysl"), "[haus]");
}

TEST_F(LearningWindowTest, AutomaticAdvanceShowsEachTickAndPausesUntilActivatedAgain) {
    show();
    openThree();
    EXPECT_EQ(text("lbinterval"), "2");
    EXPECT_EQ(text("lbaktvyraz"), "1");
    timers.advance(2000);
    EXPECT_EQ(text("lbaktvyraz"), "2");
    EXPECT_EQ(memoText("meang"), "cat");

    find<QToolButton>("btend")->click();
    timers.advance(10000);
    EXPECT_EQ(text("lbaktvyraz"), "2");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    timers.advance(2000);
    EXPECT_EQ(text("lbaktvyraz"), "3");

    prompter.queueAnswer(Answer::No);
    timers.advance(2000);
    EXPECT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>{"Výuka zkončila, přejete si ji zopakovat?"});
    EXPECT_EQ(text("lbcelkvyrazu"), "-");
    EXPECT_EQ(memoText("meang"), "-");
}

TEST_F(LearningWindowTest, SpeakButtonAndNoDictionary) {
    show();
    find<QToolButton>("btnext")->click();
    find<QToolButton>("ToolButton3")->click();
    EXPECT_EQ(prompter.texts(Kind::Warning), (std::vector<std::string>{"Není načtený slovník", "Není načtený slovník"}));
    openThree();
    find<QToolButton>("ToolButton3")->click();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"dog"});
}

TEST_F(LearningWindowTest, NewLessonAsksFirstAndTheRecentListRemembersTheFile) {
    show();
    openThree();
    EXPECT_EQ(window->recentFiles().entries().size(), 1);
    prompter.queueAnswer(Answer::Yes);
    find<QToolButton>("btnew")->click();
    EXPECT_EQ(prompter.texts(Kind::YesNo),
              std::vector<std::string>{"Právě probíhá výuka, přejete si ji ukončit a začít novou výuku?"});
    EXPECT_EQ(dialogs, 1) << "the lesson ends; the dialog comes with the next command";
    EXPECT_EQ(memoText("meang"), "-");
    EXPECT_EQ(text("lbcelkvyrazu"), "-");

    EXPECT_TRUE(window->recentFiles().openRecent(0));
    EXPECT_EQ(memoText("meang"), "dog");
}

TEST_F(LearningWindowTest, FontsFollowTheExpressionFontAndTheLearningSize) {
    settings.setFontSize(18);
    show();
    QFont chosen(QStringLiteral("DejaVu Serif"), 30);
    appSignals.setExpressionFont(chosen);
    auto* foreign = find<QPlainTextEdit>("meang");
    EXPECT_EQ(foreign->font().family(), chosen.family());
    EXPECT_EQ(foreign->font().pointSize(), 10);
    EXPECT_TRUE(foreign->font().bold());
    openThree();
    EXPECT_EQ(foreign->font().pointSize(), 18);
    EXPECT_EQ(find<QPlainTextEdit>("mec")->font().pointSize(), 18);
    EXPECT_EQ(find<QPlainTextEdit>("meangvysl")->font().family(), chosen.family());
    appSignals.setExpressionFont(chosen);
    EXPECT_EQ(foreign->font().pointSize(), 10);
    settings.setFontSize(12);
    window->settingsConfirmed();
    EXPECT_EQ(foreign->font().pointSize(), 12);
}

TEST_F(LearningWindowTest, ClosingEndsTheLessonAndTheCommandLineDictionaryComesOnce) {
    const fs::path file = dictionary("zvirata.slv", {"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    context.startup = StartupState({file.string()});
    show();
    EXPECT_EQ(memoText("meang"), "dog");
    EXPECT_EQ(text("lbcelkvyrazu"), "2");
    window->close();
    EXPECT_EQ(timers.activeCount(), 0u);
    EXPECT_EQ(memoText("meang"), "-");
    show();
    EXPECT_EQ(memoText("meang"), "-");
    EXPECT_EQ(text("lbcelkvyrazu"), "-");
}

}  // namespace
}  // namespace lexo
