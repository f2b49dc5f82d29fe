#include <gtest/gtest.h>

#include "help/tips.h"
#include "support/fake_random.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using testing::TempDir;
using testing::writeBytes;

TEST(TipsFile, ReadsNumberHeadingAndTextInWindows1250) {
    // "Úvod" and "Čeština" in Windows-1250, CR LF line ends, a fourth field ignored.
    const TipsLoad load = parseTips("1;\xDAvod;Prvn\xED tip\r\n2;\xC8" "e\x9Atina;Druh\xFD;nav\xED" "c\r\n");
    ASSERT_EQ(load.status, TipsLoad::Status::Ok);
    ASSERT_EQ(load.tips.size(), 2u);
    EXPECT_EQ(load.tips[0], (Tip{1, "1", "Úvod", "První tip"}));
    EXPECT_EQ(load.tips[1], (Tip{2, "2", "Čeština", "Druhý"}));
    EXPECT_EQ(load.encoding, TextEncoding::Windows1250);
    EXPECT_FALSE(load.broken());
}

TEST(TipsFile, ShortLinesAndBlankLines) {
    const TipsLoad load = parseTips("7;Jen nadpis\n\n 8\n-3;Z\xE1porn\xE9;ok");
    ASSERT_EQ(load.tips.size(), 3u);
    EXPECT_EQ(load.tips[0], (Tip{7, "7", "Jen nadpis", ""}));
    EXPECT_EQ(load.tips[1], (Tip{8, " 8", "", ""}));
    EXPECT_EQ(load.tips[2].number, -3);
    EXPECT_EQ(load.tips[2].heading, "Záporné");
    EXPECT_EQ(tipBoxText(load.tips[0]), "\nJen nadpis\n\n\n");
}

TEST(TipsFile, NumberThatIsNotAnIntegerIsReportedAndLeftOut) {
    const TipsLoad load = parseTips("1;A;a\nX2;B;b\n3 ;C;c\n99999999999;D;d\n4;E;e\n");
    ASSERT_EQ(load.tips.size(), 2u);
    EXPECT_EQ(load.tips[1].heading, "E");
    EXPECT_EQ(load.conversionErrors,
              (std::vector<std::string>{"'X2' is not a valid integer value", "'3 ' is not a valid integer value",
                                        "'99999999999' is not a valid integer value"}));
    EXPECT_EQ(parseTipNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseTipNumber("2147483648"), std::nullopt);
    EXPECT_EQ(parseTipNumber("+"), std::nullopt);
    EXPECT_EQ(parseTipNumber(""), std::nullopt);
}

TEST(TipsFile, MissingEmptyOrUselessFileIsBroken) {
    TempDir dir;
    EXPECT_EQ(loadTips(dir / "Tips.umv").status, TipsLoad::Status::Missing);
    writeBytes(dir / "Tips.umv", "");
    EXPECT_EQ(loadTips(dir / "Tips.umv").status, TipsLoad::Status::Empty);
    writeBytes(dir / "Tips.umv", "x;y;z\r\n");
    EXPECT_TRUE(loadTips(dir / "Tips.umv").broken());
    std::filesystem::create_directory(dir / "folder.umv");
    EXPECT_EQ(loadTips(dir / "folder.umv").status, TipsLoad::Status::Missing);
}

TEST(TipChoice, OneTipIsAlwaysShownAndTheDrawCoversAll) {
    ScriptedRandom scripted;
    scripted.picks = {5};
    EXPECT_EQ(chooseTip(scripted, 1), 0u);
    // A generator that answers out of range still picks an existing tip.
    EXPECT_LT(chooseTip(scripted, 3), 3u);

    SeededRandom random;
    std::vector<int> seen(4, 0);
    for (int i = 0; i < 400; ++i) ++seen.at(chooseTip(random, 4));
    for (const int count : seen) EXPECT_GT(count, 50);
}

TEST(TipsBook, WriterIsReadBackUnchanged) {
    TempDir dir;
    const std::filesystem::path path = dir / "Tips.umv";
    writeBytes(path, "3;Prvn\xED;a\r\n9;Druh\xFD;b\r\n12;T\xF8" "et\xED;c\r\n");
    TipsLoad load = loadTips(path);
    TipsBook book(load.tips, load.encoding);
    ASSERT_TRUE(book.remove(1));
    EXPECT_FALSE(book.remove(5));
    EXPECT_FALSE(book.add("", "text"));
    EXPECT_FALSE(book.add("Nadpis", ""));
    ASSERT_TRUE(book.add("Nový; se středníkem", "Řádek jedna\nřádek dva"));
    ASSERT_TRUE(book.save(path).ok);

    // Renumbered in list order; the separator and the line break would split the tip.
    const TipsLoad again = loadTips(path);
    ASSERT_EQ(again.tips.size(), 3u);
    EXPECT_EQ(again.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(again.tips[0], (Tip{1, "1", "První", "a"}));
    EXPECT_EQ(again.tips[1], (Tip{2, "2", "Třetí", "c"}));
    EXPECT_EQ(again.tips[2], (Tip{3, "3", "Nový, se středníkem", "Řádek jedna řádek dva"}));
    EXPECT_EQ(again.tips, book.tips());

    // A second save of what was read gives the same bytes.
    const std::string first = testing::readBytes(path);
    TipsBook reread(again.tips, again.encoding);
    ASSERT_TRUE(reread.save(path).ok);
    EXPECT_EQ(testing::readBytes(path), first);
}

TEST(TipsBook, FailedSaveIsReported) {
    TempDir dir;
    TipsBook book;
    book.add("A", "a");
    writeBytes(dir / "file", "x");
    // A folder that cannot exist: its parent is a file.
    EXPECT_FALSE(book.save(dir / "file" / "Tips.umv").ok);
    EXPECT_EQ(testing::readBytes(dir / "file"), "x");
}

TEST(SecretSequence, LettersInOrderWithOthersBetween) {
    SecretSequence secret;
    EXPECT_FALSE(secret.feed(U't'));
    EXPECT_FALSE(secret.feed(U'x'));
    EXPECT_FALSE(secret.feed(U'p'));  // p before i does not count
    EXPECT_FALSE(secret.feed(U'i'));
    EXPECT_TRUE(secret.feed(U'p'));
    // It starts again after revealing.
    EXPECT_FALSE(secret.feed(U'i'));
    EXPECT_FALSE(secret.feed(U'p'));
    EXPECT_FALSE(secret.feed(U't'));
    EXPECT_FALSE(secret.feed(U'i'));
    EXPECT_TRUE(secret.feed(U'p'));
}

}  // namespace
}  // namespace lexo
