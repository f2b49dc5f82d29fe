#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/exchange.h"

namespace lexo {

// kvtml 2, the vocabulary format of the KDE trainers. Of each entry the translations in the
// Czech language and in the first other language (by the file's identifiers) come over.
// A DTD that declares anything is refused: no entity of the file is ever expanded or fetched.
// From `parallelFrom` bytes on, two threads share the entries; the outcome is the same.
inline constexpr std::size_t kKvtmlParallelBytes = std::size_t{8} << 20;
ExchangeImport parseKvtml(std::string_view bytes, std::size_t parallelFrom = kKvtmlParallelBytes);

struct KvtmlExport {
    std::string bytes;
    std::vector<ExchangeNote> changed;  // characters XML 1.0 cannot hold, replaced by U+FFFD
};

// A kvtml 2 file with the identifiers English ("en") and Czech ("cs") and one lesson named
// `title` holding every entry, as the KDE trainers expect it.
KvtmlExport buildKvtml(const ExpressionTable& table, std::string_view title);

}  // namespace lexo
