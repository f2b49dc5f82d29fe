#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace lexo {

inline constexpr std::string_view kRecentFilesSection = "RecentFiles";
inline constexpr std::string_view kRecentFileKeyPrefix = "File";

// A menu numbers at most 35 entries: 1…9, then A…Z.
inline constexpr int kMaxRecentFilesLimit = 35;

// "1"…"9" for entries 0…8, "A"…"Z" for 9…34; '\0' beyond.
char recentShortcutCharacter(std::size_t index);

// The menu text of entry `index`: "&1 path" … "&9 path", "&A path" … with numbering, the
// bare path without. An "&" inside the path is doubled so the menu shows it as it is.
std::string recentMenuCaption(std::string_view path, std::size_t index, bool numbered);

// The most-recently-used list of dictionaries, newest first, never longer than maxList and
// never holding two paths that differ only in case. Once load() has read (or not found)
// its list file, the list is written back there after every change: the list is also
// written at program exit, but a crash must not lose what was opened in the run.
class RecentFiles {
public:
    using ExistsFn = std::function<bool(const std::string& path)>;

    // A regular file or anything else that is not a folder.
    static bool fileExists(const std::string& path);

    explicit RecentFiles(int maxList = 4, ExistsFn exists = fileExists);

    int maxList() const { return maxList_; }
    // Negative values count as 0, values above kMaxRecentFilesLimit as the limit.
    void setMaxList(int value);

    const std::vector<std::string>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    bool exists(const std::string& path) const { return exists_(path); }

    enum class LoadStatus { Loaded, Missing, Unreadable };

    // Reads the list from `listFile` and ties the list to it. A missing file gives an empty
    // list that will be written on the first change; an unreadable one leaves the list as
    // it stands and unsaved, so the file is never overwritten with less than it holds.
    LoadStatus load(const std::filesystem::path& listFile);

    // Section "RecentFiles": as many entries are read as the section has keys, from "File0"
    // on; empty, missing, vanished and repeated paths are dropped, then the list is cut to
    // maxList.
    void loadFromIni(const IniFile& ini);

    // Puts a path at the top; an entry equal to it without regard to case leaves its old
    // place and takes the spelling just given, which is the one known to exist.
    void addToTop(const std::string& path);
    bool moveToTop(std::size_t index);
    bool remove(std::size_t index);
    // Position of a path spelled exactly so, or size() when absent.
    std::size_t indexOf(std::string_view path) const;

    // Replaces the section in `ini` with "File0"… in list order. A path holding a line
    // break cannot be stored in the file and is left out of it.
    void writeTo(IniFile& ini) const;

    // Writes the list into its file, keeping the file's other sections, and leaves an
    // unchanged file alone. Fails when load() has not tied the list to a file.
    FileResult save() const;
    bool hasListFile() const { return !listFile_.empty(); }
    const std::filesystem::path& listFile() const { return listFile_; }

private:
    void changed();

    int maxList_;
    ExistsFn exists_;
    std::vector<std::string> entries_;
    std::filesystem::path listFile_;
};

}  // namespace lexo
