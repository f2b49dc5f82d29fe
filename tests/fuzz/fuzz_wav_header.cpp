// Any bytes give a header result, never a crash or a read outside the input; the same
// bytes, taken as a foreign text, give a recording path inside the Temp folder.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/sound_recording.h"
#include "platform/wav_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const lexo::WavHeaderLoad load = lexo::parseWavHeader(bytes);
    const lexo::WavHeader& h = load.header;
    if (!load.read && h != lexo::WavHeader{}) std::abort();
    if (!h.valid && h != lexo::WavHeader{}) std::abort();
    if (h.valid && (h.channels < 1 || h.channels > 2 || h.headerSize > h.fileSize)) std::abort();
    const double seconds = lexo::wavDurationSeconds(h);
    if (!std::isfinite(seconds) || seconds < 0) std::abort();
    const std::string text = lexo::recordingLengthText(h);
    if (h.valid == text.empty()) std::abort();

    const std::string name = lexo::recordingFileName(bytes);
    if (name.size() > 255 || name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
        std::abort();
    const auto path = lexo::recordingPathFor("/program", bytes);
    if (!path || path->parent_path() != "/program/Temp") std::abort();
    return 0;
}
