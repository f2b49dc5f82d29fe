#include "text/text_codec.h"

#include "text/huge_pages.h"


#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace lexo {
namespace {

constexpr std::array<char16_t, 128> kWindows1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Code points below U+0300 map through a flat table; the few above it by search.
struct ReverseTable {
    std::array<std::uint8_t, 0x300> low{};
    std::array<std::pair<char16_t, std::uint8_t>, 32> high{};
    std::size_t highCount = 0;

    constexpr ReverseTable() {
        for (unsigned b = 0; b < 0x80; ++b) low[b] = static_cast<std::uint8_t>(b);
        for (unsigned i = 0; i < 128; ++i) {
            const char16_t cp = kWindows1250High[i];
            const auto byte = static_cast<std::uint8_t>(0x80 + i);
            if (cp < 0x300) {
                low[cp] = byte;
            } else {
                high[highCount++] = {cp, byte};
            }
        }
    }

    // 0 means "not encodable"; U+0000 never reaches here because files stop at NUL.
    constexpr int lookup(char32_t cp) const {
        if (cp == 0) return 0;
        if (cp < 0x300) return low[cp] == 0 ? -1 : low[cp];
        for (std::size_t i = 0; i < highCount; ++i)
            if (high[i].first == cp) return high[i].second;
        return -1;
    }
};

constexpr ReverseTable kReverse;

struct CasePair {
    char32_t from;
    char32_t to;
};
struct CaseExpansion {
    char32_t from;
    char32_t to[3];  // unused places are 0
};
#include "text/upper_case_table.inc"

template <typename Entry, std::size_t N>
const Entry* findCase(const Entry (&table)[N], char32_t cp) {
    const Entry* end = table + N;
    const Entry* at = std::lower_bound(table, end, cp, [](const Entry& e, char32_t key) { return e.from < key; });
    return at != end && at->from == cp ? at : nullptr;
}

// The upper case of one code point when it is one code point (the windows' full
// Unicode rule; "ß" and the like stay as they are here).
char32_t upperCodePoint(char32_t cp) {
    if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 0x20 : cp;
    const CasePair* pair = findCase(kUpperSingle, cp);
    return pair ? pair->to : cp;
}

void appendUpper(std::string& out, char32_t cp) {
    if (cp >= 0x80) {
        if (const CasePair* pair = findCase(kUpperSingle, cp)) {
            appendUtf8(out, pair->to);
            return;
        }
        if (const CaseExpansion* longer = findCase(kUpperMulti, cp)) {
            for (const char32_t part : longer->to)
                if (part != 0) appendUtf8(out, part);
            return;
        }
    }
    appendUtf8(out, upperCodePoint(cp));
}

char32_t lowerCodePoint(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
    if (cp == 0x178) return 0xFF;
    if (cp >= 0x100 && cp <= 0x137) return cp | char32_t{1};
    if (cp >= 0x139 && cp <= 0x148) return (cp % 2 == 1) ? cp + 1 : cp;
    if (cp >= 0x14A && cp <= 0x177) return cp | char32_t{1};
    if (cp >= 0x179 && cp <= 0x17E) return (cp % 2 == 1) ? cp + 1 : cp;
    return cp;
}

template <typename Append>
std::string mapCase(std::string_view utf8, Append append) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t before = pos;
        const char32_t cp = nextCodePoint(utf8, pos);
        if (pos == before + 1 && cp >= 0x80) {
            out.push_back(utf8[before]);  // not UTF-8: keep the byte
        } else {
            append(out, cp);
        }
    }
    return out;
}

}  // namespace

const char* encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Windows1250: return "windows-1250";
    case TextEncoding::Utf8: return "utf-8";
    case TextEncoding::Utf8WithBom: return "utf-8 (BOM)";
    }
    return "?";
}

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        char32_t min;
        char32_t cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2; min = 0x80; cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3; min = 0x800; cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4; min = 0x10000; cp = c & 0x07;
        } else {
            return false;
        }
        if (n - i < len) return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return TextEncoding::Utf8WithBom;
    bool nonAscii = false;
    for (unsigned char c : bytes) {
        if (c >= 0x80) {
            nonAscii = true;
            break;
        }
    }
    if (nonAscii && isValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::Windows1250;
}

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto c = static_cast<unsigned char>(utf8[pos]);
    std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len <= 1 || utf8.size() - pos < len) {
        ++pos;
        return c;
    }
    char32_t cp = c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        const auto d = static_cast<unsigned char>(utf8[pos + k]);
        if ((d & 0xC0) != 0x80) {
            ++pos;
            return c;
        }
        cp = (cp << 6) | (d & 0x3F);
    }
    pos += len;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

const std::array<Utf8Sequence, 128>& windows1250ToUtf8() {
    static const auto kTable = [] {
        std::array<Utf8Sequence, 128> table{};
        for (unsigned i = 0; i < 128; ++i) {
            std::string s;
            appendUtf8(s, kWindows1250High[i]);
            table[i].size = static_cast<std::uint8_t>(s.size());
            for (std::size_t k = 0; k < s.size(); ++k) table[i].bytes[k] = s[k];
        }
        return table;
    }();
    return kTable;
}

std::string decodeWindows1250(std::string_view bytes, std::size_t spare) {
    // Sized exactly first, then filled through a pointer: this runs over whole dictionaries.
    const auto& utf8 = windows1250ToUtf8();
    std::size_t size = bytes.size();
    for (unsigned char c : bytes)
        if (c >= 0x80) size += utf8[c - 0x80].size - 1u;
    std::string out;
    out.reserve(size + spare);
    adviseHugePages(out.data(), size);
    out.resize(size);
    char* p = out.data();
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
        } else {
            const Utf8Sequence& seq = utf8[c - 0x80];
            std::memcpy(p, seq.bytes.data(), seq.size);
            p += seq.size;
        }
    }
    return out;
}

std::size_t codePointCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

char* writeWindows1250(char* p, std::string_view utf8) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        // Most text is ASCII: move it eight bytes at a time, up to the next byte that is not.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            std::memcpy(p, &word, 8);
            const std::uint64_t high = word & 0x8080808080808080ull;
            if (high != 0) {
                const auto ascii = static_cast<std::size_t>(std::countr_zero(high) >> 3);
                p += ascii;
                i += ascii;
                break;
            }
            p += 8;
            i += 8;
        }
        if (i == n) break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
            ++i;
            continue;
        }
        int b = -1;
        // Czech letters are two-byte sequences: decode those here, the rest the long way.
        if ((c & 0xE0) == 0xC0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
            const char32_t cp = (char32_t{c} & 0x1F) << 6 | (s[i + 1] & 0x3F);
            if (cp >= 0x80) b = kReverse.lookup(cp);
            i += 2;
        } else {
            const std::size_t before = i;
            const char32_t cp = nextCodePoint(utf8, i);
            // A lone byte ≥ 0x80 is not UTF-8: refuse rather than guess.
            if (i != before + 1) b = kReverse.lookup(cp);
        }
        if (b < 0) return nullptr;
        *p++ = static_cast<char>(b);
    }
    return p;
}

bool appendWindows1250(std::string& out, std::string_view utf8) {
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    char* end = writeWindows1250(out.data() + start, utf8);
    if (end == nullptr) {
        out.resize(start);
        return false;
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
    return true;
}

std::optional<std::string> encodeWindows1250(std::string_view utf8) {
    std::string out;
    if (!appendWindows1250(out, utf8)) return std::nullopt;
    return out;
}

DecodedText decodeText(std::string bytes) {
    DecodedText result;
    result.encoding = detectEncoding(bytes);
    switch (result.encoding) {
    case TextEncoding::Utf8WithBom:
        bytes.erase(0, 3);
        // A BOM promises UTF-8; bytes that break that promise are kept as they are rather
        // than reinterpreted, so nothing changes on the way back.
        result.text = std::move(bytes);
        break;
    case TextEncoding::Utf8:
        result.text = std::move(bytes);
        break;
    case TextEncoding::Windows1250:
        result.text = decodeWindows1250(bytes);
        break;
    }
    return result;
}

std::string encodeText(std::string_view utf8, TextEncoding& encoding) {
    if (encoding == TextEncoding::Windows1250) {
        auto encoded = encodeWindows1250(utf8);
        if (encoded && detectEncoding(*encoded) == TextEncoding::Windows1250) return std::move(*encoded);
        encoding = encoded ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
    }
    // Text that itself starts with U+FEFF would lose it to the next reading as a BOM.
    if (encoding == TextEncoding::Utf8 && utf8.starts_with(kUtf8Bom)) encoding = TextEncoding::Utf8WithBom;
    std::string out;
    if (encoding == TextEncoding::Utf8WithBom) out = kUtf8Bom;
    out.append(utf8);
    return out;
}

std::string toUpperUtf8(std::string_view utf8) { return mapCase(utf8, appendUpper); }

std::string toLowerUtf8(std::string_view utf8) {
    return mapCase(utf8, [](std::string& out, char32_t cp) { appendUtf8(out, lowerCodePoint(cp)); });
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = nextCodePoint(a, i);
        const char32_t y = nextCodePoint(b, j);
        if (x != y && upperCodePoint(x) != upperCodePoint(y)) return false;
    }
    return i == a.size() && j == b.size();
}

}  // namespace lexo
