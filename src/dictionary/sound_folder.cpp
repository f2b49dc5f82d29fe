#include "dictionary/sound_folder.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "dictionary/text_codec.h"

namespace lexo {
namespace fs = std::filesystem;

std::string_view soundFileName(std::string_view reference) {
    const std::size_t cut = reference.find_last_of("/\\");
    return cut == std::string_view::npos ? reference : reference.substr(cut + 1);
}

fs::path soundFolderFor(const fs::path& dictionaryPath) {
    const fs::path folder = dictionaryPath.has_parent_path() ? dictionaryPath.parent_path() : fs::path(".");
    const std::string name = dictionaryPath.filename().string();
    const std::string stem = name.substr(0, name.find('.'));
    if (stem.empty()) return folder;
    std::error_code ec;
    if (fs::is_directory(folder / stem, ec)) return folder / stem;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec) && equalsIgnoreCase(it->path().filename().string(), stem)) return it->path();
    }
    return folder / stem;
}

namespace {

bool moveFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) return true;
    // Another file system: copy, then remove the original only once the copy is whole.
    ec.clear();
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        fs::remove(to, ec);
        return false;
    }
    fs::remove(from, ec);
    return true;
}

fs::path numberedName(const fs::path& target, const std::unordered_set<std::string>& taken) {
    const fs::path folder = target.parent_path();
    const std::string stem = target.stem().string();
    const std::string ext = target.extension().string();
    for (int n = 2;; ++n) {
        fs::path candidate = folder / (stem + " (" + std::to_string(n) + ")" + ext);
        std::error_code ec;
        if (!taken.contains(candidate.string()) && !fs::exists(candidate, ec)) return candidate;
    }
}

}  // namespace

SoundMoveReport moveSoundFiles(ExpressionTable& table, const fs::path& savePath) {
    SoundMoveReport report;
    const fs::path folder = soundFolderFor(savePath);

    // Every file some row refers to right now: such a file is never deleted to make room.
    std::unordered_set<std::string> referenced;
    for (std::size_t row = 0; row < table.size(); ++row)
        if (table.sound(row) != kNoSound) referenced.emplace(table.sound(row));

    std::unordered_map<std::string, std::string> movedTo;  // old reference → new one
    std::unordered_set<std::string> claimed;               // targets given out in this save
    bool folderReady = false;

    for (std::size_t row = 0; row < table.size(); ++row) {
        const std::string reference(table.sound(row));
        if (reference == kNoSound) continue;
        if (auto done = movedTo.find(reference); done != movedTo.end()) {
            table.setField(row, Field::Sound, done->second);
            continue;
        }
        const std::string_view name = soundFileName(reference);
        if (name.empty()) continue;
        fs::path target = folder / std::string(name);
        if (reference == target.string()) {
            claimed.insert(reference);
            movedTo.emplace(reference, reference);
            continue;
        }
        std::error_code ec;
        const bool sourceExists = fs::is_regular_file(fs::path(reference), ec);
        if (!sourceExists) {
            // Nothing to move; point at where the sound belongs (it may already lie
            // there when the dictionary was copied from another computer).
            ++report.missing;
            table.setField(row, Field::Sound, target.string());
            movedTo.emplace(reference, target.string());
            continue;
        }
        if (!folderReady) {
            fs::create_directories(folder, ec);
            folderReady = true;
        }
        const bool targetTaken = claimed.contains(target.string()) || referenced.contains(target.string());
        if (targetTaken) {
            target = numberedName(target, claimed);
            ++report.renamed;
        } else if (fs::exists(target, ec)) {
            fs::remove(target, ec);  // an old copy nobody refers to
        }
        if (!moveFile(reference, target)) {
            // The sound is still where it was: keep pointing at it rather than at nothing.
            ++report.failed;
            movedTo.emplace(reference, reference);
            continue;
        }
        ++report.moved;
        claimed.insert(target.string());
        movedTo.emplace(reference, target.string());
        table.setField(row, Field::Sound, target.string());
    }
    return report;
}

}  // namespace lexo
