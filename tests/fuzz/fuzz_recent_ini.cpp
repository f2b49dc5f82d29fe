// Feeds arbitrary bytes to the INI reader and the recent-files list built on it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dictionary/recent_files.h"
#include "text/text_codec.h"
#include "platform/ini_file.h"

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool always(const std::string&) { return true; }

void checkList(const lexo::RecentFiles& list) {
    const auto& entries = list.entries();
    require(entries.size() <= static_cast<std::size_t>(list.maxList()), "longer than maxList");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        require(!entries[i].empty(), "empty entry");
        for (std::size_t j = i + 1; j < entries.size(); ++j)
            require(!lexo::equalsIgnoreCase(entries[i], entries[j]), "two entries equal without regard to case");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const lexo::IniFile ini = lexo::IniFile::parse(bytes);

    // Writing and reading back must not change the file's entries anywhere.
    const lexo::IniFile reread = lexo::IniFile::parse(ini.serialize());
    require(reread.serialize() == ini.serialize(), "serialised text changes when read back");

    // The first byte picks the list length, over the whole range including values the
    // list refuses (above 35).
    const int maxList = size > 0 ? data[0] % 40 : 5;
    lexo::RecentFiles list(maxList, always);
    list.loadFromIni(ini);
    checkList(list);

    // Every value of the file, and its upper-case spelling, goes to the top in turn.
    std::vector<std::string> candidates;
    for (const auto& section : ini.sections())
        for (const auto& line : section.lines)
            if (line.isEntry && !line.value.empty() && candidates.size() < 64) candidates.push_back(line.value);
    for (const std::string& path : candidates) {
        for (const std::string& spelling : {path, lexo::toUpperUtf8(path)}) {
            list.addToTop(spelling);
            checkList(list);
            if (list.maxList() > 0) require(list.entries().front() == spelling, "added path is not on top");
        }
    }

    lexo::IniFile written = ini;
    list.writeTo(written);
    lexo::RecentFiles back(maxList, always);
    back.loadFromIni(lexo::IniFile::parse(written.serialize()));
    require(back.entries() == list.entries(), "list changes when written and read back");
    return 0;
}
