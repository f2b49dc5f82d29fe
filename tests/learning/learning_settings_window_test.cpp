// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "learning/learning_session.h"
#include "learning/learning_settings.h"

#include "learning/learning_settings_window.h"
#include "learning/learning_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>

#include "common/program_context.h"
#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/fake_timers.h"
#include "support/find_widget.h"
#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
const std::string kKey = "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Vyuka";

// The settings window joined to a learning window as the program joins them.
class LearningSettingsWindowTest : public ::testing::Test {
protected:
    LearningSettingsWindowTest() {
        context.programFolder = dir / "program";
        fs::create_directories(context.programFolder);
        context.prompter = &prompter;
    }

    void create() {
        settings.load();
        learning = std::make_unique<LearningWindow>(context, timers, settings);
        window = std::make_unique<LearningSettingsWindow>(settings, learning.get());
        window->setConfirmHandler([this] { learning->settingsConfirmed(); });
        window->setReturnHandler([this] { ++returns; });
    }

    template <class W>
    W* find(const char* name) const {
        return testing::findWidget<W>(*window, name);
    }
    template <class W>
    W* inLearning(const char* name) const {
        return testing::findWidget<W>(*learning, name);
    }

    testing::TempDir dir;
    AppContext context;
    FakePrompter prompter;
    FakeTimers timers;
    MemorySettingsStore store;
    LearningSettingsModel settings{store, prompter};
    std::unique_ptr<LearningWindow> learning;
    std::unique_ptr<LearningSettingsWindow> window;
    int returns = 0;
};

TEST_F(LearningSettingsWindowTest, ShowsTheDefaultsInTheDesignedControls) {
    create();
    EXPECT_EQ(window->objectName(), "Form7");
    EXPECT_EQ(window->windowTitle(), "Nastavení výuky výrazů");
    EXPECT_TRUE(find<QCheckBox>("chbautposuv")->isChecked());
    EXPECT_EQ(find<QCheckBox>("chbautposuv")->text(), "Zapnout");
    EXPECT_EQ(find<QSpinBox>("SpinEdit1")->value(), 2);
    EXPECT_EQ(find<QSpinBox>("SpinEdit1")->minimum(), 2);
    EXPECT_EQ(find<QSpinBox>("SpinEdit1")->maximum(), 20);
    EXPECT_EQ(find<QSpinBox>("spedtvyskapisma")->value(), 10);
    EXPECT_EQ(find<QSpinBox>("spedtvyskapisma")->minimum(), 10);
    EXPECT_EQ(find<QSpinBox>("spedtvyskapisma")->maximum(), 20);
    EXPECT_FALSE(find<QCheckBox>("chbzvuk")->isChecked());
    EXPECT_EQ(find<QCheckBox>("chbzvuk")->text(), "Přehrávat výslovnost");
    EXPECT_EQ(find<QComboBox>("cb_vyslovnost")->currentText(), "0");
    EXPECT_EQ(find<QComboBox>("cb_vyslovnost")->count(), 10);
    EXPECT_EQ(find<QPushButton>("BitBtn1")->text(), "Potvrdit");
    EXPECT_EQ(find<QPushButton>("BitBtn2")->text(), "Zpět");
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Při výuce posouvat po:");
    EXPECT_EQ(find<QLabel>("Label3")->text(), "Nastavit velikost na:");
}

TEST_F(LearningSettingsWindowTest, AStoredFiftyShowsTwentyAndNothingCanBeTypedIntoTheBoxes) {
    store.writeBool(kKey, "Interval", true);
    store.writeBool(kKey, "Zvuk", false);
    store.writeInteger(kKey, "Pocsekund", 50);
    store.writeInteger(kKey, "VyskaPisma", 12);
    store.writeString(kKey, "Spozdenivyslovnosti", "3");
    create();
    auto* interval = find<QSpinBox>("SpinEdit1");
    EXPECT_EQ(interval->value(), 20);
    EXPECT_EQ(store.readInteger(kKey, "Pocsekund"), 20);
    EXPECT_EQ(find<QComboBox>("cb_vyslovnost")->currentText(), "3");

    window->show();
    interval->setFocus();
    QTest::keyClicks(interval, "5");
    EXPECT_EQ(interval->value(), 20);
    QTest::keyClick(interval, Qt::Key_Down);
    EXPECT_EQ(interval->value(), 19);
    EXPECT_EQ(settings.settings().advanceInterval, 19) << "live before confirming";
}

TEST_F(LearningSettingsWindowTest, ConfirmingWithoutAutomaticAdvanceDisablesPausing) {
    create();
    auto* autoAdvance = find<QCheckBox>("chbautposuv");
    window->show();
    autoAdvance->click();
    EXPECT_FALSE(find<QSpinBox>("SpinEdit1")->isEnabled());
    EXPECT_FALSE(settings.settings().autoAdvance);
    find<QSpinBox>("spedtvyskapisma")->setValue(16);
    find<QPushButton>("BitBtn1")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(returns, 1);
    EXPECT_FALSE(inLearning<QToolButton>("btend")->isEnabled());
    EXPECT_EQ(inLearning<QLabel>("lbinterval")->text(), "-");
    EXPECT_EQ(inLearning<QPlainTextEdit>("meang")->font().pointSize(), 16);
    EXPECT_EQ(store.readInteger(kKey, "Interval"), 0);
    EXPECT_EQ(store.readInteger(kKey, "VyskaPisma"), 16);

    window->show();
    autoAdvance->click();
    EXPECT_TRUE(find<QSpinBox>("SpinEdit1")->isEnabled());
    find<QPushButton>("BitBtn1")->click();
    EXPECT_TRUE(inLearning<QToolButton>("btend")->isEnabled());
    EXPECT_EQ(inLearning<QLabel>("lbinterval")->text(), "2");
}

TEST_F(LearningSettingsWindowTest, GoingBackRestoresTheStoredValuesAndLeavesTheFontAlone) {
    create();
    window->show();
    find<QSpinBox>("spedtvyskapisma")->setValue(19);
    find<QCheckBox>("chbzvuk")->click();
    auto* delay = find<QComboBox>("cb_vyslovnost");
    delay->setCurrentIndex(delay->findText(QStringLiteral("6")));
    EXPECT_EQ(settings.settings().pronunciationDelay, 6);
    find<QPushButton>("BitBtn2")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(find<QSpinBox>("spedtvyskapisma")->value(), 10);
    EXPECT_FALSE(find<QCheckBox>("chbzvuk")->isChecked());
    EXPECT_EQ(delay->currentText(), "0");
    EXPECT_EQ(settings.settings(), LearningSettings{});
    EXPECT_EQ(inLearning<QPlainTextEdit>("meang")->font().pointSize(), 10);
}

TEST_F(LearningSettingsWindowTest, TheDelayBoxTakesOneDigitOnly) {
    create();
    window->show();
    auto* delay = find<QComboBox>("cb_vyslovnost");
    delay->lineEdit()->selectAll();
    QTest::keyClicks(delay->lineEdit(), "47");
    EXPECT_EQ(delay->currentText(), "4");
    EXPECT_EQ(settings.settings().pronunciationDelay, 4);
}

TEST_F(LearningSettingsWindowTest, ARefusedWriteKeepsTheWindowOpen) {
    create();
    window->show();
    store.setWritesFail(true);
    find<QSpinBox>("spedtvyskapisma")->setValue(13);
    find<QPushButton>("BitBtn1")->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(returns, 0);
    EXPECT_EQ(prompter.count(FakePrompter::Kind::Error), 1u);
}

}  // namespace
}  // namespace lexo
