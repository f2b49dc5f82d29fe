#include "platform/wav_header.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexo {
namespace {

constexpr std::size_t kHeadBytes = 40;

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool tagIs(const unsigned char* p, const char (&tag)[5]) { return std::memcmp(p, tag, 4) == 0; }

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// readAt(offset, destination, count) is true only when all count bytes were read.
template <class ReadAt>
WavHeaderLoad readHeader(ReadAt&& readAt) {
    WavHeaderLoad result;
    std::array<unsigned char, 44> buffer{};
    if (!readAt(0, buffer.data(), kHeadBytes)) return result;
    const bool dataAt36 = tagIs(&buffer[36], "data");
    const std::uint32_t fmtSize = le32(&buffer[16]);
    // An extended fmt chunk is followed by a chunk whose first value is the sample count.
    if (!dataAt36 && !readAt(static_cast<std::uint64_t>(fmtSize) + 28, &buffer[40], 4)) return result;
    result.read = true;

    const std::uint16_t channelCount = le16(&buffer[22]);
    if (!tagIs(&buffer[0], "RIFF") || !tagIs(&buffer[8], "WAVE") || !tagIs(&buffer[12], "fmt ") ||
        (channelCount != 1 && channelCount != 2))
        return result;

    WavHeader& h = result.header;
    h.valid = true;
    h.formatTag = le16(&buffer[20]);
    h.channels = static_cast<std::uint8_t>(channelCount & 0xFF);
    h.sampleRate = static_cast<std::uint16_t>(le32(&buffer[24]) & 0xFFFF);
    h.bytesPerSecond = le32(&buffer[28]);
    h.blockAlign = le16(&buffer[32]);
    h.bitsPerSample = static_cast<std::uint8_t>(le16(&buffer[34]) & 0xFF);
    h.sampleNumber = static_cast<std::int32_t>(le32(&buffer[40]));
    h.headerSize = dataAt36 ? std::uint16_t{44} : static_cast<std::uint16_t>((fmtSize & 0xFFFF) + 40);
    h.fileSize = le32(&buffer[4]) + 8;
    if (h.fileSize < h.headerSize) h.headerSize = static_cast<std::uint16_t>(h.fileSize);
    return result;
}

bool writeAllAt(int fd, const char* p, std::size_t left, off_t offset) {
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p, left, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        offset += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

FileResult systemFailure() { return {false, std::strerror(errno)}; }

}  // namespace

WavHeaderLoad loadWavHeader(const std::filesystem::path& path) {
    // Non-blocking, so that a pipe or device named like a sound cannot stall the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {};
    }
    const std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
    WavHeaderLoad result = readHeader([&](std::uint64_t offset, unsigned char* out, std::size_t count) {
        if (offset > size || count > size - offset) return false;
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    });
    ::close(fd);
    return result;
}

WavHeaderLoad parseWavHeader(std::string_view fileBytes) {
    return readHeader([&](std::uint64_t offset, unsigned char* out, std::size_t count) {
        if (offset > fileBytes.size() || count > fileBytes.size() - offset) return false;
        std::memcpy(out, fileBytes.data() + offset, count);
        return true;
    });
}

double wavDurationSeconds(const WavHeader& h) {
    if (!h.valid) return 0;
    if (h.sampleNumber == 0 && h.bytesPerSecond > 0)
        return static_cast<double>(h.fileSize - h.headerSize) / h.bytesPerSecond;
    if (h.sampleNumber > 0 && h.sampleRate > 0) return static_cast<double>(h.sampleNumber) / h.sampleRate;
    return 0;
}

std::string formatTenths(double seconds) {
    if (!std::isfinite(seconds)) return ",0";
    const long long tenths = std::llround(std::fabs(seconds) * 10);
    std::string text = seconds < 0 && tenths != 0 ? "-" : "";
    if (tenths >= 10) text += std::to_string(tenths / 10);
    text += ',';
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

std::string recordingLengthText(const WavHeader& header) {
    if (!header.valid) return {};
    return "Délka záznamu: " + formatTenths(wavDurationSeconds(header)) + " s";
}

std::string pcmWavHeader(const PcmFormat& format, std::uint32_t dataBytes) {
    std::string out;
    out.reserve(44);
    out += "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, format.channels, 2);
    putLe(out, format.sampleRate, 4);
    putLe(out, format.bytesPerSecond(), 4);
    putLe(out, format.blockAlign(), 2);
    putLe(out, format.bitsPerSample, 2);
    out += "data";
    putLe(out, dataBytes, 4);
    return out;
}

FileResult writeEmptyWav(const std::filesystem::path& path, const PcmFormat& format) {
    return writeFileAtomically(path, pcmWavHeader(format, 0));
}

WavWriter::WavWriter(std::uint32_t headerUpdateBytes)
    : headerUpdateBytes_(headerUpdateBytes == 0 ? 1 : headerUpdateBytes) {}

WavWriter::~WavWriter() {
    if (isOpen()) finish();
}

FileResult WavWriter::open(const std::filesystem::path& path, const PcmFormat& format) {
    if (isOpen()) finish();
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    // Opened without truncation first, so that a file that is no regular file is refused
    // before anything happens to it.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return systemFailure();
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return {false, std::strerror(err)};
    }
    const std::string header = pcmWavHeader(format, 0);
    if (::ftruncate(fd, 0) != 0 || !writeAll(fd, header)) {
        const FileResult failure = systemFailure();
        ::close(fd);
        if (!existed) std::filesystem::remove(path, ec);
        return failure;
    }
    fd_ = fd;
    format_ = format;
    dataBytes_ = 0;
    sizesWrittenFor_ = 0;
    full_ = false;
    return {};
}

FileResult WavWriter::append(std::string_view samples) {
    if (!isOpen()) return {false, std::strerror(EBADF)};
    if (full_) return {false, "Nahrávka dosáhla největší délky, jakou soubor WAV pojme."};
    bool truncated = false;
    if (samples.size() > kMaxDataBytes - dataBytes_) {
        samples = samples.substr(0, static_cast<std::size_t>(kMaxDataBytes - dataBytes_));
        truncated = true;
    }
    if (!writeAll(fd_, samples)) return systemFailure();
    dataBytes_ += samples.size();
    if (dataBytes_ - sizesWrittenFor_ >= headerUpdateBytes_) {
        if (FileResult r = updateSizes(); !r.ok) return r;
    }
    if (truncated) {
        full_ = true;
        return {false, "Nahrávka dosáhla největší délky, jakou soubor WAV pojme."};
    }
    return {};
}

FileResult WavWriter::updateSizes() {
    // Sizes only ever cover whole sample frames that are already on disk.
    const std::uint16_t frame = format_.blockAlign() == 0 ? std::uint16_t{1} : format_.blockAlign();
    const std::uint32_t data = static_cast<std::uint32_t>(dataBytes_ - dataBytes_ % frame);
    std::string riff;
    putLe(riff, 36 + data, 4);
    std::string chunk;
    putLe(chunk, data, 4);
    if (!writeAllAt(fd_, riff.data(), 4, 4) || !writeAllAt(fd_, chunk.data(), 4, 40)) return systemFailure();
    sizesWrittenFor_ = dataBytes_;
    return {};
}

FileResult WavWriter::finish() {
    if (!isOpen()) return {false, std::strerror(EBADF)};
    FileResult result;
    const std::uint16_t frame = format_.blockAlign() == 0 ? std::uint16_t{1} : format_.blockAlign();
    if (const std::uint64_t partial = dataBytes_ % frame; partial != 0) {
        dataBytes_ -= partial;
        if (::ftruncate(fd_, static_cast<off_t>(44 + dataBytes_)) != 0) result = systemFailure();
    }
    if (FileResult r = updateSizes(); !r.ok && result.ok) result = r;
    if (::fdatasync(fd_) != 0 && result.ok) result = systemFailure();
    if (::close(fd_) != 0 && result.ok) result = systemFailure();
    fd_ = -1;
    return result;
}

}  // namespace lexo
