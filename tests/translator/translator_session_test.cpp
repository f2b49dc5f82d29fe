#include "translator/translator_session.h"

#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

const std::string kList =
    "HOME;domov\r\n"
    "HOUND;pes\r\n"
    "HOUSE;dům, stavení\r\n"
    "HOUSEBOAT;hausbót\r\n"
    "HOUSE;sněmovna\r\n"
    "ABCDEFGHIJ;dlouhé\r\n"
    "TEA;čaj\r\n"
    "Konec anglických výrazů\r\n"
    "Začátek český výrazů\r\n"
    "ČAJ;tea\r\n"
    "DOMOV;home\r\n"
    "DŮM;house, home\r\n"
    "PES;hound\r\n";

class TranslatorSessionTest : public ::testing::Test {
protected:
    void writeList(const std::string& utf8) {
        testing::writeBytes(dir / "prekladac.dat", encodeWindows1250(utf8).value());
    }
    std::string selectedKey() const { return session.part().key(session.selected().value()); }

    testing::TempDir dir;
    MemorySettingsStore settings;
    FakePrompter prompter;
    TranslatorSession session{settings, prompter, dir.path()};
};

TEST_F(TranslatorSessionTest, TypingMovesToTheFirstEntryFromTheSecondOn) {
    writeList(kList);
    ASSERT_TRUE(session.open());
    EXPECT_EQ(session.selected(), 0u);
    EXPECT_EQ(session.searchIncrementally("H"), TranslatorScroll::ToTop);
    // HOME is the first entry: typing never finds it.
    EXPECT_EQ(selectedKey(), "HOUND");
    session.searchIncrementally("HOUS");
    EXPECT_EQ(session.selected(), 2u);
    session.searchIncrementally("HOUSE");
    EXPECT_EQ(session.selected(), 2u);  // the duplicate further down is never reached
    session.searchIncrementally("HOUSEB");
    EXPECT_EQ(selectedKey(), "HOUSEBOAT");
    // No match: the selection stays.
    EXPECT_EQ(session.searchIncrementally("HOUSEX"), TranslatorScroll::None);
    EXPECT_EQ(selectedKey(), "HOUSEBOAT");
    // Backspacing to empty goes back to the first row.
    EXPECT_EQ(session.searchIncrementally(""), TranslatorScroll::IntoView);
    EXPECT_EQ(session.selected(), 0u);
    EXPECT_EQ(session.searchIncrementally("HOME"), TranslatorScroll::None);
    EXPECT_EQ(session.selected(), 0u);
}

TEST_F(TranslatorSessionTest, AnEighthCharacterChangesNothing) {
    writeList(kList);
    ASSERT_TRUE(session.open());
    session.searchIncrementally("ABCDEFG");
    EXPECT_EQ(selectedKey(), "ABCDEFGHIJ");
    session.select(6);
    EXPECT_EQ(session.searchIncrementally("ABCDEFGH"), TranslatorScroll::None);
    EXPECT_EQ(selectedKey(), "TEA");
}

TEST_F(TranslatorSessionTest, EnterFindsTheWholeTextFromTheFirstEntry) {
    writeList(kList);
    ASSERT_TRUE(session.open());
    session.select(4);
    EXPECT_EQ(session.searchExactly("HOME"), TranslatorScroll::IntoView);
    EXPECT_EQ(session.selected(), 0u);
    session.searchExactly("HOUSE");
    EXPECT_EQ(session.selected(), 2u);
    // Nothing found, or nothing typed: the selection stays.
    EXPECT_EQ(session.searchExactly("HOU"), TranslatorScroll::None);
    EXPECT_EQ(session.searchExactly(""), TranslatorScroll::None);
    EXPECT_EQ(session.selected(), 2u);
    // Exact search knows no seven-character limit.
    session.searchExactly("ABCDEFGHIJ");
    EXPECT_EQ(selectedKey(), "ABCDEFGHIJ");
}

TEST_F(TranslatorSessionTest, SwappingSelectsTheReverseEntry) {
    writeList(kList);
    ASSERT_TRUE(session.open());
    EXPECT_EQ(session.caption(), "Translator (ANJ -> CZ)");
    EXPECT_EQ(session.columnTitle(0), "Cizí výraz");
    session.searchExactly("TEA");
    session.swapDirection();
    EXPECT_EQ(session.direction(), TranslatorDirection::CzechToForeign);
    EXPECT_EQ(session.caption(), "Translator (CZ -> ANJ)");
    EXPECT_EQ(session.columnTitle(0), "Český výraz");
    EXPECT_EQ(session.columnTitle(1), "Cizí výraz");
    EXPECT_EQ(selectedKey(), "ČAJ");  // "čaj" in capitals: searched texts are typed so
    // A list of translations: its first one is the reverse entry.
    session.swapDirection();
    session.searchIncrementally("HOUS");
    EXPECT_EQ(session.selectedTranslation(), "dům, stavení");
    session.swapDirection();
    EXPECT_EQ(selectedKey(), "DŮM");
    session.swapDirection();
    EXPECT_EQ(selectedKey(), "HOUSE");
    EXPECT_EQ(session.selected(), 2u);
    // The other part lacks it: the first entry.
    session.searchExactly("HOUSEBOAT");
    session.swapDirection();
    EXPECT_EQ(session.selected(), 0u);
}

TEST(TranslatorReverseKeys, CandidatesBestFirst) {
    EXPECT_EQ(reverseKeyCandidates("dům"), (std::vector<std::string>{"dům", "DŮM"}));
    EXPECT_EQ(reverseKeyCandidates("DŮM"), (std::vector<std::string>{"DŮM"}));
    EXPECT_EQ(reverseKeyCandidates("[hud] vzdát se (čeho), opustit"),
              (std::vector<std::string>{"[hud] vzdát se (čeho), opustit", "[HUD] VZDÁT SE (ČEHO), OPUSTIT", "VZDÁT SE"}));
    // A comma inside parentheses does not split.
    EXPECT_EQ(reverseKeyCandidates("a (b, c) d, e").back(), "A (B, C) D");
}

TEST_F(TranslatorSessionTest, InfoCountsBothParts) {
    writeList("A;a\nB;b\nC;c\n-\nZačátek český výrazů\nD;d\nE;e\nF;f\nG;g\n");
    ASSERT_TRUE(session.open());
    EXPECT_EQ(session.infoText(), "Ve slovníku je: 7 výrazů.");
}

TEST_F(TranslatorSessionTest, AListWithoutTheMarkerSwapsToAnEmptyPart) {
    writeList("A;a\nB;b\n");
    ASSERT_TRUE(session.open());
    EXPECT_EQ(session.part().size(), 2u);
    session.swapDirection();
    EXPECT_TRUE(session.part().empty());
    EXPECT_EQ(session.selected(), std::nullopt);
    EXPECT_EQ(session.selectedTranslation(), "");
    EXPECT_EQ(session.searchIncrementally("A"), TranslatorScroll::None);
    EXPECT_EQ(session.searchIncrementally(""), TranslatorScroll::None);
    session.swapDirection();
    EXPECT_EQ(session.selected(), 0u);
}

TEST_F(TranslatorSessionTest, AMissingListIsReportedAndTriedAgain) {
    EXPECT_FALSE(session.open());
    EXPECT_FALSE(session.loaded());
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Error), (std::vector<std::string>{"Nenalezen slovník!"}));
    EXPECT_TRUE(session.part().empty());
    EXPECT_EQ(session.searchExactly("A"), TranslatorScroll::None);
    writeList(kList);
    EXPECT_TRUE(session.open());
    EXPECT_EQ(session.entryCount(), 11u);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(TranslatorSessionTest, SettingsAreWrittenAtFirstOpeningAndOnClose) {
    writeList(kList);
    ASSERT_TRUE(session.open());
    const std::string key(kTranslatorSettingsKey);
    EXPECT_EQ(key, "HKEY_CURRENT_USER\\software\\Lexo2 - 2.81\\Translator");
    EXPECT_EQ(settings.readBool(key, "ZCZDOANJ"), false);
    EXPECT_EQ(settings.readBool(key, "ZANJDOCZ"), true);
    EXPECT_EQ(settings.readBool(key, "Okamzite"), true);
    session.swapDirection();
    session.toggleInstantSearch();
    session.close();
    EXPECT_EQ(settings.readInteger(key, "ZCZDOANJ"), 1);
    EXPECT_EQ(settings.readInteger(key, "ZANJDOCZ"), 0);
    EXPECT_EQ(settings.readInteger(key, "Okamzite"), 0);

    TranslatorSession next(settings, prompter, dir.path());
    ASSERT_TRUE(next.open());
    EXPECT_EQ(next.direction(), TranslatorDirection::CzechToForeign);
    EXPECT_FALSE(next.instantSearch());
    EXPECT_EQ(next.part().key(0), "ČAJ");
}

TEST_F(TranslatorSessionTest, ContradictorySettingsGiveTheUsualDirection) {
    writeList(kList);
    const std::string key(kTranslatorSettingsKey);
    settings.writeBool(key, "ZCZDOANJ", true);
    settings.writeBool(key, "ZANJDOCZ", true);
    settings.writeString(key, "Okamzite", "ano");  // wrong type: the default stays
    ASSERT_TRUE(session.open());
    EXPECT_EQ(session.direction(), TranslatorDirection::ForeignToCzech);
    EXPECT_TRUE(session.instantSearch());
}

}  // namespace
}  // namespace lexo
