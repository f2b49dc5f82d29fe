#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lexo {

struct FileResult {
    bool ok = true;
    std::string error;  // the system's reason when !ok
};

// Replaces the file in one step: the data goes to a temporary file in the same folder,
// is flushed to disk, and is renamed over the target. A failure at any point leaves the
// old file whole. A symbolic link is followed, so the file it names is replaced.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view data);

enum class ReadStatus { Ok, CannotOpen, TooLarge };

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string data;
    std::string error;
};

// Reads a whole regular file; larger than maxBytes → TooLarge.
ReadResult readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace lexo
