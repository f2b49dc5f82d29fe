#include "dictionary/dictionary_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <signal.h>
#include <sys/resource.h>

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

TEST(ExpressionTable, WholeTableAppendsLikeRowByRowAfterEditsAndToItself) {
    ExpressionTable edited;
    for (int i = 0; i < 5; ++i) edited.append("f" + std::to_string(i), "c" + std::to_string(i), "[]", "NENÍ");
    edited.setField(1, Field::Czech, "kůň");
    edited.remove(3);
    // Short lines of a loaded file share the default pronunciation and sound.
    const ExpressionTable loaded = parseDictionary("pes;dog\r\nko\xe8ka;cat;[kat];k.wav\r\nmy\x9a\r\n").table;
    const auto rowByRow = [](ExpressionTable to, const ExpressionTable& from) {
        for (std::size_t row = 0; row < from.size(); ++row)
            to.append(from.foreign(row), from.czech(row), from.pronunciation(row), from.sound(row));
        return to;
    };
    const std::array<const ExpressionTable*, 2> tables{&edited, &loaded};
    for (const ExpressionTable* first : tables) {
        for (const ExpressionTable* second : tables) {
            ExpressionTable whole = *first;
            whole.append(*second);
            EXPECT_TRUE(whole == rowByRow(*first, *second));
            // Edits after the append touch one row only.
            whole.setField(whole.size() - 1, Field::Foreign, "nové");
            EXPECT_EQ(whole.foreign(whole.size() - 1), "nové");
            EXPECT_EQ(whole.foreign(first->size() - 1), first->foreign(first->size() - 1));
        }
    }
    ExpressionTable twice = loaded;
    twice.append(twice);
    EXPECT_TRUE(twice == rowByRow(loaded, loaded));
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


// The loader's word-at-a-time scanning, its chunks and the pages it gives back must cut
// exactly where a plain line-by-line reading does, whatever falls on a boundary.
struct ReferenceLoad {
    std::vector<std::array<std::string, 4>> rows;  // file order: Czech, foreign, pronunciation, sound
    std::vector<std::size_t> shortLines, longLines;
};

ReferenceLoad referenceLoad(std::string_view bytes, bool windows1250) {
    bytes = bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    const std::string text = windows1250 ? decodeWindows1250(bytes) : std::string(bytes);
    ReferenceLoad result;
    forEachLine(text, [&](std::string_view line, std::size_t number) {
        if (line.empty()) return;
        const std::vector<std::string_view> pieces = splitFieldViews(line);
        if (pieces.size() < 4) result.shortLines.push_back(number);
        if (pieces.size() > 4) result.longLines.push_back(number);
        std::array<std::string, 4> row{"", "", std::string(kNoPronunciation), std::string(kNoSound)};
        for (std::size_t i = 0; i < 4 && i < pieces.size(); ++i) row[i] = pieces[i];
        result.rows.push_back(row);
    });
    return result;
}

void expectSameAsReference(const DictionaryLoad& load, const ReferenceLoad& expected) {
    ASSERT_EQ(load.table.size(), expected.rows.size());
    for (std::size_t r = 0; r < expected.rows.size(); ++r) {
        const auto& row = expected.rows[r];
        ASSERT_EQ(load.table.czech(r), row[0]) << "row " << r;
        ASSERT_EQ(load.table.foreign(r), row[1]) << "row " << r;
        ASSERT_EQ(load.table.pronunciation(r), row[2]) << "row " << r;
        ASSERT_EQ(load.table.sound(r), row[3]) << "row " << r;
    }
    EXPECT_EQ(load.shortLines, expected.shortLines);
    EXPECT_EQ(load.longLines, expected.longLines);
}

// Mostly text with the bytes that matter thrown in densely: separators, every kind of
// line end, Windows-1250 letters that take two and three UTF-8 bytes.
std::string randomDictionaryBytes(std::size_t size, unsigned seed, bool utf8) {
    std::mt19937 random(seed);
    static constexpr std::string_view kSpecials[] = {";", "\r\n", "\n", "\r", ";;", "\r\r\n", "\n\n"};
    static constexpr std::string_view kWindows1250[] = {"\xE8", "\x9A", "\x80", "\x84\x96", "\xCD", "\x81", "\xFF"};
    static constexpr std::string_view kUtf8[] = {"č", "š", "€", "„–", "Í", "😀", "ÿ"};
    std::string out((utf8 ? kUtf8 : kWindows1250)[seed % std::size(kUtf8)]);
    while (out.size() < size) {
        const unsigned pick = random() % 16;
        if (pick < 3) out += kSpecials[random() % std::size(kSpecials)];
        else if (pick < 5) out += (utf8 ? kUtf8 : kWindows1250)[random() % std::size(kUtf8)];
        else out.append(random() % 23, static_cast<char>('a' + random() % 26));
    }
    return out;
}

TEST(DictionaryFile, LoadCutsExactlyLikeALineByLineReading) {
    for (const bool utf8 : {false, true}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            SCOPED_TRACE(::testing::Message() << (utf8 ? "UTF-8" : "Windows-1250") << " seed " << seed);
            const std::string bytes = randomDictionaryBytes(1 + seed * 37, seed, utf8);
            const DictionaryLoad load = parseDictionary(bytes);
            ASSERT_EQ(load.encoding, utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1250);
            expectSameAsReference(load, referenceLoad(bytes, !utf8));
        }
    }
}

TEST(DictionaryFile, LargeFileLoadsWholeAcrossEveryChunkAndGivenBackPage) {
    TempDir dir;
    for (const bool utf8 : {false, true}) {
        for (const std::size_t nul : {(std::size_t{20} << 20) + 3, (std::size_t{3} << 20) + 5}) {
            SCOPED_TRACE(::testing::Message() << (utf8 ? "UTF-8 with BOM" : "Windows-1250") << ", NUL at " << nul);
            // Larger than the pieces the loader reads and gives back at once, with a line end
            // split between two of them and between the halves surveyed apart, and a NUL far in.
            std::string bytes = randomDictionaryBytes(std::size_t{21} << 20, 7, utf8);
            if (utf8) bytes.insert(0, kUtf8Bom);
            bytes[(std::size_t{1} << 20) - 1] = '\r';
            bytes[std::size_t{1} << 20] = '\n';
            bytes[bytes.size() / 2 - 1] = '\r';
            bytes[bytes.size() / 2] = '\n';
            bytes[nul] = '\0';
            writeBytes(dir / "velky.slv", bytes);
            const DictionaryLoad load = loadDictionary(dir / "velky.slv");
            ASSERT_EQ(load.status, LoadStatus::Loaded);
            EXPECT_EQ(load.encoding, utf8 ? TextEncoding::Utf8WithBom : TextEncoding::Windows1250);
            expectSameAsReference(load, referenceLoad(bytes, !utf8));
        }
    }
}

TEST(DictionaryFile, SavedTextIsExactlyAsLongAsItsLines) {
    // Each line gets room for its UTF-8 form; none of what Windows-1250 leaves over may be written.
    ExpressionTable table;
    table.append("dog", "pes", "[]", "NENÍ");
    table.append("€uro—", "žluťoučký kůň", "[ˇ]", "/zvuky/ďábel.wav");
    table.append("", "", "", "");
    for (const TextEncoding wanted : {TextEncoding::Windows1250, TextEncoding::Utf8}) {
        TextEncoding encoding = wanted;
        const std::string text = buildDictionaryText(table, encoding);
        EXPECT_EQ(encoding, wanted);
        std::string expected;
        for (std::size_t row = 0; row < table.size(); ++row) expected += buildLine(table, row) + "\r\n";
        EXPECT_EQ(text, wanted == TextEncoding::Utf8 ? expected : *encodeWindows1250(expected));
        const DictionaryLoad back = parseDictionary(text);
        EXPECT_TRUE(back.table == table);
    }
}

}  // namespace
}  // namespace lexo

namespace lexo {
namespace {

// Large enough to be encoded in many pieces by two threads.
ExpressionTable czechTable(std::size_t rows) {
    ExpressionTable table;
    for (std::size_t i = 0; i < rows; ++i)
        table.append("word" + std::to_string(i), "slovíčko žluťoučké " + std::to_string(i), "[]", "NENÍ");
    return table;
}

std::size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(DictionaryFile, LargeSaveTurnsWholeToUtf8WhenALateLineNeedsIt) {
    TempDir dir;
    // One row in a piece of each thread, one in the very last piece.
    for (const std::size_t late : {std::size_t{37000}, std::size_t{41000}, std::size_t{49999}}) {
        for (const bool unencodable : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "row " << late << (unencodable ? " unencodable" : " reads as UTF-8"));
            ExpressionTable table;
            if (unencodable) {
                table = czechTable(50000);
                table.setField(late, Field::Foreign, "dɒg");
            } else {
                // Only ASCII and a pair that Windows-1250 writes as the UTF-8 of "é".
                for (std::size_t row = 0; row < 50000; ++row) table.append("dog", "pes", "[]", "NONE");
                table.setField(late, Field::Czech, "Ă©");
            }
            writeBytes(dir / "a.slv", "old;file;[];NENÍ\r\n");
            const SaveResult saved = saveDictionary(table, dir / "a.slv");
            ASSERT_TRUE(saved.ok) << saved.error;
            EXPECT_EQ(saved.encoding, unencodable ? TextEncoding::Utf8 : TextEncoding::Utf8WithBom);
            const DictionaryLoad back = loadDictionary(dir / "a.slv");
            EXPECT_EQ(back.encoding, saved.encoding);
            EXPECT_TRUE(back.table == table);
            TextEncoding built = TextEncoding::Windows1250;
            EXPECT_EQ(readBytes(dir / "a.slv"), buildDictionaryText(table, built));
            EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file may be left behind";
        }
    }
}

TEST(DictionaryFile, Windows1250BytesThatStartLikeAByteOrderMarkAreSavedAsUtf8) {
    // "ď»ż" is EF BB BF in Windows-1250: the next reading would drop it as a BOM.
    const DictionaryLoad load = parseDictionary("\n\xEF\xBB\xBF\xFF\r\n");
    ASSERT_EQ(load.encoding, TextEncoding::Windows1250);
    for (const bool toFile : {false, true}) {
        TempDir dir;
        TextEncoding encoding = load.encoding;
        std::string text;
        if (toFile) {
            const SaveResult saved = saveDictionary(load.table, dir / "a.slv", load.encoding);
            ASSERT_TRUE(saved.ok);
            encoding = saved.encoding;
            text = readBytes(dir / "a.slv");
        } else {
            text = buildDictionaryText(load.table, encoding);
        }
        EXPECT_EQ(encoding, TextEncoding::Utf8WithBom);
        EXPECT_TRUE(parseDictionary(text).table == load.table);
    }
}

TEST(DictionaryFile, LargeWindows1250SaveIsByteForByteTheLines) {
    TempDir dir;
    const ExpressionTable table = czechTable(30001);
    const SaveResult saved = saveDictionary(table, dir / "a.slv");
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(saved.encoding, TextEncoding::Windows1250);
    std::string expected;
    for (std::size_t row = 0; row < table.size(); ++row) expected += buildLine(table, row) + "\r\n";
    EXPECT_EQ(readBytes(dir / "a.slv"), *encodeWindows1250(expected));
}

TEST(DictionaryFile, WriteFailingHalfwayLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    writeBytes(dir / "a.slv", "old;file;[];NENÍ\r\n");
    // The file size limit makes the disk refuse the save after its first megabyte.
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &before);
    rlimit limit{}, original{};
    getrlimit(RLIMIT_FSIZE, &original);
    limit = original;
    limit.rlim_cur = 1 << 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const SaveResult saved = saveDictionary(czechTable(100000), dir / "a.slv");
    setrlimit(RLIMIT_FSIZE, &original);
    sigaction(SIGXFSZ, &before, nullptr);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.empty());
    EXPECT_EQ(readBytes(dir / "a.slv"), "old;file;[];NENÍ\r\n");
    EXPECT_EQ(filesIn(dir.path()), 1u) << "no temporary file may be left behind";
}

}  // namespace
}  // namespace lexo
