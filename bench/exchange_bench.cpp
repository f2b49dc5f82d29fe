// Import and export of 1,000,000 entries (CSV, kvtml) beside Python's csv module reading and
// writing the same rows, and the merger's "Převeď vše" and "Ulož" on two dictionaries of
// 500,000 expressions through its window, offscreen.
#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_util.h"
#include "dictionary/dictionary_file.h"
#include "platform/atomic_file.h"
#include "tools/csv_exchange.h"
#include "tools/exchange_commands.h"
#include "tools/kvtml_exchange.h"
#include "tools/merger_window.h"

namespace fs = std::filesystem;
using namespace lexo;
using namespace lexo::bench;

namespace {

// Python times itself, so its start-up is not counted against it. Best of three.
constexpr const char* kPython = R"(import csv, sys, time
mode, source, target = sys.argv[1:4]
best = None
for _ in range(3):
    if mode == 'read':
        t = time.perf_counter()
        with open(source, encoding='utf-8-sig', newline='') as f:
            rows = list(csv.reader(f))
    else:
        with open(source, encoding='utf-8-sig', newline='') as f:
            rows = list(csv.reader(f))
        t = time.perf_counter()
        with open(target, 'w', encoding='utf-8', newline='') as f:
            csv.writer(f).writerows(rows)
    elapsed = time.perf_counter() - t
    best = elapsed if best is None else min(best, elapsed)
print(best)
)";

double python(const char* mode, const fs::path& source, const fs::path& target) {
    const fs::path script = fs::temp_directory_path() / "lexo-bench-exchange.py";
    std::ofstream(script) << kPython;
    const std::string command =
        "python3 '" + script.string() + "' " + mode + " '" + source.string() + "' '" + target.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    char line[64] = {};
    const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
    ::pclose(pipe);
    return got ? std::strtod(line, nullptr) : -1;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool met(double ours, double reference) { return ours <= reference; }

}  // namespace

int main(int argc, char** argv) {
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    const fs::path dir = fs::temp_directory_path() / "lexo-bench-exchange";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path slv = dir / "velky.slv";
    writeFile(slv, generateDictionary(count));
    const DictionaryLoad load = loadDictionary(slv);
    if (load.status != LoadStatus::Loaded) return 1;
    std::printf("%zu entries\n\n", load.table.size());
    bool ok = true;

    // CSV
    const fs::path csv = dir / "velky.csv";
    const double csvExport = bestOf(3, [&] {
        if (!writeFileAtomically(csv, buildDelimited(load.table, ',')).ok) std::abort();
    });
    const double pythonWrite = python("write", csv, dir / "python.csv");
    printRow("CSV export (atomic, flushed)", csvExport, "python3 csv.writer", pythonWrite);
    ok &= met(csvExport, pythonWrite);
    ExchangeImport imported;
    const double csvImport = bestOf(3, [&] {
        imported = parseDelimited(readWholeFile(csv, std::size_t{1} << 30).data, ',');
    });
    if (imported.table.size() != load.table.size()) return 1;
    const double pythonRead = python("read", csv, {});
    printRow("CSV import (read and parse)", csvImport, "python3 csv.reader", pythonRead);
    ok &= met(csvImport, pythonRead);
    const double csvCommand = bestOf(3, [&] {
        if (importCommand(csv, dir / "z_csv.slv").exitCode != 0) std::abort();
    });
    printRow("  lexo-tool import .csv (to .slv)", csvCommand, "python3 csv.reader", pythonRead);

    // kvtml
    const fs::path kvtml = dir / "velky.kvtml";
    const double kvtmlExport = bestOf(3, [&] {
        if (!writeFileAtomically(kvtml, buildKvtml(load.table, "velky").bytes).ok) std::abort();
    });
    printRow("kvtml export (atomic, flushed)", kvtmlExport, "python3 csv.writer", pythonWrite);
    ok &= met(kvtmlExport, pythonWrite);
    // As lexo-tool reads it: mapped, not copied.
    const double kvtmlImport = bestOf(3, [&] {
        imported = parseKvtml(MappedFile::open(kvtml, std::size_t{1} << 30).bytes());
    });
    if (imported.table.size() != load.table.size()) return 1;
    printRow("kvtml import (read and parse)", kvtmlImport, "python3 csv.reader", pythonRead);
    ok &= met(kvtmlImport, pythonRead);
    std::printf("  (kvtml file %.1f MB, CSV file %.1f MB)\n\n", static_cast<double>(fs::file_size(kvtml)) / 1e6,
                static_cast<double>(fs::file_size(csv)) / 1e6);

    // Merger: two halves, each "Převeď vše", then "Ulož" of the whole.
    const std::size_t half = count / 2;
    writeFile(dir / "a.slv", generateDictionary(half, 1));
    writeFile(dir / "b.slv", generateDictionary(half, 2));
    SilentPrompter prompter(Prompter::Answer::No, true);
    MergerWindow window(prompter);
    window.resize(569, 529);
    window.show();
    QApplication::processEvents();
    auto* moveAll = window.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    double moves[2] = {};
    for (int i = 0; i < 2; ++i) {
        if (!window.session().load(dir / (i == 0 ? "a.slv" : "b.slv"))) return 1;
        QApplication::processEvents();
        moves[i] = bestOf(1, [&] {
            moveAll->click();
            QApplication::processEvents();
            window.repaint();
        });
    }
    if (window.session().table(MergerList::Result).size() != 2 * half) return 1;
    const double save = bestOf(3, [&] {
        if (!window.session().saveTo(dir / "spojeny.slv")) std::abort();
    });
    std::printf("%-34s %9.3f s   budget 0.5 s\n", "merger: \"Převeď vše\" (first)", moves[0]);
    std::printf("%-34s %9.3f s   budget 0.5 s\n", "merger: \"Převeď vše\" (second)", moves[1]);
    // The same bytes written durably (temporary file, flush, rename): what saving cannot beat.
    TextEncoding encoding = TextEncoding::Windows1250;
    const std::string bytes = buildDictionaryText(window.session().table(MergerList::Result), encoding);
    const double durable = bestOf(3, [&] {
        if (!writeFileAtomically(dir / "kopie.slv", bytes).ok) std::abort();
    });
    std::printf("%-34s %9.3f s   budget 0.5 s; durable write of the same bytes %.3f s\n",
                "merger: \"Ulož\" (both halves)", save, durable);
    ok &= moves[0] < 0.5 && moves[1] < 0.5 && save < 0.5;

    std::printf("\nbudgets: %s\n", ok ? "met" : "MISSED");
    fs::remove_all(dir);
    return ok ? 0 : 1;
}
