#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// A 16-bit PCM wave file built byte by byte, independent of the program's own writer:
// `seconds` of a quiet 440 Hz tone at `rate` samples per second.
inline std::string testPcmWav(double seconds, std::uint32_t rate = 22050, std::uint16_t channels = 1) {
    const auto frames = static_cast<std::uint32_t>(std::lround(seconds * rate));
    const std::uint32_t dataBytes = frames * channels * 2;
    std::string out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    out += "RIFF";
    put(36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * 2, 4);
    put(channels * 2, 2);
    put(16, 2);
    out += "data";
    put(dataBytes, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<std::int16_t>(3000 * std::sin(i * 2 * std::numbers::pi * 440 / rate));
        for (std::uint16_t c = 0; c < channels; ++c) put(static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

// A recorder without a microphone: start() leaves an empty wave file, stop() writes
// `recorded` as what was heard. `missingDevice` makes start() fail as on a machine with
// no input, touching nothing.
class FakeRecorder : public Recorder {
public:
    bool missingDevice = false;
    bool failStop = false;
    std::string deviceError = "Nenalezeno žádné zařízení pro nahrávání zvuku.";
    std::string recorded = testPcmWav(2.4);

    std::vector<std::string> started;
    int stops = 0;

    bool start(const std::string& wavPath) override {
        if (missingDevice) {
            error_ = deviceError;
            return false;
        }
        if (recording_) stop();
        write(wavPath, testPcmWav(0));
        path_ = wavPath;
        started.push_back(wavPath);
        recording_ = true;
        error_.clear();
        return true;
    }

    bool stop() override {
        if (!recording_) return false;
        recording_ = false;
        ++stops;
        if (failStop) {
            error_ = "Nahrávku nelze dokončit: disk je plný.";
            return false;
        }
        write(path_, recorded);
        return true;
    }

    bool recording() const override { return recording_; }
    std::string lastError() const override { return error_; }
    const std::string& path() const { return path_; }

private:
    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    bool recording_ = false;
    std::string path_;
    std::string error_;
};

}  // namespace lexo
