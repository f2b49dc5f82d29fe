// A word list of 1,000,000 entries (half English-to-Czech, half Czech-to-English, in
// Windows-1250): loading it with its search index against `grep -c` reading the same file,
// then 10,000 incremental searches of random prefixes of one to seven characters.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_util.h"
#include "platform/settings_store.h"
#include "text/text_codec.h"
#include "translator/translator_session.h"
#include "translator/word_list.h"

namespace fs = std::filesystem;
using namespace lexo;
using namespace lexo::bench;

namespace {

std::string word(std::mt19937& rng, const std::vector<std::string>& letters, std::size_t common) {
    std::string result;
    const std::size_t length = 2 + rng() % 10;
    // Mostly plain letters, as real words: they share long prefixes.
    for (std::size_t i = 0; i < length; ++i) result += letters[rng() % 8 == 0 ? rng() % letters.size() : rng() % common];
    return result;
}

std::string generateWordList(std::size_t entries, std::vector<std::string>& englishKeys) {
    const std::vector<std::string> english = {"A", "E", "I", "O", "U", "S", "T", "R", "N", "L", "H", "C",
                                              "D", "M", "P", "B", "G", "K", "W", "Y", "F", "V", "X", "J", "Q", "Z"};
    const std::vector<std::string> czech = {"a", "e", "o", "i", "n", "s", "t", "r", "v", "l", "k", "d", "m", "p",
                                            "á", "í", "é", "ě", "č", "ř", "š", "ž", "ý", "ů", "ú", "ň", "ť", "ď"};
    std::mt19937 rng(11);
    std::string text;
    text.reserve(entries * 40);
    for (std::size_t i = 0; i < entries / 2; ++i) {
        std::string key = word(rng, english, 14);
        if (rng() % 3 == 0) key += " " + word(rng, english, 14);
        englishKeys.push_back(key);
        text += key + ";" + word(rng, czech, 14);
        for (std::size_t k = rng() % 4; k > 0; --k) text += ", " + word(rng, czech, 14);
        text += "\r\n";
    }
    text += "Konec anglických výrazů\r\nZačátek český výrazů\r\n";
    for (std::size_t i = entries / 2; i < entries; ++i) {
        text += toUpperUtf8(word(rng, czech, 14)) + ";" + englishKeys[rng() % englishKeys.size()] + "\r\n";
    }
    return encodeWindows1250(text).value();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t entryCount = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const fs::path dir = fs::temp_directory_path() / "lexo-bench-translator";
    fs::create_directories(dir);
    const fs::path file = dir / std::string(kWordListFileName);
    std::vector<std::string> englishKeys;
    {
        const std::string bytes = generateWordList(entryCount, englishKeys);
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::printf("word list: %zu entries, %.1f MB\n", entryCount, static_cast<double>(fs::file_size(file)) / 1e6);

    // Wall time and processor time, best of seven each: the processor time is the steadier
    // figure when the machine is busy with other work.
    double grep = 1e100, grepCpu = 1e100, load = 1e100, loadCpu = 1e100;
    std::size_t loaded = 0;
    for (int run = 0; run < 7; ++run) {
        const ChildRun child = runChild({"/usr/bin/grep", "-c", ";", file.string()});
        if (child.exitCode != 0) return 1;
        grep = std::min(grep, child.seconds);
        grepCpu = std::min(grepCpu, child.cpuSeconds);
        const double cpuBefore = processCpuSeconds();
        load = std::min(load, bestOf(1, [&] {
            WordListStatus status = WordListStatus::CannotRead;
            const WordList list = WordList::load(file, status);
            loaded = list.entryCount();
        }));
        loadCpu = std::min(loadCpu, processCpuSeconds() - cpuBefore);
    }
    printRow("load word list with its index", load, "grep -c", grep);
    printRow("  processor time", loadCpu, "grep -c processor time", grepCpu);
    if (loaded != entryCount) {
        std::printf("loaded %zu entries, expected %zu\n", loaded, entryCount);
        return 1;
    }

    MemorySettingsStore settings;
    SilentPrompter prompter;
    TranslatorSession session(settings, prompter, dir);
    if (!session.open()) return 1;
    std::mt19937 rng(5);
    std::vector<std::string> prefixes;
    for (int i = 0; i < 10000; ++i) {
        // Mostly prefixes of real keys, as a person types them; some that match nothing.
        const std::string& key = englishKeys[rng() % englishKeys.size()];
        std::string prefix = key.substr(0, 1 + rng() % std::min<std::size_t>(7, key.size()));
        if (i % 10 == 0) prefix += "Q";
        prefixes.push_back(prefix);
    }
    std::vector<double> times;
    std::size_t found = 0;
    for (const std::string& prefix : prefixes) {
        const auto before = std::chrono::steady_clock::now();
        if (session.searchIncrementally(prefix) != TranslatorScroll::None) ++found;
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
    }
    double total = 0;
    for (double t : times) total += t;
    std::sort(times.begin(), times.end());
    const double p999 = times[times.size() * 999 / 1000];
    const double worst = times.back();
    std::printf("10,000 incremental searches: %.3f s in all, %.1f us on average, 99.9th percentile %.3f ms, "
                "worst %.3f ms (budget 5 ms); %zu found\n",
                total, total / 10000 * 1e6, p999 * 1e3, worst * 1e3, found);

    // A single search descheduled by the busy machine shows in the worst figure, not in the
    // 99.9th percentile.
    const bool ok = std::min(load / grep, loadCpu / grepCpu) <= 5 && p999 < 0.005;
    std::printf("%s\n", ok ? "within budget" : "OVER BUDGET");
    fs::remove_all(dir);
    return ok ? 0 : 1;
}
