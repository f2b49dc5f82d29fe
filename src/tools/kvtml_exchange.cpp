#include "tools/kvtml_exchange.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <algorithm>

#include "text/text_codec.h"

namespace lexo {

namespace {

struct Identifier {
    QString id;
    QString name;
    QString locale;
};

struct Translation {
    std::size_t entry = 0;  // position of the entry, from 1
    QString id;
    std::string text;
    std::string pronunciation;
};

bool isCzech(const Identifier& identifier) {
    const QString locale = identifier.locale.trimmed().toLower();
    if (locale == u"cs" || locale.startsWith(u"cs_") || locale.startsWith(u"cs-")) return true;
    const QString name = identifier.name.trimmed().toLower();
    return name.contains(u"czech") || name.startsWith(u"češ") || name.startsWith(u"česk") ||
           name.startsWith(u"cesk") || name.startsWith(u"ceština");
}

std::string utf8(const QString& text) { return text.toStdString(); }

class KvtmlReader {
public:
    explicit KvtmlReader(std::string_view bytes)
        : xml_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))) {}

    ExchangeImport read() {
        ExchangeImport import;
        if (!readDocument()) {
            import.error = error_.empty() ? xmlError() : error_;
            return import;
        }
        resolve(import);
        return import;
    }

private:
    std::string xmlError() const {
        return "chyba XML na řádku " + std::to_string(xml_.lineNumber()) + ": " + utf8(xml_.errorString());
    }

    // Moves to the next start element inside the current one; false at its end. A DTD
    // that declares entities stops the reading.
    bool nextChild() {
        while (!xml_.atEnd()) {
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
            case QXmlStreamReader::EntityReference:
                refuse("soubor odkazuje na entitu " + utf8(xml_.name().toString()) + "; takový soubor se nečte");
                return false;
            default: break;
            }
        }
        return false;
    }

    void refuse(std::string why) {
        error_ = std::move(why);
        xml_.raiseError(QString::fromStdString(error_));
    }

    QString childText() {
        const QString text = xml_.readElementText(QXmlStreamReader::IncludeChildElements);
        return text;
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
        while (nextChild()) {
            if (xml_.name() != u"entry") {
                xml_.skipCurrentElement();
                continue;
            }
            const std::size_t entry = ++entryCount_;
            while (nextChild()) {
                if (xml_.name() != u"translation") {
                    xml_.skipCurrentElement();
                    continue;
                }
                Translation translation;
                translation.entry = entry;
                translation.id = xml_.attributes().value(QLatin1String("id")).toString();
                while (nextChild()) {
                    if (xml_.name() == u"text")
                        translation.text = utf8(childText());
                    else if (xml_.name() == u"pronunciation")
                        translation.pronunciation = utf8(childText());
                    else
                        xml_.skipCurrentElement();
                }
                translations_.push_back(std::move(translation));
            }
        }
    }

    void resolve(ExchangeImport& import) {
        const auto czech = std::find_if(identifiers_.begin(), identifiers_.end(), isCzech);
        if (czech == identifiers_.end()) {
            import.error = "v souboru není čeština (identifikátor s locale \"cs\"); jazyky souboru:";
            for (const Identifier& identifier : identifiers_)
                import.error += " " + utf8(identifier.name) + " (" + utf8(identifier.locale) + ")";
            return;
        }
        const auto foreign =
            std::find_if(identifiers_.begin(), identifiers_.end(), [](const Identifier& i) { return !isCzech(i); });
        if (foreign == identifiers_.end()) {
            import.error = "v souboru není jiný jazyk než čeština";
            return;
        }
        for (const Identifier& identifier : identifiers_) {
            if (&identifier != &*czech && &identifier != &*foreign)
                import.remarks.push_back("jazyk " + utf8(identifier.name) + " (" + utf8(identifier.locale) +
                                         ") se nepřenáší");
        }

        std::vector<const Translation*> foreignOf(entryCount_ + 1, nullptr);
        std::vector<const Translation*> czechOf(entryCount_ + 1, nullptr);
        for (const Translation& translation : translations_) {
            if (translation.id == foreign->id) foreignOf[translation.entry] = &translation;
            if (translation.id == czech->id) czechOf[translation.entry] = &translation;
        }
        for (std::size_t entry = 1; entry <= entryCount_; ++entry) {
            const Translation* f = foreignOf[entry];
            const Translation* c = czechOf[entry];
            const bool noForeign = f == nullptr || f->text.empty();
            const bool noCzech = c == nullptr || c->text.empty();
            if (noForeign || noCzech) {
                import.skipped.push_back({entry, noForeign && noCzech ? "položka nemá žádný text"
                                                 : noForeign         ? "chybí cizojazyčný text"
                                                                     : "chybí český text"});
                continue;
            }
            addExchangedEntry(import, entry, f->text, c->text, f->pronunciation);
        }
        import.ok = true;
    }

    QXmlStreamReader xml_;
    std::string error_;
    std::vector<Identifier> identifiers_;
    std::vector<Translation> translations_;
    std::size_t entryCount_ = 0;
};

// Escapes for element text; characters XML 1.0 cannot carry become U+FFFD.
bool appendEscaped(std::string& out, std::string_view text) {
    bool replaced = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c >= 0x80) {
            const std::size_t start = pos;
            const char32_t code = nextCodePoint(text, pos);
            if (code == 0xFFFE || code == 0xFFFF || (code >= 0xD800 && code <= 0xDFFF) ||
                pos - start == 1) {  // not UTF-8 at all
                out += "\xEF\xBF\xBD";
                replaced = true;
            } else {
                out.append(text.substr(start, pos - start));
            }
            continue;
        }
        ++pos;
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\t': out += "&#9;"; break;
        default:
            if (c < 0x20) {
                out += "\xEF\xBF\xBD";
                replaced = true;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return replaced;
}

void appendElement(std::string& out, std::string_view indent, std::string_view name, std::string_view text,
                   bool& replaced) {
    out += indent;
    out += '<';
    out += name;
    out += '>';
    replaced |= appendEscaped(out, text);
    out += "</";
    out += name;
    out += ">\n";
}

}  // namespace

ExchangeImport parseKvtml(std::string_view bytes) { return KvtmlReader(bytes).read(); }

KvtmlExport buildKvtml(const ExpressionTable& table, std::string_view title) {
    KvtmlExport result;
    std::string& out = result.bytes;
    std::size_t size = 0;
    for (std::size_t row = 0; row < table.size(); ++row)
        size += table.foreign(row).size() + table.czech(row).size() + table.pronunciation(row).size() + 260;
    out.reserve(size + 1024);
    bool ignored = false;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">\n"
           "<kvtml version=\"2.0\">\n"
           " <information>\n"
           "  <generator>Lexo</generator>\n";
    appendElement(out, "  ", "title", title, ignored);
    out += " </information>\n"
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
           " <entries>\n";
    for (std::size_t row = 0; row < table.size(); ++row) {
        bool replaced = false;
        const std::string id = std::to_string(row);
        out += "  <entry id=\"" + id + "\">\n   <translation id=\"0\">\n";
        appendElement(out, "    ", "text", table.foreign(row), replaced);
        if (const std::string_view pronunciation = exchangedPronunciation(table.pronunciation(row));
            !pronunciation.empty())
            appendElement(out, "    ", "pronunciation", pronunciation, replaced);
        out += "   </translation>\n   <translation id=\"1\">\n";
        appendElement(out, "    ", "text", table.czech(row), replaced);
        out += "   </translation>\n  </entry>\n";
        if (replaced) result.changed.push_back({row + 1, "znak, který XML nedovoluje, nahrazen znakem U+FFFD"});
    }
    out += " </entries>\n"
           " <lessons>\n"
           "  <container>\n";
    appendElement(out, "   ", "name", title, ignored);
    out += "   <inpractice>true</inpractice>\n";
    for (std::size_t row = 0; row < table.size(); ++row) out += "   <entry id=\"" + std::to_string(row) + "\"/>\n";
    out += "  </container>\n"
           " </lessons>\n"
           "</kvtml>\n";
    return result;
}

}  // namespace lexo
