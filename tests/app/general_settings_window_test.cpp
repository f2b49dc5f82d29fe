#include "app/general_settings_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "common/app_signals.h"
#include "common/speech.h"
#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/fake_speaker.h"
#include "support/find_widget.h"

namespace lexo {

// Failures then show the values, not bytes.
static void PrintTo(const GeneralSettings& s, std::ostream* out) {
    *out << "{velke " << s.upperCaseEntry << ", tip " << s.showTips << ", temp " << s.clearTempOnExit << ", proc "
         << s.gradeThresholds[0] << '/' << s.gradeThresholds[1] << '/' << s.gradeThresholds[2] << '/'
         << s.gradeThresholds[3] << ", barva " << s.chartColour << ", dokonceni " << s.recordFinishedTests
         << ", preruseni " << s.recordInterruptedTests << ", rychlost " << s.speechSpeed << ", jazyk "
         << s.voiceIndex << ", font " << s.fontName << ", spatne " << s.alwaysSaveWrongExpressions << '}';
}

namespace {

GeneralSettings customSet() {
    GeneralSettings s;
    s.upperCaseEntry = true;
    s.showTips = false;
    s.clearTempOnExit = false;
    s.gradeThresholds = {90, 70, 40, 20};
    s.chartColour = "clRed";
    s.recordFinishedTests = false;
    s.recordInterruptedTests = false;
    s.speechSpeed = 150;
    s.voiceIndex = 2;
    s.fontName = "DejaVu Serif";
    s.alwaysSaveWrongExpressions = true;
    return s;
}

// The window over a store in memory, with the standard dialogs answered from queues.
class GeneralSettingsWindowFixture : public ::testing::Test {
protected:
    void store(const GeneralSettings& settings) {
        ASSERT_TRUE(writeGeneralSettings(store_, kVersionString, settings));
    }

    void open() {
        live_ = loadGeneralSettings(store_).settings;
        window_ = std::make_unique<GeneralSettingsWindow>(live_, store_, std::string(kVersionString), speaker_,
                                                          prompter_, signals_);
        window_->setColourChooser([this](const QColor& current, QWidget*) {
            offeredColours_.push_back(current);
            return std::exchange(colourAnswer_, std::nullopt);
        });
        window_->setFontChooser([this](const QFont& current, QWidget*) {
            offeredFonts_.push_back(current.family());
            return std::exchange(fontAnswer_, std::nullopt);
        });
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <class Widget>
    Widget* find(const char* name) const {
        return testing::findWidget<Widget>(*window_, name);
    }

    // Clicks as the user does, on the page that holds the button.
    void click(const char* name) {
        auto* button = find<QAbstractButton>(name);
        auto* pages = window_->findChild<QTabWidget*>();
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(button)) pages->setCurrentIndex(i);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void toggle(const char* name) { QTest::keyClick(find<QCheckBox>(name), Qt::Key_Space); }
    void keys(const char* name, Qt::Key key, int times) {
        for (int i = 0; i < times; ++i) QTest::keyClick(find<QWidget>(name), key);
    }

    GradeThresholds shownThresholds() const {
        return {find<QSpinBox>("sp1")->value(), find<QSpinBox>("sp2")->value(), find<QSpinBox>("sp3")->value(),
                find<QSpinBox>("sp4")->value()};
    }
    GeneralSettings stored() { return loadGeneralSettings(store_).settings; }
    QColor sampleColour() const { return find<QFrame>("Panel1")->palette().color(QPalette::Window); }

    MemorySettingsStore store_;
    GeneralSettings live_;
    FakeSpeaker speaker_;
    FakePrompter prompter_;
    AppSignals signals_;
    std::optional<QColor> colourAnswer_;  // what the next dialog answers; nullopt is Cancel
    std::optional<QFont> fontAnswer_;
    std::vector<QColor> offeredColours_;
    std::vector<QString> offeredFonts_;
    std::unique_ptr<GeneralSettingsWindow> window_;
};

using GeneralSettingsWindowCreation = GeneralSettingsWindowFixture;
using GeneralSettingsWindowButtons = GeneralSettingsWindowFixture;
using GeneralSettingsWindowThresholds = GeneralSettingsWindowFixture;
using GeneralSettingsWindowSpeech = GeneralSettingsWindowFixture;
using GeneralSettingsWindowDialogs = GeneralSettingsWindowFixture;

TEST_F(GeneralSettingsWindowCreation, ControlsShowTheLiveSettingsAndTheProgramTakesThem) {
    store(customSet());
    open();
    EXPECT_EQ(window_->objectName(), "Form8");
    EXPECT_EQ(window_->windowTitle(), "Obecné nastavení");
    EXPECT_TRUE(find<QCheckBox>("chbvelke")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chbtip")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chbtemp")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chbkompletnidokonceni")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chbprerusenizkouseni")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chbspatne")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chbspatne")->isVisible());
    EXPECT_EQ(shownThresholds(), (GradeThresholds{90, 70, 40, 20}));
    EXPECT_EQ(sampleColour(), QColor(255, 0, 0));
    EXPECT_EQ(find<QScrollBar>("ScrollBar1")->value(), 150);
    EXPECT_EQ(find<QComboBox>("cbmluv")->currentText(), "2 - English (Great Britain)");
    EXPECT_EQ(find<QLineEdit>("edtfonts")->text(), "DejaVu Serif");
    EXPECT_TRUE(find<QLineEdit>("edtfonts")->isReadOnly());
    EXPECT_EQ(live_, customSet());

    EXPECT_EQ(speaker_.selectedVoice, 2);
    EXPECT_EQ(speaker_.speed, 150);
    EXPECT_TRUE(window_->speechOn());
    EXPECT_EQ(signals_.expressionFont().family(), "DejaVu Serif");
    EXPECT_EQ(signals_.chartColour(), QColor(255, 0, 0));
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(GeneralSettingsWindowButtons, ChangesAreLiveNotStoredAndOutliveTitleBarClose) {
    GeneralSettings slow;
    slow.speechSpeed = 125;
    store(slow);
    open();
    QSignalSpy closed(window_.get(), &GeneralSettingsWindow::closedByTitleBar);
    QSignalSpy cancelled(window_.get(), &GeneralSettingsWindow::cancelled);
    toggle("chbvelke");
    click("SpeedButton2");  // "výchozí"
    EXPECT_EQ(find<QScrollBar>("ScrollBar1")->value(), 180);
    window_->close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(cancelled.count(), 0);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(live_.upperCaseEntry);
    EXPECT_EQ(live_.speechSpeed, 180);
    EXPECT_FALSE(stored().upperCaseEntry);
    EXPECT_EQ(stored().speechSpeed, 125);
    window_->show();
    EXPECT_TRUE(find<QCheckBox>("chbvelke")->isChecked());
}

TEST_F(GeneralSettingsWindowButtons, PotvrditStoresEveryValue) {
    GeneralSettings start;
    start.alwaysSaveWrongExpressions = true;  // only ever written back from the hidden box
    store(start);
    open();
    QSignalSpy confirmed(window_.get(), &GeneralSettingsWindow::confirmed);
    toggle("chbvelke");
    toggle("chbtip");
    toggle("chbtemp");
    toggle("chbkompletnidokonceni");
    toggle("chbprerusenizkouseni");
    keys("sp1", Qt::Key_Down, 5);
    keys("sp3", Qt::Key_PageDown, 1);
    keys("ScrollBar1", Qt::Key_Left, 3);
    keys("cbmluv", Qt::Key_Down, 1);
    colourAnswer_ = QColor(0x12, 0x34, 0x56);
    click("SpeedButton1");
    fontAnswer_ = QFont("DejaVu Serif", 20);
    click("SpeedButton3");
    click("BitBtn1");

    GeneralSettings expected;
    expected.upperCaseEntry = true;
    expected.showTips = false;
    expected.clearTempOnExit = false;
    expected.recordFinishedTests = false;
    expected.recordInterruptedTests = false;
    expected.gradeThresholds = {75, 60, 40, 30};
    expected.speechSpeed = 177;
    expected.voiceIndex = 1;
    expected.chartColour = "$00563412";
    expected.fontName = "DejaVu Serif";
    expected.alwaysSaveWrongExpressions = true;
    EXPECT_EQ(live_, expected);
    EXPECT_EQ(stored(), expected);

    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(speaker_.selectedVoice, 1);
    EXPECT_EQ(speaker_.speed, 177);
}

TEST_F(GeneralSettingsWindowButtons, RefusedWriteKeepsTheWindowOpen) {
    open();
    QSignalSpy confirmed(window_.get(), &GeneralSettingsWindow::confirmed);
    toggle("chbvelke");
    store_.setWritesFail(true);
    click("BitBtn1");
    EXPECT_EQ(prompter_.texts(FakePrompter::Kind::Error), std::vector<std::string>{"Nastavení se nepodařilo uložit."});
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(confirmed.count(), 0);
    EXPECT_FALSE(stored().upperCaseEntry);

    store_.setWritesFail(false);
    click("BitBtn1");
    EXPECT_EQ(confirmed.count(), 1);
    EXPECT_TRUE(stored().upperCaseEntry);
}

TEST_F(GeneralSettingsWindowButtons, ZpetRestoresTheStoredValues) {
    store(customSet());
    open();
    QSignalSpy cancelled(window_.get(), &GeneralSettingsWindow::cancelled);
    QSignalSpy fontChanges(&signals_, &AppSignals::expressionFontChanged);
    toggle("chbvelke");
    toggle("chbprerusenizkouseni");
    keys("sp2", Qt::Key_PageDown, 4);
    keys("ScrollBar1", Qt::Key_Right, 9);
    keys("cbmluv", Qt::Key_Up, 2);
    colourAnswer_ = QColor(Qt::green);
    click("SpeedButton1");
    fontAnswer_ = QFont("DejaVu Sans Mono");
    click("SpeedButton3");
    ASSERT_NE(live_, customSet());
    speaker_.selectedVoice = 0;
    speaker_.speed = 0;

    click("BitBtn2");
    EXPECT_EQ(live_, customSet());
    EXPECT_TRUE(find<QCheckBox>("chbvelke")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chbprerusenizkouseni")->isChecked());
    EXPECT_EQ(shownThresholds(), (GradeThresholds{90, 70, 40, 20}));
    EXPECT_EQ(find<QScrollBar>("ScrollBar1")->value(), 150);
    EXPECT_EQ(find<QComboBox>("cbmluv")->currentIndex(), 2);
    EXPECT_EQ(find<QLineEdit>("edtfonts")->text(), "DejaVu Serif");
    EXPECT_EQ(sampleColour(), QColor(255, 0, 0));
    EXPECT_EQ(signals_.chartColour(), QColor(255, 0, 0));
    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_FALSE(window_->isVisible());
    // Voice and font are not applied again.
    EXPECT_EQ(speaker_.selectedVoice, 0);
    EXPECT_EQ(fontChanges.count(), 0);
}

TEST_F(GeneralSettingsWindowThresholds, EveryStepKeepsThemDescending) {
    open();
    keys("sp1", Qt::Key_Down, 20);  // 61 is still above Proc2; 60 pushes it down
    EXPECT_EQ(shownThresholds(), (GradeThresholds{60, 59, 50, 30}));
    keys("sp4", Qt::Key_Up, 25);  // 50 would reach Proc3
    EXPECT_EQ(shownThresholds(), (GradeThresholds{60, 59, 50, 49}));
    keys("sp1", Qt::Key_PageDown, 10);
    EXPECT_EQ(shownThresholds(), (GradeThresholds{4, 3, 2, 1}));
    EXPECT_EQ(live_.gradeThresholds, (GradeThresholds{4, 3, 2, 1}));
    keys("sp1", Qt::Key_Up, 1);  // raising one leaves the others alone
    EXPECT_EQ(shownThresholds(), (GradeThresholds{5, 3, 2, 1}));
}

TEST_F(GeneralSettingsWindowThresholds, TypingIsIgnoredArrowsStopAtTheBounds) {
    open();
    auto* sp1 = find<QSpinBox>("sp1");
    QTest::keyClick(sp1, Qt::Key_Backspace);
    QTest::keyClicks(sp1, "5");
    EXPECT_EQ(sp1->text(), "80");
    keys("sp1", Qt::Key_PageUp, 5);
    EXPECT_EQ(sp1->value(), 100);
    keys("sp4", Qt::Key_PageDown, 5);
    EXPECT_EQ(find<QSpinBox>("sp4")->value(), 1);
}

TEST_F(GeneralSettingsWindowSpeech, VoiceListWithTwoVoicesAndWithNone) {
    open();
    auto* list = find<QComboBox>("cbmluv");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "Zvolte jazyk...");
    EXPECT_EQ(list->itemText(1), "1 - Czech");
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(speaker_.selectedVoice, 0);  // no voice chosen: the engine is left alone
    EXPECT_EQ(speaker_.speed, 0);

    window_.reset();
    speaker_.voices.clear();
    open();
    list = find<QComboBox>("cbmluv");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentText(), "Zvolte jazyk...");
    click("BitBtn1");
    EXPECT_EQ(speaker_.selectedVoice, 0);
    EXPECT_TRUE(window_->speechOn());
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(GeneralSettingsWindowSpeech, TwoDigitVoiceNumbersAreKept) {
    speaker_.voices.assign(12, "Voice");
    GeneralSettings s;
    s.voiceIndex = 12;
    store(s);
    open();
    EXPECT_EQ(speaker_.selectedVoice, 12);
    keys("cbmluv", Qt::Key_Up, 2);
    click("BitBtn1");
    EXPECT_EQ(speaker_.selectedVoice, 10);
}

TEST_F(GeneralSettingsWindowSpeech, StoredVoiceBeyondTheListSelectsNothing) {
    GeneralSettings s;
    s.voiceIndex = 5;
    store(s);
    open();
    EXPECT_EQ(find<QComboBox>("cbmluv")->currentIndex(), -1);
    EXPECT_EQ(speaker_.selectedVoice, 0);
    EXPECT_TRUE(prompter_.messages.empty());

    click("BitBtn2");
    EXPECT_EQ(find<QComboBox>("cbmluv")->currentIndex(), -1);
    window_->show();
    click("BitBtn1");
    EXPECT_EQ(store_.readInteger(generalSettingsKey(kVersionString), "Jazyk"), 0);
}

TEST_F(GeneralSettingsWindowSpeech, VoicesListedLateStillGetTheStoredVoice) {
    GeneralSettings s;
    s.voiceIndex = 2;
    s.speechSpeed = 200;
    store(s);
    const auto voices = speaker_.voices;
    speaker_.voices.clear();  // the engine has not listed its voices yet
    open();
    EXPECT_EQ(find<QComboBox>("cbmluv")->count(), 1);
    EXPECT_EQ(speaker_.selectedVoice, 0);

    speaker_.voices = voices;
    window_->refreshVoices(2);
    EXPECT_EQ(find<QComboBox>("cbmluv")->count(), 3);
    EXPECT_EQ(find<QComboBox>("cbmluv")->currentIndex(), 2);
    EXPECT_EQ(live_.voiceIndex, 2);
    EXPECT_EQ(speaker_.selectedVoice, 2);
    EXPECT_EQ(speaker_.speed, 200);
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(GeneralSettingsWindowSpeech, RefusalLeavesSpeechOffUntilAnAcceptedVoiceTurnsItOn) {
    for (const bool refuseSpeed : {false, true}) {
        SCOPED_TRACE(refuseSpeed ? "speed refused" : "voice refused");
        prompter_.clear();
        speaker_ = FakeSpeaker{};
        speaker_.refuseVoice = !refuseSpeed;
        speaker_.refuseSpeed = refuseSpeed;
        GeneralSettings s;
        s.voiceIndex = 1;
        store(s);
        open();
        EXPECT_EQ(prompter_.texts(FakePrompter::Kind::Error), std::vector<std::string>{"Chyba apilkace"});
        EXPECT_FALSE(window_->speechOn());
        // Every window speaks through the same speaker: none of them is heard now.
        static_cast<Speaker&>(speaker_).say("pes");
        EXPECT_TRUE(speaker_.spoken.empty());

        // The program goes on, and a voice the engine takes later in the run is used.
        speaker_.refuseVoice = speaker_.refuseSpeed = false;
        QSignalSpy confirmed(window_.get(), &GeneralSettingsWindow::confirmed);
        keys("cbmluv", Qt::Key_Down, 1);
        click("BitBtn1");
        EXPECT_EQ(confirmed.count(), 1);
        EXPECT_EQ(stored().voiceIndex, 2);
        EXPECT_EQ(speaker_.selectedVoice, 2);
        EXPECT_EQ(prompter_.messages.size(), 1u);
        EXPECT_TRUE(window_->speechOn());
        static_cast<Speaker&>(speaker_).say("kočka");
        EXPECT_EQ(speaker_.spoken, std::vector<std::string>{"kočka"});
    }
}

TEST_F(GeneralSettingsWindowDialogs, ChosenColourGoesToTheChartAtOnce) {
    open();
    QSignalSpy colourChanges(&signals_, &AppSignals::chartColourChanged);
    colourAnswer_.reset();  // Cancel
    click("SpeedButton1");
    EXPECT_EQ(colourChanges.count(), 0);
    EXPECT_EQ(live_.chartColour, "clBlue");

    colourAnswer_ = QColor(10, 200, 30);
    click("SpeedButton1");
    ASSERT_EQ(colourChanges.count(), 1);
    EXPECT_EQ(colourChanges.at(0).at(0).value<QColor>(), QColor(10, 200, 30));
    EXPECT_EQ(signals_.chartColour(), QColor(10, 200, 30));
    EXPECT_EQ(sampleColour(), QColor(10, 200, 30));
    EXPECT_EQ(live_.chartColour, "$001EC80A");
    EXPECT_EQ(stored().chartColour, "clBlue");
    ASSERT_EQ(offeredColours_.size(), 2u);
    EXPECT_EQ(offeredColours_[0], QColor(0, 0, 255));  // the dialog opens on the current colour
}

TEST_F(GeneralSettingsWindowDialogs, ChosenFontReachesTheProgramOnPotvrdit) {
    open();
    QSignalSpy fontChanges(&signals_, &AppSignals::expressionFontChanged);
    fontAnswer_.reset();  // Cancel
    click("SpeedButton3");
    EXPECT_EQ(find<QLineEdit>("edtfonts")->text(), "Lexo Font - Angličtina");

    fontAnswer_ = QFont("DejaVu Serif", 20);
    click("SpeedButton3");
    EXPECT_EQ(find<QLineEdit>("edtfonts")->text(), "DejaVu Serif");
    EXPECT_EQ(fontChanges.count(), 0);

    click("BitBtn1");
    ASSERT_EQ(fontChanges.count(), 1);
    EXPECT_EQ(fontChanges.at(0).at(0).value<QFont>().family(), "DejaVu Serif");
    EXPECT_EQ(stored().fontName, "DejaVu Serif");

    // The dialog keeps the chosen font.
    window_->show();
    click("SpeedButton3");
    EXPECT_EQ(offeredFonts_, (std::vector<QString>{"Lexo Font - Angličtina", "Lexo Font - Angličtina", "DejaVu Serif"}));
}

}  // namespace
}  // namespace lexo
