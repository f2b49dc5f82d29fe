#include "learning/learning_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using Kind = FakePrompter::Kind;
const std::string kKey = "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Vyuka";

class LearningSettingsTest : public ::testing::Test {
protected:
    void storeAll(bool autoAdvance, int interval, int size, bool pronounce, const std::string& delay) {
        store.writeBool(kKey, "Interval", autoAdvance);
        store.writeInteger(kKey, "Pocsekund", interval);
        store.writeInteger(kKey, "VyskaPisma", size);
        store.writeBool(kKey, "Zvuk", pronounce);
        store.writeString(kKey, "Spozdenivyslovnosti", delay);
    }

    MemorySettingsStore store;
    FakePrompter prompter;
    LearningSettingsModel model{store, prompter};
};

TEST_F(LearningSettingsTest, AFirstStartCreatesTheKeyWithTheDefaults) {
    EXPECT_EQ(model.key(), kKey);
    EXPECT_EQ(model.load().origin, LearningSettingsOrigin::Created);
    EXPECT_EQ(store.readInteger(kKey, "Interval"), 1);
    EXPECT_EQ(store.readInteger(kKey, "Pocsekund"), 2);
    EXPECT_EQ(store.readInteger(kKey, "VyskaPisma"), 10);
    EXPECT_EQ(store.readInteger(kKey, "Zvuk"), 0);
    EXPECT_EQ(store.readString(kKey, "Spozdenivyslovnosti"), "0");
    EXPECT_EQ(model.settings(), LearningSettings{});
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LearningSettingsTest, StoredValuesAreReadAndNumbersOutOfRangeStoredBackInRange) {
    storeAll(false, 50, 5, true, "7");
    EXPECT_EQ(model.load().origin, LearningSettingsOrigin::Read);
    EXPECT_FALSE(model.settings().autoAdvance);
    EXPECT_TRUE(model.settings().pronounce);
    EXPECT_EQ(model.settings().advanceInterval, 20);
    EXPECT_EQ(model.settings().fontSize, 10);
    EXPECT_EQ(model.settings().pronunciationDelay, 7);
    EXPECT_EQ(store.readInteger(kKey, "Pocsekund"), 20);
    EXPECT_EQ(store.readInteger(kKey, "VyskaPisma"), 10);

    storeAll(true, -3, 99, false, "0");
    model.load();
    EXPECT_EQ(model.settings().advanceInterval, 2);
    EXPECT_EQ(model.settings().fontSize, 20);
}

TEST_F(LearningSettingsTest, ADelayOtherThanOneDigitCountsAsNone) {
    for (const std::string text : {"12", "x", "", " 3", "-1"}) {
        storeAll(true, 2, 10, true, text);
        model.load();
        EXPECT_EQ(model.settings().pronunciationDelay, 0) << text;
        EXPECT_EQ(store.readString(kKey, "Spozdenivyslovnosti"), "0") << text;
    }
    store.deleteValue(kKey, "Spozdenivyslovnosti");
    EXPECT_EQ(model.load().origin, LearningSettingsOrigin::Read);
    EXPECT_EQ(store.readString(kKey, "Spozdenivyslovnosti"), "0");
    EXPECT_TRUE(prompter.messages.empty());

    EXPECT_FALSE(model.setPronunciationDelayText("10"));
    EXPECT_EQ(model.pronunciationDelayText(), "0");
    EXPECT_TRUE(model.setPronunciationDelayText("9"));
    EXPECT_EQ(model.settings().pronunciationDelay, 9);
}

TEST_F(LearningSettingsTest, AValueOfAnotherTypeStopsReadingAndEverythingIsStoredBackSound) {
    storeAll(false, 9, 14, true, "4");
    store.writeString(kKey, "Pocsekund", "devět");
    const LearningSettingsLoad load = model.load();
    EXPECT_EQ(load.origin, LearningSettingsOrigin::Repaired);
    EXPECT_EQ(load.failedValue, "Pocsekund");
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_NE(prompter.texts(Kind::Error)[0].find("\"Pocsekund\""), std::string::npos);
    // Read before the failure: kept; after it: the defaults.
    EXPECT_FALSE(model.settings().autoAdvance);
    EXPECT_TRUE(model.settings().pronounce);
    EXPECT_EQ(model.settings().advanceInterval, 2);
    EXPECT_EQ(model.settings().fontSize, 10);
    EXPECT_EQ(model.settings().pronunciationDelay, 0);

    prompter.clear();
    LearningSettingsModel next(store, prompter);
    EXPECT_EQ(next.load().origin, LearningSettingsOrigin::Read);
    EXPECT_EQ(next.settings(), model.settings());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LearningSettingsTest, ConfirmStoresAndGoingBackRestoresTheStoredValues) {
    model.load();
    model.setAutoAdvance(false);
    model.setAdvanceInterval(21);
    model.setFontSize(15);
    model.setPronounce(true);
    model.setPronunciationDelayText("3");
    EXPECT_EQ(model.settings().advanceInterval, 20);
    ASSERT_TRUE(model.confirm());
    EXPECT_EQ(store.readInteger(kKey, "Interval"), 0);
    EXPECT_EQ(store.readInteger(kKey, "Pocsekund"), 20);
    EXPECT_EQ(store.readInteger(kKey, "VyskaPisma"), 15);
    EXPECT_EQ(store.readInteger(kKey, "Zvuk"), 1);
    EXPECT_EQ(store.readString(kKey, "Spozdenivyslovnosti"), "3");

    const LearningSettings confirmed = model.settings();
    model.setAutoAdvance(true);
    model.setFontSize(11);
    model.setPronunciationDelayText("8");
    EXPECT_EQ(model.discard().origin, LearningSettingsOrigin::Read);
    EXPECT_EQ(model.settings(), confirmed);
}

TEST_F(LearningSettingsTest, GoingBackWithoutAKeyCreatesItFromTheControls) {
    model.setFontSize(18);
    EXPECT_EQ(model.discard().origin, LearningSettingsOrigin::Created);
    EXPECT_EQ(store.readInteger(kKey, "VyskaPisma"), 18);
}

TEST_F(LearningSettingsTest, RefusedWritesAreReported) {
    store.setWritesFail(true);
    EXPECT_TRUE(model.load().writeFailed);
    EXPECT_FALSE(model.confirm());
    EXPECT_EQ(prompter.texts(Kind::Error),
              (std::vector<std::string>{"Nastavení výuky se nepodařilo uložit.", "Nastavení výuky se nepodařilo uložit."}));
}

TEST_F(LearningSettingsTest, TheFileStoreKeepsTheValuesAcrossStarts) {
    testing::TempDir dir;
    {
        FileSettingsStore file(dir / "registry.reg");
        LearningSettingsModel first(file, prompter);
        first.load();
        first.setAdvanceInterval(6);
        first.setPronunciationDelayText("2");
        ASSERT_TRUE(first.confirm());
    }
    FileSettingsStore file(dir / "registry.reg");
    LearningSettingsModel second(file, prompter);
    EXPECT_EQ(second.load().origin, LearningSettingsOrigin::Read);
    EXPECT_EQ(second.settings().advanceInterval, 6);
    EXPECT_EQ(second.settings().pronunciationDelay, 2);
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace lexo
