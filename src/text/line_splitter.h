#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexo {

// Cuts a line at every separator: no trimming, no quoting, and always one piece more
// than there are separators ("" → {""}, "a;" → {"a", ""}).
std::vector<std::string> splitFields(std::string_view line, char separator = ';');

// Same cut without copying; the views point into `line`.
std::vector<std::string_view> splitFieldViews(std::string_view line, char separator = ';');

// Calls onLine for each line of text. CR, LF and CR LF end a line; a last line without
// an end is a line; zero-length lines are passed on too (callers decide).
// onLine(std::string_view line, std::size_t lineNumber) with 1-based numbers.
template <typename OnLine>
void forEachLine(std::string_view text, OnLine&& onLine) {
    std::size_t start = 0;
    std::size_t number = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            onLine(text.substr(start, i - start), ++number);
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n) onLine(text.substr(start), ++number);
}

}  // namespace lexo
