#include "exam/tester_settings_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/find_widget.h"

namespace lexo {
namespace {

using Kind = FakePrompter::Kind;

// A settings window over a store in memory; `testLoaded` stands for the test window's
// dictionary.
class TesterSettingsWindowTest : public ::testing::Test {
protected:
    void open(TesterKind kind) {
        model_ = std::make_unique<TesterSettingsModel>(kind, store_, prompter_);
        model_->load();
        model_->setTestLoadedQuery([this] { return testLoaded_; });
        window_ = std::make_unique<TesterSettingsWindow>(*model_);
        window_->setQuestionLabelHandler([this](std::string_view label) { labels_.emplace_back(label); });
        window_->setReturnHandler([this] { ++returns_; });
        reopen();
    }

    void reopen() {
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <class Widget>
    Widget* find(const char* name) const {
        return testing::findWidget<Widget>(*window_, name);
    }
    bool has(const char* name) const { return window_->findChild<QWidget*>(QString::fromLatin1(name)) != nullptr; }

    void click(const char* name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    bool checked(const char* name) const { return find<QAbstractButton>(name)->isChecked(); }
    QString caption(const char* name) const { return find<QAbstractButton>(name)->text(); }
    std::string key() const { return model_->key(); }

    MemorySettingsStore store_;
    FakePrompter prompter_;
    bool testLoaded_ = false;
    std::unique_ptr<TesterSettingsModel> model_;
    std::unique_ptr<TesterSettingsWindow> window_;
    std::vector<std::string> labels_;
    int returns_ = 0;
};

TEST_F(TesterSettingsWindowTest, TestOneWindowShowsEveryControlWithItsDefault) {
    open(TesterKind::TestOne);
    EXPECT_EQ(window_->objectName(), "Form10");
    EXPECT_EQ(window_->windowTitle(), "Nastavení zkoušeče");
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowCloseButtonHint);

    EXPECT_FALSE(checked("rbangcj"));
    EXPECT_TRUE(checked("rbcjang"));
    EXPECT_FALSE(checked("rbpostupne"));
    EXPECT_TRUE(checked("rbnahodne"));
    EXPECT_FALSE(find<QRadioButton>("rbsystematicky")->isEnabled());
    EXPECT_TRUE(checked("rbzobrazit"));
    EXPECT_FALSE(checked("rbnezobrazit"));
    EXPECT_EQ(caption("CheckBox1"), "Použít zvuk při zobrazování výrazu");
    EXPECT_FALSE(checked("CheckBox1"));
    EXPECT_TRUE(checked("chbrozsirene"));
    EXPECT_FALSE(checked("chbspravnaodpoved"));
    EXPECT_FALSE(has("rbobe"));
    auto* delay = find<QComboBox>("cb_vyslovnost");
    EXPECT_TRUE(delay->isEditable());
    EXPECT_EQ(delay->count(), 10);
    EXPECT_EQ(delay->currentText(), "0");
}

TEST_F(TesterSettingsWindowTest, TestTwoWindowHasNoTitleBarButtonsAndItsOwnChoices) {
    open(TesterKind::TestTwo);
    EXPECT_EQ(window_->objectName(), "Form13");
    EXPECT_EQ(window_->windowTitle(), "Nastavení zkoušeče");
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "without it the window system adds its own buttons";
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    EXPECT_EQ(caption("CheckBox1"), "Použit výslovnost při zobrazení výrazu");
    EXPECT_FALSE(has("chbrozsirene"));
    EXPECT_FALSE(has("chbspravnaodpoved"));
    EXPECT_FALSE(has("rbsystematicky"));
    EXPECT_EQ(caption("rbobe"), "Odpověď zobrazovat pokaždé");
    EXPECT_FALSE(checked("rbobe"));

    // The three display choices are one group.
    click("rbobe");
    EXPECT_TRUE(checked("rbobe"));
    EXPECT_FALSE(checked("rbzobrazit"));
    EXPECT_EQ(model_->settings().display, WrongAnswerDisplay::ShowAlways);
    click("rbnezobrazit");
    EXPECT_FALSE(checked("rbobe"));
    EXPECT_EQ(model_->settings().display, WrongAnswerDisplay::Hide);
    click("BitBtn2");
    EXPECT_EQ(store_.readBool(key(), "Napovedunezobrazit"), true);
    EXPECT_EQ(store_.readBool(key(), "Napoveduzobrazitprooba"), false);
}

TEST_F(TesterSettingsWindowTest, DuringATestDirectionAndOrderKeepTheirChoiceAndWarnOnce) {
    open(TesterKind::TestOne);
    testLoaded_ = true;
    click("rbpostupne");
    EXPECT_TRUE(checked("rbnahodne"));
    EXPECT_FALSE(checked("rbpostupne"));
    EXPECT_EQ(model_->settings().order, TestOrder::Random);
    EXPECT_EQ(prompter_.texts(Kind::Warning), std::vector<std::string>{"Během zkoušení není povoleno měnit tuto vlastnost!"});

    // By keyboard too: the arrow key moves to the other direction and is refused the same way.
    find<QRadioButton>("rbcjang")->setFocus();
    QTest::keyClick(find<QRadioButton>("rbcjang"), Qt::Key_Up);
    EXPECT_TRUE(checked("rbcjang"));
    EXPECT_EQ(model_->settings().direction, TestDirection::CzechToForeign);
    EXPECT_EQ(prompter_.count(Kind::Warning), 2u);

    // Settings that may change during a test do.
    click("CheckBox1");
    EXPECT_TRUE(model_->settings().pronounce);
    EXPECT_EQ(prompter_.count(Kind::Warning), 2u);

    testLoaded_ = false;
    click("rbpostupne");
    EXPECT_TRUE(checked("rbpostupne"));
    EXPECT_EQ(model_->settings().order, TestOrder::Sequential);
    EXPECT_EQ(prompter_.count(Kind::Warning), 2u);
}

TEST_F(TesterSettingsWindowTest, WaitingForTheCorrectAnswerKeepsWrongAnswersShown) {
    open(TesterKind::TestOne);
    click("rbnezobrazit");
    ASSERT_TRUE(checked("rbnezobrazit"));
    click("chbspravnaodpoved");
    EXPECT_TRUE(checked("chbspravnaodpoved"));
    EXPECT_TRUE(checked("rbzobrazit")) << "ticking the wait selects the display";

    click("rbnezobrazit");
    EXPECT_TRUE(checked("rbzobrazit"));
    EXPECT_FALSE(checked("rbnezobrazit"));
    EXPECT_EQ(prompter_.texts(Kind::Information),
              std::vector<std::string>{"Pokud je povoleno \"Čekání na správnou odpověď\", nemůžete zakázat "
                                       "zobrazování špatných odpovědí!"});
}

TEST_F(TesterSettingsWindowTest, ConfirmStoresEverythingAndSetsTheQuestionLabel) {
    open(TesterKind::TestOne);
    click("rbangcj");
    click("rbpostupne");
    click("chbrozsirene");
    auto* delay = find<QComboBox>("cb_vyslovnost");
    delay->lineEdit()->selectAll();
    QTest::keyClicks(delay->lineEdit(), "7");
    EXPECT_EQ(model_->settings().pronunciationDelay, 7) << "in effect before it is stored";
    EXPECT_EQ(store_.readBool(key(), "Angcz"), false);

    click("BitBtn2");
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(labels_, std::vector<std::string>{"Cizí výraz"});
    EXPECT_EQ(returns_, 1);
    EXPECT_EQ(store_.readBool(key(), "Angcz"), true);
    EXPECT_EQ(store_.readBool(key(), "Czang"), false);
    EXPECT_EQ(store_.readBool(key(), "Postupne"), true);
    EXPECT_EQ(store_.readBool(key(), "Nahodne"), false);
    EXPECT_EQ(store_.readBool(key(), "Rozsirene"), false);
    EXPECT_EQ(store_.readString(key(), "Spozdenivyslovnosti"), "7");

    reopen();
    click("rbcjang");
    click("BitBtn2");
    EXPECT_EQ(labels_.back(), "Český výraz");
}

TEST_F(TesterSettingsWindowTest, BackBringsTheStoredValuesBackButKeepsTheWait) {
    open(TesterKind::TestOne);
    click("rbpostupne");
    click("CheckBox1");
    click("chbspravnaodpoved");
    click("BitBtn1");
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(returns_, 1);
    EXPECT_TRUE(labels_.empty()) << "only Potvrdit sets the question label";
    EXPECT_EQ(model_->settings().order, TestOrder::Random);
    EXPECT_FALSE(model_->settings().pronounce);
    EXPECT_TRUE(model_->settings().waitForCorrect);
    EXPECT_EQ(store_.readBool(key(), "Postupne"), false);

    reopen();
    EXPECT_TRUE(checked("rbnahodne"));
    EXPECT_FALSE(checked("CheckBox1"));
    EXPECT_TRUE(checked("chbspravnaodpoved"));
}

TEST_F(TesterSettingsWindowTest, TheCloseButtonKeepsTheValuesInEffectWithoutStoringThem) {
    open(TesterKind::TestOne);
    click("rbpostupne");
    ASSERT_TRUE(window_->close());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(returns_, 1);
    EXPECT_EQ(model_->settings().order, TestOrder::Sequential);
    EXPECT_EQ(store_.readBool(key(), "Postupne"), false);
    reopen();
    EXPECT_TRUE(checked("rbpostupne"));
}

// The test window hides for the evaluation or is closed: its settings go with it, as
// "Zpět" takes them, and nothing returns to the hidden window.
TEST_F(TesterSettingsWindowTest, GoesAwayWithTheTestWindow) {
    QWidget testWindow;
    testWindow.show();
    model_ = std::make_unique<TesterSettingsModel>(TesterKind::TestOne, store_, prompter_);
    model_->load();
    window_ = std::make_unique<TesterSettingsWindow>(*model_, &testWindow);
    window_->setReturnHandler([this] { ++returns_; });
    reopen();
    click("rbpostupne");

    testWindow.setWindowState(Qt::WindowMinimized);
    QTest::qWait(0);
    EXPECT_TRUE(window_->isVisible()) << "a minimised test window is still there";

    testWindow.hide();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(returns_, 0);
    EXPECT_EQ(model_->settings().order, TestOrder::Random) << "as Zpět: the stored choice";

    testWindow.show();
    reopen();
    click("rbpostupne");
    EXPECT_TRUE(testWindow.close());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(model_->settings().order, TestOrder::Random);
    window_.reset();  // before its parent
}

TEST_F(TesterSettingsWindowTest, TheDelayBoxTakesOneDigitAndShowsTheDelayInEffect) {
    open(TesterKind::TestTwo);
    auto* delay = find<QComboBox>("cb_vyslovnost");
    QLineEdit* edit = delay->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(delay->currentText(), "0") << "not a digit";
    edit->selectAll();
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(delay->currentText(), "1") << "a second digit does not fit";
    EXPECT_EQ(model_->settings().pronunciationDelay, 1);

    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(model_->settings().pronunciationDelay, 0) << "an empty box means no delay";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(delay->currentText(), "0");

    delay->setCurrentIndex(4);  // as picked from the list
    EXPECT_EQ(model_->settings().pronunciationDelay, 4);
}

TEST_F(TesterSettingsWindowTest, ShowingTheWindowRereadsTheModel) {
    open(TesterKind::TestOne);
    window_->hide();
    model_->selectDirection(TestDirection::ForeignToCzech);
    model_->setPronunciationDelayText("5");
    model_->setWaitForCorrect(true);
    reopen();
    EXPECT_TRUE(checked("rbangcj"));
    EXPECT_TRUE(checked("chbspravnaodpoved"));
    EXPECT_EQ(find<QComboBox>("cb_vyslovnost")->currentText(), "5");
}

}  // namespace
}  // namespace lexo
