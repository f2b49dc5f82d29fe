#include "dictionary/recent_files.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>

#include "text/text_codec.h"

namespace lexo {
namespace {

bool storable(std::string_view path) { return path.find_first_of("\r\n") == std::string_view::npos; }

}  // namespace

char recentShortcutCharacter(std::size_t index) {
    if (index < 9) return static_cast<char>('1' + index);
    if (index < static_cast<std::size_t>(kMaxRecentFilesLimit)) return static_cast<char>('A' + (index - 9));
    return '\0';
}

std::string recentMenuCaption(std::string_view path, std::size_t index, bool numbered) {
    std::string caption;
    const char shortcut = numbered ? recentShortcutCharacter(index) : '\0';
    if (shortcut != '\0') {
        caption += '&';
        caption += shortcut;
        caption += ' ';
    }
    for (char c : path) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

bool RecentFiles::fileExists(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

RecentFiles::RecentFiles(int maxList, ExistsFn exists)
    : maxList_(std::clamp(maxList, 0, kMaxRecentFilesLimit)), exists_(exists ? std::move(exists) : fileExists) {}

void RecentFiles::setMaxList(int value) {
    maxList_ = std::clamp(value, 0, kMaxRecentFilesLimit);
    if (entries_.size() > static_cast<std::size_t>(maxList_)) changed();
}

RecentFiles::LoadStatus RecentFiles::load(const std::filesystem::path& listFile) {
    IniRead read = readIniFile(listFile);
    if (read.status == IniReadStatus::Unreadable) {
        listFile_.clear();
        return LoadStatus::Unreadable;
    }
    listFile_ = listFile;
    loadFromIni(read.file);
    // Dropped entries are written away at once, like any other change.
    changed();
    return read.status == IniReadStatus::Missing ? LoadStatus::Missing : LoadStatus::Loaded;
}

void RecentFiles::loadFromIni(const IniFile& ini) {
    const auto keys = ini.entries(kRecentFilesSection);
    std::unordered_map<std::string, const std::string*> byKey;
    for (const auto& [key, value] : keys) byKey.emplace(toUpperUtf8(key), &value);

    const std::string prefix = toUpperUtf8(kRecentFileKeyPrefix);
    entries_.clear();
    // Dropping vanished entries first and cutting to maxList afterwards keeps the first
    // maxList survivors, so the scan can stop as soon as it has them.
    for (std::size_t k = 0; k < keys.size() && entries_.size() < static_cast<std::size_t>(maxList_); ++k) {
        const auto found = byKey.find(prefix + std::to_string(k));
        if (found == byKey.end()) continue;
        const std::string& path = *found->second;
        if (path.empty() || !exists_(path)) continue;
        const bool repeated = std::any_of(entries_.begin(), entries_.end(),
                                          [&](const std::string& kept) { return equalsIgnoreCase(kept, path); });
        if (!repeated) entries_.push_back(path);
    }
}

void RecentFiles::addToTop(const std::string& path) {
    std::erase_if(entries_, [&](const std::string& entry) { return equalsIgnoreCase(entry, path); });
    entries_.insert(entries_.begin(), path);
    changed();
}

bool RecentFiles::moveToTop(std::size_t index) {
    if (index >= entries_.size()) return false;
    std::rotate(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(index),
                entries_.begin() + static_cast<std::ptrdiff_t>(index) + 1);
    if (index != 0) changed();
    return true;
}

bool RecentFiles::remove(std::size_t index) {
    if (index >= entries_.size()) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
    return true;
}

std::size_t RecentFiles::indexOf(std::string_view path) const {
    return static_cast<std::size_t>(std::find(entries_.begin(), entries_.end(), path) - entries_.begin());
}

void RecentFiles::writeTo(IniFile& ini) const {
    ini.eraseSection(kRecentFilesSection);
    std::size_t key = 0;
    for (const std::string& path : entries_) {
        if (!storable(path)) continue;
        ini.setValue(kRecentFilesSection, std::string(kRecentFileKeyPrefix) + std::to_string(key++), path);
    }
}

FileResult RecentFiles::save() const {
    if (listFile_.empty()) return {false, "the list has no file"};
    IniRead read = readIniFile(listFile_);
    if (read.status == IniReadStatus::Unreadable) return {false, read.error};
    writeTo(read.file);
    const std::string bytes = read.file.serialize();
    if (bytes == read.bytes) return {};
    return writeFileAtomically(listFile_, bytes);
}

void RecentFiles::changed() {
    if (entries_.size() > static_cast<std::size_t>(maxList_)) entries_.resize(static_cast<std::size_t>(maxList_));
    if (!listFile_.empty()) save();
}

}  // namespace lexo
