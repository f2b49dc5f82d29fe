#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexo {
namespace {

std::string systemError(int err) { return std::strerror(err); }

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

}  // namespace

FileResult writeFileAtomically(const std::filesystem::path& requested, std::string_view data) {
    std::error_code ec;
    std::filesystem::path path = requested;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::canonical(path, ec);
        if (!ec) path = resolved;
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string tmpl = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return {false, systemError(errno)};

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);

    if (!writeAll(fd, data) || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmpl.c_str());
        return {false, systemError(err)};
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return {false, systemError(err)};
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return {false, systemError(err)};
    }
    return {};
}

ReadResult readWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    ReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.status = ReadStatus::CannotOpen;
        result.error = systemError(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.status = ReadStatus::CannotOpen;
        result.error = S_ISDIR(st.st_mode) ? systemError(EISDIR) : systemError(errno);
        ::close(fd);
        return result;
    }
    if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        result.status = ReadStatus::TooLarge;
        ::close(fd);
        return result;
    }
    result.data.resize(static_cast<std::size_t>(st.st_size));
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

}  // namespace lexo
