#include "dictionary/dictionary_file.h"

#include <gtest/gtest.h>

#include "text/line_splitter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

TEST(LineSplitter, OnePieceMoreThanSeparatorsAndNoTrimming) {
    EXPECT_EQ(splitFields("a;b;c;d"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitFields(""), (std::vector<std::string>{""}));
    EXPECT_EQ(splitFields("a;"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(splitFields(" pes ; dog"), (std::vector<std::string>{" pes ", " dog"}));
    EXPECT_EQ(splitFields("dog+hound", '+'), (std::vector<std::string>{"dog", "hound"}));
}

TEST(LineSplitter, LineEndsOfEveryKind) {
    std::vector<std::string> lines;
    forEachLine("a\r\nb\rc\nd\r\n\r\ne", [&](std::string_view l, std::size_t) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
}

TEST(DictionaryFile, ExampleLineLoadsAndSavesByteForByte) {
    const std::string bytes = "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat+puss;k\xE6t;/snd/cat.wav\r\n";
    DictionaryLoad load = parseDictionary(bytes);
    ASSERT_EQ(load.status, LoadStatus::Loaded);
    ASSERT_EQ(load.table.size(), 2u);
    EXPECT_EQ(load.table.foreign(0), "dog");
    EXPECT_EQ(load.table.czech(0), "pes");
    EXPECT_EQ(load.table.pronunciation(0), kNoPronunciation);
    EXPECT_EQ(load.table.sound(0), kNoSound);
    EXPECT_EQ(load.table.czech(1), "kočka");
    EXPECT_EQ(load.encoding, TextEncoding::Windows1250);
    TextEncoding enc = load.encoding;
    EXPECT_EQ(buildDictionaryText(load.table, enc), bytes);
}

TEST(DictionaryFile, EveryByteValueSurvivesALoadAndSave) {
    // All bytes but NUL, CR, LF and ";" as field text: nothing may be lost or altered.
    std::string field;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n' && b != ';') field.push_back(static_cast<char>(b));
    const std::string bytes = field + ";" + field + ";[];NEN\xCD\r\n";
    TempDir dir;
    writeBytes(dir / "all.slv", bytes);
    DictionaryLoad load = loadDictionary(dir / "all.slv");
    ASSERT_EQ(load.status, LoadStatus::Loaded);
    const SaveResult saved = saveDictionary(load.table, dir / "copy.slv", load.encoding);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(saved.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(readBytes(dir / "copy.slv"), bytes);
}

TEST(DictionaryFile, ShortLongAndOddLinesLoadWithDefaults) {
    DictionaryLoad load = parseDictionary("a;b;c;d;e;f\n\nonly\r\r\nx;y\n ;\nlast;no;end;s");
    ASSERT_EQ(load.status, LoadStatus::Loaded);
    ASSERT_EQ(load.table.size(), 5u);
    EXPECT_EQ(load.table.at(0), (Expression{"b", "a", "c", "d"}));
    EXPECT_EQ(load.table.at(1), (Expression{"", "only", "[]", "NENÍ"}));
    EXPECT_EQ(load.table.at(2), (Expression{"y", "x", "[]", "NENÍ"}));
    EXPECT_EQ(load.table.at(3), (Expression{"", " ", "[]", "NENÍ"}));
    EXPECT_EQ(load.table.at(4), (Expression{"no", "last", "end", "s"}));
    EXPECT_EQ(load.longLines, (std::vector<std::size_t>{1}));
    EXPECT_EQ(load.shortLines, (std::vector<std::size_t>{3, 5, 6}));
    TextEncoding enc = load.encoding;
    EXPECT_EQ(buildDictionaryText(load.table, enc),
              "a;b;c;d\r\nonly;;[];NEN\xCD\r\nx;y;[];NEN\xCD\r\n ;;[];NEN\xCD\r\nlast;no;end;s\r\n");
}

TEST(DictionaryFile, EmptyAndUnreadableFilesAreToldApart) {
    EXPECT_EQ(parseDictionary("").status, LoadStatus::Empty);
    EXPECT_EQ(parseDictionary("\r\n\n\r\r\n").status, LoadStatus::Empty);
    EXPECT_EQ(parseDictionary(std::string("\0pes;dog;[];x", 13)).status, LoadStatus::Empty);
    TempDir dir;
    DictionaryLoad missing = loadDictionary(dir / "none.slv");
    EXPECT_EQ(missing.status, LoadStatus::CannotOpen);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_EQ(loadDictionary(dir.path()).status, LoadStatus::CannotOpen);
}

TEST(DictionaryFile, ReadingStopsAtTheFirstNul) {
    DictionaryLoad load = parseDictionary(std::string("a;b;c;d\r\ne;f;g;h\0i;j;k;l\r\n", 26));
    ASSERT_EQ(load.table.size(), 2u);
    EXPECT_EQ(load.table.sound(1), "h");
}

TEST(DictionaryFile, Utf8FilesStayUtf8AndNewCharactersForceUtf8) {
    const std::string utf8 = "kůň;horse;[hɔːs];NENÍ\r\n";
    DictionaryLoad load = parseDictionary(utf8);
    EXPECT_EQ(load.encoding, TextEncoding::Utf8);
    EXPECT_EQ(load.table.foreign(0), "horse");
    TextEncoding enc = load.encoding;
    EXPECT_EQ(buildDictionaryText(load.table, enc), utf8);

    ExpressionTable table;
    table.append("dog", "pes", "[dɒg]", "NENÍ");  // "ɒ" has no Windows-1250 byte
    enc = TextEncoding::Windows1250;
    EXPECT_EQ(buildDictionaryText(table, enc), "pes;dog;[dɒg];NENÍ\r\n");
    EXPECT_EQ(enc, TextEncoding::Utf8);
}

TEST(DictionaryFile, HugeLineAndBinaryGarbageLoadCleanly) {
    std::string huge(10 * 1024 * 1024, 'x');
    huge[5] = ';';
    DictionaryLoad load = parseDictionary(huge);
    ASSERT_EQ(load.table.size(), 1u);
    EXPECT_EQ(load.table.foreign(0).size(), huge.size() - 6);

    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) % 255 + 1));
    DictionaryLoad g = parseDictionary(garbage);
    EXPECT_EQ(g.status, LoadStatus::Loaded);
    TextEncoding enc = g.encoding;
    const std::string again = buildDictionaryText(g.table, enc);
    EXPECT_EQ(parseDictionary(again).table, g.table);
}

TEST(DictionaryFile, FailedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    writeBytes(dir / "a.slv", "old;file;[];NENÍ\r\n");
    ExpressionTable table;
    table.append("new", "nový", "[]", "NENÍ");
    // A folder in the way of the temporary file's rename.
    std::filesystem::create_directories(dir / "blocked.slv" / "x");
    EXPECT_FALSE(saveDictionary(table, dir / "blocked.slv").ok);
    EXPECT_FALSE(saveDictionary(table, dir / "nofolder" / "a.slv").ok);
    EXPECT_EQ(readBytes(dir / "a.slv"), "old;file;[];NENÍ\r\n");
    ASSERT_TRUE(saveDictionary(table, dir / "a.slv").ok);
    EXPECT_EQ(readBytes(dir / "a.slv"), "nov\xFD;new;[];NEN\xCD\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2)
        << "no temporary file may be left behind";
}

TEST(ExpressionTable, EditsKeepEveryOtherRowIntact) {
    ExpressionTable table;
    for (int i = 0; i < 1000; ++i) table.append("f" + std::to_string(i), "c" + std::to_string(i), "[]", "NENÍ");
    for (int round = 0; round < 20; ++round)
        for (std::size_t r = 0; r < table.size(); r += 3)
            table.setField(r, Field::Czech, std::string(200, static_cast<char>('a' + round)));
    table.remove(0);
    table.remove(table.size() - 1);
    table.setField(1, Field::Foreign, table.czech(1));  // a view into the table itself
    ASSERT_EQ(table.size(), 998u);
    EXPECT_EQ(table.foreign(0), "f1");
    EXPECT_EQ(table.czech(0), "c1");
    EXPECT_EQ(table.czech(2), std::string(200, 't'));
    EXPECT_EQ(table.foreign(1), "c2");
    EXPECT_EQ(table.foreign(997), "f998");
}

TEST(DictionaryFile, AlternativesAreCountedOnPlus) {
    EXPECT_EQ(alternativeCount("dog"), 1u);
    EXPECT_EQ(alternativeCount("a+b+c+d+e"), 5u);
    EXPECT_EQ(alternativeCount(""), 1u);
}

}  // namespace
}  // namespace lexo

namespace lexo {
namespace {

TEST(DictionaryFile, TextThatWouldReadBackDifferentlyIsMarkedUtf8) {
    // "Ă©" in Windows-1250 is C3 A9, which alone reads as UTF-8 "é". The original file was
    // not UTF-8 only because of a byte in a dropped fifth field.
    DictionaryLoad load = parseDictionary("\xC3\xA9;b;c;d;\xFF\r\n");
    ASSERT_EQ(load.encoding, TextEncoding::Windows1250);
    ASSERT_EQ(load.table.czech(0), "Ă©");
    TextEncoding enc = load.encoding;
    const std::string saved = buildDictionaryText(load.table, enc);
    EXPECT_EQ(enc, TextEncoding::Utf8WithBom);
    EXPECT_EQ(parseDictionary(saved).table, load.table);
}

}  // namespace
}  // namespace lexo

namespace lexo {
namespace {

TEST(DictionaryFile, LeadingZeroWidthNoBreakSpaceSurvives) {
    DictionaryLoad load = parseDictionary("\n\xEF\xBB\xBF\n");
    ASSERT_EQ(load.encoding, TextEncoding::Utf8);
    ASSERT_EQ(load.table.czech(0), "\xEF\xBB\xBF");
    TextEncoding enc = load.encoding;
    EXPECT_EQ(parseDictionary(buildDictionaryText(load.table, enc)).table, load.table);
}

}  // namespace
}  // namespace lexo
