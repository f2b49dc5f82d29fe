#include "platform/wav_header.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct Fmt {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint32_t bytesPerSecond = 44100;
    std::uint16_t blockAlign = 2;
    std::uint16_t bits = 16;
};

// RIFF header, WAVE, fmt chunk of `fmtSize` bytes (extra bytes zero), then `rest`.
std::string waveFile(const Fmt& f, std::uint32_t riffSize, std::uint32_t fmtSize, const std::string& rest) {
    std::string out = "RIFF";
    put(out, riffSize, 4);
    out += "WAVEfmt ";
    put(out, fmtSize, 4);
    std::string fmt;
    put(fmt, f.tag, 2);
    put(fmt, f.channels, 2);
    put(fmt, f.rate, 4);
    put(fmt, f.bytesPerSecond, 4);
    put(fmt, f.blockAlign, 2);
    put(fmt, f.bits, 2);
    fmt.resize(fmtSize, '\0');
    return out + fmt + rest;
}

std::string dataChunk(std::uint32_t bytes) {
    std::string out = "data";
    put(out, bytes, 4);
    return out + std::string(bytes, '\x11');
}

// Reads the bytes both from memory and from a file; the two must agree.
WavHeaderLoad readBoth(const std::string& bytes) {
    TempDir dir;
    writeBytes(dir / "x.wav", bytes);
    const WavHeaderLoad fromFile = loadWavHeader(dir / "x.wav");
    const WavHeaderLoad fromMemory = parseWavHeader(bytes);
    EXPECT_EQ(fromFile.read, fromMemory.read);
    EXPECT_EQ(fromFile.header, fromMemory.header);
    return fromFile;
}

TEST(WavHeader, PlainPcmFileMeasuresItsDataByTheRiffSize) {
    // 88244 bytes in all: two seconds at 44100 bytes per second.
    const std::string bytes = waveFile({}, 88236, 16, dataChunk(88200));
    ASSERT_EQ(bytes.size(), 88244u);
    const WavHeaderLoad load = readBoth(bytes);
    ASSERT_TRUE(load.read);
    const WavHeader& h = load.header;
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.formatTag, 1);
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.sampleRate, 22050);
    EXPECT_EQ(h.bytesPerSecond, 44100u);
    EXPECT_EQ(h.blockAlign, 2);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.sampleNumber, 0);
    EXPECT_EQ(h.headerSize, 44);
    EXPECT_EQ(h.fileSize, 88244u);
    EXPECT_DOUBLE_EQ(wavDurationSeconds(h), 2.0);
    EXPECT_EQ(recordingLengthText(h), "Délka záznamu: 2,0 s");

    // The declared size counts, not the bytes present: a header is all the reader needs.
    const WavHeaderLoad headerOnly = readBoth(bytes.substr(0, 44));
    EXPECT_DOUBLE_EQ(wavDurationSeconds(headerOnly.header), 2.0);
    // Stereo at 88200 bytes per second: half the time.
    const std::string stereo = waveFile({1, 2, 22050, 88200, 4, 16}, 88236, 16, dataChunk(88200));
    EXPECT_EQ(recordingLengthText(readBoth(stereo).header), "Délka záznamu: 1,0 s");
}

TEST(WavHeader, ExtendedFmtChunkTakesTheSampleCountOfTheNextChunk) {
    // An 18-byte fmt chunk followed by a fact chunk: 22050 samples at 11025 per second.
    std::string rest = "fact";
    put(rest, 4, 4);
    put(rest, 22050, 4);
    rest += dataChunk(5000);
    const std::string bytes = waveFile({0x11, 1, 11025, 5588, 256, 4}, 4 + 26 + 12 + 5008, 18, rest);
    const WavHeaderLoad load = readBoth(bytes);
    ASSERT_TRUE(load.read);
    EXPECT_TRUE(load.header.valid);
    EXPECT_EQ(load.header.formatTag, 0x11);
    EXPECT_EQ(load.header.sampleNumber, 22050);
    EXPECT_EQ(load.header.headerSize, 58);
    EXPECT_DOUBLE_EQ(wavDurationSeconds(load.header), 2.0);
    EXPECT_EQ(recordingLengthText(load.header), "Délka záznamu: 2,0 s");

    // Without a sample count the size and byte rate give the length.
    std::string noCount = "fact";
    put(noCount, 4, 4);
    put(noCount, 0, 4);
    noCount += dataChunk(5000);
    const WavHeader counted = readBoth(waveFile({0x11, 1, 11025, 1000, 256, 4}, 5050, 18, noCount)).header;
    EXPECT_EQ(counted.headerSize, 58);
    EXPECT_DOUBLE_EQ(wavDurationSeconds(counted), (5058.0 - 58) / 1000);
    // A negative count says nothing usable.
    std::string negative = "fact";
    put(negative, 4, 4);
    put(negative, 0x80000000u, 4);
    EXPECT_EQ(wavDurationSeconds(readBoth(waveFile({0x11, 1, 11025, 1000, 256, 4}, 5050, 18, negative)).header), 0);
}

TEST(WavHeader, OnlyOneOrTwoChannelsMakeAValidHeader) {
    for (const std::uint16_t channels : {0, 3, 6, 257}) {
        const std::string bytes = waveFile({1, channels, 22050, 44100, 2, 16}, 88236, 16, dataChunk(88200));
        const WavHeaderLoad load = readBoth(bytes);
        EXPECT_TRUE(load.read) << channels;
        EXPECT_EQ(load.header, WavHeader{}) << channels;
        EXPECT_EQ(wavDurationSeconds(load.header), 0) << channels;
        EXPECT_EQ(recordingLengthText(load.header), "") << channels;
    }
    EXPECT_TRUE(readBoth(waveFile({1, 2, 22050, 88200, 4, 16}, 88236, 16, dataChunk(88200))).header.valid);
}

TEST(WavHeader, EachMagicWordIsChecked) {
    const std::string good = waveFile({}, 88236, 16, dataChunk(100));
    for (const std::size_t at : {0u, 8u, 12u}) {
        std::string bad = good;
        bad[at + 3] = '_';
        const WavHeaderLoad load = readBoth(bad);
        EXPECT_TRUE(load.read) << at;
        EXPECT_FALSE(load.header.valid) << at;
    }
}

TEST(WavHeader, DeclaredFileSmallerThanTheHeaderHasNoLength) {
    const WavHeader h = readBoth(waveFile({}, 20, 16, dataChunk(100))).header;
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.fileSize, 28u);
    EXPECT_EQ(h.headerSize, 28);
    EXPECT_EQ(wavDurationSeconds(h), 0);
    EXPECT_EQ(recordingLengthText(h), "Délka záznamu: ,0 s");
}

TEST(WavHeader, NarrowFieldsKeepTheLowBitsOfWhatIsStored) {
    // 96000 does not fit the 16-bit sample rate; 0x0110 bits keep their low byte.
    const WavHeader h = readBoth(waveFile({1, 1, 96000, 192000, 2, 0x0110}, 1036, 16, dataChunk(1000))).header;
    EXPECT_EQ(h.sampleRate, 96000 & 0xFFFF);
    EXPECT_EQ(h.bitsPerSample, 0x10);
    EXPECT_EQ(h.bytesPerSecond, 192000u);
    // A byte rate of 0 gives no length rather than a division by zero.
    EXPECT_EQ(wavDurationSeconds(readBoth(waveFile({1, 1, 22050, 0, 2, 16}, 1036, 16, dataChunk(1000))).header), 0);
}

TEST(WavHeader, ShortOrUnreadableFilesFailToRead) {
    const std::string good = waveFile({}, 88236, 16, dataChunk(100));
    // Fewer than the 40 bytes read at once.
    EXPECT_FALSE(readBoth(good.substr(0, 39)).read);
    EXPECT_EQ(readBoth(good.substr(0, 39)).header, WavHeader{});
    // 40 bytes ending in "data" need nothing more...
    EXPECT_TRUE(readBoth(good.substr(0, 40)).read);
    // ...but an extended fmt chunk needs the sample count behind it.
    std::string extended = waveFile({0x11, 1, 11025, 5588, 256, 4}, 100, 18, "fact");
    put(extended, 4, 4);
    EXPECT_FALSE(readBoth(extended).read);
    put(extended, 22050, 4);
    EXPECT_TRUE(readBoth(extended).read);
    // A fmt chunk size pointing far beyond the end, even past 4 GB once 28 is added.
    std::string huge = good.substr(0, 44);
    huge.replace(16, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    huge.replace(36, 4, "LIST");
    EXPECT_FALSE(readBoth(huge).read);
    EXPECT_FALSE(readBoth("").read);

    TempDir dir;
    EXPECT_FALSE(loadWavHeader(dir / "missing.wav").read);
    EXPECT_FALSE(loadWavHeader(dir.path()).read);
    // A pipe without a writer must not stall the reader.
    ASSERT_EQ(::mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
    const auto began = std::chrono::steady_clock::now();
    EXPECT_FALSE(loadWavHeader(dir / "pipe.wav").read);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
}

TEST(WavLength, OneDecimalWithCommaAndNoLeadingZero) {
    EXPECT_EQ(formatTenths(2.4), "2,4");
    EXPECT_EQ(formatTenths(2.44), "2,4");
    EXPECT_EQ(formatTenths(2.46), "2,5");
    EXPECT_EQ(formatTenths(0.25), ",3");  // half away from zero
    EXPECT_EQ(formatTenths(0.5), ",5");
    EXPECT_EQ(formatTenths(0.04), ",0");
    EXPECT_EQ(formatTenths(0), ",0");
    EXPECT_EQ(formatTenths(0.96), "1,0");
    EXPECT_EQ(formatTenths(125.25), "125,3");
    EXPECT_EQ(formatTenths(4294967295.0), "4294967295,0");
}

// --- writing -------------------------------------------------------------------------------

std::string samples(std::size_t bytes) {
    std::string out(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) out[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return out;
}

std::uint32_t le32At(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

TEST(WavWriter, WritesWhatItIsGivenUnderAnExactHeader) {
    TempDir dir;
    const PcmFormat format{22050, 1, 16};
    const std::string heard = samples(66150);  // 1.5 s
    {
        WavWriter writer;
        ASSERT_TRUE(writer.open(dir / "r.wav", format).ok);
        // Uneven pieces, as a sound device delivers them.
        std::size_t at = 0;
        for (std::size_t piece = 1; at < heard.size(); piece = piece * 3 + 1) {
            const std::size_t n = std::min(piece, heard.size() - at);
            ASSERT_TRUE(writer.append(std::string_view(heard).substr(at, n)).ok);
            at += n;
        }
        EXPECT_EQ(writer.dataBytes(), heard.size());
        ASSERT_TRUE(writer.finish().ok);
        EXPECT_FALSE(writer.isOpen());
    }
    const std::string file = readBytes(dir / "r.wav");
    ASSERT_EQ(file.size(), 44 + heard.size());
    EXPECT_EQ(file.substr(44), heard);
    EXPECT_EQ(le32At(file, 4), file.size() - 8);
    EXPECT_EQ(le32At(file, 40), heard.size());
    const WavHeader h = loadWavHeader(dir / "r.wav").header;
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.sampleRate, 22050);
    EXPECT_EQ(h.bytesPerSecond, 44100u);
    EXPECT_EQ(h.blockAlign, 2);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(recordingLengthText(h), "Délka záznamu: 1,5 s");
}

TEST(WavWriter, FileLeftByACrashIsStillAWaveFile) {
    TempDir dir;
    WavWriter writer(1000);
    ASSERT_TRUE(writer.open(dir / "r.wav", {}).ok);
    // Straight after opening: an empty but valid wave file.
    EXPECT_TRUE(loadWavHeader(dir / "r.wav").header.valid);
    EXPECT_EQ(readBytes(dir / "r.wav").size(), 44u);

    ASSERT_TRUE(writer.append(samples(1500)).ok);
    ASSERT_TRUE(writer.append(samples(1001)).ok);
    // What another process finds if the program dies now.
    const std::string snapshot = readBytes(dir / "r.wav");
    ASSERT_EQ(snapshot.size(), 44u + 2501);
    const std::uint32_t declared = le32At(snapshot, 40);
    EXPECT_EQ(declared % 2, 0u);
    EXPECT_GE(declared, 1000u);
    EXPECT_LE(declared, 2501u);
    EXPECT_EQ(le32At(snapshot, 4), declared + 36);
    const WavHeader h = parseWavHeader(snapshot).header;
    EXPECT_TRUE(h.valid);
    EXPECT_GT(wavDurationSeconds(h), 0);

    // The partial last sample is dropped when the file is completed.
    ASSERT_TRUE(writer.finish().ok);
    const std::string done = readBytes(dir / "r.wav");
    EXPECT_EQ(done.size(), 44u + 2500);
    EXPECT_EQ(le32At(done, 40), 2500u);
    EXPECT_EQ(le32At(done, 4), 2536u);
}

TEST(WavWriter, OpeningReplacesAFileButTouchesNothingWhenItCannot) {
    TempDir dir;
    writeBytes(dir / "old.wav", std::string(5000, 'x'));
    WavWriter writer;
    ASSERT_TRUE(writer.open(dir / "old.wav", {}).ok);
    ASSERT_TRUE(writer.finish().ok);
    EXPECT_EQ(readBytes(dir / "old.wav"), pcmWavHeader({}, 0));

    std::filesystem::create_directories(dir / "folder.wav");
    EXPECT_FALSE(writer.open(dir / "folder.wav", {}).ok);
    EXPECT_FALSE(writer.open(dir / "no" / "such" / "folder.wav", {}).ok);
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
    EXPECT_FALSE(writer.isOpen());
    EXPECT_FALSE(writer.append("ab").ok);
    EXPECT_FALSE(writer.finish().ok);
}

TEST(WavWriter, EmptyWaveFileIsValidAndHasNoLength) {
    TempDir dir;
    ASSERT_TRUE(writeEmptyWav(dir / "e.wav").ok);
    const std::string bytes = readBytes(dir / "e.wav");
    EXPECT_EQ(bytes.size(), 44u);
    const WavHeader h = loadWavHeader(dir / "e.wav").header;
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.bytesPerSecond, 88200u);
    EXPECT_EQ(wavDurationSeconds(h), 0);
    EXPECT_FALSE(writeEmptyWav(dir / "missing" / "e.wav").ok);
}

}  // namespace
}  // namespace lexo
