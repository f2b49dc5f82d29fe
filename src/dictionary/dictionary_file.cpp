#include "dictionary/dictionary_file.h"

#include <algorithm>
#include <cstring>

#include "text/line_splitter.h"
#include "platform/atomic_file.h"

namespace lexo {

namespace {

// Room for the shared "[]" and "NENÍ" the parser appends to the text.
constexpr std::size_t kDefaultsBytes = kNoPronunciation.size() + kNoSound.size();

std::size_t countLineEnds(std::string_view text) {
    std::size_t count = 0;
    for (const char c : {'\n', '\r'}) {
        const char* p = text.data();
        const char* end = p + text.size();
        while ((p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)))) != nullptr) {
            ++count;
            ++p;
        }
    }
    return count;
}

}  // namespace

// Builds the table's slots straight over the decoded file text, which becomes the table's
// buffer: no copy of any field is made.
class DictionaryParser {
public:
    static void parse(DictionaryLoad& load, std::string text) {
        ExpressionTable& table = load.table;
        table.clear();
        table.text_ = std::move(text);
        const std::string_view all(table.text_);

        const std::size_t rows = countLineEnds(all) + 1;
        table.rows_.reserve(rows);
        adviseHugePages(table.rows_.data(), rows * sizeof(ExpressionTable::Row));

        // The defaults of a short line live once at the end of the buffer.
        const auto noPronunciation = static_cast<std::uint32_t>(table.text_.size());
        const auto noSound = static_cast<std::uint32_t>(noPronunciation + kNoPronunciation.size());
        const ExpressionTable::Slot defaults[4] = {
            {0, 0}, {0, 0},
            {noPronunciation, static_cast<std::uint32_t>(kNoPronunciation.size())},
            {noSound, static_cast<std::uint32_t>(kNoSound.size())}};

        const char* base = all.data();
        forEachLine(all, [&](std::string_view line, std::size_t number) {
            if (line.empty()) return;
            ExpressionTable::Slot pieces[4] = {defaults[0], defaults[1], defaults[2], defaults[3]};
            std::size_t count = 0;
            std::size_t start = 0;
            auto offsetOf = [&](std::size_t i) { return static_cast<std::uint32_t>(line.data() - base + i); };
            for (std::size_t i = 0; i <= line.size(); ++i) {
                if (i == line.size() || line[i] == ';') {
                    if (count < 4) pieces[count] = {offsetOf(start), static_cast<std::uint32_t>(i - start)};
                    ++count;
                    start = i + 1;
                }
            }
            if (count < 4) load.shortLines.push_back(number);
            if (count > 4) load.longLines.push_back(number);
            // File order is Czech, foreign; the record keeps foreign first.
            table.rows_.push_back({pieces[1], pieces[0], pieces[2], pieces[3]});
        });

        table.text_.append(kNoPronunciation);
        table.text_.append(kNoSound);
        // Line ends and separators are dead bytes of the buffer.
        table.garbage_ = 0;
        load.status = table.rows_.empty() ? LoadStatus::Empty : LoadStatus::Loaded;
        if (table.rows_.empty()) table.clear();
    }
};

namespace {

DictionaryLoad parseBytes(std::string_view bytes) {
    DictionaryLoad load;
    const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), '\0', bytes.size());
    if (nul != nullptr)
        bytes = bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
    load.encoding = detectEncoding(bytes);
    // Edits and the sound move append to the buffer: room for them spares the first edit a
    // copy of the whole text. Room never written costs no memory.
    const std::size_t spare = kDefaultsBytes + bytes.size() / 4;
    std::string text;
    if (load.encoding == TextEncoding::Windows1250) {
        text = decodeWindows1250(bytes, spare);
    } else {
        if (load.encoding == TextEncoding::Utf8WithBom) bytes.remove_prefix(3);
        text.reserve(bytes.size() + spare);
        adviseHugePages(text.data(), bytes.size());
        text.assign(bytes);
    }
    if (text.size() > ExpressionTable::kMaxTextBytes - 16) {
        load.status = LoadStatus::TooLarge;
        return load;
    }
    DictionaryParser::parse(load, std::move(text));
    return load;
}

}  // namespace

DictionaryLoad parseDictionary(std::string bytes) { return parseBytes(bytes); }

DictionaryLoad loadDictionary(const std::filesystem::path& path) {
    const MappedFile file = MappedFile::open(path, kMaxDictionaryFileBytes);
    if (file.status() != ReadStatus::Ok) {
        DictionaryLoad load;
        load.status = file.status() == ReadStatus::TooLarge ? LoadStatus::TooLarge : LoadStatus::CannotOpen;
        load.error = file.error();
        return load;
    }
    return parseBytes(file.bytes());
}

namespace {

// The lines of the whole table, written through a pointer into an exactly sized buffer:
// saving a large dictionary is one pass over its text. Empty when Windows-1250 was
// wanted and cannot hold a character.
std::string buildLines(const ExpressionTable& table, bool windows1250, std::string_view prefix) {
    std::size_t size = prefix.size() + table.size() * 5;  // three separators and CR LF a row
    for (std::size_t row = 0; row < table.size(); ++row) {
        for (int f = 0; f < 4; ++f) {
            const std::string_view text = table.field(row, static_cast<Field>(f));
            size += windows1250 ? codePointCount(text) : text.size();
        }
    }
    std::string out;
    out.reserve(size);
    adviseHugePages(out.data(), size);
    out.resize(size);
    char* p = out.data();
    if (!prefix.empty()) {
        std::memcpy(p, prefix.data(), prefix.size());
        p += prefix.size();
    }
    auto put = [&p, windows1250](std::string_view text) {
        if (windows1250) {
            p = writeWindows1250(p, text);
            return p != nullptr;
        }
        std::memcpy(p, text.data(), text.size());
        p += text.size();
        return true;
    };
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (!put(table.czech(row))) return {};
        *p++ = ';';
        if (!put(table.foreign(row))) return {};
        *p++ = ';';
        if (!put(table.pronunciation(row))) return {};
        *p++ = ';';
        if (!put(table.sound(row))) return {};
        *p++ = '\r';
        *p++ = '\n';
    }
    return out;
}

}  // namespace

std::string buildLine(const ExpressionTable& table, std::size_t row) {
    std::string line;
    line.append(table.czech(row)).append(";").append(table.foreign(row)).append(";");
    line.append(table.pronunciation(row)).append(";").append(table.sound(row));
    return line;
}

std::string buildDictionaryText(const ExpressionTable& table, TextEncoding& encoding) {
    if (encoding == TextEncoding::Windows1250) {
        std::string encoded = buildLines(table, true, {});
        if (encoded.empty() && !table.empty()) {
            // Rather write UTF-8 than lose a character Windows-1250 has no byte for.
            encoding = TextEncoding::Utf8;
        } else if (detectEncoding(encoded) == TextEncoding::Windows1250) {
            return encoded;
        } else {
            // These bytes would read back as UTF-8: mark them as such instead.
            encoding = TextEncoding::Utf8WithBom;
        }
    }
    // Text that itself starts with U+FEFF would lose it to the next reading as a BOM.
    if (encoding == TextEncoding::Utf8 && !table.empty() && table.czech(0).starts_with(kUtf8Bom))
        encoding = TextEncoding::Utf8WithBom;
    return buildLines(table, false, encoding == TextEncoding::Utf8WithBom ? kUtf8Bom : "");
}

SaveResult saveDictionary(const ExpressionTable& table, const std::filesystem::path& path,
                          TextEncoding encoding) {
    SaveResult result;
    result.encoding = encoding;
    const std::string text = buildDictionaryText(table, result.encoding);
    const FileResult written = writeFileAtomically(path, text);
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

std::size_t alternativeCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '+')) + 1;
}

std::string storableField(std::string text) {
    std::replace(text.begin(), text.end(), ';', '+');
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::erase(text, '\0');
    return text;
}

}  // namespace lexo
