#include "tools/csv_exchange.h"

#include <algorithm>
#include <vector>

#include "text/text_codec.h"

namespace lexo {

namespace {

// The separator of the first row outside quotes: ";" when it has more of them than ",".
char guessSeparator(std::string_view text) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == '\n' || c == '\r') break;
            if (c == ',') ++commas;
            if (c == ';') ++semicolons;
        }
    }
    return semicolons > commas ? ';' : ',';
}

// Cuts the text into records; a field is a view into the text, or into `unquoted` when it
// was quoted (quotes removed, doubled quotes halved).
class RecordReader {
public:
    RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t line() const { return line_; }

    // Reads one record into fields; false when a quote is never closed.
    bool next(std::vector<std::string_view>& fields) {
        fields.clear();
        storage_.clear();
        quotedSpans_.clear();
        const std::size_t n = text_.size();
        for (;;) {
            if (pos_ < n && text_[pos_] == '"') {
                if (!readQuoted(fields)) return false;
            } else {
                const std::size_t start = pos_;
                while (pos_ < n && text_[pos_] != separator_ && text_[pos_] != '\n' && text_[pos_] != '\r') ++pos_;
                fields.push_back(text_.substr(start, pos_ - start));
            }
            if (pos_ < n && text_[pos_] == separator_) {
                ++pos_;
                continue;
            }
            endLine();
            break;
        }
        // Quoted fields were gathered into one buffer; their views are made once it stops growing.
        for (const auto& [index, offset, size] : quotedSpans_)
            fields[index] = std::string_view(storage_).substr(offset, size);
        return true;
    }

private:
    struct Span {
        std::size_t index, offset, size;
    };

    bool readQuoted(std::vector<std::string_view>& fields) {
        const std::size_t n = text_.size();
        const std::size_t offset = storage_.size();
        ++pos_;
        for (;;) {
            const std::size_t start = pos_;
            while (pos_ < n && text_[pos_] != '"') {
                if (text_[pos_] == '\n' || (text_[pos_] == '\r' && (pos_ + 1 >= n || text_[pos_ + 1] != '\n')))
                    ++line_;
                ++pos_;
            }
            storage_.append(text_.substr(start, pos_ - start));
            if (pos_ >= n) return false;
            ++pos_;  // the quote
            if (pos_ < n && text_[pos_] == '"') {
                storage_ += '"';
                ++pos_;
                continue;
            }
            break;
        }
        // Text between the closing quote and the separator stays, as spreadsheets keep it.
        const std::size_t start = pos_;
        while (pos_ < n && text_[pos_] != separator_ && text_[pos_] != '\n' && text_[pos_] != '\r') ++pos_;
        storage_.append(text_.substr(start, pos_ - start));
        quotedSpans_.push_back({fields.size(), offset, storage_.size() - offset});
        fields.emplace_back();
        return true;
    }

    void endLine() {
        const std::size_t n = text_.size();
        if (pos_ < n && text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < n && text_[pos_] == '\n') ++pos_;
        } else if (pos_ < n && text_[pos_] == '\n') {
            ++pos_;
        }
        ++line_;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::string storage_;
    std::vector<Span> quotedSpans_;
};

bool allEmpty(const std::vector<std::string_view>& fields) {
    for (const std::string_view field : fields)
        if (!field.empty()) return false;
    return true;
}

bool needsQuotes(std::string_view field, char separator) {
    // A byte order mark at the very start would be taken for the file's own.
    if (field.starts_with(kUtf8Bom)) return true;
    for (const char c : field)
        if (c == separator || c == '"' || c == '\n' || c == '\r') return true;
    return false;
}

void appendField(std::string& out, std::string_view field, char separator) {
    if (!needsQuotes(field, separator)) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

ExchangeImport parseDelimited(std::string bytes, char separator) {
    ExchangeImport import;
    // A byte order mark before text that is not UTF-8 after all: the text decides.
    DecodedText decoded;
    const std::string_view afterMark = std::string_view(bytes).substr(std::min(bytes.size(), kUtf8Bom.size()));
    if (std::string_view(bytes).starts_with(kUtf8Bom) && !isValidUtf8(afterMark)) {
        decoded.text = decodeWindows1250(afterMark);
        import.remarks.push_back("soubor začíná značkou UTF-8, ale UTF-8 není; čte se jako Windows-1250");
    } else {
        decoded = decodeText(std::move(bytes));
    }
    const std::string_view text(decoded.text);
    if (separator == 0) separator = guessSeparator(text);
    import.table.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1, text.size());

    RecordReader reader(text, separator);
    std::vector<std::string_view> fields;
    while (!reader.atEnd()) {
        const std::size_t number = reader.line();
        if (!reader.next(fields)) {
            import.skipped.push_back({number, "uvozovky nejsou uzavřeny do konce souboru"});
            break;
        }
        if (allEmpty(fields)) continue;
        if (fields.size() < 2) {
            import.skipped.push_back({number, "chybí český výraz (jediný sloupec)"});
            continue;
        }
        if (!addExchangedEntry(import, number, fields[0], fields[1], fields.size() > 2 ? fields[2] : std::string_view())) {
            import.skipped.push_back({number, "chybí cizí i český výraz"});
            continue;
        }
        if (fields.size() > 3 && !allEmpty({fields.begin() + 3, fields.end()}))
            import.changed.push_back({number, "sloupce za třetím vynechány"});
    }
    import.ok = true;
    return import;
}

std::string buildDelimited(const ExpressionTable& table, char separator) {
    bool withPronunciation = false;
    std::size_t size = 0;
    for (std::size_t row = 0; row < table.size(); ++row) {
        if (!exchangedPronunciation(table.pronunciation(row)).empty()) withPronunciation = true;
        size += table.foreign(row).size() + table.czech(row).size() + table.pronunciation(row).size() + 8;
    }
    std::string out;
    out.reserve(size + size / 16);
    for (std::size_t row = 0; row < table.size(); ++row) {
        appendField(out, table.foreign(row), separator);
        out += separator;
        appendField(out, table.czech(row), separator);
        if (withPronunciation) {
            out += separator;
            appendField(out, exchangedPronunciation(table.pronunciation(row)), separator);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace lexo
