#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ports.h"

namespace lexo {

// Dates and times of statistics rows are written the Czech way whatever the machine's
// locale: "8.12.2006" and "14:05:33".
std::string formatStatisticsDate(const LocalDateTime& when);
std::string formatStatisticsTime(const LocalDateTime& when);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const CalendarDate&) const = default;
};

// Reads "d.M.yyyy" leniently, as a person or an older row may have written it: leading
// zeros, blanks around the numbers, and two-digit years (00–49 → 2000s, 50–99 → 1900s).
// nullopt for anything that is not a real calendar day.
std::optional<CalendarDate> parseStatisticsDate(std::string_view text);

// A whole number as rows store it: optional blanks in front, a sign, decimal digits, or
// hexadecimal after "$" or "0x". Must fit 32 bits.
std::optional<int> parseStatisticsInteger(std::string_view text);

// The conversion errors that stop a chart, worded as users of the Windows version know them.
std::string invalidDateMessage(std::string_view text);
std::string invalidIntegerMessage(std::string_view text);

// The success of a test in whole per cent, cut and not rounded: 17 of 20 → "85", 2 of 3 →
// "66". `reached` is how many expressions the test got to; when a caller passes none, the
// answers given stand in for it so that a row never divides by zero. Negative counts
// count as none.
std::string successText(int correct, int wrong, int reached);

// "…/slovicka.slv" → "slovicka". Only a real ".slv" ending is cut (in any case), so a
// dictionary kept under another extension keeps a name that comes back whole from the file.
// Characters the file cannot hold inside a field (";" and line breaks) are replaced.
std::string dictionaryNameFromPath(std::string_view path);

}  // namespace lexo
