// Any bytes must load or be refused cleanly, and what loads must survive a save and a
// second load unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dictionary/dictionary_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    lexo::DictionaryLoad first = lexo::parseDictionary(bytes);
    if (first.status != lexo::LoadStatus::Loaded) {
        if (!first.table.empty()) std::abort();
        return 0;
    }
    lexo::TextEncoding encoding = first.encoding;
    const std::string saved = lexo::buildDictionaryText(first.table, encoding);
    lexo::DictionaryLoad second = lexo::parseDictionary(saved);
    if (second.status != lexo::LoadStatus::Loaded || !(second.table == first.table)) std::abort();
    if (!second.shortLines.empty() || !second.longLines.empty()) std::abort();
    return 0;
}
