#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "statistics/statistics_row.h"

namespace lexo {

struct DictionarySummary {
    std::string dictionary;
    std::size_t tests = 0;
    std::string lastDate;                  // the latest date, as its row writes it
    std::optional<int> bestSuccess;        // over the rows whose success is a number
    std::optional<double> averageSuccess;

    bool operator==(const DictionarySummary&) const = default;
};

// One entry per dictionary, in the order of their first rows; rows without a name are
// passed by. A date that cannot be read never counts as the latest unless no date can.
std::vector<DictionarySummary> summarizeStatistics(const std::vector<StatisticsRow>& rows);

// The rows as an aligned text table under the column titles, then the summary, for a
// terminal. Czech number format (decimal comma).
std::string formatStatisticsReport(const std::vector<StatisticsRow>& rows);

}  // namespace lexo
