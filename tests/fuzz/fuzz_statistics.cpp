// Any bytes must read as rows; what is written back must read the same again, and the
// lists, the chart and the summary must cope with whatever the rows hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "statistics/statistics_chart.h"
#include "statistics/statistics_file.h"
#include "statistics/statistics_report.h"
#include "statistics/statistics_values.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexo;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const StatisticsText first = parseStatisticsText(bytes);

    std::vector<StatisticsRow> named;
    for (const StatisticsRow& row : first.rows) {
        for (const std::string& field : row.fields)
            check(field.find_first_of(";\r\n") == std::string::npos);
        if (row.isStatisticsRow()) named.push_back(row);
    }
    TextEncoding encoding = first.encoding;
    const std::string written = buildStatisticsText(first.rows, encoding);
    const StatisticsText second = parseStatisticsText(written);
    check(second.rows == named);

    const std::vector<std::string> names = statisticsDictionaryNames(first.rows);
    for (std::size_t i = 0; i < names.size() && i < 4; ++i) {
        const std::vector<std::string> dates = statisticsDictionaryDates(first.rows, names[i]);
        check(!dates.empty());
        for (ChartChoice choice : {ChartChoice::Success, ChartChoice::Correct, ChartChoice::Wrong}) {
            const StatisticsChart chart = buildStatisticsChart(first.rows, names[i], dates.front(), dates.back(), choice);
            check(chart.complete() || chart.titleLine1.empty());
            if (chart.complete()) check(chart.axis.maximum >= 2);
        }
    }
    for (const StatisticsRow& row : first.rows) {
        if (const auto date = parseStatisticsDate(row.date())) check(date->month >= 1 && date->month <= 12);
        (void)parseStatisticsInteger(row[StatisticsColumn::Success]);
    }
    (void)formatStatisticsReport(first.rows);
    return 0;
}
