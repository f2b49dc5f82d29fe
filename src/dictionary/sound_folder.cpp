#include "dictionary/sound_folder.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <sys/stat.h>

#include "text/text_codec.h"

namespace lexo {
namespace fs = std::filesystem;

std::string_view soundFileName(std::string_view reference) {
    const std::size_t cut = reference.find_last_of("/\\");
    return cut == std::string_view::npos ? reference : reference.substr(cut + 1);
}

namespace {

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

std::string fixSoundPathCharacters(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '?') c = '1';
        else if (c == '!') c = '2';
        else if (c == '*') c = '3';
    }
    return out;
}

std::optional<fs::path> playableSound(std::string_view reference, const fs::path& dictionaryPath) {
    if (reference.empty() || reference == kNoSound) return std::nullopt;
    const fs::path asStored{std::string(reference)};
    if (isFile(asStored)) return asStored;
    const fs::path fixed{fixSoundPathCharacters(reference)};
    if (isFile(fixed)) return fixed;
    if (!dictionaryPath.empty()) {
        const std::string_view name = soundFileName(reference);
        if (!name.empty()) {
            const fs::path beside = soundFolderFor(dictionaryPath) / std::string(name);
            if (isFile(beside)) return beside;
        }
    }
    return std::nullopt;
}

fs::path soundFolderFor(const fs::path& dictionaryPath) {
    const fs::path folder = dictionaryPath.has_parent_path() ? dictionaryPath.parent_path() : fs::path(".");
    const std::string name = dictionaryPath.filename().string();
    const std::size_t dot = name.find('.');
    // Without a "." the stem is the whole name: a folder of that name cannot sit beside the
    // dictionary itself, so its sounds lie in its own folder.
    if (dot == std::string::npos || dot == 0) return folder;
    const std::string stem = name.substr(0, dot);
    std::error_code ec;
    if (fs::is_directory(folder / stem, ec)) return folder / stem;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec) && equalsIgnoreCase(it->path().filename().string(), stem)) return it->path();
    }
    return folder / stem;
}

namespace {

bool copyFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) fs::remove(to, ec);
    return !ec;
}

bool moveFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) return true;
    // Another file system: copy, then remove the original only once the copy is whole.
    if (!copyFile(from, to)) return false;
    fs::remove(from, ec);
    return true;
}

// Texts kept for the length of one move. Views into it stay valid: a chunk is never grown
// past the room it was made with.
class TextStore {
public:
    explicit TextStore(std::size_t expectedBytes) { chunks_.emplace_back().reserve(expectedBytes); }
    std::string_view keep(std::string_view text) {
        std::string* chunk = &chunks_.back();
        if (chunk->capacity() - chunk->size() < text.size()) {
            chunk = &chunks_.emplace_back();
            chunk->reserve(std::max<std::size_t>(text.size(), 4096));
        }
        const std::size_t at = chunk->size();
        chunk->append(text);
        return std::string_view(*chunk).substr(at, text.size());
    }

private:
    std::deque<std::string> chunks_;
};

// Views (kept in a TextStore) to numbers, by open addressing: a move touches every sound
// of a dictionary, and a node allocated per entry would cost more than the hashing.
class ViewMap {
public:
    explicit ViewMap(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < expected * 2) capacity *= 2;
        slots_.assign(capacity, kEmpty);
        entries_.reserve(expected);
    }

    const std::size_t* find(std::string_view key) const {
        const std::size_t hash = std::hash<std::string_view>{}(key);
        for (std::size_t slot = hash & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
            if (slots_[slot] == kEmpty) return nullptr;
            const Entry& entry = entries_[slots_[slot]];
            if (entry.hash == hash && entry.key == key) return &entry.value;
        }
    }
    bool contains(std::string_view key) const { return find(key) != nullptr; }

    // Keeps the first value given for a key.
    void insert(std::string_view key, std::size_t value = 0) {
        const std::size_t hash = std::hash<std::string_view>{}(key);
        if (find(key) != nullptr) return;
        if ((entries_.size() + 1) * 2 > slots_.size()) grow();
        entries_.push_back(Entry{key, value, hash});
        place(entries_.size() - 1);
    }

private:
    static constexpr std::size_t kEmpty = SIZE_MAX;
    struct Entry {
        std::string_view key;
        std::size_t value;
        std::size_t hash;
    };

    void place(std::size_t index) {
        std::size_t slot = entries_[index].hash & (slots_.size() - 1);
        while (slots_[slot] != kEmpty) slot = (slot + 1) & (slots_.size() - 1);
        slots_[slot] = index;
    }
    void grow() {
        slots_.assign(slots_.size() * 2, kEmpty);
        for (std::size_t index = 0; index < entries_.size(); ++index) place(index);
    }

    std::vector<std::size_t> slots_;
    std::vector<Entry> entries_;
};
using TextSet = ViewMap;

// Which file a path names, whatever its spelling (symlinked folders, "..", "//").
struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

struct FileIdentityHash {
    std::size_t operator()(const FileIdentity& id) const {
        return std::hash<std::uint64_t>{}(static_cast<std::uint64_t>(id.device) * 0x9E3779B97F4A7C15ULL ^
                                          static_cast<std::uint64_t>(id.inode));
    }
};

std::string numberedName(const fs::path& target, const TextSet& taken) {
    const fs::path folder = target.parent_path();
    const std::string stem = target.stem().string();
    const std::string ext = target.extension().string();
    for (int n = 2;; ++n) {
        std::string candidate = (folder / (stem + " (" + std::to_string(n) + ")" + ext)).string();
        std::error_code ec;
        if (!taken.contains(candidate) && !fs::exists(candidate, ec)) return candidate;
    }
}

}  // namespace

SoundMoveReport moveSoundFiles(ExpressionTable& table, const fs::path& savePath, const fs::path& keepFolder) {
    SoundMoveReport report;
    const std::optional<FileIdentity> keepIn = keepFolder.empty() ? std::nullopt : identityOf(keepFolder.string());
    const fs::path folder = soundFolderFor(savePath);
    std::string prefix = folder.string();
    if (prefix.empty() || prefix.back() != '/') prefix += '/';

    std::size_t references = 0;
    std::size_t textBytes = 0;
    for (std::size_t row = 0; row < table.size(); ++row) {
        const std::string_view sound = table.sound(row);
        if (sound == kNoSound) continue;
        ++references;
        textBytes += sound.size() + prefix.size() + soundFileName(sound).size();
    }
    if (references == 0) return report;

    // The references as they were and the targets given out; the table's own text moves
    // as rows are rewritten, so the keys live here.
    TextStore texts(textBytes);
    ViewMap movedTo(references);  // old reference → row now holding its new one
    TextSet claimed(references);  // targets given out in this save

    // Every file some row refers to, and the dictionary itself, by identity: such a file is
    // never deleted to make room, however its path is spelled. Only a file already lying at
    // a target needs it, so it is gathered then.
    std::optional<std::unordered_set<FileIdentity, FileIdentityHash>> referenced;
    const auto targetTaken = [&](const std::string& target) {
        if (claimed.contains(target)) return true;
        const std::optional<FileIdentity> there = identityOf(target);
        if (!there) return false;
        if (!referenced) {
            referenced.emplace();
            referenced->reserve(references + 1);
            for (std::size_t row = 0; row < table.size(); ++row) {
                if (table.sound(row) == kNoSound) continue;
                if (const auto id = identityOf(std::string(table.sound(row)))) referenced->insert(*id);
            }
            if (const auto id = identityOf(savePath.string())) referenced->insert(*id);
        }
        return referenced->contains(*there);
    };

    // A reference whose folder is missing names no file: one look at the folder spares a
    // look at each of its files (a dictionary copied without its sounds). The sounds of a
    // dictionary mostly share one folder, so the last answer is kept at hand.
    std::unordered_map<std::string, bool> folderExists;
    std::string lastFolder;
    bool lastFolderExists = false;
    const auto sourceExists = [&](std::string_view source) {
        std::error_code ec;
        const std::size_t cut = source.find_last_of('/');
        if (cut != std::string_view::npos && cut > 0) {
            const std::string_view parent = source.substr(0, cut);
            if (parent != lastFolder) {
                lastFolder.assign(parent);
                auto known = folderExists.find(lastFolder);
                if (known == folderExists.end())
                    known = folderExists.emplace(lastFolder, fs::is_directory(fs::path(lastFolder), ec)).first;
                lastFolderExists = known->second;
            }
            if (!lastFolderExists) return false;
        }
        return fs::is_regular_file(fs::path(source), ec);
    };

    bool folderReady = false;
    std::string target;
    for (std::size_t row = 0; row < table.size(); ++row) {
        const std::string_view reference = table.sound(row);
        if (reference == kNoSound) continue;
        if (const std::size_t* done = movedTo.find(reference)) {
            table.setField(row, Field::Sound, table.sound(*done));
            continue;
        }
        const std::string_view name = soundFileName(reference);
        if (name.empty()) continue;
        target.assign(prefix).append(name);
        const std::string_view original = texts.keep(reference);
        if (original == target) {
            claimed.insert(original);
            movedTo.insert(original, row);
            continue;
        }
        std::error_code ec;
        if (!sourceExists(original)) {
            // Nothing to move; point at where the sound belongs (it may already lie
            // there when the dictionary was copied from another computer).
            ++report.missing;
            claimed.insert(texts.keep(target));
            table.setField(row, Field::Sound, target);
            movedTo.insert(original, row);
            continue;
        }
        if (!folderReady) {
            fs::create_directories(folder, ec);
            folderReady = true;
            folderExists.clear();
            lastFolder.clear();
        }
        const std::optional<FileIdentity> source = identityOf(std::string(original));
        if (source && source == identityOf(target)) {
            // Already in place under another spelling: nothing to move, and nothing may be
            // deleted; the reference takes the folder's spelling.
            const std::string_view kept = texts.keep(target);
            claimed.insert(kept);
            movedTo.insert(original, row);
            table.setField(row, Field::Sound, kept);
            ++report.respelled;
            continue;
        }
        if (targetTaken(target)) {
            target = numberedName(target, claimed);
            ++report.renamed;
        } else if (fs::exists(target, ec)) {
            fs::remove(target, ec);  // an old copy nobody refers to
        }
        movedTo.insert(original, row);
        const bool copy = keepIn && identityOf(fs::path(original).parent_path().string()) == keepIn;
        if (!(copy ? copyFile(fs::path(original), target) : moveFile(fs::path(original), target))) {
            // The sound is still where it was: keep pointing at it rather than at nothing.
            ++report.failed;
            continue;
        }
        ++report.moved;
        claimed.insert(texts.keep(target));
        table.setField(row, Field::Sound, target);
    }
    return report;
}

}  // namespace lexo
