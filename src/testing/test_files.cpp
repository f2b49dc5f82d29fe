#include "testing/test_files.h"

#include "dictionary/expression_table.h"
#include "dictionary/sound_folder.h"
#include "dictionary/text_codec.h"

namespace lexo {
namespace {

bool isFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

char32_t lowerCodePoint(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
    if (cp == 0x178) return 0xFF;
    if (cp >= 0x100 && cp <= 0x137) return cp | char32_t{1};
    if (cp >= 0x139 && cp <= 0x148) return (cp % 2 == 1) ? cp + 1 : cp;
    if (cp >= 0x14A && cp <= 0x177) return cp | char32_t{1};
    if (cp >= 0x179 && cp <= 0x17E) return (cp % 2 == 1) ? cp + 1 : cp;
    return cp;
}

}  // namespace

std::filesystem::path resolveTestDictionaryArgument(std::string_view argument,
                                                    const std::filesystem::path& currentFolder,
                                                    const std::filesystem::path& programFolder) {
    const std::filesystem::path given(argument);
    if (given.is_absolute()) return given;
    const std::filesystem::path inCurrent = currentFolder / given;
    if (!currentFolder.empty() && isFile(inCurrent)) return inCurrent;
    return programFolder / given;
}

std::optional<std::filesystem::path> findExpressionSound(std::string_view reference,
                                                         const std::filesystem::path& dictionaryPath) {
    if (reference.empty() || reference == kNoSound) return std::nullopt;
    const std::filesystem::path stored(reference);
    if (isFile(stored)) return stored;
    const std::string_view name = soundFileName(reference);
    if (name.empty() || dictionaryPath.empty()) return std::nullopt;
    const std::filesystem::path beside = soundFolderFor(dictionaryPath) / std::filesystem::path(name);
    if (isFile(beside)) return beside;
    return std::nullopt;
}

std::string toLowerUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t before = pos;
        const char32_t cp = nextCodePoint(utf8, pos);
        if (pos == before + 1 && cp >= 0x80) {
            out.push_back(utf8[before]);  // not UTF-8: keep the byte
        } else {
            appendUtf8(out, lowerCodePoint(cp));
        }
    }
    return out;
}

}  // namespace lexo
