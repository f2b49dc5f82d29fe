#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/atomic_file.h"

namespace lexo {

// An INI file as the private-profile functions understand it: "[Section]" headers,
// "key=value" lines, ";" comments. Section and key names compare without regard to case;
// spaces and tabs around names and values are not part of them, and one pair of matching
// quotes around a value is dropped. Lines that are not entries (comments, blank lines,
// anything else) are kept, so writing a file back changes only what was changed.
class IniFile {
public:
    struct Line {
        std::string key;    // entries only
        std::string value;  // an entry's value, or the whole text of any other line
        bool isEntry = false;
    };

    struct Section {
        std::string name;
        bool hasHeader = true;  // false only for the lines before the first header
        std::vector<Line> lines;
    };

    // Reads the bytes of a file in UTF-8 or Windows-1250 (see decodeText); never fails.
    // LF, CR LF and CR end lines.
    static IniFile parse(std::string bytes);

    // UTF-8, every line ending in CR LF.
    std::string serialize() const;

    // The entries of the first section of that name, each key once (the first one wins,
    // as the private-profile functions read it), in file order.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;

    // Replaces the value of an existing key, or adds the key after the section's last entry,
    // or adds the section at the end of the file. A value holding CR or LF cannot be stored.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes every section of that name, header and all.
    void eraseSection(std::string_view section);

    const std::vector<Section>& sections() const { return sections_; }

private:
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;

    std::vector<Section> sections_;
};

// Far beyond any list the program writes; a larger file is not one of ours.
inline constexpr std::size_t kMaxIniFileBytes = std::size_t{16} << 20;

enum class IniReadStatus { Ok, Missing, Unreadable };

struct IniRead {
    IniReadStatus status = IniReadStatus::Ok;
    IniFile file;
    std::string bytes;  // as read, so a caller can tell whether a write would change anything
    std::string error;
};

IniRead readIniFile(const std::filesystem::path& path);

// Replaces the file atomically; on failure the old file is untouched.
FileResult writeIniFile(const std::filesystem::path& path, const IniFile& file);

}  // namespace lexo
