#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace lexo::bench {

// Best wall time of `runs` calls, in seconds.
double bestOf(int runs, const std::function<void()>& work);

struct ChildRun {
    int exitCode = -1;
    double seconds = 0;
    double cpuSeconds = 0;   // user and system time: steadier than wall time on a busy machine
    long peakKilobytes = 0;  // the child's maximum resident set
};

// Runs a program (no shell) and measures it.
ChildRun runChild(const std::vector<std::string>& argv);
double bestChildOf(int runs, const std::vector<std::string>& argv);
// The peak resident memory of a program run on its own, in kilobytes; -1 when it failed.
long peakKilobytesOf(const std::vector<std::string>& argv);

// A dictionary of `count` expressions with realistic Czech and English texts, some with
// "+" alternatives, pronunciations and sound paths, in Windows-1250.
std::string generateDictionary(std::size_t count, unsigned seed = 1);

// Processor time of this process so far, in seconds.
double processCpuSeconds();

// Answers every question the same way and counts what would have been shown.
class SilentPrompter final : public Prompter {
public:
    explicit SilentPrompter(Prompter::Answer answer = Prompter::Answer::No, bool verbose = false)
        : answer_(answer), verbose_(verbose) {}
    int messages = 0;
    void information(std::string_view text) override { report(text); }
    void warning(std::string_view text) override { report(text); }
    void error(std::string_view text) override { report(text); }
    bool askYesNo(std::string_view text) override {
        report(text);
        return answer_ == Prompter::Answer::Yes;
    }
    Prompter::Answer askYesNoCancel(std::string_view text) override {
        report(text);
        return answer_;
    }

private:
    void report(std::string_view text);
    Prompter::Answer answer_;
    bool verbose_;
};

void printRow(const std::string& what, double ours, const std::string& referenceName, double reference);

}  // namespace lexo::bench
