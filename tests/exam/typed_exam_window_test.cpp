// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/evaluation_session.h"
#include "exam/typed_exam_session.h"
#include "exam/tester_settings.h"

#include "exam/extended_testing_window.h"
#include "exam/typed_exam_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/recent_files_menu.h"
#include "text/text_codec.h"
#include "support/fake_random.h"
#include "support/fake_statistics.h"
#include "support/fake_app_context.h"
#include "support/temp_dir.h"
#include "support/find_widget.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using Phase = TypedExamPhase;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Test I over fakes: message boxes answered by FakePrompter, the open dialog by a queue of
// paths, the evaluation window by a counter.
class TestOneWindowTest : public ::testing::Test, protected testing::FakeAppContext {
protected:
    TestOneWindowTest() {
        settings.load();
    }

    void create() {
        if (window) return;
        window = std::make_unique<TypedExamWindow>(context, timers, random, settings, evaluation, statistics);
        window->setFileChooser([this] {
            ++dialogs;
            return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst();
        });
        window->setEvaluationOpener([this] { ++evaluationsOpened; });
    }

    void show() {
        create();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Through "Nové" and the open dialog, as the user does.
    void open(const fs::path& file) {
        chosenFiles << qs(file.string());
        find<QToolButton>("btnew")->click();
    }
    void openLines(const std::vector<std::string>& lines) { open(dictionary("slovicka.slv", lines)); }

    template <class W>
    W* find(const char* name) const {
        return testing::findWidget<W>(*window, name);
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    QString memoText(const char* memo) const { return find<QPlainTextEdit>(memo)->toPlainText(); }
    QLineEdit* answerBox() const { return find<QLineEdit>("edtodpoved"); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    TypedExamSession& session() { return window->session(); }

    // Key by key into the answer box; letters QTest cannot type go as their text.
    void type(const QString& text) {
        QLineEdit* box = answerBox();
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(box, c.toLatin1());
            } else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(box, &press);
            }
        }
    }
    void enter() { QTest::keyClick(answerBox(), Qt::Key_Return); }

    ScriptedRandom random;
    TesterSettingsModel settings{TesterKind::TestOne, store, prompter};
    EvaluationSession evaluation{prompter, dir / "program"};
    FakeStatistics statistics;
    std::unique_ptr<TypedExamWindow> window;
    QStringList chosenFiles;
    int dialogs = 0;
    int evaluationsOpened = 0;
};

TEST_F(TestOneWindowTest, HasTheDesignedControlsAndMenus) {
    create();
    EXPECT_EQ(window->objectName(), "Form4");
    EXPECT_EQ(window->windowTitle(), "Zkoušení výrazů I");
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(find<QToolButton>("btnew")->toolTip(), "Nové zkoušení");
    EXPECT_EQ(find<QToolButton>("btoptions")->toolTip(), "Nastavení");
    EXPECT_EQ(find<QToolButton>("btrepeat")->toolTip(), "Opakovat výslovnost");
    EXPECT_EQ(find<QToolButton>("ToolButton4")->toolTip(), "Naposledy neuhodnuté výrazy");
    EXPECT_EQ(find<QLabel>("Label4")->text(), "Správný výraz:");
    EXPECT_EQ(find<QLabel>("Label3")->text(), "Předchozí správná odpověd výrazu:");
    EXPECT_EQ(find<QLabel>("Label1")->text(), "byla:");
    for (const char* memo : {"mevyraz", "mespravneprvni", "mespravne"}) {
        EXPECT_TRUE(find<QPlainTextEdit>(memo)->isReadOnly()) << memo;
        EXPECT_EQ(memoText(memo), "-") << memo;
    }
    for (const char* label : {"lbnazev", "lbpocetvyrazu", "lbaktvyraz", "lbspravne", "lbspatne"})
        EXPECT_EQ(text(label), "-") << label;

    EXPECT_EQ(find<QAction>("Nov1")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(find<QAction>("Konec1")->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(find<QAction>("Nas1")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(find<QMenu>("Otev1")->title(), "Otevřít starší");

    // The settings window is plugged in later; until then its commands do nothing.
    EXPECT_FALSE(find<QToolButton>("btoptions")->isEnabled());
    int settingsShown = 0;
    window->setSettingsOpener([&] { ++settingsShown; });
    show();
    EXPECT_TRUE(find<QAction>("Nas1")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F5);
    find<QToolButton>("btoptions")->click();
    EXPECT_EQ(settingsShown, 2);
}

TEST_F(TestOneWindowTest, AWholeTestTypedKeyByKey) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    const auto file = dictionary("zvirata.slv", {"pes;dog;[dog];NENÍ", "kočka;cat;[k2t];NENÍ", "kůň;horse;[];NENÍ"});
    show();
    chosenFiles << qs(file.string());
    QTest::keyClick(window.get(), Qt::Key_F2);  // "Nové": nothing loaded, so the open dialog
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(text("lbnazev"), "zvirata.slv");
    EXPECT_EQ(text("lbpocetvyrazu"), "3");
    EXPECT_EQ(text("lbaktvyraz"), "1");
    EXPECT_EQ(memoText("mevyraz"), "pes");
    EXPECT_EQ(focused(), "edtodpoved");

    type("dog");
    enter();
    EXPECT_EQ(text("lbspravne"), "1");
    EXPECT_EQ(answerBox()->text(), "");
    EXPECT_EQ(memoText("mevyraz"), "kočka");
    EXPECT_EQ(text("lbaktvyraz"), "2");

    type("kat");
    enter();
    // The wrong answer and its correction stay readable while the next question is asked.
    EXPECT_EQ(text("lbspatne"), "1");
    EXPECT_EQ(memoText("mespravneprvni"), "kočka");
    EXPECT_EQ(memoText("mespravne"), "cat");
    EXPECT_EQ(memoText("mevyraz"), "kůň");
    EXPECT_EQ(answerBox()->text(), "kat");
    EXPECT_EQ(answerBox()->selectedText(), "kat") << "typing must replace the wrong answer";

    type("horse");
    EXPECT_EQ(answerBox()->text(), "horse");
    enter();
    EXPECT_EQ(session().phase(), Phase::Evaluated);
    EXPECT_EQ(evaluationsOpened, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(evaluation.labels().correct, "2");
    EXPECT_EQ(evaluation.labels().wrong, "1");
    EXPECT_EQ(evaluation.labels().grade, "2");
    ASSERT_EQ(evaluation.size(), 1u);
    EXPECT_EQ(evaluation.itemText(0), "kočka");
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_EQ(statistics.rows[0].reached, 3);
    EXPECT_TRUE(statistics.rows[0].finished);
    EXPECT_EQ(window->recentFiles().entries(), QStringList{qs(file.string())});

    // "Zpět" in the evaluation: the window comes back empty.
    EXPECT_EQ(evaluation.back(), EvaluationSession::Next::ShowTestOne);
    window->showAfterEvaluation();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text("lbspravne"), "-");
    EXPECT_EQ(memoText("mespravne"), "-");
    EXPECT_EQ(evaluationsOpened, 1);
}

TEST_F(TestOneWindowTest, AWrongAnswerIsCorrectedBeforeTheTestGoesOn) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    settings.setWaitForCorrect(true);
    show();
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat;[];NENÍ"});

    type("dgo");
    enter();
    EXPECT_EQ(text("lbspatne"), "1");
    EXPECT_EQ(memoText("mevyraz"), "pes") << "waits on the same expression";
    EXPECT_EQ(memoText("mespravne"), "dog ; hound");
    EXPECT_EQ(answerBox()->selectedText(), "dgo");

    type("hund");
    enter();
    EXPECT_EQ(answerBox()->text(), "hund") << "another wrong try stays to be mended";
    EXPECT_EQ(memoText("mevyraz"), "pes");
    EXPECT_EQ(text("lbspatne"), "1") << "a wrong answer counts once";

    for (int i = 0; i < 3; ++i) QTest::keyClick(answerBox(), Qt::Key_Backspace);
    type("ound");
    enter();
    EXPECT_EQ(memoText("mevyraz"), "kočka");
    EXPECT_EQ(memoText("mespravne"), "-");
    EXPECT_EQ(text("lbspravne"), "-") << "the corrected answer is not counted as right";
    EXPECT_EQ(answerBox()->text(), "");
}

TEST_F(TestOneWindowTest, AWrongLastAnswerWaitsForEnterBeforeTheEvaluation) {
    settings.selectOrder(TestOrder::Sequential);
    const QString symbolFont = QStringLiteral("Phonetic Symbols For The Test");
    appSignals.setExpressionFont(QFont(symbolFont));
    show();
    openLines({"pes;dog;[];NENÍ"});
    EXPECT_EQ(answerBox()->font().family(), symbolFont);
    type("cat");
    enter();
    EXPECT_EQ(answerBox()->text(), "STISKNĚTE ENTER PRO UKONČENÍ ZKOUŠENÍ!");
    EXPECT_NE(answerBox()->font().family(), symbolFont) << "the symbol font would draw the \"!\" as a phonetic sign";
    EXPECT_TRUE(answerBox()->isReadOnly());
    EXPECT_EQ(memoText("mespravne"), "dog");
    EXPECT_EQ(evaluationsOpened, 0);
    type("x");
    EXPECT_EQ(answerBox()->text(), "STISKNĚTE ENTER PRO UKONČENÍ ZKOUŠENÍ!");

    enter();
    EXPECT_EQ(evaluationsOpened, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(answerBox()->isReadOnly());
    EXPECT_EQ(evaluation.labels().success, "0");
}

TEST_F(TestOneWindowTest, CapitalsFollowTheGeneralSettingsAtEveryKey) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    show();
    openLines({"pes;DOG;[];NENÍ", "žluť;ŽLUŤ;[];NENÍ", "kočka;cat;[];NENÍ", "myš;mouse;[];NENÍ"});

    context.general.upperCaseEntry = true;
    type("dog");
    EXPECT_EQ(answerBox()->text(), "DOG");
    enter();
    type("žluť");
    EXPECT_EQ(answerBox()->text(), "ŽLUŤ");
    enter();
    EXPECT_EQ(text("lbspravne"), "2");

    // Switched off in the settings window while the test runs: the next key already obeys.
    type("ca");
    context.general.upperCaseEntry = false;
    type("t");
    EXPECT_EQ(answerBox()->text(), "CAt");
    enter();
    EXPECT_EQ(text("lbspatne"), "1");
    type("mouse");
    enter();
    EXPECT_EQ(text("lbspravne"), "3");
}

// The answer box and the judging upper-case alike, whatever the alphabet and however the
// answer arrived.
TEST_F(TestOneWindowTest, PastedAndComposedAnswersAreCapitalsAndJudgedSo) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    show();
    openLines({"ulice;STRASSE;[];NENÍ", "ďas;ĎÁBEL;[];NENÍ", "brouk;ЖУК;[];NENÍ"});
    context.general.upperCaseEntry = true;

    QGuiApplication::clipboard()->setText(QStringLiteral("straße"));
    answerBox()->paste();
    EXPECT_EQ(answerBox()->text(), "STRASSE");
    enter();
    for (const QString& letter : {QStringLiteral("ď"), QStringLiteral("á"), QStringLiteral("bel")}) {
        QInputMethodEvent composed;
        composed.setCommitString(letter);
        QCoreApplication::sendEvent(answerBox(), &composed);
    }
    EXPECT_EQ(answerBox()->text(), QStringLiteral("ĎÁBEL"));
    enter();
    QGuiApplication::clipboard()->setText(QStringLiteral("жук"));
    answerBox()->paste();
    enter();
    EXPECT_EQ(text("lbspravne"), "3") << "all three judged right";
}

TEST_F(TestOneWindowTest, CountsAndCorrectionsHaveTheirColours) {
    create();
    const auto colour = [this](const char* name, QPalette::ColorRole role) {
        return find<QWidget>(name)->palette().color(role);
    };
    EXPECT_EQ(colour("lbspravne", QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(colour("lbspatne", QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(colour("mespravne", QPalette::Text), QColor(255, 0, 0));

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSize(15);
    appSignals.setExpressionFont(chosen);
    EXPECT_EQ(find<QWidget>("edtodpoved")->font().family(), chosen.family());
    EXPECT_EQ(find<QWidget>("edtodpoved")->font().pointSize(), 15);
    for (const char* memo : {"mevyraz", "mespravneprvni", "mespravne"}) {
        const QFont font = find<QWidget>(memo)->font();
        EXPECT_EQ(font.family(), chosen.family()) << memo;
        EXPECT_TRUE(font.bold()) << memo;
        EXPECT_EQ(font.pointSize(), std::string(memo) == "mespravne" ? 12 : 10) << memo;
    }
}

TEST_F(TestOneWindowTest, TheQuestionCaptionFollowsTheDirectionOnActivation) {
    show();
    EXPECT_EQ(text("Label2"), "Český výraz");
    settings.selectDirection(TestDirection::ForeignToCzech);
    window->hide();
    show();
    EXPECT_EQ(text("Label2"), "Cizí výraz");
    settings.setExtendedTesting(false);
    openLines({"pes;dog;[];NENÍ"});
    EXPECT_EQ(memoText("mevyraz"), "dog");
}

TEST_F(TestOneWindowTest, ANewTestAsksBeforeBreakingOffTheRunningOne) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    show();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
    type("x");
    enter();
    ASSERT_EQ(evaluation.size(), 1u);

    type("ko");
    prompter.queueAnswer(Prompter::Answer::No);
    find<QToolButton>("btnew")->click();
    EXPECT_EQ(prompter.texts(Kind::YesNo).back(), "Právě probíhá zkoušení, přejete si ho přerušit?");
    EXPECT_EQ(memoText("mevyraz"), "kočka");
    EXPECT_EQ(answerBox()->text(), "ko") << "No changes nothing";

    find<QToolButton>("btnew")->click();  // Yes
    EXPECT_EQ(dialogs, 1) << "a broken-off test leaves the window empty, without the dialog";
    EXPECT_EQ(answerBox()->text(), "");
    EXPECT_EQ(memoText("mevyraz"), "-");
    EXPECT_EQ(text("lbspatne"), "-");
    EXPECT_EQ(evaluation.size(), 0u);
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_FALSE(statistics.rows[0].finished);
    EXPECT_EQ(statistics.rows[0].reached, 2);
}

TEST_F(TestOneWindowTest, RecentDictionariesOpenFromTheMenu) {
    settings.selectOrder(TestOrder::Sequential);
    const auto first = dictionary("prvni.slv", {"pes;dog;[];NENÍ"});
    const auto second = dictionary("druhy.slv", {"kočka;cat;[];NENÍ"});
    show();
    open(first);
    window->session().windowClosed();
    open(second);
    EXPECT_EQ(window->recentFiles().entries(), (QStringList{qs(second.string()), qs(first.string())}));

    // The list lives in the program folder and is read again when the window is shown.
    window->hide();
    show();
    const QList<QAction*> items = find<QMenu>("Otev1")->actions();
    QAction* older = nullptr;
    for (QAction* item : items)
        if (item->text().contains(QStringLiteral("prvni"))) older = item;
    ASSERT_NE(older, nullptr);
    older->trigger();  // a test runs: the question comes first
    EXPECT_EQ(prompter.count(Kind::YesNo), 1u);
    EXPECT_EQ(text("lbnazev"), "prvni.slv");
    EXPECT_EQ(memoText("mevyraz"), "pes");
    EXPECT_TRUE(std::filesystem::exists(context.programFolder / "historyzk.ini"));
}

TEST_F(TestOneWindowTest, ADictionaryNamedOnTheCommandLineIsTestedWhenTheWindowIsShown) {
    settings.selectOrder(TestOrder::Sequential);
    const auto file = dictionary("prikaz.slv", {"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    context.startup = StartupState({file.string()});
    create();
    enter();  // nothing loaded yet: ignored
    EXPECT_TRUE(prompter.messages.empty());
    show();
    EXPECT_EQ(memoText("mevyraz"), "pes");
    EXPECT_EQ(text("lbpocetvyrazu"), "2");
    EXPECT_FALSE(context.startup.openFromCommandLine()) << "only the first window shown takes it";
}

TEST_F(TestOneWindowTest, TheLastWrongExpressionsAreTestedAgain) {
    settings.selectOrder(TestOrder::Sequential);
    show();
    find<QToolButton>("ToolButton4")->click();
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Slovník zatím neexistuje!"});

    testing::writeBytes(context.programFolder / "spatnevyrazy.slv", "pes;dog;[];NENÍ\r\n");
    find<QToolButton>("ToolButton4")->click();
    EXPECT_EQ(memoText("mevyraz"), "pes");
    EXPECT_EQ(text("lbpocetvyrazu"), "1");
    EXPECT_EQ(focused(), "edtodpoved");
}

TEST_F(TestOneWindowTest, ClosingBreaksOffTheTestAndEmptiesTheWindow) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    show();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"});
    type("dog");
    enter();
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(session().dictionaryLoaded());
    ASSERT_EQ(statistics.rows.size(), 1u);
    EXPECT_FALSE(statistics.rows[0].finished);

    show();
    EXPECT_EQ(memoText("mevyraz"), "-");
    EXPECT_EQ(text("lbspravne"), "-");
    EXPECT_EQ(answerBox()->text(), "");
}

TEST_F(TestOneWindowTest, ARetestFromTheEvaluationAsksTheWrongExpressions) {
    settings.selectOrder(TestOrder::Sequential);
    settings.setExtendedTesting(false);
    show();
    openLines({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;horse;[];NENÍ"});
    type("dog");
    enter();
    type("?");
    enter();
    type("horse");
    enter();
    ASSERT_EQ(evaluationsOpened, 1);

    evaluation.tickAll();
    ASSERT_EQ(evaluation.choose({}), EvaluationSession::Next::ShowTestOne);
    window->showAfterEvaluation();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(memoText("mevyraz"), "kočka");
    EXPECT_EQ(text("lbpocetvyrazu"), "1");
    EXPECT_EQ(text("lbspravne"), "-");
    type("cat");
    enter();
    EXPECT_EQ(evaluationsOpened, 2) << "the retest ends in the evaluation as well";
}

TEST_F(TestOneWindowTest, ExtendedTestingGoesAndComesBackWithoutTouchingTheCounts) {
    settings.selectOrder(TestOrder::Sequential);
    show();
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat;[];NENÍ"});
    type("dog");
    enter();  // the offer is answered Yes
    EXPECT_EQ(prompter.texts(Kind::YesNo).back(), extendedTestingOffer(2));
    ExtendedTestingWindow& extended = window->extendedTestingWindow();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(extended.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&extended));
    const auto part = [&extended](const char* name) {
        QWidget* widget = extended.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    };
    EXPECT_EQ(static_cast<QPlainTextEdit*>(part("mevyraz"))->toPlainText(), "pes");
    EXPECT_EQ(static_cast<QLabel*>(part("Label5"))->text(), "ANO");
    EXPECT_EQ(static_cast<QLabel*>(part("Label6"))->text(), "NE");
    EXPECT_EQ(part("Label1")->toolTip(), "dog");
    EXPECT_EQ(focused(), "edtvyraz");
    EXPECT_EQ(text("lbspravne"), "1");

    auto* edit = static_cast<QLineEdit*>(part("edtvyraz"));
    QTest::keyClicks(edit, "hound");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(static_cast<QLabel*>(part("Label6"))->text(), "ANO");
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(focused(), "btclose");
    QTest::keyClick(part("btclose"), Qt::Key_Return);
    EXPECT_EQ(edit->text(), "dog - hound");
    QTest::keyClick(part("btclose"), Qt::Key_Return);

    EXPECT_FALSE(extended.isVisible());
    ASSERT_TRUE(window->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(memoText("mevyraz"), "kočka");
    EXPECT_EQ(text("lbaktvyraz"), "2");
    EXPECT_EQ(text("lbspravne"), "1");
    EXPECT_EQ(text("lbspatne"), "-");
    EXPECT_EQ(focused(), "edtodpoved");
    EXPECT_EQ(evaluation.size(), 0u);

    // The next visit starts clean.
    type("cat");
    enter();
    EXPECT_EQ(evaluationsOpened, 1);
    EXPECT_EQ(evaluation.labels().correct, "2");
}

TEST_F(TestOneWindowTest, ClosingTheExtendedWindowAlsoReturnsAndADeclinedOfferGoesOn) {
    settings.selectOrder(TestOrder::Sequential);
    show();
    openLines({"pes;dog+hound;[];NENÍ", "kočka;cat+kitty;[];NENÍ", "kůň;horse;[];NENÍ"});
    type("hound");
    enter();
    ExtendedTestingWindow& extended = window->extendedTestingWindow();
    ASSERT_TRUE(extended.isVisible());
    extended.close();  // the title bar, nothing found or revealed
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(memoText("mevyraz"), "kočka");

    prompter.queueAnswer(Prompter::Answer::No);
    type("kitty");
    enter();
    EXPECT_FALSE(extended.isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(memoText("mevyraz"), "kůň");
    EXPECT_EQ(text("lbspravne"), "2");
}

TEST_F(TestOneWindowTest, TheRepeatButtonPronouncesTheExpressionOnDisplay) {
    settings.selectOrder(TestOrder::Sequential);
    context.startup.soundWorks = true;
    show();
    find<QToolButton>("btrepeat")->click();
    EXPECT_TRUE(speaker.spoken.empty()) << "nothing is asked yet";
    settings.setPronounce(false);
    openLines({"pes;dog;[];NENÍ"});
    find<QToolButton>("btrepeat")->click();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"dog"});
}

}  // namespace
}  // namespace lexo
