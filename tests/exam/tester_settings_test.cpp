#include "exam/tester_settings.h"

#include <gtest/gtest.h>

#include "support/fake_prompter.h"

namespace lexo {
namespace {

using Kind = FakePrompter::Kind;

class TesterSettingsTest : public ::testing::Test {
protected:
    std::string testOneKey = testerSettingsKey(TesterKind::TestOne);
    std::string testTwoKey = testerSettingsKey(TesterKind::TestTwo);
    MemorySettingsStore store;
    FakePrompter prompter;
    TesterSettingsModel testOne{TesterKind::TestOne, store, prompter};
    TesterSettingsModel testTwo{TesterKind::TestTwo, store, prompter};

    std::optional<bool> flag(const std::string& key, std::string_view name) const { return store.readBool(key, name); }
};

TEST_F(TesterSettingsTest, FirstStartCreatesTheTestOneKeyWithItsDefaults) {
    EXPECT_EQ(testOneKey, "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Normalni zkousec");
    EXPECT_EQ(testTwoKey, "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Jednoduchy zkousec");
    const TesterSettingsLoad load = testOne.load();
    EXPECT_EQ(load.origin, TesterSettingsOrigin::Created);
    EXPECT_EQ(store.valueNames(testOneKey),
              (std::vector<std::string>{"Angcz", "Czang", "Postupne", "Nahodne", "Napoveduzobrazit",
                                        "Napovedunezobrazit", "Pouzitzvuk", "Rozsirene", "Spravnaodpoved",
                                        "Spozdenivyslovnosti"}));
    EXPECT_EQ(store.readInteger(testOneKey, "Angcz"), 0);
    EXPECT_EQ(store.readInteger(testOneKey, "Czang"), 1);
    EXPECT_EQ(store.readInteger(testOneKey, "Postupne"), 0);
    EXPECT_EQ(store.readInteger(testOneKey, "Nahodne"), 1);
    EXPECT_EQ(store.readInteger(testOneKey, "Napoveduzobrazit"), 1);
    EXPECT_EQ(store.readInteger(testOneKey, "Napovedunezobrazit"), 0);
    EXPECT_EQ(store.readInteger(testOneKey, "Pouzitzvuk"), 0);
    EXPECT_EQ(store.readInteger(testOneKey, "Rozsirene"), 1);
    EXPECT_EQ(store.readInteger(testOneKey, "Spravnaodpoved"), 0);
    EXPECT_EQ(store.readString(testOneKey, "Spozdenivyslovnosti"), "0");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(testOne.settings(), TesterSettings{});
}

TEST_F(TesterSettingsTest, FirstStartCreatesTheTestTwoKeyWithItsOwnValues) {
    testTwo.load();
    EXPECT_EQ(store.valueNames(testTwoKey),
              (std::vector<std::string>{"Angcz", "Czang", "Napoveduzobrazitprooba", "Postupne", "Nahodne",
                                        "Napoveduzobrazit", "Napovedunezobrazit", "Pouzitzvuk",
                                        "Spozdenivyslovnosti"}));
    EXPECT_EQ(store.readInteger(testTwoKey, "Napoveduzobrazitprooba"), 0);
    EXPECT_EQ(store.readInteger(testTwoKey, "Nahodne"), 1);
    EXPECT_EQ(store.readInteger(testTwoKey, "Napoveduzobrazit"), 1);
    EXPECT_FALSE(store.valueExists(testTwoKey, "Rozsirene"));
    EXPECT_FALSE(store.valueExists(testOneKey, "Angcz")) << "each window keeps to its own key";
}

TEST_F(TesterSettingsTest, StoredValuesComeBackAtTheNextStart) {
    testOne.load();
    testOne.selectDirection(TestDirection::ForeignToCzech);
    testOne.selectOrder(TestOrder::Sequential);
    testOne.selectDisplay(WrongAnswerDisplay::Hide);
    testOne.setPronounce(true);
    testOne.setExtendedTesting(false);
    ASSERT_TRUE(testOne.setPronunciationDelayText("7"));
    ASSERT_TRUE(testOne.confirm());

    TesterSettingsModel again(TesterKind::TestOne, store, prompter);
    EXPECT_EQ(again.load().origin, TesterSettingsOrigin::Read);
    EXPECT_EQ(again.settings(), testOne.settings());
    EXPECT_EQ(again.settings().pronunciationDelay, 7);
    EXPECT_EQ(store.readString(testOneKey, "Spozdenivyslovnosti"), "7");
}

TEST_F(TesterSettingsTest, OfTwoTrueValuesTheOneReadLaterWins) {
    store.writeBool(testOneKey, "Angcz", true);
    store.writeBool(testOneKey, "Czang", true);
    store.writeBool(testOneKey, "Postupne", true);
    store.writeBool(testOneKey, "Nahodne", true);
    for (const char* name : {"Napoveduzobrazit", "Napovedunezobrazit", "Pouzitzvuk", "Rozsirene", "Spravnaodpoved"})
        store.writeBool(testOneKey, name, false);
    store.writeString(testOneKey, "Spozdenivyslovnosti", "0");
    testOne.load();
    EXPECT_EQ(testOne.settings().direction, TestDirection::CzechToForeign);
    // At creation "Nahodne" is read before "Postupne" …
    EXPECT_EQ(testOne.settings().order, TestOrder::Sequential);
    // … and at "Zpět" after it.
    store.writeBool(testOneKey, "Postupne", true);
    store.writeBool(testOneKey, "Nahodne", true);
    testOne.discard();
    EXPECT_EQ(testOne.settings().order, TestOrder::Random);
    // No true value in a group leaves its choice as it was.
    EXPECT_EQ(testOne.settings().display, WrongAnswerDisplay::Show);
}

TEST_F(TesterSettingsTest, AMissingValueIsReportedAndSuppliedForTheNextStart) {
    testOne.load();
    testOne.selectDirection(TestDirection::ForeignToCzech);
    testOne.setPronounce(true);
    testOne.confirm();
    store.deleteValue(testOneKey, "Napoveduzobrazit");
    store.writeString(testOneKey, "Rozsirene", "ano");  // another type

    TesterSettingsModel again(TesterKind::TestOne, store, prompter);
    const TesterSettingsLoad load = again.load();
    EXPECT_EQ(load.origin, TesterSettingsOrigin::Repaired);
    EXPECT_EQ(load.failedValue, "Napoveduzobrazit");
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_NE(prompter.texts(Kind::Error)[0].find("Napoveduzobrazit"), std::string::npos);
    // Read before the failure: stored; after it: the design defaults.
    EXPECT_EQ(again.settings().direction, TestDirection::ForeignToCzech);
    EXPECT_FALSE(again.settings().pronounce);
    // Everything was written back, so the next start reads without an error.
    EXPECT_EQ(store.readBool(testOneKey, "Napoveduzobrazit"), true);
    EXPECT_EQ(store.readBool(testOneKey, "Rozsirene"), true);
    prompter.clear();
    TesterSettingsModel third(TesterKind::TestOne, store, prompter);
    EXPECT_EQ(third.load().origin, TesterSettingsOrigin::Read);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(TesterSettingsTest, DelayIsAWholeSecondFromZeroToNine) {
    EXPECT_EQ(parsePronunciationDelay("0"), 0);
    EXPECT_EQ(parsePronunciationDelay("9"), 9);
    for (const char* bad : {"", "10", "-1", " 3", "3 ", "03", "x", "3.5"}) EXPECT_EQ(parsePronunciationDelay(bad), 0) << bad;

    testOne.load();
    EXPECT_FALSE(testOne.setPronunciationDelayText("12"));
    EXPECT_EQ(testOne.settings().pronunciationDelay, 0);
    store.writeString(testOneKey, "Spozdenivyslovnosti", "abc");
    TesterSettingsModel again(TesterKind::TestOne, store, prompter);
    EXPECT_EQ(again.load().origin, TesterSettingsOrigin::Read) << "unusable text is no read failure";
    EXPECT_EQ(again.settings().pronunciationDelay, 0);
    EXPECT_EQ(store.readString(testOneKey, "Spozdenivyslovnosti"), "0") << "written back as it is used";
}

TEST_F(TesterSettingsTest, ZpetBringsTheStoredOrderBackAndKeepsWaiting) {
    testOne.load();
    testOne.selectOrder(TestOrder::Sequential);
    testOne.setWaitForCorrect(true);
    testOne.setPronounce(true);
    testOne.discard();
    EXPECT_EQ(testOne.settings().order, TestOrder::Random);
    EXPECT_FALSE(testOne.settings().pronounce);
    EXPECT_TRUE(testOne.settings().waitForCorrect) << "\"Zpět\" does not read Spravnaodpoved";
}

TEST_F(TesterSettingsTest, ZpetWithoutAKeyCreatesItWithoutWaiting) {
    testOne.setPronounce(true);
    testOne.setWaitForCorrect(true);
    EXPECT_EQ(testOne.discard().origin, TesterSettingsOrigin::Created);
    EXPECT_EQ(store.readBool(testOneKey, "Pouzitzvuk"), true);
    EXPECT_FALSE(store.valueExists(testOneKey, "Spravnaodpoved"));
    testTwo.setPronounce(true);
    testTwo.discard();
    EXPECT_EQ(store.valueNames(testTwoKey).size(), 9u);
}

TEST_F(TesterSettingsTest, DirectionAndOrderAreLockedWhileADictionaryIsLoaded) {
    testOne.load();
    bool loaded = true;
    testOne.setTestLoadedQuery([&] { return loaded; });
    EXPECT_FALSE(testOne.selectOrder(TestOrder::Sequential));
    EXPECT_EQ(testOne.settings().order, TestOrder::Random);
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kChangeDuringTestMessage)});
    EXPECT_TRUE(testOne.selectOrder(TestOrder::Random)) << "the selected one is no change";
    EXPECT_FALSE(testOne.selectDirection(TestDirection::ForeignToCzech));
    EXPECT_EQ(prompter.count(Kind::Warning), 2u);
    // The other settings may change during a test.
    testOne.setPronounce(true);
    EXPECT_TRUE(testOne.setPronunciationDelayText("4"));
    EXPECT_TRUE(testOne.selectDisplay(WrongAnswerDisplay::Hide));

    // A stored direction that differs does not slip in through "Zpět" either.
    store.writeBool(testOneKey, "Angcz", true);
    store.writeBool(testOneKey, "Czang", false);
    testOne.discard();
    EXPECT_EQ(testOne.settings().direction, TestDirection::CzechToForeign);
    EXPECT_EQ(prompter.count(Kind::Warning), 3u);

    loaded = false;
    EXPECT_TRUE(testOne.selectDirection(TestDirection::ForeignToCzech));
    EXPECT_TRUE(testOne.selectOrder(TestOrder::Sequential));
    EXPECT_EQ(prompter.count(Kind::Warning), 3u);
}

TEST_F(TesterSettingsTest, WaitingForTheCorrectAnswerKeepsTheCorrectionsShown) {
    testOne.load();
    testOne.selectDisplay(WrongAnswerDisplay::Hide);
    testOne.setWaitForCorrect(true);
    EXPECT_EQ(testOne.settings().display, WrongAnswerDisplay::Show);
    EXPECT_FALSE(testOne.selectDisplay(WrongAnswerDisplay::Hide));
    EXPECT_EQ(testOne.settings().display, WrongAnswerDisplay::Show);
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kWaitingNeedsDisplayMessage)});
    testOne.setWaitForCorrect(false);
    EXPECT_TRUE(testOne.selectDisplay(WrongAnswerDisplay::Hide));
    EXPECT_FALSE(testOne.selectDisplay(WrongAnswerDisplay::ShowAlways)) << "Test I has no such choice";
    EXPECT_TRUE(testTwo.selectDisplay(WrongAnswerDisplay::ShowAlways));
}

TEST_F(TesterSettingsTest, TestTwoReadsItsThreeDisplayChoices) {
    testTwo.load();
    testTwo.selectDisplay(WrongAnswerDisplay::ShowAlways);
    testTwo.confirm();
    EXPECT_EQ(store.readBool(testTwoKey, "Napoveduzobrazitprooba"), true);
    EXPECT_EQ(store.readBool(testTwoKey, "Napoveduzobrazit"), false);
    TesterSettingsModel again(TesterKind::TestTwo, store, prompter);
    again.load();
    EXPECT_EQ(again.settings().display, WrongAnswerDisplay::ShowAlways);
}

TEST_F(TesterSettingsTest, RefusedWritesAreReported) {
    store.setWritesFail(true);
    EXPECT_TRUE(testOne.load().writeFailed);
    EXPECT_FALSE(testOne.confirm());
    EXPECT_EQ(prompter.count(Kind::Error), 2u);
    EXPECT_EQ(prompter.texts(Kind::Error)[0], kTesterSettingsWriteFailedMessage);
}

}  // namespace
}  // namespace lexo
