#include "statistics/statistics_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "statistics/statistics_store.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using Strings = std::vector<std::string>;

StatisticsRow row(std::string name, std::string date, std::string correct, std::string wrong, std::string success) {
    return StatisticsRow{{std::move(name), std::move(date), "10:00:00", std::move(correct), std::move(wrong),
                          std::move(success), "Ano", "Zkoušení I"}};
}

std::vector<int> values(const StatisticsChart& chart) {
    std::vector<int> result;
    for (const ChartBar& bar : chart.bars) result.push_back(bar.value);
    return result;
}

Strings labels(const StatisticsChart& chart) {
    Strings result;
    for (const ChartBar& bar : chart.bars) result.push_back(bar.label);
    return result;
}

// Two dictionaries interleaved, one of them tested twice on one day.
const std::vector<StatisticsRow> kRows{
    row("anglictina", "1.12.2006", "10", "2", "83"),
    row("nemcina", "2.12.2006", "5", "5", "50"),
    row("anglictina", "3.12.2006", "12", "0", "100"),
    row("", "3.12.2006", "99", "99", "99"),
    row("anglictina", "3.12.2006", "7", "5", "58"),
    row("nemcina", "4.12.2006", "6", "4", "60"),
    row("anglictina", "10.12.2006", "9", "3", "75"),
};

TEST(StatisticsLists, DictionariesOnceEachInTheOrderOfTheirFirstRow) {
    EXPECT_EQ(statisticsDictionaryNames(kRows), (Strings{"anglictina", "nemcina"}));
    EXPECT_TRUE(statisticsDictionaryNames({row("", "1.1.2020", "1", "1", "50")}).empty());
}

TEST(StatisticsLists, DatesOfOneDictionaryOnceEachInRowOrder) {
    EXPECT_EQ(statisticsDictionaryDates(kRows, "anglictina"), (Strings{"1.12.2006", "3.12.2006", "10.12.2006"}));
    EXPECT_EQ(statisticsDictionaryDates(kRows, "nemcina"), (Strings{"2.12.2006", "4.12.2006"}));
    EXPECT_TRUE(statisticsDictionaryDates(kRows, "").empty());
}

TEST(StatisticsChartBars, APeriodSelectsTheRowsBetweenItsDatesInclusive) {
    StatisticsChart chart = buildStatisticsChart(kRows, "anglictina", "3.12.2006", "10.12.2006", ChartChoice::Success);
    ASSERT_TRUE(chart.complete()) << chart.error;
    EXPECT_EQ(values(chart), (std::vector<int>{100, 58, 75}));
    // Two tests on one day: two bars under the same date.
    EXPECT_EQ(labels(chart), (Strings{"3.12.2006", "3.12.2006", "10.12.2006"}));

    // Dates compare as dates: "10.12." comes after "3.12." although it sorts before it as text.
    chart = buildStatisticsChart(kRows, "anglictina", "1.12.2006", "3.12.2006", ChartChoice::Correct);
    EXPECT_EQ(values(chart), (std::vector<int>{10, 12, 7}));
    chart = buildStatisticsChart(kRows, "anglictina", "4.12.2006", "9.12.2006", ChartChoice::Wrong);
    EXPECT_TRUE(chart.bars.empty());
    // A typed date in another spelling is still a date.
    chart = buildStatisticsChart(kRows, "nemcina", "02.12.06", "4.12.2006", ChartChoice::Wrong);
    EXPECT_EQ(values(chart), (std::vector<int>{5, 4}));
}

TEST(StatisticsChartAxis, PerCentIsFixedAndCountsFollowTheBestRowOfAllDates) {
    StatisticsChart chart = buildStatisticsChart(kRows, "anglictina", "1.12.2006", "10.12.2006", ChartChoice::Success);
    EXPECT_EQ(chart.axis, (ChartAxis{0, 102, 10}));
    EXPECT_EQ(chart.titleLine1, "Lexo slovník: anglictina");
    EXPECT_EQ(chart.titleLine2, "Úspěšnost zkoušení v %");

    // The best result is 12 right, outside this period: the axis still reaches 14.
    chart = buildStatisticsChart(kRows, "anglictina", "10.12.2006", "10.12.2006", ChartChoice::Correct);
    EXPECT_EQ(values(chart), (std::vector<int>{9}));
    EXPECT_EQ(chart.axis, (ChartAxis{0, 14, 2}));
    EXPECT_EQ(chart.titleLine2, "Porovnání počtu správných výrazů");

    chart = buildStatisticsChart(kRows, "anglictina", "1.12.2006", "1.12.2006", ChartChoice::Wrong);
    EXPECT_EQ(chart.axis, (ChartAxis{0, 7, 2}));
    EXPECT_EQ(chart.titleLine2, "Porovnání počtu špatných výrazů");

    // Nothing above zero: the axis ends at 2.
    const std::vector<StatisticsRow> perfect{row("a", "1.1.2020", "3", "0", "100")};
    EXPECT_EQ(buildStatisticsChart(perfect, "a", "1.1.2020", "1.1.2020", ChartChoice::Wrong).axis, (ChartAxis{0, 2, 2}));
}

TEST(StatisticsChartErrors, StopTheChartAndKeepTheBarsSoFar) {
    std::vector<StatisticsRow> rows{
        row("a", "1.1.2020", "1", "0", "100"),
        row("a", "2.1.2020", "2", "0", "100"),
        row("a", "1/3/2020", "3", "0", "100"),
        row("a", "4.1.2020", "4", "0", "100"),
    };
    StatisticsChart chart = buildStatisticsChart(rows, "a", "1.1.2020", "4.1.2020", ChartChoice::Correct);
    EXPECT_EQ(chart.error, "'1/3/2020' is not a valid date");
    EXPECT_EQ(values(chart), (std::vector<int>{1, 2}));
    EXPECT_TRUE(chart.titleLine1.empty());

    rows[2] = row("a", "3.1.2020", "tři", "0", "100");
    chart = buildStatisticsChart(rows, "a", "1.1.2020", "4.1.2020", ChartChoice::Correct);
    EXPECT_EQ(chart.error, "'tři' is not a valid integer value");
    EXPECT_EQ(values(chart), (std::vector<int>{1, 2}));

    // Outside the period a bad number is not read for the bars, but the axis reads them all.
    chart = buildStatisticsChart(rows, "a", "4.1.2020", "4.1.2020", ChartChoice::Correct);
    EXPECT_EQ(values(chart), (std::vector<int>{4}));
    EXPECT_EQ(chart.error, "'tři' is not a valid integer value");
    chart = buildStatisticsChart(rows, "a", "4.1.2020", "4.1.2020", ChartChoice::Success);
    EXPECT_TRUE(chart.complete());

    // A typed period bound that is no date stops the chart before any bar.
    chart = buildStatisticsChart(rows, "a", "včera", "4.1.2020", ChartChoice::Success);
    EXPECT_EQ(chart.error, "'včera' is not a valid date");
    EXPECT_TRUE(chart.bars.empty());
    chart = buildStatisticsChart(rows, "a", "1.1.2020", "zítra", ChartChoice::Success);
    EXPECT_EQ(chart.error, "'zítra' is not a valid date");
}

class StatisticsChartSessionTest : public ::testing::Test {
protected:
    StatisticsChartSessionTest() : store_(dir_ / "statistiky.dat", clock_) {
        store_.load();
        for (const StatisticsRow& r : kRows) store_.appendRow(r);
    }

    testing::TempDir dir_;
    FakeClock clock_;
    StatisticsStore store_;
    StatisticsChartSession session_{store_};
};

TEST_F(StatisticsChartSessionTest, RefreshListsTheDictionariesBehindVyberte) {
    EXPECT_EQ(session_.dictionaryItems(), (Strings{"vyberte.."}));
    session_.refreshDictionaries();
    EXPECT_EQ(session_.dictionaryItems(), (Strings{"vyberte..", "anglictina", "nemcina"}));
    EXPECT_EQ(session_.dictionaryIndex(), 0u);
    EXPECT_EQ(session_.periodItems(), (Strings{"-"}));
    EXPECT_EQ(session_.chosenDictionary(), "");
}

TEST_F(StatisticsChartSessionTest, ChoosingADictionaryFillsThePeriodFromFirstToLast) {
    session_.refreshDictionaries();
    session_.chooseDictionary(1);
    EXPECT_EQ(session_.periodItems(), (Strings{"1.12.2006", "3.12.2006", "10.12.2006"}));
    EXPECT_EQ(session_.fromText(), "1.12.2006");
    EXPECT_EQ(session_.toText(), "10.12.2006");
    EXPECT_EQ(session_.toIndex(), 2u);

    session_.chooseDictionary(0);
    EXPECT_EQ(session_.periodItems(), (Strings{"-"}));
    EXPECT_EQ(session_.fromText(), "-");

    // Refreshing forgets the choice.
    session_.chooseDictionary(2);
    session_.refreshDictionaries();
    EXPECT_EQ(session_.dictionaryIndex(), 0u);
    EXPECT_EQ(session_.periodItems(), (Strings{"-"}));
}

TEST_F(StatisticsChartSessionTest, ThePeriodStaysInOrder) {
    session_.refreshDictionaries();
    session_.chooseDictionary(1);

    auto change = session_.selectFrom(1);
    EXPECT_FALSE(change.reset);
    EXPECT_EQ(session_.fromText(), "3.12.2006");

    change = session_.selectTo(1);  // equal to "od:": allowed
    EXPECT_FALSE(change.reset);
    EXPECT_EQ(session_.toText(), "3.12.2006");

    change = session_.selectTo(0);  // before "od:": back to the last entry
    EXPECT_TRUE(change.reset);
    EXPECT_EQ(session_.toIndex(), 2u);
    EXPECT_EQ(session_.toText(), "10.12.2006");

    session_.selectTo(1);
    change = session_.selectFrom(2);  // after "do:": back to the first entry
    EXPECT_TRUE(change.reset);
    EXPECT_EQ(session_.fromIndex(), 0u);
    EXPECT_EQ(session_.fromText(), "1.12.2006");
    EXPECT_TRUE(change.error.empty());
}

TEST_F(StatisticsChartSessionTest, ATypedBoundThatIsNoDateIsReportedWhenCompared) {
    session_.refreshDictionaries();
    session_.chooseDictionary(1);
    session_.typeTo("konec roku");
    const auto change = session_.selectFrom(1);
    EXPECT_EQ(change.error, "'konec roku' is not a valid date");
    EXPECT_FALSE(change.reset);
    EXPECT_EQ(session_.fromText(), "3.12.2006");

    const auto shown = session_.show(ChartChoice::Success);
    EXPECT_EQ(shown.chart.error, "'konec roku' is not a valid date");
}

TEST_F(StatisticsChartSessionTest, ShowNeedsADictionaryAndSavingNeedsAChartOnShow) {
    session_.refreshDictionaries();
    EXPECT_EQ(session_.saveRefusal(), kChartNotShownMessage);
    EXPECT_EQ(session_.show(ChartChoice::Success).outcome, StatisticsChartSession::ShowOutcome::NoDictionary);
    EXPECT_FALSE(session_.chartVisible());

    session_.chooseDictionary(2);
    const auto shown = session_.show(ChartChoice::Correct);
    ASSERT_EQ(shown.outcome, StatisticsChartSession::ShowOutcome::Drawn);
    EXPECT_EQ(values(shown.chart), (std::vector<int>{5, 6}));
    EXPECT_EQ(shown.chart.axis, (ChartAxis{0, 8, 2}));
    EXPECT_FALSE(session_.saveRefusal().has_value());

    session_.windowClosed();
    EXPECT_EQ(session_.saveRefusal(), kChartNotShownMessage);
}

TEST_F(StatisticsChartSessionTest, RowsDeletedAfterTheRefreshSimplyGiveFewerBars) {
    session_.refreshDictionaries();
    session_.chooseDictionary(2);
    store_.deleteAll();
    const auto shown = session_.show(ChartChoice::Wrong);
    EXPECT_TRUE(shown.chart.complete());
    EXPECT_TRUE(shown.chart.bars.empty());
    EXPECT_EQ(shown.chart.axis, (ChartAxis{0, 2, 2}));
    session_.chooseDictionary(1);
    EXPECT_TRUE(session_.periodItems().empty());
}

}  // namespace
}  // namespace lexo
