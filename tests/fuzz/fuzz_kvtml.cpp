// Any bytes must import or be refused cleanly, and what imports must survive an export and
// a second import unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/kvtml_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const lexo::ExchangeImport first = lexo::parseKvtml(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.ok) {
        if (!first.table.empty() || first.error.empty()) std::abort();
        return 0;
    }
    const lexo::KvtmlExport exported = lexo::buildKvtml(first.table, "fuzz");
    const lexo::ExchangeImport second = lexo::parseKvtml(exported.bytes);
    if (!second.ok || !(second.table == first.table)) std::abort();
    return 0;
}
