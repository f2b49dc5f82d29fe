#include "tools/kvtml_exchange.h"

#include <QIODevice>
#include <QStringEncoder>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cstring>
#include <future>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>

#include "text/huge_pages.h"

namespace lexo {

namespace {

struct Identifier {
    QString id;
    QString name;
    QString locale;
};

bool isCzech(const Identifier& identifier) {
    const QString locale = identifier.locale.trimmed().toLower();
    if (locale == u"cs" || locale.startsWith(u"cs_") || locale.startsWith(u"cs-")) return true;
    const QString name = identifier.name.trimmed().toLower();
    return name.contains(u"czech") || name.startsWith(u"češ") || name.startsWith(u"česk") ||
           name.startsWith(u"cesk") || name.startsWith(u"ceština");
}

std::string utf8(const QString& text) { return text.toStdString(); }

// The two languages that come over: the first Czech identifier and the first other one.
struct Languages {
    const Identifier* czech = nullptr;
    const Identifier* foreign = nullptr;
};

Languages languagesOf(const std::vector<Identifier>& identifiers) {
    Languages languages;
    for (const Identifier& identifier : identifiers) {
        if (isCzech(identifier)) {
            if (!languages.czech) languages.czech = &identifier;
        } else if (!languages.foreign) {
            languages.foreign = &identifier;
        }
    }
    return languages;
}

// One translation of the entry being read.
struct TranslationText {
    bool present = false;
    std::string text;
    std::string pronunciation;

    void clear() {
        present = false;
        text.clear();
        pronunciation.clear();
    }
};

// Serves `head` and then `body`, without copying either beforehand.
class JoinedDevice final : public QIODevice {
public:
    JoinedDevice(std::string_view head, std::string_view body) : head_(head), body_(body) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        std::size_t wanted = static_cast<std::size_t>(maxSize);
        std::size_t given = 0;
        for (std::string_view* part : {&head_, &body_}) {
            const std::size_t n = std::min(wanted - given, part->size());
            if (n == 0) continue;  // an empty part may have no data pointer at all
            std::memcpy(data + given, part->data(), n);
            part->remove_prefix(n);
            given += n;
        }
        return static_cast<qint64>(given);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::string_view head_;
    std::string_view body_;
};

// UTF-16 code units of valid UTF-8 text: the measure of the XML reader's character offset.
qint64 utf16Length(std::string_view utf8) {
    qint64 units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;
        units += byte >= 0xF0;
    }
    return units;
}

// The second reader of a large file starts at an entry in the middle, as though the file
// began there inside <kvtml><entries>.
constexpr std::string_view kTailHead = "<kvtml version=\"2.0\"><entries>";

class KvtmlReader {
public:
    // `czechId` and `foreignId` given: the ids of the two languages are known before the
    // entries, even when the file lists its identifiers after them. From `parallelFrom`
    // bytes on, a second thread reads the second half of the entries.
    KvtmlReader(std::string_view bytes, std::size_t parallelFrom, std::optional<QString> czechId = {},
                std::optional<QString> foreignId = {})
        : bytes_(bytes),
          parallelFrom_(parallelFrom),
          czechId_(std::move(czechId)),
          foreignId_(std::move(foreignId)) {}

    ~KvtmlReader() { abandonSplit(); }

    ExchangeImport read() {
        if (!readAll()) {
            abandonSplit();
            ExchangeImport failed;
            failed.error = error_.empty() ? xmlError() : error_;
            return failed;
        }
        if (split_ && !joinTail()) return KvtmlReader(bytes_, kNeverParallel).read();
        const Languages languages = languagesOf(identifiers_);
        if (entriesDeferred_ && languages.czech && languages.foreign)
            return KvtmlReader(bytes_, parallelFrom_, languages.czech->id, languages.foreign->id).read();
        finish(languages);
        return std::move(import_);
    }

    static constexpr std::size_t kNeverParallel = std::numeric_limits<std::size_t>::max();

private:
    // What the second reader found from its entry on.
    struct Tail {
        bool ok = false;
        ExchangeImport import;
        std::vector<Identifier> identifiers;
        std::size_t entryCount = 0;
    };

    // Where the second reader starts, in the first reader's character offsets: the start
    // and the end of that entry's start tag.
    struct Split {
        qint64 tagStart = 0;
        qint64 tagEnd = 0;
        std::atomic<bool> cancelled{false};
        std::future<Tail> tail;
    };

    // The second reader: `tail` is the file from the chosen entry on.
    KvtmlReader(std::string_view tail, const QString& czechId, const QString& foreignId,
                const std::atomic<bool>& cancelled)
        : bytes_(tail), parallelFrom_(kNeverParallel), czechId_(czechId), foreignId_(foreignId),
          head_(kTailHead), cancelled_(&cancelled) {}

    std::string xmlError() const {
        return "chyba XML na řádku " + std::to_string(xml_.lineNumber()) + ": " + utf8(xml_.errorString());
    }

    // Moves to the next start element inside the current one; false at its end. A DTD
    // that declares entities stops the reading.
    bool nextChild() {
        while (!xml_.atEnd()) {
            if (cancelled_ && cancelled_->load(std::memory_order_relaxed)) {
                xml_.raiseError();
                return false;
            }
            tokenStart_ = xml_.characterOffset();
            switch (xml_.readNext()) {
            case QXmlStreamReader::StartElement: return true;
            case QXmlStreamReader::EndElement: return false;
            case QXmlStreamReader::DTD:
                if (!xml_.entityDeclarations().isEmpty() || !xml_.notationDeclarations().isEmpty() ||
                    xml_.text().contains(u'[')) {
                    refuse("soubor deklaruje entity v DTD; takový soubor se nečte");
                    return false;
                }
                break;
            case QXmlStreamReader::EntityReference: refuseEntity(); return false;
            default: break;
            }
        }
        return false;
    }

    void refuse(std::string why) {
        error_ = std::move(why);
        xml_.raiseError(QString::fromStdString(error_));
    }

    void refuseEntity() {
        refuse("soubor odkazuje na entitu " + utf8(xml_.name().toString()) + "; takový soubor se nečte");
    }

    QString childText() { return xml_.readElementText(QXmlStreamReader::IncludeChildElements); }

    // The text of the current element and of all inside it, as UTF-8 in `out`; no QString
    // is made for it.
    void readText(std::string& out) {
        out.clear();
        int depth = 1;
        while (depth > 0 && !xml_.atEnd()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::Characters: appendUtf8(out, xml_.text()); break;
            case QXmlStreamReader::StartElement: ++depth; break;
            case QXmlStreamReader::EndElement: --depth; break;
            case QXmlStreamReader::EntityReference: refuseEntity(); return;
            default: break;
            }
        }
    }

    void appendUtf8(std::string& out, QStringView text) {
        const std::size_t used = out.size();
        out.resize(used + static_cast<std::size_t>(encoder_.requiredSpace(text.size())));
        char* const end = encoder_.appendToBuffer(out.data() + used, text);
        out.resize(static_cast<std::size_t>(end - out.data()));
    }

    bool readAll() {
        // Given the bytes at once, the reader would first decode all of them into one string
        // twice their size; from a device it decodes a few kilobytes at a time.
        device_ = std::make_unique<JoinedDevice>(head_, bytes_);
        xml_.setDevice(device_.get());
        return readDocument();
    }

    bool readDocument() {
        if (!nextChild() || xml_.hasError()) return false;
        if (xml_.name() != u"kvtml") {
            refuse("kořenový prvek není <kvtml>; nejde o soubor kvtml");
            return false;
        }
        const QString version = xml_.attributes().value(QLatin1String("version")).toString();
        if (!version.startsWith(u'2')) {
            refuse("soubor je kvtml verze " + (version.isEmpty() ? std::string("1") : utf8(version)) +
                   "; čte se jen kvtml 2");
            return false;
        }
        while (nextChild()) {
            if (xml_.name() == u"identifiers")
                readIdentifiers();
            else if (xml_.name() == u"entries")
                readEntries();
            else
                xml_.skipCurrentElement();
            // The second reader has checked the rest.
            if (reachedSplit_) return !xml_.hasError();
        }
        // The rest of the document must be well formed too.
        while (!xml_.atEnd() && !xml_.hasError()) nextChild();
        return !xml_.hasError();
    }

    void readIdentifiers() {
        while (nextChild()) {
            if (xml_.name() != u"identifier") {
                xml_.skipCurrentElement();
                continue;
            }
            Identifier identifier;
            identifier.id = xml_.attributes().value(QLatin1String("id")).toString();
            while (nextChild()) {
                if (xml_.name() == u"name")
                    identifier.name = childText();
                else if (xml_.name() == u"locale")
                    identifier.locale = childText();
                else
                    xml_.skipCurrentElement();
            }
            identifiers_.push_back(std::move(identifier));
        }
    }

    void readEntries() {
        if (!czechId_ || !foreignId_) {
            const Languages languages = languagesOf(identifiers_);
            if (!languages.czech || !languages.foreign) {
                // The identifiers may still follow; the entries are read again once they are known.
                entriesDeferred_ = true;
                xml_.skipCurrentElement();
                return;
            }
            czechId_ = languages.czech->id;
            foreignId_ = languages.foreign->id;
        }
        if (import_.table.empty()) import_.table.reserve(bytes_.size() / 160, bytes_.size() / 3);
        startSplit();
        while (nextChild()) {
            if (xml_.name() != u"entry") {
                xml_.skipCurrentElement();
                continue;
            }
            if (split_ && atSplit()) {
                reachedSplit_ = true;
                return;
            }
            ++entryCount_;
            foreign_.clear();
            czech_.clear();
            while (nextChild()) {
                if (xml_.name() == u"translation")
                    readTranslation();
                else
                    xml_.skipCurrentElement();
            }
            if (xml_.hasError()) return;
            addEntry();
        }
        // The place chosen for the second reader was no entry of this list.
        abandonSplit();
    }

    // Hands the second half of a large list of entries to a second reader. The place is
    // only a guess until this reader arrives there and finds an entry starting exactly at
    // it; otherwise the second reader's work is thrown away.
    void startSplit() {
        if (bytes_.size() < parallelFrom_ || split_ || reachedSplit_) return;
        const QStringView encoding = xml_.documentEncoding();
        if (!(encoding.isEmpty() || encoding.compare(u"UTF-8", Qt::CaseInsensitive) == 0)) return;
        if (bytes_.starts_with("\xEF\xBB\xBF")) return;
        const std::size_t byte = bytes_.find("<entry ", bytes_.size() / 2);
        if (byte == std::string_view::npos) return;
        const std::size_t tagEnd = bytes_.find('>', byte);
        if (tagEnd == std::string_view::npos) return;
        const std::string_view tag = bytes_.substr(byte, tagEnd + 1 - byte);
        if (std::any_of(tag.begin(), tag.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            return;
        split_ = std::make_unique<Split>();
        // The XML reader stops at the first byte that is not UTF-8: if it gets there at all,
        // everything before is UTF-8 and the count is exact.
        split_->tagStart = utf16Length(bytes_.substr(0, byte));
        split_->tagEnd = split_->tagStart + static_cast<qint64>(tag.size());
        try {
            startTail(bytes_.substr(byte));
        } catch (const std::system_error&) {
            split_.reset();  // no second thread to be had: one reader does it all
        }
    }

    void startTail(std::string_view tail) {
        split_->tail = std::async(std::launch::async,
                                  [tail, czech = *czechId_, foreign = *foreignId_,
                                   &cancelled = split_->cancelled] {
                                      KvtmlReader reader(tail, czech, foreign, cancelled);
                                      Tail found;
                                      found.ok = reader.readAll();
                                      found.import = std::move(reader.import_);
                                      found.identifiers = std::move(reader.identifiers_);
                                      found.entryCount = reader.entryCount_;
                                      return found;
                                  });
    }

    // At the start tag of an entry: whether it is the one the second reader starts with.
    // After text the reader's offset is already one past the "<" of the next tag; either way
    // a tag ending where that one ends and starting with the "<" at its start is that tag.
    bool atSplit() {
        if (tokenStart_ < split_->tagStart) return false;
        if (tokenStart_ <= split_->tagStart + 1 && xml_.characterOffset() == split_->tagEnd) return true;
        abandonSplit();
        return false;
    }

    void abandonSplit() {
        if (!split_) return;
        split_->cancelled = true;
        split_->tail.wait();
        split_.reset();
    }

    // Takes over the second reader's entries; false when it failed (the file is then read
    // again by one reader, for the message that reader would give).
    bool joinTail() {
        Tail tail = split_->tail.get();
        split_.reset();
        if (!tail.ok) return false;
        const std::size_t before = entryCount_;
        ExpressionTable& table = import_.table;
        const ExpressionTable& more = tail.import.table;
        table.append(more);
        for (ExchangeNote& note : tail.import.skipped)
            import_.skipped.push_back({before + note.number, std::move(note.text)});
        for (ExchangeNote& note : tail.import.changed)
            import_.changed.push_back({before + note.number, std::move(note.text)});
        for (Identifier& identifier : tail.identifiers) identifiers_.push_back(std::move(identifier));
        entryCount_ += tail.entryCount;
        return true;
    }

    void readTranslation() {
        const QXmlStreamAttributes attributes = xml_.attributes();
        const QStringView id = attributes.value(QLatin1String("id"));
        const bool foreign = id == *foreignId_;
        const bool czech = id == *czechId_;
        if (!foreign && !czech) {
            xml_.skipCurrentElement();
            return;
        }
        // A later translation in the same language replaces an earlier one as a whole.
        TranslationText& target = foreign ? foreign_ : czech_;
        target.clear();
        target.present = true;
        while (nextChild()) {
            if (xml_.name() == u"text")
                readText(target.text);
            else if (xml_.name() == u"pronunciation")
                readText(target.pronunciation);
            else
                xml_.skipCurrentElement();
        }
        if (foreign && czech) czech_ = foreign_;
    }

    void addEntry() {
        const bool noForeign = !foreign_.present || foreign_.text.empty();
        const bool noCzech = !czech_.present || czech_.text.empty();
        if (noForeign || noCzech) {
            import_.skipped.push_back({entryCount_, noForeign && noCzech ? "položka nemá žádný text"
                                                    : noForeign         ? "chybí cizojazyčný text"
                                                                        : "chybí český text"});
            return;
        }
        addExchangedEntry(import_, entryCount_, foreign_.text, czech_.text, foreign_.pronunciation);
    }

    void finish(const Languages& languages) {
        if (!languages.czech) {
            import_ = {};
            import_.error = "v souboru není čeština (identifikátor s locale \"cs\"); jazyky souboru:";
            for (const Identifier& identifier : identifiers_)
                import_.error += " " + utf8(identifier.name) + " (" + utf8(identifier.locale) + ")";
            return;
        }
        if (!languages.foreign) {
            import_ = {};
            import_.error = "v souboru není jiný jazyk než čeština";
            return;
        }
        for (const Identifier& identifier : identifiers_) {
            if (&identifier != languages.czech && &identifier != languages.foreign)
                import_.remarks.push_back("jazyk " + utf8(identifier.name) + " (" + utf8(identifier.locale) +
                                          ") se nepřenáší");
        }
        import_.ok = true;
    }

    std::string_view bytes_;
    std::size_t parallelFrom_;
    std::optional<QString> czechId_;
    std::optional<QString> foreignId_;
    std::string_view head_;
    const std::atomic<bool>* cancelled_ = nullptr;
    std::unique_ptr<JoinedDevice> device_;
    QXmlStreamReader xml_;
    qint64 tokenStart_ = 0;
    std::unique_ptr<Split> split_;
    bool reachedSplit_ = false;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::string error_;
    std::vector<Identifier> identifiers_;
    bool entriesDeferred_ = false;
    std::size_t entryCount_ = 0;
    TranslationText foreign_;
    TranslationText czech_;
    ExchangeImport import_;
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 sequence led by *p (at least 0x80), or 0 when it is not well
// formed: a stray or cut-short sequence, an overlong form, a value past U+10FFFF.
// `allowed` is false for what XML 1.0 cannot carry even when well formed: surrogates,
// U+FFFE and U+FFFF.
std::size_t sequenceAt(const unsigned char* p, const unsigned char* end, bool& allowed) {
    const unsigned char lead = *p;
    std::size_t length;
    char32_t code;
    char32_t least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1Fu, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0Fu, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07u, least = 0x10000;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[k] & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF) return 0;
    allowed = !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
    return length;
}

// ASCII that element text cannot hold as it is: control characters, "&", "<", ">".
constexpr std::array<bool, 128> kNeedsEscape = [] {
    std::array<bool, 128> needs{};
    for (std::size_t c = 0; c < 0x20; ++c) needs[c] = true;
    needs['&'] = needs['<'] = needs['>'] = true;
    return needs;
}();

// Appends element text. Characters XML 1.0 cannot carry (control characters other than
// tab, U+FFFE, U+FFFF, surrogates) become U+FFFD, as does each byte that is not part of
// well-formed UTF-8; true when that happened. Runs that need nothing are copied whole.
bool appendEscaped(std::string& out, std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    const auto* run = p;
    bool replaced = false;
    const auto flush = [&] { out.append(reinterpret_cast<const char*>(run), static_cast<std::size_t>(p - run)); };
    while (p < end) {
        const unsigned char c = *p;
        if (c >= 0x80) {
            bool allowed = true;
            const std::size_t length = sequenceAt(p, end, allowed);
            if (length != 0 && allowed) {
                p += length;
                continue;
            }
            flush();
            out += kReplacement;
            replaced = true;
            p += length != 0 ? length : 1;
            run = p;
            continue;
        }
        if (!kNeedsEscape[c]) {
            ++p;
            continue;
        }
        flush();
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\t': out += "&#9;"; break;
        default:
            out += kReplacement;
            replaced = true;
        }
        run = ++p;
    }
    flush();
    return replaced;
}

void appendElement(std::string& out, std::string_view name, std::string_view text, bool& replaced) {
    out += '<';
    out += name;
    out += '>';
    replaced |= appendEscaped(out, text);
    out += "</";
    out += name;
    out += '>';
}

void appendNumber(std::string& out, std::size_t number) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

}  // namespace

ExchangeImport parseKvtml(std::string_view bytes, std::size_t parallelFrom) {
    return KvtmlReader(bytes, parallelFrom).read();
}

KvtmlExport buildKvtml(const ExpressionTable& table, std::string_view title) {
    KvtmlExport result;
    std::string& out = result.bytes;
    // For a million entries the markup is most of the file, and each byte of it is written,
    // flushed and parsed again: no indentation inside the entries, and the line break that
    // keeps one entry to a line sits inside the end tag, where a reader meets no text
    // between elements.
    std::size_t size = 2 * title.size() + 1024;
    for (std::size_t row = 0; row < table.size(); ++row)
        size += table.foreign(row).size() + table.czech(row).size() + table.pronunciation(row).size() + 200;
    out.reserve(size);
    adviseHugePages(out.data(), size);
    bool ignored = false;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n"
           "<kvtml version=\"2.0\">\n"
           " <information>\n"
           "  <generator>Lexo</generator>\n  ";
    appendElement(out, "title", title, ignored);
    out += "\n </information>\n"
           " <identifiers>\n"
           "  <identifier id=\"0\">\n"
           "   <name>English</name>\n"
           "   <locale>en</locale>\n"
           "  </identifier>\n"
           "  <identifier id=\"1\">\n"
           "   <name>Čeština</name>\n"
           "   <locale>cs</locale>\n"
           "  </identifier>\n"
           " </identifiers>\n"
           " <entries\n>";
    for (std::size_t row = 0; row < table.size(); ++row) {
        bool replaced = false;
        out += "<entry id=\"";
        appendNumber(out, row);
        out += "\"><translation id=\"0\"><text>";
        replaced |= appendEscaped(out, table.foreign(row));
        if (const std::string_view pronunciation = exchangedPronunciation(table.pronunciation(row));
            !pronunciation.empty()) {
            out += "</text><pronunciation>";
            replaced |= appendEscaped(out, pronunciation);
            out += "</pronunciation></translation><translation id=\"1\"><text>";
        } else {
            out += "</text></translation><translation id=\"1\"><text>";
        }
        replaced |= appendEscaped(out, table.czech(row));
        out += "</text></translation></entry\n>";
        if (replaced) result.changed.push_back({row + 1, "znak, který XML nedovoluje, nahrazen znakem U+FFFD"});
    }
    out += "</entries>\n"
           " <lessons>\n"
           "  <container>\n   ";
    appendElement(out, "name", title, ignored);
    out += "\n   <inpractice>true</inpractice\n>";
    for (std::size_t row = 0; row < table.size(); ++row) {
        out += "<entry id=\"";
        appendNumber(out, row);
        out += "\"\n/>";
    }
    out += "</container>\n"
           " </lessons>\n"
           "</kvtml>\n";
    return result;
}

}  // namespace lexo
