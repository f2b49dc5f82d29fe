#include "bench_util.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ctime>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "text/text_codec.h"

namespace lexo::bench {

double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e100;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void SilentPrompter::report(std::string_view text) {
    ++messages;
    if (verbose_) std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
}

ChildRun runChild(const std::vector<std::string>& argv) {
    ChildRun result;
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        if (::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
        ::execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    result.seconds = took.count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakKilobytes = usage.ru_maxrss;
    auto secondsOf = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    result.cpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
    return result;
}

long peakKilobytesOf(const std::vector<std::string>& argv) {
    // Measured by GNU time, whose own small process starts the program: a child forked from
    // this benchmark would count the benchmark's memory as its own.
    const std::string report = (std::filesystem::temp_directory_path() / "lexo-bench-peak.txt").string();
    std::vector<std::string> timed{"/usr/bin/time", "-f", "%M", "-o", report};
    timed.insert(timed.end(), argv.begin(), argv.end());
    if (runChild(timed).exitCode != 0) return -1;
    long kilobytes = -1;
    std::ifstream(report) >> kilobytes;
    std::filesystem::remove(report);
    return kilobytes;
}

double bestChildOf(int runs, const std::vector<std::string>& argv) {
    double best = 1e100;
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = runChild(argv);
        if (run.exitCode != 0) {
            std::fprintf(stderr, "%s failed with %d\n", argv[0].c_str(), run.exitCode);
            return -1;
        }
        best = std::min(best, run.seconds);
    }
    return best;
}

std::string generateDictionary(std::size_t count, unsigned seed) {
    static const char* const czech[] = {
        "pes", "kočka", "kůň", "žluťoučký", "přítel", "škola", "učitel", "řeka", "hřiště", "jablko",
        "dům", "stůl", "okno", "dveře", "čtvrtek", "úterý", "město", "vesnice", "les", "louka",
        "běžet", "skákat", "mluvit", "přemýšlet", "rozumět", "ďábel", "ňadra", "chléb", "máslo", "sýr"};
    static const char* const english[] = {
        "dog", "cat", "horse", "yellowish", "friend", "school", "teacher", "river", "playground",
        "apple", "house", "table", "window", "door", "Thursday", "Tuesday", "town", "village",
        "forest", "meadow", "run", "jump", "speak", "think", "understand", "devil", "bosom",
        "bread", "butter", "cheese", "to look after", "get on with"};
    std::mt19937 rng(seed);
    auto pick = [&](auto& words) { return std::string(words[rng() % std::size(words)]); };
    auto phrase = [&](auto& words) {
        std::string s = pick(words);
        const unsigned extra = rng() % 3;
        for (unsigned i = 0; i < extra; ++i) s += " " + pick(words);
        return s;
    };
    auto alternatives = [&](auto& words) {
        std::string s = phrase(words);
        const unsigned alts = rng() % 10 < 7 ? 0 : 1 + rng() % 3;
        for (unsigned i = 0; i < alts; ++i) s += "+" + phrase(words);
        return s;
    };
    std::string utf8;
    utf8.reserve(count * 48);
    for (std::size_t i = 0; i < count; ++i) {
        utf8 += alternatives(czech);
        utf8 += ';';
        utf8 += alternatives(english);
        utf8 += ';';
        utf8 += rng() % 2 ? "[d0g5]" : "[]";
        utf8 += ';';
        utf8 += rng() % 5 == 0 ? "/home/uzivatel/slovniky/zvirata/zvuk" + std::to_string(i) + ".wav" : "NENÍ";
        utf8 += "\r\n";
    }
    TextEncoding enc = TextEncoding::Windows1250;
    return encodeText(utf8, enc);
}

void printRow(const std::string& what, double ours, const std::string& referenceName, double reference) {
    std::printf("%-34s %9.3f s   %-26s %9.3f s   ratio %6.2f\n", what.c_str(), ours, referenceName.c_str(),
                reference, reference > 0 ? ours / reference : 0.0);
}

}  // namespace lexo::bench
