#include "translator/word_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

std::string cp1250(std::string_view utf8) { return encodeWindows1250(utf8).value(); }

std::vector<std::string> keys(const WordListPart& part) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < part.size(); ++i) result.push_back(part.key(i));
    return result;
}

TEST(WordListParse, SplitsThePartsAtTheMarkerAndSkipsTheLineBeforeIt) {
    const WordList list = WordList::parse(cp1250(
        "HOUSE;dům\r\nDOG;pes\r\nCAT;kočka\r\nKonec\r\nZačátek český výrazů\r\nDŮM;house\r\nPES;dog;[]\r\nKOČKA\r\n"));
    EXPECT_TRUE(list.hasMarker());
    EXPECT_EQ(list.encoding(), TextEncoding::Windows1250);
    EXPECT_EQ(keys(list.foreignToCzech()), (std::vector<std::string>{"HOUSE", "DOG", "CAT"}));
    EXPECT_EQ(keys(list.czechToForeign()), (std::vector<std::string>{"DŮM", "PES", "KOČKA"}));
    EXPECT_EQ(list.foreignToCzech().translation(0), "dům");
    // Fields after the second are ignored; a line without ";" has no translation.
    EXPECT_EQ(list.czechToForeign().translation(1), "dog");
    EXPECT_EQ(list.czechToForeign().translation(2), "");
    EXPECT_EQ(list.entryCount(), 6u);
}

TEST(WordListParse, WithoutTheMarkerTheWholeFileIsForeignToCzech) {
    const WordList list = WordList::parse("HOUSE;d\xf9m\nDOG;pes\nCAT;ko\xe8ka");
    EXPECT_FALSE(list.hasMarker());
    EXPECT_EQ(keys(list.foreignToCzech()), (std::vector<std::string>{"HOUSE", "DOG", "CAT"}));
    EXPECT_EQ(list.foreignToCzech().translation(2), "kočka");
    EXPECT_TRUE(list.czechToForeign().empty());
}

TEST(WordListParse, OnlyTheFirstMarkerSplitsAndEmptyLinesAreNoEntries) {
    const WordList list = WordList::parse(
        "A;a\n\nZačátek český výrazů\nB;b\n\nZačátek český výrazů\n");
    // The zero-length line before the marker was no entry, so "A" stays.
    EXPECT_EQ(keys(list.foreignToCzech()), (std::vector<std::string>{"A"}));
    EXPECT_EQ(keys(list.czechToForeign()), (std::vector<std::string>{"B", "Začátek český výrazů"}));
    EXPECT_EQ(list.encoding(), TextEncoding::Utf8);
}

TEST(WordListParse, MarkerOnTheFirstLineLeavesTheForeignPartEmpty) {
    const WordList list = WordList::parse("\xEF\xBB\xBFZačátek český výrazů\r\nDŮM;house\r\n");
    EXPECT_TRUE(list.hasMarker());
    EXPECT_TRUE(list.foreignToCzech().empty());
    EXPECT_EQ(list.czechToForeign().findExact("DŮM"), 0u);
}

TEST(WordListLoad, AMissingFileCannotBeRead) {
    testing::TempDir dir;
    WordListStatus status = WordListStatus::Loaded;
    const WordList list = WordList::load(dir / "prekladac.dat", status);
    EXPECT_EQ(status, WordListStatus::CannotRead);
    EXPECT_EQ(list.entryCount(), 0u);
    // A folder of that name is no word list either.
    std::filesystem::create_directory(dir / "prekladac.dat");
    WordList::load(dir / "prekladac.dat", status);
    EXPECT_EQ(status, WordListStatus::CannotRead);
}

TEST(WordListLoad, SurvivesBeingMovedAround) {
    // The parts point into the list's own text; a moved list must still answer.
    WordList list = WordList::parse("A;x\nAB;y\nABC;z\n");
    WordList moved = std::move(list);
    WordList target;
    target = std::move(moved);
    EXPECT_EQ(target.foreignToCzech().findPrefix("AB"), 1u);
    EXPECT_EQ(target.foreignToCzech().translation(2), "z");
}

TEST(WordListSearch, PrefixSkipsTheFirstEntryAndStopsAtTheFirstMatch) {
    const WordList list = WordList::parse(cp1250("HOUSE;a\nHOUND;b\nHOUSE;c\nHOUR;d\n;empty\nHOUSEBOAT;e\n"));
    const WordListPart& part = list.foreignToCzech();
    EXPECT_EQ(part.findPrefix("H"), 1u);
    EXPECT_EQ(part.findPrefix("HOUS"), 2u);
    EXPECT_EQ(part.findPrefix("HOUSEB"), 5u);
    EXPECT_EQ(part.findPrefix("HOUSEBOATS"), std::nullopt);
    EXPECT_EQ(part.findPrefix("X"), std::nullopt);
    EXPECT_EQ(part.findPrefix(""), std::nullopt);
    // Exact search starts at the first entry.
    EXPECT_EQ(part.findExact("HOUSE"), 0u);
    EXPECT_EQ(part.findExact("HOUS"), std::nullopt);
    EXPECT_EQ(part.findExact(""), std::nullopt);
}

TEST(WordListSearch, CzechLettersCompareInTheFilesOwnEncoding) {
    for (const std::string& bytes : {cp1250("X;-\nČAJ;tea\nČÁP;stork\nCAJ;-\n"), std::string("X;-\nČAJ;tea\nČÁP;stork\nCAJ;-\n")}) {
        const WordList list = WordList::parse(bytes);
        const WordListPart& part = list.foreignToCzech();
        EXPECT_EQ(part.findPrefix("Č"), 1u);
        EXPECT_EQ(part.findPrefix("ČÁ"), 2u);
        EXPECT_EQ(part.findPrefix("C"), 3u);
        EXPECT_EQ(part.findExact("ČÁP"), 2u);
        // A letter Windows-1250 has no byte for finds nothing, rather than something else.
        EXPECT_EQ(part.findPrefix("Ж"), std::nullopt);
    }
}

TEST(WordListSearch, KeysThatDifferOnlyAfterSevenBytes) {
    const WordList list = WordList::parse("Z;z\nABCDEFGHX;1\nABCDEFGH;2\nABCDEFGHY;3\nABCDEFG;4\nABCDEFGH;5\n");
    const WordListPart& part = list.foreignToCzech();
    EXPECT_EQ(part.findPrefix("ABCDEFG"), 1u);
    EXPECT_EQ(part.findExact("ABCDEFGH"), 2u);
    EXPECT_EQ(part.findExact("ABCDEFGHY"), 3u);
    EXPECT_EQ(part.findExact("ABCDEFG"), 4u);
    // UTF-8: seven letters are fourteen bytes, more than the index holds.
    const WordList czech = WordList::parse("Ž;-\nŽŽŽŽŽŽŽA;1\nŽŽŽŽŽŽŽ;2\nŽŽŽŽŽŽŠ;3\n");
    EXPECT_EQ(czech.foreignToCzech().findPrefix("ŽŽŽŽŽŽŽ"), 1u);
    EXPECT_EQ(czech.foreignToCzech().findPrefix("ŽŽŽŽŽŽŠ"), 3u);
    EXPECT_EQ(czech.foreignToCzech().findExact("ŽŽŽŽŽŽŽ"), 2u);
}

TEST(WordListSearch, ZeroBytesInKeysDoNotConfuseTheIndex) {
    const std::string bytes("Q;-\nAB;1\nAB\0C;2\nAB\0;3\n", 22);
    const WordList list = WordList::parse(bytes);
    const WordListPart& part = list.foreignToCzech();
    EXPECT_EQ(part.findPrefix(std::string("AB\0", 3)), 2u);
    EXPECT_EQ(part.findExact(std::string("AB\0", 3)), 3u);
    EXPECT_EQ(part.findExact("AB"), 1u);
}

// The index must give what a scan in file order gives, on lists large enough to span many
// blocks, with many shared prefixes and repeated keys.
TEST(WordListSearch, IndexAgreesWithAScanInFileOrder) {
    const std::vector<std::string> letters = {"A", "B", "C", "Č", "D", "Ě", "Ř", "Ž", " "};
    for (const bool utf8 : {false, true}) {
        std::mt19937 random(utf8 ? 7 : 3);
        std::vector<std::string> entries;
        std::string text;
        for (int i = 0; i < 5000; ++i) {
            std::string key;
            const int length = static_cast<int>(random() % 10);
            for (int k = 0; k < length; ++k) key += letters[random() % (i < 2500 ? 3 : letters.size())];
            entries.push_back(key);
            text += key + ";" + std::to_string(i) + "\n";
        }
        const WordList list = WordList::parse(utf8 ? "\xEF\xBB\xBF" + text : cp1250(text));
        const WordListPart& part = list.foreignToCzech();
        ASSERT_EQ(part.size(), entries.size());
        for (int q = 0; q < 3000; ++q) {
            std::string query;
            const int length = 1 + static_cast<int>(random() % 8);
            for (int k = 0; k < length; ++k) query += letters[random() % letters.size()];
            std::optional<std::size_t> prefix, exact;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (!prefix && i > 0 && entries[i].starts_with(query)) prefix = i;
                if (!exact && entries[i] == query) exact = i;
            }
            ASSERT_EQ(part.findPrefix(query), prefix) << query << (utf8 ? " in UTF-8" : " in Windows-1250");
            ASSERT_EQ(part.findExact(query), exact) << query;
        }
    }
}

}  // namespace
}  // namespace lexo
