#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lexo {

inline constexpr std::string_view kStatisticsFileName = "statistiky.dat";

enum class StatisticsColumn : std::size_t { Dictionary, Date, Time, Correct, Wrong, Success, Finished, Mode };
inline constexpr std::size_t kStatisticsColumnCount = 8;

inline constexpr std::array<std::string_view, kStatisticsColumnCount> kStatisticsColumnTitles{
    "Název slovníku", "Datum", "Čas", "Správně", "Špatně", "Úspěšnost[%]", "Dokončeno", "Způsob"};

inline constexpr std::string_view kTestFinishedText = "Ano";
inline constexpr std::string_view kTestBrokenOffText = "Ne";

enum class TestMode { TestOne, TestTwo };
inline constexpr std::string_view kTestOneModeText = "Zkoušení I";
inline constexpr std::string_view kTestTwoModeText = "Zkoušení II";
std::string_view testModeText(TestMode mode);

// One test as the statistics keep it: eight texts in column order. Numbers stay text; only
// the chart reads them as numbers. A row without a dictionary name is no statistics row:
// the file, the dictionary list and the chart pass it by.
struct StatisticsRow {
    std::array<std::string, kStatisticsColumnCount> fields;

    const std::string& operator[](StatisticsColumn column) const { return fields[static_cast<std::size_t>(column)]; }
    std::string& operator[](StatisticsColumn column) { return fields[static_cast<std::size_t>(column)]; }

    const std::string& dictionary() const { return (*this)[StatisticsColumn::Dictionary]; }
    const std::string& date() const { return (*this)[StatisticsColumn::Date]; }
    bool isStatisticsRow() const { return !dictionary().empty(); }

    bool operator==(const StatisticsRow&) const = default;
};

}  // namespace lexo
