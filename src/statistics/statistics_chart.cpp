#include "statistics/statistics_chart.h"

#include <limits>
#include <unordered_set>

#include "statistics/statistics_store.h"
#include "statistics/statistics_values.h"

namespace lexo {

std::vector<std::string> statisticsDictionaryNames(const std::vector<StatisticsRow>& rows) {
    std::vector<std::string> names;
    std::unordered_set<std::string_view> seen;
    for (const StatisticsRow& row : rows) {
        if (row.isStatisticsRow() && seen.insert(row.dictionary()).second) names.push_back(row.dictionary());
    }
    return names;
}

std::vector<std::string> statisticsDictionaryDates(const std::vector<StatisticsRow>& rows,
                                                   std::string_view dictionary) {
    std::vector<std::string> dates;
    if (dictionary.empty()) return dates;
    std::unordered_set<std::string_view> seen;
    for (const StatisticsRow& row : rows) {
        if (row.dictionary() == dictionary && seen.insert(row.date()).second) dates.push_back(row.date());
    }
    return dates;
}

ChartAxis chartAxisFor(ChartChoice choice, int largestCount) {
    if (choice == ChartChoice::Success) return {0, 102, 10};
    const int largest = largestCount > 0 ? largestCount : 0;
    const int maximum = largest > std::numeric_limits<int>::max() - 2 ? std::numeric_limits<int>::max() : largest + 2;
    return {0, maximum, 2};
}

namespace {

StatisticsColumn valueColumn(ChartChoice choice) {
    switch (choice) {
    case ChartChoice::Success: return StatisticsColumn::Success;
    case ChartChoice::Correct: return StatisticsColumn::Correct;
    case ChartChoice::Wrong: return StatisticsColumn::Wrong;
    }
    return StatisticsColumn::Success;
}

// A period bound read once, on first need, as the chart reads it.
class LazyDate {
public:
    explicit LazyDate(std::string_view text) : text_(text) {}
    const std::optional<CalendarDate>& get() {
        if (!read_) {
            date_ = parseStatisticsDate(text_);
            read_ = true;
        }
        return date_;
    }
    std::string_view text() const { return text_; }

private:
    std::string_view text_;
    std::optional<CalendarDate> date_;
    bool read_ = false;
};

}  // namespace

StatisticsChart buildStatisticsChart(const std::vector<StatisticsRow>& rows, std::string_view dictionary,
                                     std::string_view from, std::string_view to, ChartChoice choice) {
    StatisticsChart chart;
    if (dictionary.empty()) return chart;
    const StatisticsColumn column = valueColumn(choice);
    LazyDate first(from);
    LazyDate last(to);
    for (const StatisticsRow& row : rows) {
        if (row.dictionary() != dictionary) continue;
        const std::optional<CalendarDate> date = parseStatisticsDate(row.date());
        if (!date) {
            chart.error = invalidDateMessage(row.date());
            return chart;
        }
        if (!first.get()) {
            chart.error = invalidDateMessage(first.text());
            return chart;
        }
        if (*date < *first.get()) continue;
        if (!last.get()) {
            chart.error = invalidDateMessage(last.text());
            return chart;
        }
        if (*date > *last.get()) continue;
        const std::optional<int> value = parseStatisticsInteger(row[column]);
        if (!value) {
            chart.error = invalidIntegerMessage(row[column]);
            return chart;
        }
        chart.bars.push_back({*value, row.date()});
    }

    int largest = 0;
    if (choice != ChartChoice::Success) {
        for (const StatisticsRow& row : rows) {
            if (row.dictionary() != dictionary) continue;
            const std::optional<int> value = parseStatisticsInteger(row[column]);
            if (!value) {
                chart.error = invalidIntegerMessage(row[column]);
                return chart;
            }
            if (*value > largest) largest = *value;
        }
    }
    chart.axis = chartAxisFor(choice, largest);
    chart.titleLine1 = std::string(kChartTitlePrefix) + std::string(dictionary);
    chart.titleLine2 = std::string(kChartChoiceTitles[static_cast<std::size_t>(choice)]);
    return chart;
}

StatisticsChartSession::StatisticsChartSession(const StatisticsStore& store) : store_(store) {
    dictionaryItems_.emplace_back(kChooseDictionaryItem);
    resetPeriod();
}

void StatisticsChartSession::refreshDictionaries() {
    dictionaryItems_.clear();
    dictionaryItems_.emplace_back(kChooseDictionaryItem);
    std::vector<std::string> names = statisticsDictionaryNames(store_.rows());
    dictionaryItems_.insert(dictionaryItems_.end(), std::make_move_iterator(names.begin()),
                            std::make_move_iterator(names.end()));
    dictionaryIndex_ = 0;
    resetPeriod();
}

std::string_view StatisticsChartSession::chosenDictionary() const {
    return dictionaryIndex_ == 0 ? std::string_view() : std::string_view(dictionaryItems_[dictionaryIndex_]);
}

void StatisticsChartSession::chooseDictionary(std::size_t index) {
    if (index >= dictionaryItems_.size()) return;
    dictionaryIndex_ = index;
    if (index == 0) {
        resetPeriod();
        return;
    }
    periodItems_ = statisticsDictionaryDates(store_.rows(), dictionaryItems_[index]);
    fromIndex_ = 0;
    toIndex_ = periodItems_.empty() ? 0 : periodItems_.size() - 1;
    fromText_ = periodItems_.empty() ? std::string() : periodItems_.front();
    toText_ = periodItems_.empty() ? std::string() : periodItems_.back();
}

void StatisticsChartSession::resetPeriod() {
    periodItems_.assign(1, std::string(kNoPeriodItem));
    fromIndex_ = toIndex_ = 0;
    fromText_ = toText_ = std::string(kNoPeriodItem);
}

StatisticsChartSession::PeriodChange StatisticsChartSession::selectFrom(std::size_t index) {
    PeriodChange change;
    if (index >= periodItems_.size()) return change;
    fromIndex_ = index;
    fromText_ = periodItems_[index];
    const std::optional<CalendarDate> from = parseStatisticsDate(fromText_);
    if (!from) {
        change.error = invalidDateMessage(fromText_);
        return change;
    }
    const std::optional<CalendarDate> to = parseStatisticsDate(toText_);
    if (!to) {
        change.error = invalidDateMessage(toText_);
        return change;
    }
    if (*from > *to) {
        fromIndex_ = 0;
        fromText_ = periodItems_.front();
        change.reset = true;
    }
    return change;
}

StatisticsChartSession::PeriodChange StatisticsChartSession::selectTo(std::size_t index) {
    PeriodChange change;
    if (index >= periodItems_.size()) return change;
    toIndex_ = index;
    toText_ = periodItems_[index];
    const std::optional<CalendarDate> to = parseStatisticsDate(toText_);
    if (!to) {
        change.error = invalidDateMessage(toText_);
        return change;
    }
    const std::optional<CalendarDate> from = parseStatisticsDate(fromText_);
    if (!from) {
        change.error = invalidDateMessage(fromText_);
        return change;
    }
    if (*to < *from) {
        toIndex_ = periodItems_.size() - 1;
        toText_ = periodItems_.back();
        change.reset = true;
    }
    return change;
}

StatisticsChartSession::ShowResult StatisticsChartSession::show(ChartChoice choice) {
    ShowResult result;
    if (dictionaryIndex_ == 0) return result;
    chartVisible_ = true;
    result.outcome = ShowOutcome::Drawn;
    result.chart = buildStatisticsChart(store_.rows(), chosenDictionary(), fromText_, toText_, choice);
    return result;
}

std::optional<std::string_view> StatisticsChartSession::saveRefusal() const {
    if (chartVisible_) return std::nullopt;
    return kChartNotShownMessage;
}

}  // namespace lexo
