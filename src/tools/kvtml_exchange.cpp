#include "tools/kvtml_exchange.h"

#include <QString>
#include <QStringDecoder>
#include <expat.h>
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
#include "text/text_codec.h"

namespace lexo {

namespace {

struct Identifier {
    std::string id;
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

// The second reader of a large file starts at an entry in the middle, as though the file
// began there inside <kvtml><entries>.
constexpr std::string_view kTailHead = "<kvtml version=\"2.0\"><entries>";

// What expat reports, in Czech where a user may meet it.
std::string xmlErrorText(XML_Error code) {
    switch (code) {
    case XML_ERROR_NO_ELEMENTS: return "soubor končí dřív než jeho kořenový prvek";
    case XML_ERROR_SYNTAX: return "chyba zápisu";
    case XML_ERROR_INVALID_TOKEN: return "neplatný znak nebo značka";
    case XML_ERROR_UNCLOSED_TOKEN: return "neuzavřená značka";
    case XML_ERROR_PARTIAL_CHAR: return "neúplný znak";
    case XML_ERROR_TAG_MISMATCH: return "koncová značka neodpovídá počáteční";
    case XML_ERROR_DUPLICATE_ATTRIBUTE: return "atribut uveden dvakrát";
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT: return "text za koncem kořenového prvku";
    case XML_ERROR_UNDEFINED_ENTITY: return "odkaz na nedeklarovanou entitu";
    case XML_ERROR_UNKNOWN_ENCODING: return "neznámé kódování";
    case XML_ERROR_INCORRECT_ENCODING: return "text neodpovídá deklarovanému kódování";
    case XML_ERROR_UNCLOSED_CDATA_SECTION: return "neuzavřená sekce CDATA";
    case XML_ERROR_XML_DECL: return "chybná deklarace XML";
    case XML_ERROR_MISPLACED_XML_PI: return "deklarace XML jinde než na začátku";
    case XML_ERROR_BAD_CHAR_REF: return "odkaz na nepovolený znak";
    default: return XML_ErrorString(code);
    }
}

// A single-byte encoding that expat does not know itself (windows-1250, ISO-8859-2 …),
// through Qt's decoders; an encoding of several bytes per character is refused.
int XMLCALL singleByteEncoding(void*, const XML_Char* name, XML_Encoding* info) {
    for (int byte = 0; byte < 256; ++byte) {
        QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
        if (!decoder.isValid()) return XML_STATUS_ERROR;
        const char c = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&c, 1));
        const bool one = !decoder.hasError() && decoded.size() == 1 && !decoded.front().isSurrogate() &&
                         decoded.front() != QChar::ReplacementCharacter;
        info->map[byte] = one ? decoded.front().unicode() : -1;
        // Expat reads markup as ASCII: an encoding that moves ASCII is not single-byte.
        if (byte < 0x80 && info->map[byte] != byte) return XML_STATUS_ERROR;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

// Reads kvtml with expat, as it streams past: no tree, no copy of the file. Only the path
// kvtml / identifiers / identifier and kvtml / entries / entry / translation is looked into;
// everything else is skipped whole.
class KvtmlReader {
public:
    // `czechId` and `foreignId` given: the ids of the two languages are known before the
    // entries, even when the file lists its identifiers after them. From `parallelFrom`
    // bytes on, a second thread reads the second half of the entries.
    KvtmlReader(std::string_view bytes, std::size_t parallelFrom, std::optional<std::string> czechId = {},
                std::optional<std::string> foreignId = {})
        : bytes_(bytes), parallelFrom_(parallelFrom), czechId_(std::move(czechId)), foreignId_(std::move(foreignId)) {}

    ~KvtmlReader() {
        abandonSplit();
        if (parser_) XML_ParserFree(parser_);
    }
    KvtmlReader(const KvtmlReader&) = delete;
    KvtmlReader& operator=(const KvtmlReader&) = delete;

    ExchangeImport read() {
        if (!readAll()) {
            abandonSplit();
            ExchangeImport failed;
            failed.error = error_;
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

    // Where the second reader starts: the byte of the "<" of that entry's start tag.
    struct Split {
        std::size_t tagStart = 0;
        std::atomic<bool> cancelled{false};
        std::future<Tail> tail;
    };

    // Where the reader is; below `skipDepth_` or `collect_` it looks at nothing else.
    enum class Place { Document, Root, Identifiers, Identifier, Entries, Entry, Translation, Done };

    // The second reader: `tail` is the file from the chosen entry on.
    KvtmlReader(std::string_view tail, const std::string& czechId, const std::string& foreignId,
                const std::atomic<bool>& cancelled)
        : bytes_(tail), parallelFrom_(kNeverParallel), czechId_(czechId), foreignId_(foreignId),
          head_(kTailHead), cancelled_(&cancelled) {}

    bool readAll() {
        parser_ = XML_ParserCreate(nullptr);
        if (!parser_) {
            error_ = "nedostatek paměti pro čtení XML";
            return false;
        }
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &KvtmlReader::startElement, &KvtmlReader::endElement);
        XML_SetCharacterDataHandler(parser_, &KvtmlReader::characters);
        XML_SetXmlDeclHandler(parser_, &KvtmlReader::xmlDeclaration);
        XML_SetStartDoctypeDeclHandler(parser_, &KvtmlReader::doctype);
        XML_SetEntityDeclHandler(parser_, &KvtmlReader::entityDeclaration);
        XML_SetNotationDeclHandler(parser_, &KvtmlReader::notationDeclaration);
        XML_SetSkippedEntityHandler(parser_, &KvtmlReader::skippedEntity);
        XML_SetUnknownEncodingHandler(parser_, &singleByteEncoding, nullptr);
        // No entity of the file is ever fetched: the external DTD is not read.
        XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);

        if (!head_.empty() && !feed(head_, false)) return finished();
        // In pieces, so that a second reader that is no longer wanted stops soon.
        constexpr std::size_t kPiece = std::size_t{1} << 20;
        std::string_view rest = bytes_;
        do {
            if (cancelled_ && cancelled_->load(std::memory_order_relaxed)) {
                error_ = "zrušeno";
                return false;
            }
            const std::string_view piece = rest.substr(0, kPiece);
            rest.remove_prefix(piece.size());
            if (!feed(piece, rest.empty())) return finished();
        } while (!rest.empty());
        return finished();
    }

    bool feed(std::string_view piece, bool last) {
        return XML_Parse(parser_, piece.data(), static_cast<int>(piece.size()), last) == XML_STATUS_OK;
    }

    // After the parser stopped or reached the end: whether the reading is good.
    bool finished() {
        if (reachedSplit_) return true;  // the second reader checks the rest
        if (!error_.empty()) return false;
        const XML_Error code = XML_GetErrorCode(parser_);
        if (code == XML_ERROR_NONE) return true;
        error_ = "chyba XML na řádku " + std::to_string(XML_GetCurrentLineNumber(parser_)) + ": " +
                 xmlErrorText(code);
        return false;
    }

    void refuse(std::string why) {
        if (error_.empty()) error_ = std::move(why);
        stop();
    }

    // Expat may still report the end of the element it stopped in: nothing is taken after this.
    void stop() {
        stopped_ = true;
        XML_StopParser(parser_, XML_FALSE);
    }

    static KvtmlReader& self(void* data) { return *static_cast<KvtmlReader*>(data); }

    static void XMLCALL xmlDeclaration(void* data, const XML_Char*, const XML_Char* encoding, int) {
        if (encoding) self(data).declaredEncoding_ = encoding;
    }

    static void XMLCALL doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int internalSubset) {
        if (internalSubset) self(data).refuse("soubor deklaruje entity v DTD; takový soubor se nečte");
    }

    static void XMLCALL entityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                          const XML_Char*, const XML_Char*, const XML_Char*) {
        self(data).refuse("soubor deklaruje entity v DTD; takový soubor se nečte");
    }

    static void XMLCALL notationDeclaration(void* data, const XML_Char*, const XML_Char*, const XML_Char*,
                                            const XML_Char*) {
        self(data).refuse("soubor deklaruje entity v DTD; takový soubor se nečte");
    }

    static void XMLCALL skippedEntity(void* data, const XML_Char* name, int) {
        self(data).refuse("soubor odkazuje na entitu " + std::string(name) + "; takový soubor se nečte");
    }

    static const XML_Char* attribute(const XML_Char** attributes, std::string_view name) {
        for (const XML_Char** a = attributes; *a; a += 2)
            if (name == *a) return a[1];
        return nullptr;
    }

    static void XMLCALL characters(void* data, const XML_Char* text, int length) {
        KvtmlReader& reader = self(data);
        if (reader.collect_ && !reader.stopped_) reader.collect_->append(text, static_cast<std::size_t>(length));
    }

    // Gathers the text of the current element and of all inside it into `target`.
    void collect(std::string& target) {
        target.clear();
        collect_ = &target;
        collectDepth_ = 0;
    }

    static void XMLCALL startElement(void* data, const XML_Char* name, const XML_Char** attributes) {
        if (!self(data).stopped_) self(data).start(name, attributes);
    }

    static void XMLCALL endElement(void* data, const XML_Char*) {
        if (!self(data).stopped_) self(data).end();
    }

    void start(std::string_view name, const XML_Char** attributes) {
        if (skipDepth_ > 0) {
            ++skipDepth_;
            return;
        }
        if (collect_) {
            ++collectDepth_;
            return;
        }
        switch (place_) {
        case Place::Document: startRoot(name, attributes); return;
        case Place::Root:
            if (name == "identifiers") {
                place_ = Place::Identifiers;
            } else if (name == "entries") {
                startEntries();
            } else {
                skipDepth_ = 1;
            }
            return;
        case Place::Identifiers:
            if (name == "identifier") {
                const XML_Char* id = attribute(attributes, "id");
                identifier_ = {id ? id : "", {}, {}};
                place_ = Place::Identifier;
            } else {
                skipDepth_ = 1;
            }
            return;
        case Place::Identifier:
            if (name == "name")
                collect(identifierName_);
            else if (name == "locale")
                collect(identifierLocale_);
            else
                skipDepth_ = 1;
            return;
        case Place::Entries:
            if (name != "entry") {
                skipDepth_ = 1;
                return;
            }
            if (split_ && atSplit()) return;
            ++entryCount_;
            foreign_.clear();
            czech_.clear();
            place_ = Place::Entry;
            return;
        case Place::Entry: startTranslation(name, attributes); return;
        case Place::Translation:
            if (name == "text")
                collect(translation_->text);
            else if (name == "pronunciation")
                collect(translation_->pronunciation);
            else
                skipDepth_ = 1;
            return;
        case Place::Done: return;  // expat allows one root element only
        }
    }

    void end() {
        if (skipDepth_ > 0) {
            --skipDepth_;
            return;
        }
        if (collect_) {
            if (collectDepth_ > 0) {
                --collectDepth_;
                return;
            }
            collect_ = nullptr;
            return;
        }
        switch (place_) {
        case Place::Root: place_ = Place::Done; return;
        case Place::Identifiers: place_ = Place::Root; return;
        case Place::Identifier:
            identifier_.name = QString::fromStdString(identifierName_);
            identifier_.locale = QString::fromStdString(identifierLocale_);
            identifierName_.clear();
            identifierLocale_.clear();
            identifiers_.push_back(std::move(identifier_));
            place_ = Place::Identifiers;
            return;
        case Place::Entries:
            // The place chosen for the second reader was no entry of this list.
            abandonSplit();
            place_ = Place::Root;
            return;
        case Place::Entry:
            addEntry();
            place_ = Place::Entries;
            return;
        case Place::Translation:
            if (translationBoth_) czech_ = foreign_;
            place_ = Place::Entry;
            return;
        case Place::Document:
        case Place::Done: return;
        }
    }

    void startRoot(std::string_view name, const XML_Char** attributes) {
        if (name != "kvtml") {
            refuse("kořenový prvek není <kvtml>; nejde o soubor kvtml");
            return;
        }
        const XML_Char* version = attribute(attributes, "version");
        if (!version || version[0] != '2') {
            refuse("soubor je kvtml verze " + (version && *version ? std::string(version) : std::string("1")) +
                   "; čte se jen kvtml 2");
            return;
        }
        place_ = Place::Root;
    }

    void startEntries() {
        if (!czechId_ || !foreignId_) {
            const Languages languages = languagesOf(identifiers_);
            if (!languages.czech || !languages.foreign) {
                // The identifiers may still follow; the entries are read again once they are known.
                entriesDeferred_ = true;
                skipDepth_ = 1;
                return;
            }
            czechId_ = languages.czech->id;
            foreignId_ = languages.foreign->id;
        }
        if (import_.table.empty()) import_.table.reserve(bytes_.size() / 160, bytes_.size() / 3);
        place_ = Place::Entries;
        startSplit();
    }

    void startTranslation(std::string_view name, const XML_Char** attributes) {
        if (name != "translation") {
            skipDepth_ = 1;
            return;
        }
        const XML_Char* found = attribute(attributes, "id");
        const std::string_view id = found ? found : "";
        const bool foreign = id == *foreignId_;
        const bool czech = id == *czechId_;
        if (!foreign && !czech) {
            skipDepth_ = 1;
            return;
        }
        // A later translation in the same language replaces an earlier one as a whole.
        translation_ = foreign ? &foreign_ : &czech_;
        translation_->clear();
        translation_->present = true;
        translationBoth_ = foreign && czech;
        place_ = Place::Translation;
    }

    // Hands the second half of a large list of entries to a second reader. The place is
    // only a guess until this reader arrives there and finds an entry starting exactly at
    // it; otherwise the second reader's work is thrown away.
    void startSplit() {
        if (bytes_.size() < parallelFrom_ || split_ || reachedSplit_) return;
        if (!declaredEncoding_.empty() && !equalsIgnoreCase(declaredEncoding_, "UTF-8")) return;
        const std::size_t here = static_cast<std::size_t>(XML_GetCurrentByteIndex(parser_));
        const std::size_t byte = bytes_.find("<entry ", std::max(bytes_.size() / 2, here + 1));
        if (byte == std::string_view::npos) return;
        split_ = std::make_unique<Split>();
        split_->tagStart = byte;
        try {
            startTail(bytes_.substr(byte));
        } catch (const std::system_error&) {
            split_.reset();  // no second thread to be had: one reader does it all
        }
    }

    void startTail(std::string_view tail) {
        split_->tail = std::async(std::launch::async,
                                  [tail, czech = *czechId_, foreign = *foreignId_, &cancelled = split_->cancelled] {
                                      KvtmlReader reader(tail, czech, foreign, cancelled);
                                      Tail found;
                                      found.ok = reader.readAll();
                                      found.import = std::move(reader.import_);
                                      found.identifiers = std::move(reader.identifiers_);
                                      found.entryCount = reader.entryCount_;
                                      return found;
                                  });
    }

    // At the start tag of an entry: whether it is the one the second reader starts with,
    // and then this reader stops.
    bool atSplit() {
        const auto at = static_cast<std::size_t>(XML_GetCurrentByteIndex(parser_));
        if (at < split_->tagStart) return false;
        if (at == split_->tagStart) {
            reachedSplit_ = true;
            stop();
            return true;
        }
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
        import_.table.append(tail.import.table);
        for (ExchangeNote& note : tail.import.skipped)
            import_.skipped.push_back({before + note.number, std::move(note.text)});
        for (ExchangeNote& note : tail.import.changed)
            import_.changed.push_back({before + note.number, std::move(note.text)});
        for (Identifier& identifier : tail.identifiers) identifiers_.push_back(std::move(identifier));
        entryCount_ += tail.entryCount;
        return true;
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
    std::optional<std::string> czechId_;
    std::optional<std::string> foreignId_;
    std::string_view head_;
    const std::atomic<bool>* cancelled_ = nullptr;
    XML_Parser parser_ = nullptr;
    bool stopped_ = false;
    std::string error_;
    std::string declaredEncoding_;

    Place place_ = Place::Document;
    int skipDepth_ = 0;
    std::string* collect_ = nullptr;
    int collectDepth_ = 0;

    std::unique_ptr<Split> split_;
    bool reachedSplit_ = false;
    std::vector<Identifier> identifiers_;
    Identifier identifier_;
    std::string identifierName_;
    std::string identifierLocale_;
    bool entriesDeferred_ = false;
    std::size_t entryCount_ = 0;
    TranslationText foreign_;
    TranslationText czech_;
    TranslationText* translation_ = nullptr;
    bool translationBoth_ = false;
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
