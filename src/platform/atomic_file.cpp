#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexo {
namespace {

std::string systemError(int err) { return std::strerror(err); }

// Opens a regular file for reading and checks its size; -1 with status and error set
// otherwise.
int openForReading(const std::filesystem::path& path, std::size_t maxBytes, ReadStatus& status, std::string& error,
                   std::size_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        status = ReadStatus::CannotOpen;
        error = systemError(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        status = ReadStatus::CannotOpen;
        error = S_ISDIR(st.st_mode) ? systemError(EISDIR) : systemError(errno);
        ::close(fd);
        return -1;
    }
    if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        status = ReadStatus::TooLarge;
        ::close(fd);
        return -1;
    }
    status = ReadStatus::Ok;
    size = static_cast<std::size_t>(st.st_size);
    return fd;
}

}  // namespace

bool writeAll(int fd, std::string_view data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view data) {
    AtomicFileWriter writer(path);
    writer.write(data);
    return writer.commit();
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& requested) : path_(requested) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path_, ec)) {
        const auto resolved = std::filesystem::canonical(path_, ec);
        if (!ec) path_ = resolved;
    }
    folder_ = path_.has_parent_path() ? path_.parent_path() : ".";
    temp_ = (folder_ / ("." + path_.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        error_ = errno;
        temp_.clear();
        return;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(path_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd_, mode);
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

void AtomicFileWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

void AtomicFileWriter::fail(int err) {
    if (error_ == 0) error_ = err;
    discard();
}

bool AtomicFileWriter::write(std::string_view data) {
    if (error_ != 0) return false;
    if (!writeAll(fd_, data)) {
        fail(errno);
        return false;
    }
    written_ += data.size();
    // Start the disk on what is written while the rest is being made, so that the flush at
    // the end waits for little more than the last piece.
    constexpr std::size_t kStartDiskEvery = std::size_t{8} << 20;
    if (written_ - handedToDisk_ >= kStartDiskEvery) {
        ::sync_file_range(fd_, static_cast<off_t>(handedToDisk_), static_cast<off_t>(written_ - handedToDisk_),
                          SYNC_FILE_RANGE_WRITE);
        handedToDisk_ = written_;
    }
    return true;
}

bool AtomicFileWriter::restart() {
    if (error_ != 0) return false;
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
        fail(errno);
        return false;
    }
    written_ = handedToDisk_ = 0;
    return true;
}

FileResult AtomicFileWriter::commit() {
    if (error_ == 0 && ::fdatasync(fd_) != 0) fail(errno);
    if (error_ == 0) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) fail(errno);
    }
    if (error_ == 0 && ::rename(temp_.c_str(), path_.c_str()) != 0) fail(errno);
    if (error_ != 0) return {false, systemError(error_)};
    temp_.clear();
    // Make the rename itself durable; a failure here does not undo a complete file.
    const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

ReadResult readWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    ReadResult result;
    std::size_t size = 0;
    const int fd = openForReading(path, maxBytes, result.status, result.error, size);
    if (fd < 0) return result;
    result.data.resize(size);
    std::size_t got = 0;
    while (true) {
        if (got == result.data.size()) {
            // The file may have grown since fstat; read on in chunks.
            if (result.data.size() >= maxBytes) break;
            result.data.resize(std::min(maxBytes, result.data.size() + 65536));
        }
        const ssize_t n = ::read(fd, result.data.data() + got, result.data.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.status = ReadStatus::CannotOpen;
            result.error = systemError(errno);
            result.data.clear();
            ::close(fd);
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    result.data.resize(got);
    ::close(fd);
    return result;
}

MappedFile::~MappedFile() { release(); }

MappedFile::MappedFile(MappedFile&& other) noexcept { *this = std::move(other); }

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        release();
        status_ = other.status_;
        error_ = std::move(other.error_);
        fallback_ = std::move(other.fallback_);
        data_ = other.mapped_ ? other.data_ : fallback_.data();
        size_ = other.size_;
        mapped_ = other.mapped_;
        other.data_ = nullptr;
        other.size_ = 0;
        other.mapped_ = false;
    }
    return *this;
}

void MappedFile::release() {
    if (mapped_) ::munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

void MappedFile::dropPagesBefore(std::size_t offset) {
    if (!mapped_) return;
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t bytes = std::min(offset, size_) / page * page;
    if (bytes > 0) ::madvise(data_, bytes, MADV_DONTNEED);
}

MappedFile MappedFile::open(const std::filesystem::path& path, std::size_t maxBytes) {
    MappedFile file;
    std::size_t size = 0;
    const int fd = openForReading(path, maxBytes, file.status_, file.error_, size);
    if (fd < 0) return file;
    if (size == 0) {
        ::close(fd);
        return file;
    }
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED) {
        // Some file systems cannot map; read the ordinary way.
        ReadResult read = readWholeFile(path, maxBytes);
        file.status_ = read.status;
        file.error_ = std::move(read.error);
        file.fallback_ = std::move(read.data);
        file.data_ = file.fallback_.data();
        file.size_ = file.fallback_.size();
        return file;
    }
    file.data_ = data;
    file.size_ = size;
    file.mapped_ = true;
    return file;
}

}  // namespace lexo
