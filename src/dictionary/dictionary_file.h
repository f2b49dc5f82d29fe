#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/expression_table.h"
#include "text/text_codec.h"

namespace lexo {

inline constexpr std::string_view kEmptyDictionaryMessage = "Nejde načíst prázdný slovník!";
inline constexpr std::string_view kTooLargeDictionaryMessage = "Slovník je příliš velký, nelze ho načíst.";

// Larger files are refused rather than risk running the machine out of memory.
inline constexpr std::size_t kMaxDictionaryFileBytes = std::size_t{1} << 30;

enum class LoadStatus {
    Loaded,
    Empty,       // no line with any text: the caller shows kEmptyDictionaryMessage
    CannotOpen,  // nothing was loaded; the caller keeps what it had
    TooLarge,
};

struct DictionaryLoad {
    LoadStatus status = LoadStatus::CannotOpen;
    ExpressionTable table;
    TextEncoding encoding = TextEncoding::Windows1250;
    std::string error;                   // system reason for CannotOpen
    std::vector<std::size_t> shortLines; // 1-based lines with fewer than four fields
    std::vector<std::size_t> longLines;  // 1-based lines with more than four fields
};

// Splits the text of a dictionary file. Reading stops at the first NUL byte; CR, LF and
// CR LF end lines; zero-length lines are skipped; missing fields of a short line become
// "", "", "[]", "NENÍ"; fields past the fourth are dropped.
DictionaryLoad parseDictionary(std::string bytes);
DictionaryLoad loadDictionary(const std::filesystem::path& path);

// One line per expression, "czech;foreign;pronunciation;sound", each ending in CR LF,
// in the wanted encoding (UTF-8 instead when Windows-1250 cannot hold a character;
// `encoding` then says so).
std::string buildDictionaryText(const ExpressionTable& table, TextEncoding& encoding);
std::string buildLine(const ExpressionTable& table, std::size_t row);

struct SaveResult {
    bool ok = true;
    TextEncoding encoding = TextEncoding::Windows1250;
    std::string error;
};

// Replaces the file atomically; on failure the old file is untouched.
SaveResult saveDictionary(const ExpressionTable& table, const std::filesystem::path& path,
                          TextEncoding encoding = TextEncoding::Windows1250);

// A text as a field of a dictionary line can hold it: ";" becomes "+" (the separator the
// editor turns it into), line breaks become spaces, NUL bytes go.
std::string storableField(std::string text);

// Number of "+"-joined alternatives in a text ("a+b" → 2).
std::size_t alternativeCount(std::string_view text);

}  // namespace lexo
