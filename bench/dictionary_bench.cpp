// Loading and saving a 1,000,000-expression dictionary, each beside its reference measured
// in the same run: `lexo-tool info` (whole process) against Python's csv module reading
// the same file, and the save against the durable write of the same bytes (a new file,
// fdatasync, rename). Paired runs, medians: a busy machine slows both sides of a pair.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench_util.h"
#include "dictionary/dictionary_file.h"
#include "platform/atomic_file.h"

namespace fs = std::filesystem;
using namespace lexo;
using namespace lexo::bench;

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What any program must pay to put these bytes on the disk for good.
void durableWrite(const fs::path& file, const std::string& bytes) {
    const fs::path temporary = file.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || !writeAll(fd, bytes) || ::fdatasync(fd) != 0 || ::close(fd) != 0) std::abort();
    if (::rename(temporary.c_str(), file.c_str()) != 0) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const int pairs = argc > 2 ? std::atoi(argv[2]) : 7;
    const fs::path dir = fs::temp_directory_path() / "lexo-bench-dictionary";
    fs::create_directories(dir);
    const fs::path file = dir / "velky.slv";
    const std::string bytes = generateDictionary(count);
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const double megabytes = static_cast<double>(bytes.size()) / 1e6;
    std::printf("dictionary: %zu expressions, %.1f MB (Windows-1250), %d paired runs\n\n", count, megabytes, pairs);

    const std::string python =
        "import csv,sys\n"
        "with open(sys.argv[1], encoding='cp1250', newline='') as f:\n"
        "    rows = list(csv.reader(f, delimiter=';'))\n";
    std::vector<double> tool, csv, ratios;
    const long peakKilobytes = peakKilobytesOf({LEXO_TOOL_PATH, "info", file.string()});
    for (int i = 0; i < pairs; ++i) {
        const ChildRun ours = runChild({LEXO_TOOL_PATH, "info", file.string()});
        const ChildRun theirs = runChild({"python3", "-c", python, file.string()});
        if (ours.exitCode != 0 || theirs.exitCode != 0) {
            std::fprintf(stderr, "a load failed\n");
            return 1;
        }
        tool.push_back(ours.seconds);
        csv.push_back(theirs.seconds);
        ratios.push_back(theirs.seconds / ours.seconds);
    }
    printRow("load (lexo-tool info, whole process)", median(tool), "python3 csv", median(csv));

    DictionaryLoad load = loadDictionary(file);
    if (load.status != LoadStatus::Loaded || load.table.size() != count) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }
    const fs::path saved = dir / "ulozeny.slv";
    const fs::path reference = dir / "reference.slv";
    std::vector<double> save, durable, encode;
    for (int i = 0; i < pairs; ++i) {
        save.push_back(bestOf(1, [&] {
            if (!saveDictionary(load.table, saved, load.encoding).ok) std::abort();
        }));
        durable.push_back(bestOf(1, [&] { durableWrite(reference, bytes); }));
        encode.push_back(bestOf(1, [&] {
            TextEncoding encoding = load.encoding;
            if (buildDictionaryText(load.table, encoding).empty()) std::abort();
        }));
    }
    printRow("save (atomic, flushed to disk)", median(save), "new file, fdatasync, rename", median(durable));
    printRow("  of which encoding the text", median(encode), "new file, fdatasync, rename", median(durable));

    const double peakMb = static_cast<double>(peakKilobytes) / 1024.0;
    const double memoryBudget = 2 * megabytes + 30;
    std::printf("%-40s %9.1f MB  budget (2 x file + 30 MB) %6.1f MB\n", "peak memory of lexo-tool info", peakMb,
                memoryBudget);

    const bool sameBytes = [&] {
        std::ifstream in(saved, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {}) == bytes;
    }();
    std::printf("\nsaved file identical to the original: %s\n", sameBytes ? "yes" : "NO");
    const double loadRatio = median(ratios);
    const bool loadOk = loadRatio >= 10;
    const bool saveOk = median(save) <= 2 * median(durable);
    const bool memoryOk = peakMb <= memoryBudget;
    std::printf("budget: load >= 10x faster than csv: %s (median of pairs %.1fx); save within 2x of the durable "
                "write: %s (%.2fx); memory: %s\n",
                loadOk ? "met" : "MISSED", loadRatio, saveOk ? "met" : "MISSED", median(save) / median(durable),
                memoryOk ? "met" : "MISSED");
    fs::remove_all(dir);
    return loadOk && saveOk && memoryOk && sameBytes ? 0 : 1;
}
