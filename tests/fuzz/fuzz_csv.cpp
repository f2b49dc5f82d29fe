// Any bytes must import or be refused cleanly, and what imports must survive an export and
// a second import unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/csv_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the separator: guessed, ",", ";" or a tab.
    const char separators[4] = {0, ',', ';', '\t'};
    const char separator = separators[data[0] % 4];
    lexo::ExchangeImport first =
        lexo::parseDelimited(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), separator);
    if (!first.ok) std::abort();
    const char written = separator == 0 ? ',' : separator;
    lexo::ExchangeImport second = lexo::parseDelimited(lexo::buildDelimited(first.table, written), written);
    if (!second.ok || !(second.table == first.table)) std::abort();
    if (!second.skipped.empty() || !second.changed.empty()) std::abort();
    return 0;
}
