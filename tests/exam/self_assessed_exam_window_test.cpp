// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/evaluation_session.h"
#include "exam/self_assessed_exam_session.h"
#include "exam/tester_settings.h"

#include "exam/self_assessed_exam_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/recent_files_menu.h"
#include "text/text_codec.h"
#include "support/fake_random.h"
#include "support/fake_statistics.h"
#include "support/find_widget.h"
#include "support/fake_app_context.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;

class TestTwoWindowTest : public ::testing::Test, protected testing::FakeAppContext {
protected:
    TestTwoWindowTest() {
        settings.load();
        settings.selectOrder(TestOrder::Sequential);
        window = std::make_unique<SelfAssessedExamWindow>(context, timers, random, settings, evaluation, statistics);
        window->setFileChooser([this] { return chosen; });
        window->setEvaluationOpener([this] { ++evaluationsOpened; });
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void openThree() {
        const fs::path file = dictionary("slovicka.slv", {"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
        chosen = QString::fromStdString(file.string());
        find<QToolButton>("btnew")->click();
    }

    template <class W>
    W* find(const char* name) const {
        return testing::findWidget<W>(*window, name);
    }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    QString memo(const char* name) const { return find<QPlainTextEdit>(name)->toPlainText(); }
    void key(char c, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), c, modifiers);
    }

    ScriptedRandom random;
    TesterSettingsModel settings{TesterKind::TestTwo, store, prompter};
    EvaluationSession evaluation{prompter, dir / "program"};
    FakeStatistics statistics;
    std::unique_ptr<SelfAssessedExamWindow> window;
    QString chosen;
    int evaluationsOpened = 0;
};

TEST_F(TestTwoWindowTest, HasTheDesignedControlsAndMenus) {
    EXPECT_EQ(window->windowTitle(), "Zkoušení výrazů II");
    EXPECT_EQ(find<QPushButton>("btjo")->text(), "&Vím");
    EXPECT_EQ(find<QPushButton>("btne")->text(), "&Nevím");
    EXPECT_EQ(find<QPushButton>("btjo")->toolTip(), "Znám překlad výrazu");
    EXPECT_EQ(find<QAction>("Nov1")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(find<QAction>("Uzavt1")->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(find<QAction>("Nastaven1")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_FALSE(find<QAction>("Nastaven1")->isEnabled()) << "nothing to open yet";
    EXPECT_EQ(find<QMenu>("Otevtpedchoz1")->title(), "Otevřít předchozí");
    EXPECT_EQ(window->recentFiles().listFilePath(),
              QString::fromStdString((context.programFolder / "historyzkj.ini").string()));
    for (const char* name : {"lbpocet", "lbaktvyraz", "lbspravne", "lbspatne"}) EXPECT_EQ(label(name), "-");
    EXPECT_EQ(label("Label1"), "Český výraz");
}

TEST_F(TestTwoWindowTest, LowerCaseVAndNAnswerFromTheKeyboardAndTheEndOpensTheEvaluation) {
    openThree();
    EXPECT_EQ(memo("mecz"), "pes");
    EXPECT_EQ(label("lbpocet"), "3");
    key('v');
    EXPECT_EQ(memo("mecz"), "kočka");
    EXPECT_EQ(label("lbspravne"), "1");
    key('V', Qt::ShiftModifier);
    EXPECT_EQ(label("lbaktvyraz"), "2") << "a capital is not an answer";
    key('n');
    EXPECT_EQ(label("lbspatne"), "1");
    EXPECT_EQ(memo("mespravneprvni"), "kočka");
    EXPECT_EQ(memo("mespravne"), "cat");
    EXPECT_EQ(evaluationsOpened, 0);
    key('v');
    EXPECT_EQ(evaluationsOpened, 1);
    EXPECT_FALSE(window->isVisible()) << "the window steps aside for the evaluation";
    EXPECT_EQ(evaluation.size(), 1u);
    EXPECT_EQ(statistics.rows.size(), 1u);

    window->showAfterEvaluation();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TestTwoWindowTest, ButtonsWithoutADictionaryAndClosingDuringATest) {
    find<QPushButton>("btjo")->click();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Není načtený slovník!"});
    openThree();
    key('n');
    window->close();
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_FALSE(statistics.rows[0].finished);
    EXPECT_EQ(statistics.rows[0].reached, 2);
    EXPECT_EQ(memo("mecz"), "-");
}

}  // namespace
}  // namespace lexo
