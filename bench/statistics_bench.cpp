// 100,000 statistics rows over 500 dictionaries: loading the file at start, refreshing the
// dictionary list, choosing a dictionary and drawing its chart, each against `wc -l`
// reading the same file in the same run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_util.h"
#include "text/text_codec.h"
#include "statistics/statistics_chart.h"
#include "statistics/statistics_store.h"
#include "statistics/statistics_values.h"

#if __has_include(<QApplication>)
#define LEXO_BENCH_WINDOW 1
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>

#include "common/app_signals.h"
#include "statistics/statistics_chart_view.h"
#include "statistics/statistics_window.h"
#endif

namespace fs = std::filesystem;
using namespace lexo;
using namespace lexo::bench;

namespace {

class FixedClock final : public Clock {
public:
    LocalDateTime now() const override { return {2024, 6, 1, 12, 0, 0}; }
};

// Rows as years of use leave them: dictionaries tested in turn, dates moving forward.
std::string generateStatistics(std::size_t rows, std::size_t dictionaries) {
    static const char* const stems[] = {"anglická slovíčka", "němčina", "zvířata", "počítače", "cestování",
                                        "škola", "příroda", "jídlo", "Übungen", "fráze"};
    std::mt19937 rng(7);
    std::string text;
    text.reserve(rows * 64);
    LocalDateTime when{2006, 1, 1, 8, 0, 0};
    for (std::size_t i = 0; i < rows; ++i) {
        if (i % 40 == 0) {
            when.day = when.day % 28 + 1;
            if (when.day == 1) when.month = when.month % 12 + 1;
            if (when.day == 1 && when.month == 1) ++when.year;
        }
        when.hour = static_cast<int>(8 + rng() % 14);
        when.minute = static_cast<int>(rng() % 60);
        when.second = static_cast<int>(rng() % 60);
        const std::size_t dictionary = rng() % dictionaries;
        const int reached = static_cast<int>(5 + rng() % 60);
        const int correct = static_cast<int>(rng() % (reached + 1));
        const int wrong = reached - correct;
        text += std::string(stems[dictionary % std::size(stems)]) + " " + std::to_string(dictionary) + ".slv;";
        text += formatStatisticsDate(when) + ";" + formatStatisticsTime(when) + ";";
        text += std::to_string(correct) + ";" + std::to_string(wrong) + ";" + successText(correct, wrong, reached) + ";";
        text += rng() % 5 ? "Ano;" : "Ne;";
        text += rng() % 3 ? "Zkoušení I\r\n" : "Zkoušení II\r\n";
    }
    return encodeWindows1250(text).value();
}

bool report(const char* what, double seconds, double wc) {
    printRow(what, seconds, "wc -l", wc);
    return seconds <= 50 * wc && seconds < 0.5;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t rowCount = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::size_t dictionaryCount = 500;
    const fs::path dir = fs::temp_directory_path() / "lexo-bench-statistics";
    fs::create_directories(dir);
    const fs::path file = dir / "statistiky.dat";
    {
        const std::string bytes = generateStatistics(rowCount, dictionaryCount);
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::printf("statistics: %zu rows over %zu dictionaries, %.1f MB (Windows-1250)\n\n", rowCount, dictionaryCount,
                static_cast<double>(fs::file_size(file)) / 1e6);

    const double wc = bestChildOf(5, {"wc", "-l", file.string()});
    FixedClock clock;
    SilentPrompter prompter(Prompter::Answer::Cancel);
    bool ok = true;

    const double load = bestOf(3, [&] {
        StatisticsStore store(file, clock, &prompter);
        if (store.load() != StatisticsStore::LoadStatus::Loaded || store.size() != rowCount) std::abort();
    });
    ok &= report("load at start", load, wc);

    StatisticsStore store(file, clock, &prompter);
    store.load();

#ifdef LEXO_BENCH_WINDOW
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppSignals appSignals;
    StatisticsWindow window(store, appSignals, prompter);
    window.show();
    QApplication::processEvents();
    window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    QApplication::processEvents();

    const double refresh = bestOf(3, [&] {
        window.refreshDictionaries();
        QApplication::processEvents();
    });
    auto* dictionaries = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    if (dictionaries->count() != static_cast<int>(dictionaryCount) + 1) std::abort();
    ok &= report("refresh the dictionary list", refresh, wc);

    int pick = 0;
    const double choose = bestOf(3, [&] {
        pick = pick % static_cast<int>(dictionaryCount) + 1;
        dictionaries->setCurrentIndex(pick);
        emit dictionaries->activated(pick);
        QApplication::processEvents();
    });
    ok &= report("choose a dictionary", choose, wc);

    std::size_t bars = 0;
    const double draw = bestOf(3, [&] {
        window.showChart();
        QApplication::processEvents();
        // Painting the whole chart once is what the user waits for.
        if (window.chartView()->grab().isNull()) std::abort();
        bars = static_cast<std::size_t>(window.chartView()->barValues().size());
    });
    ok &= report("draw its chart", draw, wc);
    std::printf("(the chart has %zu bars; %d messages)\n", bars, prompter.messages);
#else
    StatisticsChartSession session(store);
    const double refresh = bestOf(3, [&] { session.refreshDictionaries(); });
    ok &= report("refresh the dictionary list (core)", refresh, wc);
    const double choose = bestOf(3, [&] { session.chooseDictionary(1); });
    ok &= report("choose a dictionary (core)", choose, wc);
    const double draw = bestOf(3, [&] {
        if (session.show(ChartChoice::Success).outcome != StatisticsChartSession::ShowOutcome::Drawn) std::abort();
    });
    ok &= report("build its chart (core)", draw, wc);
#endif

    // Not one of the four steps, but what every finished test costs: the whole file is
    // written again, flushed and renamed into place.
    const double append = bestOf(3, [&] {
        if (!store.appendTestResult({"/home/jana/slovicka.slv", 17, 3, 20, true, TestMode::TestOne})) std::abort();
    });
    printRow("(append a row, file rewritten)", append, "wc -l", wc);

    std::printf("\nbudget: every step within 50x of wc -l and under 0.5 s: %s\n", ok ? "met" : "MISSED");
    fs::remove_all(dir);
    return ok ? 0 : 1;
}
