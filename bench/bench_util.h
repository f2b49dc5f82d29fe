#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lexo::bench {

// Best wall time of `runs` calls, in seconds.
double bestOf(int runs, const std::function<void()>& work);

struct ChildRun {
    int exitCode = -1;
    double seconds = 0;
    long peakKilobytes = 0;  // the child's maximum resident set
};

// Runs a program (no shell) and measures it.
ChildRun runChild(const std::vector<std::string>& argv);
double bestChildOf(int runs, const std::vector<std::string>& argv);

// A dictionary of `count` expressions with realistic Czech and English texts, some with
// "+" alternatives, pronunciations and sound paths, in Windows-1250.
std::string generateDictionary(std::size_t count, unsigned seed = 1);

void printRow(const std::string& what, double ours, const std::string& referenceName, double reference);

}  // namespace lexo::bench
