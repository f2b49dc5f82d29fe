#include "tools/converter_session.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_file.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;
using Box = ConverterSession::Box;
using Lines = std::vector<std::string>;

class ConverterSessionTest : public ::testing::Test {
protected:
    ConverterSessionTest() {
        session.setSavePathChooser([this] { return std::exchange(nextSavePath, std::nullopt); });
        session.setChangeHandler([this](Box box) { changes.push_back(box); });
    }

    const Lines& result() const { return session.lines(Box::Result); }

    FakePrompter prompter;
    ConverterSession session{prompter};
    std::optional<fs::path> nextSavePath;
    std::vector<Box> changes;
    TempDir dir;
};

TEST(WordLists, ConversionPairsLinesAndFollowsTheCzechList) {
    EXPECT_EQ(convertWordLists({"pes", "kočka"}, {"dog", "cat"}), (Lines{"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"}));
    // A shorter foreign list leaves the last foreign texts empty, a longer one is cut.
    EXPECT_EQ(convertWordLists({"a", "b", "c"}, {"x", "y"}), (Lines{"a;x;[];NENÍ", "b;y;[];NENÍ", "c;;[];NENÍ"}));
    EXPECT_EQ(convertWordLists({"a"}, {"x", "y", "z"}), (Lines{"a;x;[];NENÍ"}));
    // Empty lines are lines like any other.
    EXPECT_EQ(convertWordLists({"", "b"}, {"x", ""}), (Lines{";x;[];NENÍ", "b;;[];NENÍ"}));
    // A ";" inside a text would shift the fields of the dictionary line.
    EXPECT_EQ(convertWordLists({"pes;hafan"}, {"dog"}), (Lines{"pes+hafan;dog;[];NENÍ"}));
}

TEST(WordLists, ReadAsWindows1250OrUtf8WithEveryLineKept) {
    const PlainWordList ansi = parseWordList("ko\xE8ka\r\n\r\n\xF8\xEDpa\r\n");
    EXPECT_EQ(ansi.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(ansi.lines, (Lines{"kočka", "", "řípa"}));
    const PlainWordList utf8 = parseWordList("\xEF\xBB\xBFkočka\nřípa");
    EXPECT_EQ(utf8.lines, (Lines{"kočka", "řípa"}));
    EXPECT_TRUE(parseWordList("").lines.empty());
    EXPECT_EQ(parseWordList(std::string("a\nb\0c\nd", 7)).lines, (Lines{"a", "b"}));
    EXPECT_FALSE(readWordList("/nikde/neni.cz").ok);
}

TEST_F(ConverterSessionTest, ConvertingTwiceGivesTheResultOnce) {
    writeBytes(dir / "slova.cz", "pes\r\nko\xE8ka\r\nk\xF9\xF2\r\n");
    writeBytes(dir / "slova.ang", "dog\r\ncat\r\n");
    ASSERT_TRUE(session.openCzech(dir / "slova.cz"));
    ASSERT_TRUE(session.openForeign(dir / "slova.ang"));
    ASSERT_TRUE(session.convert());
    ASSERT_TRUE(session.convert());
    EXPECT_EQ(result(), (Lines{"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ", "kůň;;[];NENÍ"}));
}

TEST_F(ConverterSessionTest, OpeningAListEmptiesTheResultAndKeepsTheOtherList) {
    writeBytes(dir / "a.cz", "pes\n");
    writeBytes(dir / "a.ang", "dog\n");
    writeBytes(dir / "b.nem", "Hund\n");
    ASSERT_TRUE(session.openCzech(dir / "a.cz"));
    ASSERT_TRUE(session.openForeign(dir / "a.ang"));
    ASSERT_TRUE(session.convert());
    ASSERT_TRUE(session.openForeign(dir / "b.nem"));
    EXPECT_TRUE(result().empty());
    EXPECT_EQ(session.lines(Box::Czech), (Lines{"pes"}));
    EXPECT_EQ(session.lines(Box::Foreign), (Lines{"Hund"}));
    // An unreadable list changes nothing.
    const auto before = changes.size();
    EXPECT_FALSE(session.openCzech(dir / "neni.cz"));
    EXPECT_EQ(changes.size(), before);
    EXPECT_EQ(session.lines(Box::Czech), (Lines{"pes"}));
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
}

TEST_F(ConverterSessionTest, MissingListsAndAnEmptyResultAreReported) {
    EXPECT_FALSE(session.convert());
    writeBytes(dir / "a.cz", "pes\n");
    writeBytes(dir / "prazdny.ang", "");
    ASSERT_TRUE(session.openCzech(dir / "a.cz"));
    ASSERT_TRUE(session.openForeign(dir / "prazdny.ang"));
    EXPECT_FALSE(session.convert());
    EXPECT_FALSE(session.save());
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Nelze převést slovníky, není načtený slovník s Českými výrazy",
                                        "Nelze převést slovníky, není načtený slovník s Cizími výrazy",
                                        "Nelze úkladat prázdný slovník!!!"}));
}

TEST_F(ConverterSessionTest, SavingWritesADictionaryAndEmptiesAllThreeBoxes) {
    writeBytes(dir / "a.cz", "pes\nkočka\n");
    writeBytes(dir / "a.ang", "dog\ncat\n");
    ASSERT_TRUE(session.openCzech(dir / "a.cz"));
    ASSERT_TRUE(session.openForeign(dir / "a.ang"));
    ASSERT_TRUE(session.convert());

    EXPECT_FALSE(session.save());  // Cancel
    EXPECT_EQ(result().size(), 2u);

    nextSavePath = dir / "novy.slv";
    ASSERT_TRUE(session.save());
    EXPECT_EQ(readBytes(dir / "novy.slv"), "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[];NEN\xCD\r\n");
    const DictionaryLoad loaded = loadDictionary(dir / "novy.slv");
    ASSERT_EQ(loaded.table.size(), 2u);
    EXPECT_EQ(loaded.table.at(1), (Expression{"cat", "kočka", "[]", "NENÍ"}));
    for (const Box box : {Box::Czech, Box::Foreign, Box::Result}) EXPECT_TRUE(session.lines(box).empty());

    nextSavePath = dir / "druhy.slv";
    EXPECT_FALSE(session.save());
    EXPECT_FALSE(fs::exists(dir / "druhy.slv"));
    EXPECT_EQ(prompter.texts(Kind::Information), (std::vector<std::string>{"Nelze úkladat prázdný slovník!!!"}));
}

TEST_F(ConverterSessionTest, TextWindows1250CannotHoldIsSavedAsUtf8AndAFailedWriteKeepsTheBoxes) {
    writeBytes(dir / "a.cz", "čaj\n");
    writeBytes(dir / "a.rus", "чай\n");
    ASSERT_TRUE(session.openCzech(dir / "a.cz"));
    ASSERT_TRUE(session.openForeign(dir / "a.rus"));
    ASSERT_TRUE(session.convert());
    EXPECT_FALSE(session.saveTo(dir / "a.cz" / "x.slv"));
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_EQ(result().size(), 1u);
    ASSERT_TRUE(session.saveTo(dir / "caj.slv"));
    EXPECT_EQ(readBytes(dir / "caj.slv"), "čaj;чай;[];NENÍ\r\n");
}

}  // namespace
}  // namespace lexo
