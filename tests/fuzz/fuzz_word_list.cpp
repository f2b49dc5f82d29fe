// Any bytes must read as a word list whose index answers exactly as a scan in file order
// does, for prefixes and whole keys taken from the list itself and from the raw input.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "text/text_codec.h"
#include "translator/word_list.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void compareWithScan(const lexo::WordListPart& part, const std::string& query) {
    std::optional<std::size_t> prefix, exact;
    for (std::size_t i = 0; i < part.size(); ++i) {
        const std::string key = part.key(i);
        if (!prefix && i > 0 && !query.empty() && key.starts_with(query)) prefix = i;
        if (!exact && !query.empty() && key == query) exact = i;
    }
    check(part.findPrefix(query) == prefix);
    check(part.findExact(query) == exact);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexo;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const WordList list = WordList::parse(bytes);
    check(list.entryCount() == list.foreignToCzech().size() + list.czechToForeign().size());
    for (const WordListPart* part : {&list.foreignToCzech(), &list.czechToForeign()}) {
        for (std::size_t i = 0; i < part->size(); ++i) {
            const std::string key = part->key(i);
            check(key.find_first_of(";\r\n") == std::string::npos);
            check(isValidUtf8(key) && isValidUtf8(part->translation(i)));
        }
        // Prefixes of a few keys, cut at every character boundary.
        for (std::size_t i = 0; i < part->size() && i < 6; ++i) {
            const std::string key = part->key(i);
            for (std::size_t cut = 0; cut <= key.size(); ++cut)
                if (cut == key.size() || (static_cast<unsigned char>(key[cut]) & 0xC0) != 0x80)
                    compareWithScan(*part, key.substr(0, cut));
        }
        if (isValidUtf8(bytes)) compareWithScan(*part, bytes.substr(0, 12));
    }
    return 0;
}
