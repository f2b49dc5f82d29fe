#include "help/update_check.h"

#include <limits>

#include "common/program_info.h"
#include "text/line_splitter.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

std::optional<std::uint64_t> parseSize(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value > (std::numeric_limits<std::uint64_t>::max() - 9) / 10) return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

}  // namespace

std::vector<std::string> newsItems(std::string_view line) {
    std::vector<std::string> items;
    for (const std::string_view item : splitFieldViews(line)) {
        if (item.empty()) break;
        items.emplace_back(item);
    }
    return items;
}

std::optional<VersionInfo> parseVersionFile(std::string bytes) {
    const DecodedText decoded = decodeText(std::move(bytes));
    std::vector<std::string_view> lines;
    forEachLine(decoded.text, [&](std::string_view line, std::size_t number) {
        if (number <= 6) lines.push_back(line);
    });
    if (lines.size() < 6) return std::nullopt;
    const std::optional<std::uint64_t> size = parseSize(lines[1]);
    if (!size) return std::nullopt;
    VersionInfo info;
    info.version = std::string(lines[0]);
    info.sizeText = std::string(lines[1]);
    info.size = *size;
    info.date = std::string(lines[2]);
    info.installerUrl = std::string(lines[3]);
    info.installerName = std::string(lines[4]);
    info.news = newsItems(lines[5]);
    return info;
}

std::optional<std::string> safeInstallerName(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string plain;
    plain.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) continue;
        plain += c;
    }
    while (!plain.empty() && plain.back() == ' ') plain.pop_back();
    if (plain.empty() || plain == "." || plain == ".." || plain.size() > 200) return std::nullopt;
    return plain;
}

std::optional<InstallerPaths> installerPaths(const std::filesystem::path& programFolder, std::string_view name) {
    const std::optional<std::string> plain = safeInstallerName(name);
    if (!plain) return std::nullopt;
    InstallerPaths paths;
    paths.folder = programFolder / std::string(kUpdateFolderName);
    paths.target = paths.folder / *plain;
    return paths;
}

std::string updateAddress(const char* environmentValue) {
    std::string address = environmentValue != nullptr && *environmentValue != '\0'
                              ? std::string(environmentValue)
                              : std::string(program_info::kUpdateUrl);
    if (address.back() != '/') address += '/';
    return address;
}

std::string versionFileUrl(std::string_view address) { return std::string(address) + std::string(kVersionFileName); }

}  // namespace lexo
