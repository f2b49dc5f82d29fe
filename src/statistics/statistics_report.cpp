#include "statistics/statistics_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "text/text_codec.h"
#include "statistics/statistics_values.h"

namespace lexo {

std::vector<DictionarySummary> summarizeStatistics(const std::vector<StatisticsRow>& rows) {
    struct Running {
        DictionarySummary summary;
        std::optional<CalendarDate> latest;
        long long successSum = 0;
        std::size_t successCount = 0;
    };
    std::vector<Running> running;
    std::unordered_map<std::string_view, std::size_t> index;
    for (const StatisticsRow& row : rows) {
        if (!row.isStatisticsRow()) continue;
        auto [it, added] = index.try_emplace(row.dictionary(), running.size());
        if (added) running.emplace_back().summary.dictionary = row.dictionary();
        Running& entry = running[it->second];
        ++entry.summary.tests;
        const std::optional<CalendarDate> date = parseStatisticsDate(row.date());
        if (date && (!entry.latest || *date >= *entry.latest)) {
            entry.latest = date;
            entry.summary.lastDate = row.date();
        } else if (!entry.latest) {
            entry.summary.lastDate = row.date();
        }
        if (const std::optional<int> success = parseStatisticsInteger(row[StatisticsColumn::Success])) {
            entry.summary.bestSuccess = std::max(entry.summary.bestSuccess.value_or(*success), *success);
            entry.successSum += *success;
            ++entry.successCount;
        }
    }
    std::vector<DictionarySummary> result;
    result.reserve(running.size());
    for (Running& entry : running) {
        if (entry.successCount > 0)
            entry.summary.averageSuccess =
                static_cast<double>(entry.successSum) / static_cast<double>(entry.successCount);
        result.push_back(std::move(entry.summary));
    }
    return result;
}

namespace {

enum class Align { Left, Right };

void appendCell(std::string& out, std::string_view text, std::size_t width, Align align, bool last) {
    const std::size_t length = codePointCount(text);
    const std::size_t padding = width > length ? width - length : 0;
    if (align == Align::Right) out.append(padding, ' ');
    out += text;
    if (align == Align::Left && !last) out.append(padding, ' ');
    if (!last) out += "  ";
}

// Lines of cells, columns as wide as their widest cell.
template <std::size_t N>
void appendTable(std::string& out, const std::vector<std::array<std::string, N>>& lines,
                 const std::array<Align, N>& align) {
    std::array<std::size_t, N> widths{};
    for (const auto& line : lines)
        for (std::size_t c = 0; c < N; ++c) widths[c] = std::max(widths[c], codePointCount(line[c]));
    for (const auto& line : lines) {
        for (std::size_t c = 0; c < N; ++c) appendCell(out, line[c], widths[c], align[c], c + 1 == N);
        out += '\n';
    }
}

std::string czechDecimal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    std::string text(buffer);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace

std::string formatStatisticsReport(const std::vector<StatisticsRow>& rows) {
    std::string out;
    std::vector<std::array<std::string, kStatisticsColumnCount>> table;
    std::array<std::string, kStatisticsColumnCount> titles;
    for (std::size_t c = 0; c < kStatisticsColumnCount; ++c) titles[c] = std::string(kStatisticsColumnTitles[c]);
    table.push_back(titles);
    for (const StatisticsRow& row : rows)
        if (row.isStatisticsRow()) table.push_back(row.fields);
    if (table.size() == 1) return "Statistiky neobsahují žádný záznam.\n";

    constexpr Align L = Align::Left;
    constexpr Align R = Align::Right;
    appendTable<kStatisticsColumnCount>(out, table, {L, L, L, R, R, R, L, L});

    const std::vector<DictionarySummary> summaries = summarizeStatistics(rows);
    out += "\nSouhrn podle slovníků (" + std::to_string(summaries.size()) + "):\n";
    std::vector<std::array<std::string, 5>> summaryTable;
    summaryTable.push_back({"Název slovníku", "Zkoušek", "Naposledy", "Nejlepší[%]", "Průměr[%]"});
    for (const DictionarySummary& s : summaries) {
        summaryTable.push_back({s.dictionary, std::to_string(s.tests), s.lastDate,
                                s.bestSuccess ? std::to_string(*s.bestSuccess) : std::string("-"),
                                s.averageSuccess ? czechDecimal(*s.averageSuccess) : std::string("-")});
    }
    appendTable<5>(out, summaryTable, {L, R, L, R, R});
    return out;
}

}  // namespace lexo
