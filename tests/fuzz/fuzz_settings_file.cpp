// Any bytes: the parser must not crash, and whatever it accepts must survive being
// written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/settings_store.h"

namespace {

[[noreturn]] void mismatch(const char* what) {
    std::fprintf(stderr, "settings file round trip: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const lexo::SettingsParse first = lexo::parseSettingsFile(bytes);
    if (!first.ok) return 0;

    const std::string text = lexo::serializeSettings(first.data);
    const lexo::SettingsParse second = lexo::parseSettingsFile(text);
    if (!second.ok) mismatch("written file does not parse");
    if (!(second.data == first.data)) mismatch("values changed");
    if (lexo::serializeSettings(second.data) != text) mismatch("second write differs");

    // What the stores read must agree with the parsed data.
    const lexo::MemorySettingsStore store(second.data);
    for (const lexo::SettingsKey& key : first.data.keys()) {
        if (!store.keyExists(key.path)) mismatch("key lost");
        for (const lexo::SettingsEntry& entry : key.entries) {
            const auto read = store.readString(key.path, entry.name);
            if ((entry.value.type == lexo::SettingsValueType::String) != read.has_value()) mismatch("type");
            if (read && *read != entry.value.text) mismatch("string");
        }
    }
    return 0;
}
