#include "platform/ini_file.h"

#include <unordered_set>

#include "text/line_splitter.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool hasEnclosingQuotes(std::string_view text) {
    return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

// The reader would trim or unquote such a value, so it is written inside quotes.
bool needsQuotes(std::string_view value) {
    return !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || hasEnclosingQuotes(value));
}

}  // namespace

IniFile IniFile::parse(std::string bytes) {
    DecodedText decoded = decodeText(std::move(bytes));
    // A BOM followed by bytes that are not UTF-8 is kept as it is by decodeText; read it as
    // Windows-1250 instead, so that everything held is valid UTF-8 and is read back the
    // same after being written.
    if (!isValidUtf8(decoded.text)) decoded.text = decodeWindows1250(decoded.text);

    IniFile ini;
    forEachLine(decoded.text, [&](std::string_view raw, std::size_t) {
        const std::string_view line = trim(raw);
        if (line.starts_with('[')) {
            if (const std::size_t close = line.rfind(']'); close != std::string_view::npos) {
                ini.sections_.push_back({std::string(trim(line.substr(1, close - 1))), true, {}});
                return;
            }
        }
        if (ini.sections_.empty()) ini.sections_.push_back({{}, false, {}});
        std::vector<Line>& lines = ini.sections_.back().lines;

        const std::size_t equals = line.find('=');
        if (line.starts_with(';') || equals == std::string_view::npos || trim(line.substr(0, equals)).empty()) {
            lines.push_back({{}, std::string(raw), false});
            return;
        }
        std::string_view value = trim(line.substr(equals + 1));
        if (hasEnclosingQuotes(value)) value = value.substr(1, value.size() - 2);
        lines.push_back({std::string(trim(line.substr(0, equals))), std::string(value), true});
    });
    return ini;
}

std::string IniFile::serialize() const {
    std::string out;
    for (const Section& section : sections_) {
        if (section.hasHeader) {
            out += '[';
            out += section.name;
            out += "]\r\n";
        }
        for (const Line& line : section.lines) {
            if (line.isEntry) {
                out += line.key;
                out += '=';
                if (needsQuotes(line.value)) {
                    out += '"';
                    out += line.value;
                    out += '"';
                } else {
                    out += line.value;
                }
            } else {
                out += line.value;
            }
            out += "\r\n";
        }
    }
    // Text that itself begins with U+FEFF would lose it to the BOM check when read back.
    if (out.starts_with(kUtf8Bom)) out.insert(0, kUtf8Bom);
    return out;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (Section& section : sections_)
        if (section.hasHeader && equalsIgnoreCase(section.name, name)) return &section;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

std::vector<std::pair<std::string, std::string>> IniFile::entries(std::string_view sectionName) const {
    std::vector<std::pair<std::string, std::string>> result;
    const Section* section = findSection(sectionName);
    if (!section) return result;
    std::unordered_set<std::string> seen;
    for (const Line& line : section->lines) {
        if (line.isEntry && seen.insert(toUpperUtf8(line.key)).second) result.emplace_back(line.key, line.value);
    }
    return result;
}

std::optional<std::string> IniFile::value(std::string_view sectionName, std::string_view key) const {
    if (const Section* section = findSection(sectionName)) {
        for (const Line& line : section->lines)
            if (line.isEntry && equalsIgnoreCase(line.key, key)) return line.value;
    }
    return std::nullopt;
}

bool IniFile::hasSection(std::string_view sectionName) const { return findSection(sectionName) != nullptr; }

void IniFile::setValue(std::string_view sectionName, std::string_view key, std::string_view value) {
    Section* section = findSection(sectionName);
    if (!section) {
        sections_.push_back({std::string(sectionName), true, {}});
        section = &sections_.back();
    }
    std::vector<Line>& lines = section->lines;
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].isEntry) continue;
        if (equalsIgnoreCase(lines[i].key, key)) {
            lines[i].value = value;
            return;
        }
        insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{std::string(key), std::string(value), true});
}

void IniFile::eraseSection(std::string_view sectionName) {
    std::erase_if(sections_, [&](const Section& section) {
        return section.hasHeader && equalsIgnoreCase(section.name, sectionName);
    });
}

IniRead readIniFile(const std::filesystem::path& path) {
    IniRead result;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) {
        result.status = IniReadStatus::Missing;
        return result;
    }
    ReadResult read = readWholeFile(path, kMaxIniFileBytes);
    if (read.status != ReadStatus::Ok) {
        result.status = IniReadStatus::Unreadable;
        result.error = read.status == ReadStatus::TooLarge ? "file too large" : read.error;
        return result;
    }
    result.bytes = std::move(read.data);
    result.file = IniFile::parse(result.bytes);
    return result;
}

FileResult writeIniFile(const std::filesystem::path& path, const IniFile& file) {
    return writeFileAtomically(path, file.serialize());
}

}  // namespace lexo
