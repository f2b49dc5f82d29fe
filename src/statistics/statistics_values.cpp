#include "statistics/statistics_values.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "text/text_codec.h"

namespace lexo {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// One number of a date: blanks, then digits; `digits` tells how many were read.
std::optional<int> readDateNumber(std::string_view text, std::size_t& pos, int& digits) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    long value = 0;
    digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (digits == 4) return std::nullopt;  // no part of a date is that long
        value = value * 10 + (text[pos] - '0');
        ++digits;
        ++pos;
    }
    if (digits == 0) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

std::string formatStatisticsDate(const LocalDateTime& when) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%04d", when.day, when.month, when.year);
    return buffer;
}

std::string formatStatisticsTime(const LocalDateTime& when) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", when.hour, when.minute, when.second);
    return buffer;
}

std::optional<CalendarDate> parseStatisticsDate(std::string_view text) {
    std::size_t pos = 0;
    int parts[3] = {};
    int yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
        int digits = 0;
        const std::optional<int> number = readDateNumber(text, pos, digits);
        if (!number) return std::nullopt;
        parts[i] = *number;
        if (i < 2) {
            while (pos < text.size() && isBlank(text[pos])) ++pos;
            if (pos >= text.size() || text[pos] != '.') return std::nullopt;
            ++pos;
        } else {
            yearDigits = digits;
        }
    }
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos != text.size()) return std::nullopt;

    CalendarDate date{parts[2], parts[1], parts[0]};
    if (yearDigits <= 2) date.year += date.year < 50 ? 2000 : 1900;
    if (date.year < 1 || date.month < 1 || date.month > 12) return std::nullopt;
    if (date.day < 1 || date.day > daysInMonth(date.year, date.month)) return std::nullopt;
    return date;
}

std::optional<int> parseStatisticsInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos == text.size()) return std::nullopt;
    // One past the largest magnitude, so that −2147483648 still fits.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        int digit;
        if (isDigit(c)) digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * base + digit;
        if (value > kLimit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
    return static_cast<int>(value);
}

std::string invalidDateMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid date";
}

std::string invalidIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::string successText(int correct, int wrong, int reached) {
    const std::int64_t right = std::max(correct, 0);
    const std::int64_t count = reached > 0 ? reached : right + std::max(wrong, 0);
    if (count == 0) return "0";
    // Whole-number division is the exact integer part of C / N × 100, which is what cutting
    // the printed quotient gives; floating point could land a hair below a whole per cent.
    return std::to_string(right * 100 / count);
}

std::string dictionaryNameFromPath(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    if (name.size() > 4 && equalsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".slv"))
        name.resize(name.size() - 4);
    for (char& c : name) {
        if (c == ';') c = ',';
        else if (c == '\r' || c == '\n') c = ' ';
    }
    return name;
}

}  // namespace lexo
