#include "statistics/statistics_values.h"

#include <gtest/gtest.h>

namespace lexo {
namespace {

TEST(StatisticsSuccess, IsCutToTheWholePerCent) {
    EXPECT_EQ(successText(17, 3, 20), "85");
    EXPECT_EQ(successText(2, 1, 3), "66");
    EXPECT_EQ(successText(20, 0, 20), "100");
    EXPECT_EQ(successText(1, 2, 3), "33");
    EXPECT_EQ(successText(199, 1, 200), "99");
    // The count reached, not the answers given, is what the success is measured against.
    EXPECT_EQ(successText(3, 1, 10), "30");
    // 29 / 100 × 100 is 28.999… in binary floating point; the cut must still give 29.
    EXPECT_EQ(successText(29, 71, 100), "29");
    EXPECT_EQ(successText(7, 93, 100), "7");
}

TEST(StatisticsSuccess, NeverDividesByZero) {
    EXPECT_EQ(successText(3, 1, 0), "75");
    EXPECT_EQ(successText(0, 0, 0), "0");
    EXPECT_EQ(successText(-5, 2, 4), "0");
}

TEST(StatisticsDateTime, AreWrittenTheCzechWay) {
    EXPECT_EQ(formatStatisticsDate({2006, 12, 8, 14, 5, 33}), "8.12.2006");
    EXPECT_EQ(formatStatisticsTime({2006, 12, 8, 14, 5, 33}), "14:05:33");
    EXPECT_EQ(formatStatisticsDate({2024, 1, 31, 0, 0, 0}), "31.1.2024");
    EXPECT_EQ(formatStatisticsTime({2024, 1, 31, 9, 0, 7}), "9:00:07");
    EXPECT_EQ(formatStatisticsTime({2024, 1, 31, 0, 0, 0}), "0:00:00");
}

TEST(StatisticsDateParse, AcceptsWhatPeopleAndOlderRowsWrite) {
    EXPECT_EQ(parseStatisticsDate("8.12.2006"), (CalendarDate{2006, 12, 8}));
    EXPECT_EQ(parseStatisticsDate("08.02.2006"), (CalendarDate{2006, 2, 8}));
    EXPECT_EQ(parseStatisticsDate(" 8. 12. 2006 "), (CalendarDate{2006, 12, 8}));
    EXPECT_EQ(parseStatisticsDate("8.12.06"), (CalendarDate{2006, 12, 8}));
    EXPECT_EQ(parseStatisticsDate("8.12.98"), (CalendarDate{1998, 12, 8}));
    EXPECT_EQ(parseStatisticsDate("29.2.2024"), (CalendarDate{2024, 2, 29}));
    EXPECT_EQ(parseStatisticsDate("29.2.2000"), (CalendarDate{2000, 2, 29}));
}

TEST(StatisticsDateParse, RefusesEverythingElse) {
    for (const char* text : {"", "-", "8.12", "8.12.2006.", "12/8/2006", "2006-12-08", "29.2.2023", "29.2.1900",
                             "31.4.2020", "0.1.2020", "1.13.2020", "1.0.2020", "1.1.10000", "a.1.2020",
                             "1..2020", "+1.1.2020", "1.1.2020 x", "1.1.2020 10:00"}) {
        EXPECT_FALSE(parseStatisticsDate(text).has_value()) << text;
    }
}

TEST(StatisticsDateParse, OrdersAsDatesNotAsText) {
    EXPECT_LT(*parseStatisticsDate("9.12.2006"), *parseStatisticsDate("10.12.2006"));
    EXPECT_LT(*parseStatisticsDate("31.12.2005"), *parseStatisticsDate("1.1.2006"));
    EXPECT_EQ(*parseStatisticsDate("01.01.2006"), *parseStatisticsDate("1.1.2006"));
}

TEST(StatisticsIntegerParse, ReadsWholeNumbersOnly) {
    EXPECT_EQ(parseStatisticsInteger("85"), 85);
    EXPECT_EQ(parseStatisticsInteger("  7"), 7);
    EXPECT_EQ(parseStatisticsInteger("-3"), -3);
    EXPECT_EQ(parseStatisticsInteger("+3"), 3);
    EXPECT_EQ(parseStatisticsInteger("$1F"), 31);
    EXPECT_EQ(parseStatisticsInteger("0x10"), 16);
    EXPECT_EQ(parseStatisticsInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseStatisticsInteger("-2147483648"), -2147483647 - 1);
    for (const char* text : {"", " ", "-", "7 ", "8,5", "8.5", "1e3", "2147483648", "99999999999999999999", "$",
                             "0x", "12a", "Ano"}) {
        EXPECT_FALSE(parseStatisticsInteger(text).has_value()) << text;
    }
}

TEST(StatisticsMessages, QuoteTheTextThatFailed) {
    EXPECT_EQ(invalidDateMessage("12/8/2006"), "'12/8/2006' is not a valid date");
    EXPECT_EQ(invalidIntegerMessage("8,5"), "'8,5' is not a valid integer value");
}

TEST(StatisticsNames, ComeFromTheFileNameWithoutItsSlvEnding) {
    EXPECT_EQ(dictionaryNameFromPath("/home/jana/Slovníky/slovíčka.slv"), "slovíčka");
    EXPECT_EQ(dictionaryNameFromPath("slovicka.Slv"), "slovicka");
    EXPECT_EQ(dictionaryNameFromPath("/d/archiv.slv.bak"), "archiv.slv.bak");
    EXPECT_EQ(dictionaryNameFromPath("/d/.slv"), ".slv");
    EXPECT_EQ(dictionaryNameFromPath("/d/a\nb;c.slv"), "a b,c");
}

}  // namespace
}  // namespace lexo
