#include "tools/kvtml_exchange.h"

#include <gtest/gtest.h>

#include <limits>

#include "dictionary/dictionary_file.h"
#include "support/temp_dir.h"
#include "tools/exchange_commands.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

// The shape the KDE trainers write: Czech is the first language here, so the reader must go
// by the identifiers, not by position.
constexpr std::string_view kParleyFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
  <information><generator>Parley 0.9</generator><title>Zvířata</title></information>
  <identifiers>
    <identifier id="0"><name>Czech</name><locale>cs</locale></identifier>
    <identifier id="1"><name>English</name><locale>en</locale></identifier>
  </identifiers>
  <entries>
    <entry id="0">
      <translation id="0"><text>kůň</text></translation>
      <translation id="1"><text>horse</text><pronunciation>hɔːs</pronunciation></translation>
    </entry>
    <entry id="1">
      <translation id="1"><text>orphan</text></translation>
    </entry>
    <entry id="2">
      <translation id="1"><text>Tom &amp; Jerry &lt;3</text></translation>
      <translation id="0"><comment>x</comment><text>Tom a Jerry; kočka a myš</text></translation>
    </entry>
  </entries>
  <lessons><container><name>L1</name><entry id="0"/></container></lessons>
</kvtml>
)";

TEST(KvtmlImport, TakesCzechAndTheForeignLanguageByTheirIdentifiers) {
    const ExchangeImport import = parseKvtml(kParleyFile);
    ASSERT_TRUE(import.ok) << import.error;
    ASSERT_EQ(import.table.size(), 2u);
    EXPECT_EQ(import.table.at(0), (Expression{"horse", "kůň", "hɔːs", "NENÍ"}));
    EXPECT_EQ(import.table.at(1), (Expression{"Tom & Jerry <3", "Tom a Jerry+ kočka a myš", "[]", "NENÍ"}));
    ASSERT_EQ(import.skipped.size(), 1u);
    EXPECT_EQ(import.skipped[0].number, 2u);
    ASSERT_EQ(import.changed.size(), 1u);
    EXPECT_EQ(import.changed[0].number, 3u);
}

// Saved by KWordQuiz 22.12 after it opened a file of ours and "dog" was changed to "dogs":
// its indentation, its date, and ">" left unescaped.
constexpr std::string_view kKWordQuizFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
  <information>
    <generator>Lexo</generator>
    <title>zv</title>
    <date>2026-12-09</date>
  </information>
  <identifiers>
    <identifier id="0">
      <name>English</name>
      <locale>en</locale>
    </identifier>
    <identifier id="1">
      <name>Čeština</name>
      <locale>cs</locale>
    </identifier>
  </identifiers>
  <entries>
    <entry id="0">
      <translation id="0">
        <text>dogs</text>
        <pronunciation>[dog]</pronunciation>
      </translation>
      <translation id="1">
        <text>pes</text>
      </translation>
    </entry>
    <entry id="1">
      <translation id="0">
        <text>cat &amp; "mouse" &lt;x></text>
      </translation>
      <translation id="1">
        <text>kočka</text>
      </translation>
    </entry>
    <entry id="2">
      <translation id="0">
        <text>yellow horse+steed</text>
      </translation>
      <translation id="1">
        <text>žluťoučký kůň</text>
      </translation>
    </entry>
  </entries>
  <lessons>
    <container>
      <name>zv</name>
      <inpractice>true</inpractice>
      <entry id="0"/>
      <entry id="1"/>
      <entry id="2"/>
    </container>
  </lessons>
</kvtml>
)";

TEST(KvtmlImport, AFileKWordQuizSavedFromOursReadsBackWhole) {
    const ExchangeImport import = parseKvtml(kKWordQuizFile);
    ASSERT_TRUE(import.ok) << import.error;
    ASSERT_EQ(import.table.size(), 3u);
    EXPECT_EQ(import.table.at(0), (Expression{"dogs", "pes", "[dog]", "NENÍ"}));
    EXPECT_EQ(import.table.at(1), (Expression{"cat & \"mouse\" <x>", "kočka", "[]", "NENÍ"}));
    EXPECT_EQ(import.table.at(2), (Expression{"yellow horse+steed", "žluťoučký kůň", "[]", "NENÍ"}));
    EXPECT_TRUE(import.skipped.empty());
    // And what we write of it again is what KWordQuiz opened.
    const ExchangeImport again = parseKvtml(buildKvtml(import.table, "zv").bytes);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_TRUE(again.table == import.table);
}

TEST(KvtmlImport, LanguagesListedAfterTheEntriesStillCount) {
    const std::string file = R"(<kvtml version="2.0"><entries>
<entry id="0"><translation id="en"><text>horse</text></translation><translation id="cz"><text>kůň</text></translation></entry>
<entry id="1"><translation id="cz"><text>pes</text></translation></entry>
</entries><identifiers>
<identifier id="en"><name>English</name></identifier><identifier id="cz"><name>Čeština</name></identifier>
</identifiers></kvtml>)";
    for (const std::size_t parallelFrom : {std::size_t{0}, std::numeric_limits<std::size_t>::max()}) {
        const ExchangeImport import = parseKvtml(file, parallelFrom);
        ASSERT_TRUE(import.ok) << import.error;
        ASSERT_EQ(import.table.size(), 1u);
        EXPECT_EQ(import.table.at(0), (Expression{"horse", "kůň", "[]", "NENÍ"}));
        ASSERT_EQ(import.skipped.size(), 1u);
        EXPECT_EQ(import.skipped[0].number, 2u);
        EXPECT_EQ(import.skipped[0].text, "chybí cizojazyčný text");
    }
}

TEST(KvtmlImport, RefusesEntitiesDoctypesWithDeclarationsAndBrokenFiles) {
    const std::string external = R"(<?xml version="1.0"?>
<!DOCTYPE kvtml [ <!ENTITY xxe SYSTEM "file:///etc/passwd"> ]>
<kvtml version="2.0"><identifiers><identifier id="0"><locale>cs</locale></identifier>
<identifier id="1"><locale>en</locale></identifier></identifiers>
<entries><entry id="0"><translation id="0"><text>&xxe;</text></translation>
<translation id="1"><text>x</text></translation></entry></entries></kvtml>)";
    const ExchangeImport refused = parseKvtml(external);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.table.empty());
    EXPECT_NE(refused.error.find("entit"), std::string::npos) << refused.error;

    std::string billion = "<?xml version=\"1.0\"?><!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaaaa\">"
                          "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><kvtml version=\"2.0\">&b;</kvtml>";
    EXPECT_FALSE(parseKvtml(billion).ok);
    // An undeclared entity, kvtml 1, another root, broken XML, no Czech.
    EXPECT_FALSE(parseKvtml(R"(<kvtml version="2.0"><entries>&undeclared;</entries></kvtml>)").ok);
    EXPECT_NE(parseKvtml(R"(<kvtml><e/></kvtml>)").error.find("kvtml 2"), std::string::npos);
    EXPECT_FALSE(parseKvtml(R"(<html version="2.0"/>)").ok);
    EXPECT_FALSE(parseKvtml(std::string(kParleyFile.substr(0, kParleyFile.size() / 2))).ok);
    EXPECT_FALSE(parseKvtml("").ok);
    const ExchangeImport noCzech = parseKvtml(R"(<kvtml version="2.0"><identifiers>
<identifier id="0"><name>English</name><locale>en</locale></identifier>
<identifier id="1"><name>German</name><locale>de</locale></identifier></identifiers></kvtml>)");
    EXPECT_FALSE(noCzech.ok);
    EXPECT_NE(noCzech.error.find("German"), std::string::npos);
}

// Older files may declare a single-byte code page; an entity the external DTD would have
// to define is never looked up, and the file is refused rather than read without it.
TEST(KvtmlImport, DeclaredCodePagesAndEntitiesOfAnExternalDtd) {
    const auto file = [](std::string_view encoding, std::string_view czech, std::string_view doctype = {}) {
        return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) + "\"?>\n" + std::string(doctype) +
               "<kvtml version=\"2.0\"><identifiers><identifier id=\"c\"><locale>cs</locale></identifier>"
               "<identifier id=\"e\"><locale>en</locale></identifier></identifiers><entries><entry id=\"0\">"
               "<translation id=\"e\"><text>horse</text></translation><translation id=\"c\"><text>" +
               std::string(czech) + "</text></translation></entry></entries></kvtml>";
    };
    // "kůň žluťoučký" in windows-1250 and in ISO-8859-2: ů, ň, ž, ť differ between the two.
    for (const auto& [encoding, czech] : {std::pair<std::string_view, std::string_view>{
                                              "windows-1250", "k\xF9\xF2 \x9Elu\x9Dou\xE8k\xFD"},
                                          {"ISO-8859-2", "k\xF9\xF2 \xBElu\xBBou\xE8k\xFD"}}) {
        const ExchangeImport import = parseKvtml(file(encoding, czech));
        ASSERT_TRUE(import.ok) << encoding << ": " << import.error;
        ASSERT_EQ(import.table.size(), 1u);
        EXPECT_EQ(import.table.czech(0), "kůň žluťoučký") << encoding;
    }
    // A code page of several bytes per letter is not read as one byte per letter.
    const ExchangeImport japanese = parseKvtml(file("Shift_JIS", "\x94\x6E"));
    EXPECT_FALSE(japanese.ok);
    EXPECT_FALSE(japanese.error.empty());

    const std::string_view kdeDoctype =
        "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n";
    EXPECT_TRUE(parseKvtml(file("UTF-8", "kůň &amp; &#382;", kdeDoctype)).ok);
    EXPECT_EQ(parseKvtml(file("UTF-8", "kůň &amp; &#382;", kdeDoctype)).table.czech(0), "kůň & ž");
    const ExchangeImport defined = parseKvtml(file("UTF-8", "kůň &nbsp;", kdeDoctype));
    EXPECT_FALSE(defined.ok);
    EXPECT_NE(defined.error.find("entitu nbsp"), std::string::npos) << defined.error;
}

TEST(KvtmlExport, WhatIsWrittenReadsBackLetterForLetter) {
    ExpressionTable table;
    table.append("dog+hound", "pes", "[]", "NENÍ");
    table.append("<b> & \"quotes\" 'n' tabs\there", "žluťoučký kůň úpěl ďábelské ódy", "ˈkwəʊts", "/z/a.wav");
    table.append("ctrl\x01" "char", "řídicí znak", "[]", "NENÍ");
    const KvtmlExport exported = buildKvtml(table, "Zvířata & spol.");
    ASSERT_EQ(exported.changed.size(), 1u);
    EXPECT_EQ(exported.changed[0].number, 3u);
    const ExchangeImport back = parseKvtml(exported.bytes);
    ASSERT_TRUE(back.ok) << back.error;
    ASSERT_EQ(back.table.size(), 3u);
    EXPECT_EQ(back.table.at(0), (Expression{"dog+hound", "pes", "[]", "NENÍ"}));
    EXPECT_EQ(back.table.at(1),
              (Expression{"<b> & \"quotes\" 'n' tabs\there", "žluťoučký kůň úpěl ďábelské ódy", "ˈkwəʊts", "NENÍ"}));
    EXPECT_EQ(back.table.foreign(2), "ctrl\xEF\xBF\xBD" "char");
    EXPECT_NE(exported.bytes.find("<locale>cs</locale>"), std::string::npos);
    // The lesson lists every entry: the KDE trainers show only entries in a lesson.
    const std::size_t lesson = exported.bytes.find("<container>");
    ASSERT_NE(lesson, std::string::npos);
    for (const char* entry : {"<entry id=\"0\"", "<entry id=\"1\"", "<entry id=\"2\""})
        EXPECT_NE(exported.bytes.find(entry, lesson), std::string::npos) << entry;
}

TEST(KvtmlExport, WhatIsNotWellFormedUtf8BecomesAReplacementCharacterAndTheFileStaysReadable) {
    struct Case {
        std::string_view text;
        std::string_view written;
    };
    const Case cases[] = {
        {"a\xC0\x80" "b", "a\uFFFD\uFFFD" "b"},             // overlong NUL: two stray bytes
        {"a\x80" "b", "a\uFFFD" "b"},                       // lone continuation byte
        {"a\xE2\x82", "a\uFFFD\uFFFD"},                    // cut short
        {"a\xF4\x90\x80\x80", "a\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"a\xED\xA0\x80" "b", "a\uFFFD" "b"},               // a surrogate, one character
        {"a\xEF\xBF\xBE" "b", "a\uFFFD" "b"},               // U+FFFE
        {"line\r\nbreak\x7F", "line\uFFFD\uFFFD" "break\x7F"},  // DEL is allowed in XML 1.0
    };
    for (const Case& c : cases) {
        ExpressionTable table;
        table.append(c.text, "český 😀 text", "[]", "NENÍ");
        const KvtmlExport exported = buildKvtml(table, "t");
        ASSERT_EQ(exported.changed.size(), 1u) << c.text;
        const ExchangeImport back = parseKvtml(exported.bytes);
        ASSERT_TRUE(back.ok) << c.text << ": " << back.error;
        ASSERT_EQ(back.table.size(), 1u);
        EXPECT_EQ(back.table.foreign(0), c.written) << c.text;
        EXPECT_EQ(back.table.czech(0), "český 😀 text");
    }
}

// The same file read by one reader and by two, the second starting in the middle.
void expectSameReading(const std::string& file) {
    const ExchangeImport one = parseKvtml(file, std::numeric_limits<std::size_t>::max());
    const ExchangeImport two = parseKvtml(file, 0);
    EXPECT_EQ(two.ok, one.ok);
    EXPECT_EQ(two.error, one.error);
    EXPECT_TRUE(two.table == one.table) << two.table.size() << " rows against " << one.table.size();
    const auto notes = [](const std::vector<ExchangeNote>& list) {
        std::string all;
        for (const ExchangeNote& note : list) all += std::to_string(note.number) + " " + note.text + "\n";
        return all;
    };
    EXPECT_EQ(notes(two.skipped), notes(one.skipped));
    EXPECT_EQ(notes(two.changed), notes(one.changed));
    EXPECT_EQ(two.remarks, one.remarks);
}

std::string entryXml(int number, const std::string& foreign, const std::string& czech) {
    return "  <entry id=\"" + std::to_string(number) + "\">\r\n    <translation id=\"1\"><text>" + foreign +
           "</text></translation>\r\n    <translation id=\"0\"><text>" + czech + "</text></translation>\r\n  </entry>\r\n";
}

std::string fileWith(const std::string& entries, std::string_view after = {}) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kvtml version=\"2.0\" xmlns:x=\"urn:x\">\r\n"
           "<identifiers><identifier id=\"0\"><locale>cs</locale></identifier>"
           "<identifier id=\"1\"><locale>en</locale></identifier></identifiers>\r\n<entries>\r\n" +
           entries + "</entries>" + std::string(after) + "\r\n</kvtml>\r\n";
}

TEST(KvtmlImport, TwoReadersReadALargeFileExactlyAsOneDoes) {
    // Our own files, with entries skipped and changed on both sides of the middle.
    ExpressionTable table;
    for (int row = 0; row < 300; ++row)
        table.append("word 😀 " + std::to_string(row), row % 7 == 0 ? "a;b" : "slovo ř " + std::to_string(row), "[]",
                     "NENÍ");
    expectSameReading(buildKvtml(table, "velký").bytes);

    // An indented file with line breaks of two bytes, skipped entries, and languages after.
    std::string entries;
    for (int n = 0; n < 200; ++n) entries += entryXml(n, n % 11 == 0 ? "" : "dog𝄞" + std::to_string(n), "pes");
    const std::string indented = fileWith(entries, "<identifiers><identifier id=\"2\"><locale>de</locale>"
                                                   "</identifier></identifiers>");
    expectSameReading(indented);
    EXPECT_EQ(parseKvtml(indented, 0).table.size(), 181u);
    EXPECT_EQ(parseKvtml(indented, 0).remarks.size(), 1u);
}

TEST(KvtmlImport, TwoReadersNeverTakeAnEntryThatIsNotOne) {
    std::string firstHalf;
    std::string secondHalf;
    for (int n = 0; n < 40; ++n) firstHalf += entryXml(n, "cat", "kočka");
    for (int n = 40; n < 60; ++n) secondHalf += entryXml(n, "dog", "pes");
    std::string fakes;
    for (int n = 0; n < 80; ++n) fakes += entryXml(900 + n, "fake", "falešný");
    // The middle of each file falls among entries that are text, not markup.
    for (const std::string& file : {fileWith(firstHalf + "<!--" + fakes + "-->" + secondHalf),
                                    fileWith(firstHalf + "<entry id=\"x\"><translation id=\"1\"><text><![CDATA[" +
                                             fakes + "]]></text></translation></entry>" + secondHalf),
                                    fileWith(firstHalf + "<?note " + fakes + "?>" + secondHalf),
                                    fileWith(firstHalf, "<lessons><container>" + fakes + "</container></lessons>")}) {
        expectSameReading(file);
        const ExchangeImport two = parseKvtml(file, 0);
        ASSERT_TRUE(two.ok) << two.error;
        for (std::size_t row = 0; row < two.table.size(); ++row) EXPECT_NE(two.table.foreign(row), "fake");
    }
}

TEST(KvtmlImport, TwoReadersFailAsOneDoes) {
    std::string entries;
    for (int n = 0; n < 100; ++n) entries += entryXml(n, "horse", "kůň");
    const std::string good = fileWith(entries);
    const std::size_t late = good.rfind("horse");
    const std::size_t early = good.find("horse");
    for (const std::string& file : {
             good.substr(0, good.size() - 20),                                  // cut short
             std::string(good).replace(late, 5, "h&xx;e"),                     // an entity late
             std::string(good).replace(early, 5, "h<x>e"),                     // broken early
             std::string(good).replace(late, 5, "<x:b>horse</x:b>"),           // a prefix declared at the root
             std::string(good).replace(late, 5, "<y:b>horse</y:b>"),           // a prefix never declared
             std::string(good).replace(late, 5, "h\xC3"),                      // not UTF-8
         }) {
        expectSameReading(file);
    }
    // The second reader's entry is an empty element: the first reader, stopped at its start,
    // must not take its end for the end of the list and then trust a second reader that failed.
    std::string empties = entryXml(0, "dog", "pes");
    for (int n = 1; n < 100; ++n) empties += "<entry id=\"" + std::to_string(n) + "\"\r\n/>";
    const std::string emptyEntries = fileWith(empties);
    expectSameReading(emptyEntries);
    const std::string brokenAfterThem =
        std::string(emptyEntries).replace(emptyEntries.find("</entries>"), 10, "</container>");
    expectSameReading(brokenAfterThem);
    EXPECT_FALSE(parseKvtml(brokenAfterThem, 0).ok);
    // The message names the line and the fault. The first entry's text is on line 6, each
    // entry takes four lines.
    const ExchangeImport earlyError = parseKvtml(std::string(good).replace(early, 5, "h<x>e"), 0);
    EXPECT_EQ(earlyError.error, "chyba XML na řádku 6: koncová značka neodpovídá počáteční");
    const ExchangeImport lateError = parseKvtml(std::string(good).replace(late, 5, "h</x>e"), 0);
    EXPECT_EQ(lateError.error, "chyba XML na řádku " + std::to_string(6 + 4 * 99) + ": koncová značka neodpovídá počáteční");
    EXPECT_FALSE(parseKvtml(good.substr(0, good.size() - 20), 0).ok);
    EXPECT_TRUE(parseKvtml(std::string(good).replace(late, 5, "<x:b>horse</x:b>"), 0).ok);
}

TEST(ExchangeCommands, CsvAndKvtmlRoundTripsThroughDictionaryFiles) {
    TempDir dir;
    writeBytes(dir / "tabulka.csv", "\xEF\xBB\xBF" "dog,pes\r\n\"hello, \"\"you\"\"\",\"ahoj, ty\",həˈləʊ\r\n"
                                    "čaj,\"čaj\r\nzelený\"\r\nosamělý\r\n");
    CommandResult result = importCommand(dir / "tabulka.csv", dir / "slovnik.slv");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("řádek 3 upraven"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("řádek 5 vynechán"), std::string::npos) << result.err;
    const DictionaryLoad loaded = loadDictionary(dir / "slovnik.slv");
    ASSERT_EQ(loaded.table.size(), 3u);
    EXPECT_EQ(loaded.table.at(1), (Expression{"hello, \"you\"", "ahoj, ty", "həˈləʊ", "NENÍ"}));
    EXPECT_EQ(loaded.table.czech(2), "čaj  zelený");
    // ə is not in Windows-1250: the dictionary is written in UTF-8 rather than lose it.
    EXPECT_EQ(loaded.encoding, TextEncoding::Utf8);

    result = exportCommand(dir / "slovnik.slv", dir / "zpet.kvtml");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    result = importCommand(dir / "zpet.kvtml", dir / "znovu.slv");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(dir / "znovu.slv"), readBytes(dir / "slovnik.slv"));

    result = exportCommand(dir / "znovu.slv", dir / "tabulka.txt", ExchangeFormat::Tsv);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // A quote inside a field makes it quoted in TSV too, so that spreadsheets read it back.
    EXPECT_EQ(readBytes(dir / "tabulka.txt"),
              "dog\tpes\t\r\n\"hello, \"\"you\"\"\"\tahoj, ty\thəˈləʊ\r\nčaj\tčaj  zelený\t\r\n");
}

TEST(ExchangeCommands, NothingIsWrittenWhenTheInputCannotBeRead) {
    TempDir dir;
    writeBytes(dir / "stary.slv", "stary;old;[];NENÍ\r\n");
    writeBytes(dir / "rozbity.kvtml", "<kvtml version=\"2.0\"><entries>");
    writeBytes(dir / "prazdny.csv", "\r\n,,\r\n");
    writeBytes(dir / "seznam.doc", "dog,pes\r\n");
    for (const char* input : {"rozbity.kvtml", "prazdny.csv", "neni.csv", "seznam.doc"}) {
        const CommandResult result = importCommand(dir / input, dir / "stary.slv");
        EXPECT_EQ(result.exitCode, 1) << input;
        EXPECT_FALSE(result.err.empty()) << input;
        EXPECT_EQ(readBytes(dir / "stary.slv"), "stary;old;[];NENÍ\r\n") << input;
    }
    // A named format beats the extension.
    EXPECT_EQ(importCommand(dir / "seznam.doc", dir / "novy.slv", ExchangeFormat::Csv).exitCode, 0);
    EXPECT_EQ(exportCommand(dir / "neni.slv", dir / "ven.csv").exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "ven.csv"));
}

}  // namespace
}  // namespace lexo
