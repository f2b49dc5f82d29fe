// Any bytes must parse without a crash; the tips that parse, written by the editing mode,
// must read back renumbered with the same headings and texts, and write the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "help/tips.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const lexo::TipsLoad first = lexo::parseTips(bytes);
    if (first.status == lexo::TipsLoad::Status::Empty && !first.tips.empty()) std::abort();
    lexo::TextEncoding encoding = first.encoding;
    const std::string written = lexo::TipsBook(first.tips, first.encoding).fileBytes(encoding);
    const lexo::TipsLoad second = lexo::parseTips(written);
    if (!second.conversionErrors.empty() || second.tips.size() != first.tips.size()) std::abort();
    for (std::size_t i = 0; i < second.tips.size(); ++i)
        if (second.tips[i].number != static_cast<int>(i + 1)) std::abort();
    lexo::TextEncoding again = second.encoding;
    if (lexo::TipsBook(second.tips, second.encoding).fileBytes(again) != written) std::abort();
    if (!second.tips.empty()) (void)lexo::tipBoxText(second.tips.front());
    return 0;
}
