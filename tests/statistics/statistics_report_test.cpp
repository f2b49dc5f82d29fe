#include "statistics/statistics_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "text/text_codec.h"

namespace lexo {
namespace {

StatisticsRow row(std::string name, std::string date, std::string success) {
    return StatisticsRow{{std::move(name), std::move(date), "10:00:00", "1", "1", std::move(success), "Ano", "Zkoušení I"}};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(StatisticsSummary, CountsTestsAndFindsTheLatestDateAndTheBestAndAverageSuccess) {
    const std::vector<StatisticsRow> rows{
        row("anglictina", "10.12.2006", "80"),
        row("nemcina", "1.1.2007", "40"),
        row("anglictina", "9.12.2006", "95"),  // later row, earlier date
        row("", "1.1.2030", "100"),
        row("anglictina", "3.12.2006", "x"),  // no number: counted as a test, not in the success
        row("nemcina", "31.2.2007", "41"),    // no date: never the latest
    };
    const std::vector<DictionarySummary> summary = summarizeStatistics(rows);
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(summary[0].dictionary, "anglictina");
    EXPECT_EQ(summary[0].tests, 3u);
    EXPECT_EQ(summary[0].lastDate, "10.12.2006");
    EXPECT_EQ(summary[0].bestSuccess, 95);
    ASSERT_TRUE(summary[0].averageSuccess.has_value());
    EXPECT_DOUBLE_EQ(*summary[0].averageSuccess, 87.5);
    EXPECT_EQ(summary[1].tests, 2u);
    EXPECT_EQ(summary[1].lastDate, "1.1.2007");
    EXPECT_EQ(summary[1].bestSuccess, 41);

    const std::vector<DictionarySummary> unreadable = summarizeStatistics({row("a", "dnes", "n")});
    EXPECT_EQ(unreadable[0].lastDate, "dnes");
    EXPECT_FALSE(unreadable[0].bestSuccess.has_value());
    EXPECT_FALSE(unreadable[0].averageSuccess.has_value());
}

TEST(StatisticsReport, AlignsColumnsByCharactersAndUsesADecimalComma) {
    const std::vector<StatisticsRow> rows{row("žluťoučký kůň", "8.12.2006", "85"), row("a", "10.12.2006", "100"),
                                          row("a", "11.12.2006", "7")};
    const std::vector<std::string> out = lines(formatStatisticsReport(rows));
    ASSERT_GE(out.size(), 8u);
    // Every table line has its date column at the same character position.
    const std::size_t dateColumn = codePointCount(out[0].substr(0, out[0].find("Datum")));
    for (int i = 1; i <= 3; ++i) {
        const std::size_t at = out[i].find(rows[static_cast<std::size_t>(i - 1)].date());
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(codePointCount(out[i].substr(0, at)), dateColumn) << out[i];
    }
    // Success is right-aligned under its title.
    const std::size_t successEnd = codePointCount(out[0].substr(0, out[0].find("Úspěšnost[%]"))) + 12;
    EXPECT_EQ(codePointCount(out[3].substr(0, out[3].find(" 7 ") + 2)), successEnd) << out[3];

    const std::string text = formatStatisticsReport(rows);
    EXPECT_NE(text.find("Souhrn podle slovníků (2)"), std::string::npos);
    EXPECT_NE(text.find("53,5"), std::string::npos);  // average of 100 and 7
    EXPECT_EQ(formatStatisticsReport({}), "Statistiky neobsahují žádný záznam.\n");
}

}  // namespace
}  // namespace lexo
