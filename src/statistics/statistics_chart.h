#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "statistics/statistics_row.h"

namespace lexo {

class StatisticsStore;

inline constexpr std::string_view kChooseDictionaryItem = "vyberte..";
inline constexpr std::string_view kNoPeriodItem = "-";
inline constexpr std::string_view kNoDictionaryChosenMessage = "Není vybrány žadný slovník";
inline constexpr std::string_view kChartNotShownMessage = "Nezobrazený graf nelze uložit!";
inline constexpr std::string_view kChartTitlePrefix = "Lexo slovník: ";

// "Co zobrazit:", in the order of its items.
enum class ChartChoice { Success, Correct, Wrong };
inline constexpr std::array<std::string_view, 3> kChartChoiceItems{"Úspěšnost v %", "Správné výrazy",
                                                                   "Špatné výrazy"};
// The second title line of each choice.
inline constexpr std::array<std::string_view, 3> kChartChoiceTitles{
    "Úspěšnost zkoušení v %", "Porovnání počtu správných výrazů", "Porovnání počtu špatných výrazů"};

// Dictionary names of the statistics rows, each once, in the order of their first rows.
std::vector<std::string> statisticsDictionaryNames(const std::vector<StatisticsRow>& rows);

// The date texts of one dictionary's rows, each once, in row order.
std::vector<std::string> statisticsDictionaryDates(const std::vector<StatisticsRow>& rows, std::string_view dictionary);

struct ChartAxis {
    int minimum = 0;
    int maximum = 102;
    int step = 10;
    bool operator==(const ChartAxis&) const = default;
};

struct ChartBar {
    int value = 0;
    std::string label;  // the row's date text
    bool operator==(const ChartBar&) const = default;
};

struct StatisticsChart {
    std::vector<ChartBar> bars;
    // Empty when the chart was drawn to the end; otherwise the conversion error that stopped
    // it. The bars before the error stay, and axis and title were not set.
    std::string error;
    ChartAxis axis;
    std::string titleLine1;
    std::string titleLine2;

    bool complete() const { return error.empty(); }
};

// The left axis: 0–102 by 10 for per cent; otherwise 0 to two above the largest count among
// all rows of the dictionary (every date, not only the period), by 2.
ChartAxis chartAxisFor(ChartChoice choice, int largestCount);

// One bar for each row of `dictionary` whose date lies from `from` to `to` (dates compared
// as dates), in row order. Texts that are no date or no whole number stop the chart.
StatisticsChart buildStatisticsChart(const std::vector<StatisticsRow>& rows, std::string_view dictionary,
                                     std::string_view from, std::string_view to, ChartChoice choice);

// What the "Grafy" page holds and the rules between its lists: the dictionary list, the two
// period lists "od:" and "do:" (editable: a date may also be typed), and whether a chart is
// on show. It reads the rows of the store it is given.
class StatisticsChartSession {
public:
    explicit StatisticsChartSession(const StatisticsStore& store);

    // "vyberte.." and then the dictionary names; "vyberte.." is selected and the period
    // lists go back to "-".
    void refreshDictionaries();
    const std::vector<std::string>& dictionaryItems() const { return dictionaryItems_; }
    std::size_t dictionaryIndex() const { return dictionaryIndex_; }
    // The chosen name, or "" while "vyberte.." is selected.
    std::string_view chosenDictionary() const;

    // Fills both period lists with the chosen dictionary's dates: "od:" on the first, "do:"
    // on the last.
    void chooseDictionary(std::size_t index);

    // The entries of both period lists.
    const std::vector<std::string>& periodItems() const { return periodItems_; }
    std::size_t fromIndex() const { return fromIndex_; }
    std::size_t toIndex() const { return toIndex_; }
    const std::string& fromText() const { return fromText_; }
    const std::string& toText() const { return toText_; }

    struct PeriodChange {
        bool reset = false;  // the choice went back (to the first or last entry)
        std::string error;   // a date that could not be read; the choice then stands
    };
    // The user picks an entry. "od:" after "do:" sends "od:" back to its first entry; "do:"
    // before "od:" sends "do:" back to its last.
    PeriodChange selectFrom(std::size_t index);
    PeriodChange selectTo(std::size_t index);
    // Typed text is taken as it stands and checked when the chart is drawn.
    void typeFrom(std::string text) { fromText_ = std::move(text); }
    void typeTo(std::string text) { toText_ = std::move(text); }

    enum class ShowOutcome { NoDictionary, Drawn };
    struct ShowResult {
        ShowOutcome outcome = ShowOutcome::NoDictionary;
        StatisticsChart chart;
    };
    // "Zobraz": NoDictionary (say kNoDictionaryChosenMessage) while "vyberte.." is chosen;
    // otherwise the chart is on show, complete or stopped by an error.
    ShowResult show(ChartChoice choice);

    bool chartVisible() const { return chartVisible_; }
    // "Ulož": the message to give instead of saving, or nullopt when a chart is on show.
    std::optional<std::string_view> saveRefusal() const;
    // Closing the window hides the chart.
    void windowClosed() { chartVisible_ = false; }

private:
    void resetPeriod();

    const StatisticsStore& store_;
    std::vector<std::string> dictionaryItems_;
    std::size_t dictionaryIndex_ = 0;
    std::vector<std::string> periodItems_;
    std::size_t fromIndex_ = 0;
    std::size_t toIndex_ = 0;
    std::string fromText_;
    std::string toText_;
    bool chartVisible_ = false;
};

}  // namespace lexo
