#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"

namespace lexo {

// What a wave file's header says about the recording, all zero until a header has been
// read. The narrow fields keep only the low bits of what the file stores.
struct WavHeader {
    bool valid = false;
    std::uint16_t formatTag = 0;
    std::uint8_t channels = 0;
    std::uint16_t sampleRate = 0;
    std::uint32_t bytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint8_t bitsPerSample = 0;
    // The sample count of the chunk after an extended fmt chunk; 0 for a plain PCM file.
    std::int32_t sampleNumber = 0;
    std::uint16_t headerSize = 0;
    // As the RIFF chunk declares it, not as the file on disk is.
    std::uint32_t fileSize = 0;

    bool operator==(const WavHeader&) const = default;
};

struct WavHeaderLoad {
    // The bytes the header needs could be read. A file that is no wave file is still read
    // successfully; its header is simply not valid.
    bool read = false;
    WavHeader header;
};

// Reads the header from the start of a file; a missing, unreadable or too short file is a
// failed read. Never blocks on a pipe or device.
WavHeaderLoad loadWavHeader(const std::filesystem::path& path);

// The same for a file already in memory.
WavHeaderLoad parseWavHeader(std::string_view fileBytes);

// 0 for a header that is not valid or says nothing usable about the length.
double wavDurationSeconds(const WavHeader& header);

// One decimal, rounded half away from zero, decimal comma and no leading zero below one
// second: 2.44 → "2,4", 0.5 → ",5".
std::string formatTenths(double seconds);

// "Délka záznamu: 2,4 s" for a valid header; empty when the length cannot be told.
std::string recordingLengthText(const WavHeader& header);

// The format of what the program records.
struct PcmFormat {
    std::uint32_t sampleRate = 44100;
    std::uint16_t channels = 1;
    std::uint16_t bitsPerSample = 16;

    std::uint16_t blockAlign() const { return static_cast<std::uint16_t>(channels * (bitsPerSample / 8)); }
    std::uint32_t bytesPerSecond() const { return sampleRate * blockAlign(); }
};

// The 44-byte header of a PCM wave file whose sample data is dataBytes long.
std::string pcmWavHeader(const PcmFormat& format, std::uint32_t dataBytes);

// Creates (or replaces) a valid wave file without samples.
FileResult writeEmptyWav(const std::filesystem::path& path, const PcmFormat& format = {});

// Streams samples into a PCM wave file. The header always declares sizes a reader accepts:
// zero at first, brought up to date every headerUpdateBytes of samples and exactly on
// finish(), so a file left behind by a crash is still a wave file holding all but the last
// moments.
class WavWriter {
public:
    // Half a second of 44.1 kHz mono between header updates.
    static constexpr std::uint32_t kDefaultHeaderUpdateBytes = 44100;
    // The largest sample data a RIFF file can describe.
    static constexpr std::uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

    explicit WavWriter(std::uint32_t headerUpdateBytes = kDefaultHeaderUpdateBytes);
    // Finishes an open file.
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Creates or truncates the file and writes a header for no samples. Nothing is touched
    // when it fails.
    FileResult open(const std::filesystem::path& path, const PcmFormat& format);
    // Samples beyond the largest size a wave file can hold are dropped and reported.
    FileResult append(std::string_view samples);
    // Drops a trailing partial sample frame, writes the final sizes, flushes and closes.
    FileResult finish();

    bool isOpen() const { return fd_ >= 0; }
    std::uint64_t dataBytes() const { return dataBytes_; }
    const PcmFormat& format() const { return format_; }

private:
    FileResult updateSizes();

    std::uint32_t headerUpdateBytes_;
    int fd_ = -1;
    PcmFormat format_;
    std::uint64_t dataBytes_ = 0;
    std::uint64_t sizesWrittenFor_ = 0;
    bool full_ = false;
};

}  // namespace lexo
