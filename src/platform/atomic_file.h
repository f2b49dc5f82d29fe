#pragma once

#include "text/huge_pages.h"

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

// Writes all of `data` to an open descriptor, through short writes and interruptions.
bool writeAll(int fd, std::string_view data);

// Replaces the file in one step: the data goes to a temporary file in the same folder,
// is flushed to disk, and is renamed over the target. A failure at any point leaves the
// old file whole. A symbolic link is followed, so the file it names is replaced.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view data);

// The same replacement for data written in pieces, so a large file needs no copy of itself
// in memory. Until commit() the old file is whole; a writer dropped uncommitted leaves
// nothing behind.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once anything has failed; the rest of the writing is then skipped.
    bool write(std::string_view data);
    // Forgets what was written, to write the file anew.
    bool restart();
    FileResult commit();

private:
    void fail(int err);
    void discard();

    std::filesystem::path path_;
    std::filesystem::path folder_;
    std::string temp_;
    int fd_ = -1;
    int error_ = 0;
    std::size_t written_ = 0;
    std::size_t handedToDisk_ = 0;
};

enum class ReadStatus { Ok, CannotOpen, TooLarge };

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string data;
    std::string error;
};

// Reads a whole regular file; larger than maxBytes → TooLarge.
ReadResult readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// A read-only view of a whole regular file, mapped into memory: large files are read
// without a copy.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    static MappedFile open(const std::filesystem::path& path, std::size_t maxBytes);

    ReadStatus status() const { return status_; }
    const std::string& error() const { return error_; }
    std::string_view bytes() const { return {static_cast<const char*>(data_), size_}; }
    // The first `offset` bytes are read and no longer needed in memory: their pages are
    // given back (a later read of them fetches them from the file again).
    void dropPagesBefore(std::size_t offset);

private:
    void release();

    ReadStatus status_ = ReadStatus::CannotOpen;
    std::string error_;
    std::string fallback_;
    void* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
};

}  // namespace lexo
