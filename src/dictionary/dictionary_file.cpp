#include "dictionary/dictionary_file.h"

#include <algorithm>
#include <cstring>

#include "dictionary/line_splitter.h"
#include "platform/atomic_file.h"

namespace lexo {

// Builds the table's slots straight over the decoded file text, which becomes the table's
// buffer: no copy of any field is made.
class DictionaryParser {
public:
    static void parse(DictionaryLoad& load, std::string text) {
        ExpressionTable& table = load.table;
        table.clear();
        table.text_ = std::move(text);
        const std::string_view all(table.text_);

        std::size_t lineCount = 0;
        for (char c : all) lineCount += (c == '\n' || c == '\r');
        table.rows_.reserve(lineCount + 1);

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

DictionaryLoad parseDictionary(std::string bytes) {
    DictionaryLoad load;
    if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
        bytes.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
    DecodedText decoded = decodeText(std::move(bytes));
    load.encoding = decoded.encoding;
    if (decoded.text.size() > ExpressionTable::kMaxTextBytes - 16) {
        load.status = LoadStatus::TooLarge;
        return load;
    }
    DictionaryParser::parse(load, std::move(decoded.text));
    return load;
}

DictionaryLoad loadDictionary(const std::filesystem::path& path) {
    ReadResult read = readWholeFile(path, kMaxDictionaryFileBytes);
    if (read.status == ReadStatus::CannotOpen) {
        DictionaryLoad load;
        load.status = LoadStatus::CannotOpen;
        load.error = std::move(read.error);
        return load;
    }
    if (read.status == ReadStatus::TooLarge) {
        DictionaryLoad load;
        load.status = LoadStatus::TooLarge;
        return load;
    }
    return parseDictionary(std::move(read.data));
}

namespace {

bool appendField(std::string& out, std::string_view text, bool windows1250) {
    if (!windows1250) {
        out.append(text);
        return true;
    }
    return appendWindows1250(out, text);
}

bool appendLines(std::string& out, const ExpressionTable& table, bool windows1250) {
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (!appendField(out, table.czech(row), windows1250)) return false;
        out.push_back(';');
        if (!appendField(out, table.foreign(row), windows1250)) return false;
        out.push_back(';');
        if (!appendField(out, table.pronunciation(row), windows1250)) return false;
        out.push_back(';');
        if (!appendField(out, table.sound(row), windows1250)) return false;
        out.append("\r\n");
    }
    return true;
}

}  // namespace

std::string buildLine(const ExpressionTable& table, std::size_t row) {
    std::string line;
    line.append(table.czech(row)).append(";").append(table.foreign(row)).append(";");
    line.append(table.pronunciation(row)).append(";").append(table.sound(row));
    return line;
}

std::string buildDictionaryText(const ExpressionTable& table, TextEncoding& encoding) {
    std::size_t estimate = 0;
    for (std::size_t row = 0; row < table.size(); ++row)
        for (int f = 0; f < 4; ++f) estimate += table.field(row, static_cast<Field>(f)).size();
    estimate += table.size() * 5 + 3;

    std::string out;
    out.reserve(estimate);
    if (encoding == TextEncoding::Windows1250) {
        if (appendLines(out, table, true)) return out;
        // Rather write UTF-8 than lose a character Windows-1250 has no byte for.
        encoding = TextEncoding::Utf8;
        out.clear();
    }
    if (encoding == TextEncoding::Utf8WithBom) out.append("\xEF\xBB\xBF");
    appendLines(out, table, false);
    return out;
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

}  // namespace lexo
