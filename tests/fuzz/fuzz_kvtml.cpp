// Any bytes must import or be refused cleanly, alike by one reader and by two, and what
// imports must survive an export and a second import unchanged.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "tools/kvtml_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const lexo::ExchangeImport first = lexo::parseKvtml(bytes, std::numeric_limits<std::size_t>::max());
    // Two readers, the second from an entry in the middle, must come to the same.
    const lexo::ExchangeImport split = lexo::parseKvtml(bytes, 0);
    if (split.ok != first.ok || split.error != first.error || !(split.table == first.table) ||
        split.skipped.size() != first.skipped.size() || split.changed.size() != first.changed.size())
        std::abort();
    if (!first.ok) {
        if (!first.table.empty() || first.error.empty()) std::abort();
        return 0;
    }
    const lexo::KvtmlExport exported = lexo::buildKvtml(first.table, "fuzz");
    const lexo::ExchangeImport second = lexo::parseKvtml(exported.bytes);
    if (!second.ok || !(second.table == first.table)) std::abort();
    return 0;
}
