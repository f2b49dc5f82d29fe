#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lexo {

// How a text file was stored. A file is written back the way it was read, so a
// dictionary made on Windows stays byte-identical after a load and save.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class TextEncoding {
    Windows1250,
    Utf8,
    Utf8WithBom,
};

const char* encodingName(TextEncoding encoding);

bool isValidUtf8(std::string_view bytes);

// BOM → UTF-8 with BOM; valid UTF-8 holding a non-ASCII byte → UTF-8; anything else
// (plain ASCII included) → Windows-1250.
TextEncoding detectEncoding(std::string_view bytes);

// Every byte maps to a distinct code point (the five undefined bytes to the C1 controls
// U+0081…), so decoding never fails and encoding the result gives the same bytes.
// `spare` reserves room for text the caller appends afterwards.
std::string decodeWindows1250(std::string_view bytes, std::size_t spare = 0);

// The UTF-8 form of each Windows-1250 byte from 0x80 on: `size` bytes (2 or 3) of `bytes`.
struct Utf8Sequence {
    std::uint8_t size = 0;
    std::array<char, 3> bytes{};
};
const std::array<Utf8Sequence, 128>& windows1250ToUtf8();

// nullopt when the text holds a character Windows-1250 cannot store (or is not UTF-8).
std::optional<std::string> encodeWindows1250(std::string_view utf8);

// Number of code points: the Windows-1250 size of valid UTF-8 text.
std::size_t codePointCount(std::string_view utf8);

// Writes the Windows-1250 form of utf8 at p, which has room for utf8.size() bytes (more
// than the result may need: whole words are stored at once); returns the end, or nullptr
// when a character cannot be stored.
char* writeWindows1250(char* p, std::string_view utf8);

// Appends the Windows-1250 form of utf8 to out; false (out partly written) when a
// character cannot be stored.
bool appendWindows1250(std::string& out, std::string_view utf8);

struct DecodedText {
    std::string text;  // UTF-8, without a byte order mark
    TextEncoding encoding = TextEncoding::Windows1250;
};

DecodedText decodeText(std::string bytes);

// Encodes in the wanted encoding; when Windows-1250 cannot hold the text, falls back to
// UTF-8 rather than lose a character, and reports that through `encoding`. Windows-1250
// bytes that would read back as UTF-8 (or start like a BOM) are written as UTF-8 with a
// BOM instead, so the next reading sees the same text.
std::string encodeText(std::string_view utf8, TextEncoding& encoding);

// Upper-casing by the full Unicode rule the windows use (QString::toUpper: "ß" → "SS",
// Cyrillic, Greek…), so what judging compares is what an entry shows.
std::string toUpperUtf8(std::string_view utf8);
// Lower-casing for ASCII, Latin-1 and Latin Extended-A.
std::string toLowerUtf8(std::string_view utf8);
// Case-blind comparison, code point by code point through their one-code-point upper case.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Decodes one code point at `pos`, advancing it; invalid input yields the byte value.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace lexo
