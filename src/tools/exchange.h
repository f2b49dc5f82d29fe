#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/expression_table.h"

namespace lexo {

// Word lists of other trainers and spreadsheets.
enum class ExchangeFormat { Csv, Tsv, Kvtml };

// "csv", "tsv", "kvtml" (any case).
std::optional<ExchangeFormat> exchangeFormatNamed(std::string_view name);
// By extension: .csv; .tsv or .tab; .kvtml.
std::optional<ExchangeFormat> exchangeFormatOf(const std::filesystem::path& file);

// Something of an entry that did not come over as it stood, with the number of its line
// (CSV) or entry (kvtml), counted from 1.
struct ExchangeNote {
    std::size_t number = 0;
    std::string text;
};

struct ExchangeImport {
    bool ok = false;        // false: the input as a whole cannot be read; `error` says why
    std::string error;
    ExpressionTable table;
    std::vector<ExchangeNote> skipped;  // entries left out
    std::vector<ExchangeNote> changed;  // entries taken over with a change
    std::vector<std::string> remarks;   // about the file as a whole
};

// Adds one entry, turning what a dictionary line cannot hold (";", line breaks) into what
// the editor would store, and noting the change. An empty pronunciation becomes "[]".
// False (nothing added) when neither a foreign nor a Czech text is left.
bool addExchangedEntry(ExchangeImport& import, std::size_t number, std::string_view foreign, std::string_view czech,
                       std::string_view pronunciation);

// The pronunciation as other trainers write it: "[]" means none.
std::string_view exchangedPronunciation(std::string_view pronunciation);

}  // namespace lexo
