// Loading and saving a 1,000,000-expression dictionary, against Python's csv module
// reading the same file and `cp` copying it, measured in the same run.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_util.h"
#include "dictionary/dictionary_file.h"

namespace fs = std::filesystem;
using namespace lexo;
using namespace lexo::bench;

int main(int argc, char** argv) {
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path dir = fs::temp_directory_path() / "lexo-bench-dictionary";
    fs::create_directories(dir);
    const fs::path file = dir / "velky.slv";
    {
        const std::string bytes = generateDictionary(count);
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const double megabytes = static_cast<double>(fs::file_size(file)) / 1e6;
    std::printf("dictionary: %zu expressions, %.1f MB (Windows-1250)\n\n", count, megabytes);

    DictionaryLoad load;
    const double ourLoad = bestOf(3, [&] { load = loadDictionary(file); });
    if (load.status != LoadStatus::Loaded || load.table.size() != count) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }
    const std::string python =
        "import csv,sys\n"
        "with open(sys.argv[1], encoding='cp1250', newline='') as f:\n"
        "    rows = list(csv.reader(f, delimiter=';'))\n";
    const double pythonLoad = bestChildOf(3, {"python3", "-c", python, file.string()});
    printRow("load (in process)", ourLoad, "python3 csv", pythonLoad);

    const fs::path saved = dir / "ulozeny.slv";
    const double ourSave = bestOf(3, [&] {
        if (!saveDictionary(load.table, saved, load.encoding).ok) std::abort();
    });
    const double cpTime = bestChildOf(3, {"cp", file.string(), (dir / "kopie.slv").string()});
    printRow("save (atomic, flushed to disk)", ourSave, "cp", cpTime);
    const double encodeOnly = bestOf(3, [&] {
        TextEncoding encoding = load.encoding;
        if (buildDictionaryText(load.table, encoding).empty()) std::abort();
    });
    printRow("  of which building the text", encodeOnly, "cp", cpTime);

    const ChildRun tool = runChild({LEXO_TOOL_PATH, "info", file.string()});
    const double peakMb = static_cast<double>(tool.peakKilobytes) / 1024.0;
    const double memoryBudget = 3 * megabytes + 30;
    std::printf("%-34s %9.1f MB  budget (3 x file + 30 MB) %6.1f MB\n", "peak memory of lexo-tool info", peakMb,
                memoryBudget);

    const bool sameBytes = [&] {
        std::ifstream a(file, std::ios::binary), b(saved, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(a), {}) == std::string(std::istreambuf_iterator<char>(b), {});
    }();
    std::printf("\nsaved file identical to the original: %s\n", sameBytes ? "yes" : "NO");
    const bool loadOk = pythonLoad / ourLoad >= 5;
    const bool saveOk = ourSave <= 2 * cpTime;
    const bool memoryOk = peakMb <= memoryBudget;
    std::printf("budget: load >= 5x faster than csv: %s (%.1fx); save within 2x of cp: %s; memory: %s\n",
                loadOk ? "met" : "MISSED", pythonLoad / ourLoad, saveOk ? "met" : "MISSED", memoryOk ? "met" : "MISSED");
    fs::remove_all(dir);
    return loadOk && saveOk && memoryOk && sameBytes ? 0 : 1;
}
