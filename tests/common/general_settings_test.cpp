#include "common/general_settings.h"

#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

const std::string kKey = "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Nastaveni";

GeneralSettings customSet() {
    GeneralSettings s;
    s.upperCaseEntry = true;
    s.showTips = false;
    s.clearTempOnExit = false;
    s.gradeThresholds = {90, 75, 55, 20};
    s.chartColour = "clRed";
    s.recordFinishedTests = false;
    s.recordInterruptedTests = false;
    s.speechSpeed = 200;
    s.voiceIndex = 3;
    s.fontName = "DejaVu Sans";
    s.alwaysSaveWrongExpressions = true;
    return s;
}

// The writer's names and types are pinned by the first-run file below.
void storeCustomSet(SettingsStore& store) { ASSERT_TRUE(writeGeneralSettings(store, kVersionString, customSet())); }

TEST(GeneralSettings, FirstRunCreatesTheKeyWithDefaults) {
    lexo::testing::TempDir dir;
    FileSettingsStore store(dir / "registry.reg");
    const GeneralSettingsLoad load = loadGeneralSettings(store);
    EXPECT_EQ(load.origin, GeneralSettingsOrigin::Created);
    EXPECT_FALSE(load.writeFailed);
    EXPECT_EQ(load.settings, GeneralSettings{});
    EXPECT_EQ(generalSettingsKey("3.0"), "HKEY_CURRENT_USER\\software\\Lexo2 - 3.0\\Nastaveni");

    const std::string file = lexo::testing::readBytes(dir / "registry.reg");
    EXPECT_EQ(file,
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Nastaveni]\n"
              "\"Velkapismena\"=dword:00000000\n"
              "\"Tipy\"=dword:00000001\n"
              "\"Temp\"=dword:00000001\n"
              "\"Proc1\"=\"80\"\n"
              "\"Proc2\"=\"60\"\n"
              "\"Proc3\"=\"50\"\n"
              "\"Proc4\"=\"30\"\n"
              "\"BarvaGrafu\"=\"clBlue\"\n"
              "\"DokonceniZkouseni\"=dword:00000001\n"
              "\"PreruseniZkouseni\"=dword:00000001\n"
              "\"Rychlost vyslovnosti\"=dword:000000b4\n"
              "\"Jazyk\"=dword:00000000\n"
              "\"FontName\"=\"Lexo Font - Angličtina\"\n"
              "\"Spatnevyrazy\"=dword:00000000\n\n");

    // The next start reads what the first one wrote, without writing.
    MemorySettingsStore copy(store.data());
    copy.setWritesFail(true);
    const GeneralSettingsLoad next = loadGeneralSettings(copy);
    EXPECT_EQ(next.origin, GeneralSettingsOrigin::Read);
    EXPECT_FALSE(next.writeFailed);
    EXPECT_EQ(next.settings, GeneralSettings{});
}

TEST(GeneralSettings, StoredValuesAreReadWithoutWriting) {
    MemorySettingsStore store;
    storeCustomSet(store);
    const SettingsData stored = store.data();
    const GeneralSettingsLoad load = loadGeneralSettings(store);
    EXPECT_EQ(load.origin, GeneralSettingsOrigin::Read);
    EXPECT_EQ(load.settings, customSet());
    EXPECT_EQ(store.data(), stored);
}

TEST(GeneralSettings, KeyOfAnOldVersionKeepsLaterDefaults) {
    MemorySettingsStore store;
    store.writeBool(kKey, "Velkapismena", true);
    store.writeBool(kKey, "Tipy", false);
    store.writeBool(kKey, "Temp", false);
    store.writeString(kKey, "Proc1", "70");
    store.writeString(kKey, "Proc2", "65");
    store.writeString(kKey, "Proc3", "40");
    store.writeString(kKey, "Proc4", "10");
    store.writeString(kKey, "FontName", "Ignorovaný");  // not read without "BarvaGrafu"
    const SettingsData stored = store.data();

    const GeneralSettingsLoad load = loadGeneralSettings(store);
    GeneralSettings expected;
    expected.upperCaseEntry = true;
    expected.showTips = false;
    expected.clearTempOnExit = false;
    expected.gradeThresholds = {70, 65, 40, 10};
    EXPECT_EQ(load.origin, GeneralSettingsOrigin::Read);
    EXPECT_EQ(load.settings, expected);
    EXPECT_EQ(store.data(), stored);
}

TEST(GeneralSettings, FailedReadRewritesTheSetAsItStands) {
    // "FontName" of the wrong type: everything before it was read, speed and voice included,
    // but the store gets the default speed and no voice.
    MemorySettingsStore store;
    storeCustomSet(store);
    store.writeInteger(kKey, "FontName", 7);
    const GeneralSettingsLoad load = loadGeneralSettings(store);
    EXPECT_EQ(load.origin, GeneralSettingsOrigin::Repaired);
    EXPECT_EQ(load.failedValue, "FontName");
    GeneralSettings expected = customSet();
    expected.fontName = "Lexo Font - Angličtina";
    expected.alwaysSaveWrongExpressions = false;
    EXPECT_EQ(load.settings, expected);

    EXPECT_EQ(store.readString(kKey, "FontName"), "Lexo Font - Angličtina");
    EXPECT_EQ(store.readInteger(kKey, "Rychlost vyslovnosti"), 180);
    EXPECT_EQ(store.readInteger(kKey, "Jazyk"), 0);
    EXPECT_EQ(store.readBool(kKey, "Spatnevyrazy"), false);
    EXPECT_EQ(store.readString(kKey, "Proc1"), "90");
    EXPECT_EQ(store.readBool(kKey, "Velkapismena"), true);
}

TEST(GeneralSettings, UnusableValuesCountAsFailedReads) {
    struct Case {
        const char* name;
        bool isText;
        const char* text;
        int number;
    };
    for (const Case& c : {Case{"Proc2", true, "šedesát", 0}, Case{"Proc1", true, "101", 0},
                          Case{"Proc4", true, "0", 0}, Case{"Proc3", true, " 50", 0},
                          Case{"Proc3", false, "", 50}, Case{"Tipy", true, "1", 0},
                          Case{"Rychlost vyslovnosti", false, "", 300},
                          Case{"Rychlost vyslovnosti", true, "180", 0}, Case{"Spatnevyrazy", true, "0", 0}}) {
        MemorySettingsStore store;
        storeCustomSet(store);
        if (c.isText) {
            store.writeString(kKey, c.name, c.text);
        } else {
            store.writeInteger(kKey, c.name, c.number);
        }
        const GeneralSettingsLoad load = loadGeneralSettings(store);
        EXPECT_EQ(load.origin, GeneralSettingsOrigin::Repaired) << c.name << " " << c.text;
        EXPECT_EQ(load.failedValue, c.name);
        // After the repair the store reads cleanly, whatever the broken value was.
        store.setWritesFail(true);
        EXPECT_EQ(loadGeneralSettings(store).origin, GeneralSettingsOrigin::Read) << c.name;
    }

    MemorySettingsStore missing;
    storeCustomSet(missing);
    missing.deleteValue(kKey, "Temp");
    const GeneralSettingsLoad load = loadGeneralSettings(missing);
    EXPECT_EQ(load.failedValue, "Temp");
    EXPECT_EQ(load.settings.gradeThresholds, (GradeThresholds{80, 60, 50, 30}));  // not reached
    EXPECT_EQ(missing.readString(kKey, "Proc1"), "80");
    EXPECT_EQ(missing.readBool(kKey, "Tipy"), false);
}

TEST(GeneralSettings, StoredThresholdsAreOrderedAsTheyAreRead) {
    MemorySettingsStore store;
    storeCustomSet(store);
    store.writeString(kKey, "Proc1", "50");
    store.writeString(kKey, "Proc2", "60");
    store.writeString(kKey, "Proc3", "40");
    const GeneralSettingsLoad load = loadGeneralSettings(store);
    EXPECT_EQ(load.origin, GeneralSettingsOrigin::Read);
    EXPECT_EQ(load.settings.gradeThresholds, (GradeThresholds{50, 49, 40, 20}));
}

TEST(GeneralSettings, WriteFailuresAreReported) {
    MemorySettingsStore store;
    store.setWritesFail(true);
    const GeneralSettingsLoad load = loadGeneralSettings(store);
    EXPECT_EQ(load.origin, GeneralSettingsOrigin::Created);
    EXPECT_TRUE(load.writeFailed);
    EXPECT_EQ(load.settings, GeneralSettings{});
    EXPECT_FALSE(writeGeneralSettings(store, kVersionString, customSet()));

    store.setWritesFail(false);
    GeneralSettings noVoice = customSet();
    noVoice.voiceIndex = -1;  // nothing selected in the voice list
    ASSERT_TRUE(writeGeneralSettings(store, kVersionString, noVoice));
    EXPECT_EQ(store.readInteger(kKey, "Jazyk"), 0);
}

TEST(GeneralSettings, ReloadDiscardsChangesButWritesTheHiddenFlag) {
    MemorySettingsStore store;
    storeCustomSet(store);
    store.writeBool(kKey, "Spatnevyrazy", false);
    GeneralSettings current;  // changed in the window and not confirmed
    current.alwaysSaveWrongExpressions = true;
    const GeneralSettingsReload reload = reloadGeneralSettings(store, kVersionString, current);
    EXPECT_TRUE(reload.failedValue.empty());
    EXPECT_FALSE(reload.keyCreated);
    EXPECT_EQ(current, customSet());
    EXPECT_EQ(store.readBool(kKey, "Spatnevyrazy"), true);

    // A read failure stops the reload where it happened and repairs nothing.
    store.writeString(kKey, "Jazyk", "2");
    GeneralSettings changed;
    const GeneralSettingsReload failed = reloadGeneralSettings(store, kVersionString, changed);
    EXPECT_EQ(failed.failedValue, "Jazyk");
    EXPECT_EQ(changed.speechSpeed, 200);
    EXPECT_EQ(changed.voiceIndex, 0);
    EXPECT_EQ(changed.fontName, "Lexo Font - Angličtina");
    EXPECT_EQ(store.readString(kKey, "Jazyk"), "2");
}

TEST(GeneralSettings, ReloadWithoutKeyWritesAllButTheFont) {
    MemorySettingsStore store;
    GeneralSettings current = customSet();
    const GeneralSettingsReload reload = reloadGeneralSettings(store, kVersionString, current);
    EXPECT_TRUE(reload.keyCreated);
    EXPECT_FALSE(reload.writeFailed);
    EXPECT_EQ(current, customSet());
    std::vector<std::string> expected(kGeneralSettingsValueNames.begin(), kGeneralSettingsValueNames.end());
    std::erase(expected, "FontName");
    EXPECT_EQ(store.valueNames(kKey), expected);
    EXPECT_EQ(store.readInteger(kKey, "Jazyk"), 3);
}

TEST(GeneralThresholds, CascadeKeepsThemStrictlyDescending) {
    const GradeThresholds defaults{80, 60, 50, 30};
    EXPECT_EQ(changeThreshold(defaults, 3, 50), (GradeThresholds{80, 60, 50, 49}));
    EXPECT_EQ(changeThreshold(defaults, 0, 60), (GradeThresholds{60, 59, 50, 30}));
    EXPECT_EQ(changeThreshold(defaults, 0, 4), (GradeThresholds{4, 3, 2, 1}));
    EXPECT_EQ(changeThreshold(defaults, 1, 95), (GradeThresholds{80, 79, 50, 30}));
    EXPECT_EQ(changeThreshold(defaults, 2, 70), (GradeThresholds{80, 60, 59, 30}));
    EXPECT_EQ(changeThreshold(defaults, 0, 1), (GradeThresholds{4, 3, 2, 1}));      // held at 4
    EXPECT_EQ(changeThreshold(defaults, 0, 150), (GradeThresholds{100, 60, 50, 30}));
    EXPECT_EQ(orderThresholds({50, 50, 50, 50}), (GradeThresholds{50, 49, 48, 47}));

    // Whatever a spin arrow does from any ordered state, the result is ordered and bounded.
    for (int start = 4; start <= 100; start += 8) {
        const GradeThresholds from = changeThreshold(defaults, 0, start);
        for (std::size_t index = 0; index < 4; ++index) {
            for (int value = -5; value <= 105; ++value) {
                const GradeThresholds t = changeThreshold(from, index, value);
                for (std::size_t i = 0; i < 4; ++i) {
                    ASSERT_GE(t[i], kThresholdBounds[i].minimum);
                    ASSERT_LE(t[i], kThresholdBounds[i].maximum);
                    if (i > 0) {
                        ASSERT_LT(t[i], t[i - 1]);
                    }
                }
            }
        }
    }
}

TEST(GeneralColours, TextsAndColours) {
    EXPECT_EQ(colourFromText("clBlue"), (Rgb{0, 0, 255}));
    EXPECT_EQ(colourFromText("clred"), (Rgb{255, 0, 0}));
    EXPECT_EQ(colourFromText("clMoneyGreen"), (Rgb{0xC0, 0xDC, 0xC0}));
    EXPECT_EQ(colourFromText("$00123456"), (Rgb{0x56, 0x34, 0x12}));
    EXPECT_EQ(colourFromText("255"), (Rgb{255, 0, 0}));
    EXPECT_EQ(colourToText(Rgb{0x56, 0x34, 0x12}), "$00123456");
    EXPECT_EQ(colourToText(Rgb{0, 255, 0}), "clLime");
    EXPECT_EQ(colourToText(Rgb{0xA0, 0xA0, 0xA4}), "clMedGray");

    for (std::string_view unknown : {"", "modrá", "$", "$FF000000", "$80000005", "clNone", "-1", "$12 "}) {
        EXPECT_EQ(parseColourText(unknown), std::nullopt) << unknown;
        EXPECT_EQ(colourFromText(unknown), (Rgb{0, 0, 255})) << unknown;
    }
    // Every standard name is its own colour and comes back as the same name.
    for (std::string_view name : {"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal",
                                  "clGray", "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia",
                                  "clAqua", "clWhite", "clMoneyGreen", "clSkyBlue", "clCream", "clMedGray"}) {
        EXPECT_EQ(colourToText(colourFromText(name)), name);
    }
}

}  // namespace
}  // namespace lexo
