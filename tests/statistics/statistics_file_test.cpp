#include "statistics/statistics_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/text_codec.h"

namespace lexo {
namespace {

StatisticsRow row(std::array<std::string, kStatisticsColumnCount> fields) { return StatisticsRow{std::move(fields)}; }

std::string cp1250(std::string_view utf8) { return encodeWindows1250(utf8).value(); }

TEST(StatisticsFileRead, ReadsTheEightFieldsAndDropsTheExtension) {
    const StatisticsText text =
        parseStatisticsText(cp1250("slovicka.slv;8.12.2006;14:05:33;17;3;85;Ano;Zkoušení I\r\n"
                                   "Příroda.slv;9.12.2006;9:01:02;1;1;50;Ne;Zkoušení II\r\n"));
    EXPECT_EQ(text.encoding, TextEncoding::Windows1250);
    ASSERT_EQ(text.rows.size(), 2u);
    EXPECT_EQ(text.rows[0], row({"slovicka", "8.12.2006", "14:05:33", "17", "3", "85", "Ano", "Zkoušení I"}));
    EXPECT_EQ(text.rows[1], row({"Příroda", "9.12.2006", "9:01:02", "1", "1", "50", "Ne", "Zkoušení II"}));
}

TEST(StatisticsFileRead, CutsFourCharactersNotBytesFromTheName) {
    // Whatever the name ends in, four characters go; four or fewer leave nothing.
    const StatisticsText text = parseStatisticsText(
        "abcd;1.1.2020\n"
        "ab;1.1.2020\n"
        "slovnik;1.1.2020\n"
        "\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD;1.1.2020\n");  // "žluťoučký" in UTF-8
    ASSERT_EQ(text.rows.size(), 4u);
    EXPECT_EQ(text.encoding, TextEncoding::Utf8);
    EXPECT_EQ(text.rows[0].dictionary(), "");
    EXPECT_EQ(text.rows[1].dictionary(), "");
    EXPECT_EQ(text.rows[2].dictionary(), "slo");
    EXPECT_EQ(text.rows[3].dictionary(), "žluťo");
    EXPECT_FALSE(text.rows[0].isStatisticsRow());
}

TEST(StatisticsFileRead, ShortLinesGetEmptyFieldsAndLongOnesLoseTheRest) {
    const StatisticsText text = parseStatisticsText("a.slv;1.1.2020\r\nb.slv;1;2;3;4;5;6;7;8;9\r\n;;;\r\n");
    ASSERT_EQ(text.rows.size(), 3u);
    EXPECT_EQ(text.rows[0], row({"a", "1.1.2020", "", "", "", "", "", ""}));
    EXPECT_EQ(text.rows[1], row({"b", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(text.rows[2], row({"", "", "", "", "", "", "", ""}));
}

TEST(StatisticsFileRead, LineEndsOfEveryKindAndBlankLines) {
    EXPECT_TRUE(parseStatisticsText("").rows.empty());
    EXPECT_TRUE(parseStatisticsText("\r\n\r\n\n\r").rows.empty());
    const StatisticsText text = parseStatisticsText("a.slv;1\rb.slv;2\n\nc.slv;3\r\n\r\nd.slv;4");
    ASSERT_EQ(text.rows.size(), 4u);
    EXPECT_EQ(text.rows[3], row({"d", "4", "", "", "", "", "", ""}));
}

TEST(StatisticsFileWrite, PutsTheExtensionBackEndsLinesWithCrLfAndSkipsNamelessRows) {
    const std::vector<StatisticsRow> rows{
        row({"slovicka", "8.12.2006", "14:05:33", "17", "3", "85", "Ano", "Zkoušení I"}),
        row({"", "8.12.2006", "14:05:33", "17", "3", "85", "Ano", "Zkoušení I"}),
        row({"b", "", "", "", "", "", "", ""}),
    };
    TextEncoding encoding = TextEncoding::Windows1250;
    const std::string bytes = buildStatisticsText(rows, encoding);
    EXPECT_EQ(encoding, TextEncoding::Windows1250);
    EXPECT_EQ(bytes, cp1250("slovicka.slv;8.12.2006;14:05:33;17;3;85;Ano;Zkoušení I\r\nb.slv;;;;;;;\r\n"));
    EXPECT_TRUE(buildStatisticsText({}, encoding).empty());
}

TEST(StatisticsFileWrite, KeepsTheEncodingItWasReadInAndNeverLosesACharacter) {
    const std::string utf8File = "Čeština.slv;1.1.2020;10:00:00;1;0;100;Ano;Zkoušení I\r\n";
    StatisticsText text = parseStatisticsText(utf8File);
    ASSERT_EQ(text.encoding, TextEncoding::Utf8);
    EXPECT_EQ(buildStatisticsText(text.rows, text.encoding), utf8File);

    // Windows-1250 has no Cyrillic: such a name is written in UTF-8 rather than lost.
    std::vector<StatisticsRow> rows{row({"русский", "1.1.2020", "", "", "", "", "", ""})};
    TextEncoding encoding = TextEncoding::Windows1250;
    const std::string bytes = buildStatisticsText(rows, encoding);
    EXPECT_NE(encoding, TextEncoding::Windows1250);
    EXPECT_EQ(parseStatisticsText(bytes).rows, rows);
}

}  // namespace
}  // namespace lexo
