#include "tools/converter_session.h"

#include <algorithm>

#include "dictionary/dictionary_file.h"
#include "dictionary/expression_table.h"
#include "platform/atomic_file.h"
#include "text/line_splitter.h"

namespace lexo {
namespace fs = std::filesystem;

namespace {

// Word lists are read whole; anything bigger is no word list.
constexpr std::size_t kMaxWordListBytes = std::size_t{1} << 30;

}  // namespace

PlainWordList parseWordList(std::string bytes) {
    if (const auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    DecodedText decoded = decodeText(std::move(bytes));
    PlainWordList list;
    list.ok = true;
    list.encoding = decoded.encoding;
    forEachLine(decoded.text, [&](std::string_view line, std::size_t) { list.lines.emplace_back(line); });
    return list;
}

PlainWordList readWordList(const fs::path& file) {
    ReadResult read = readWholeFile(file, kMaxWordListBytes);
    if (read.status != ReadStatus::Ok) {
        PlainWordList list;
        list.error = read.status == ReadStatus::TooLarge ? "soubor je příliš velký" : read.error;
        return list;
    }
    return parseWordList(std::move(read.data));
}

std::vector<std::string> convertWordLists(const std::vector<std::string>& czech,
                                          const std::vector<std::string>& foreign) {
    std::vector<std::string> result;
    result.reserve(czech.size());
    const std::string tail = ";" + std::string(kNoPronunciation) + ";" + std::string(kNoSound);
    for (std::size_t i = 0; i < czech.size(); ++i) {
        std::string line = storableField(czech[i]);
        line += ';';
        if (i < foreign.size()) line += storableField(foreign[i]);
        line += tail;
        result.push_back(std::move(line));
    }
    return result;
}

std::string dictionaryTextOfLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    TextEncoding encoding = TextEncoding::Windows1250;
    return encodeText(text, encoding);
}

const std::vector<std::string>& ConverterSession::lines(Box box) const {
    switch (box) {
    case Box::Czech: return czech_;
    case Box::Foreign: return foreign_;
    case Box::Result: break;
    }
    return result_;
}

bool ConverterSession::open(Box box, const fs::path& file) {
    PlainWordList list = readWordList(file);
    if (!list.ok) {
        prompter_.error("Soubor " + file.string() + " nelze otevřít: " + list.error);
        return false;
    }
    setLines(Box::Result, {});
    setLines(box, std::move(list.lines));
    return true;
}

bool ConverterSession::convert() {
    if (czech_.empty()) {
        prompter_.information(kNoCzechListMessage);
        return false;
    }
    if (foreign_.empty()) {
        prompter_.information(kNoForeignListMessage);
        return false;
    }
    setLines(Box::Result, convertWordLists(czech_, foreign_));
    return true;
}

bool ConverterSession::save() {
    if (result_.empty()) {
        prompter_.information(kEmptyConversionMessage);
        return false;
    }
    if (!savePathChooser_) return false;
    const auto file = savePathChooser_();
    if (!file) return false;
    return saveTo(*file);
}

bool ConverterSession::saveTo(const fs::path& file) {
    if (result_.empty()) {
        prompter_.information(kEmptyConversionMessage);
        return false;
    }
    const FileResult written = writeFileAtomically(file, dictionaryTextOfLines(result_));
    if (!written.ok) {
        prompter_.error("Slovník se nepodařilo uložit do souboru " + file.string() + ": " + written.error);
        return false;
    }
    setLines(Box::Czech, {});
    setLines(Box::Foreign, {});
    setLines(Box::Result, {});
    return true;
}

void ConverterSession::setLines(Box box, std::vector<std::string> lines) {
    switch (box) {
    case Box::Czech: czech_ = std::move(lines); break;
    case Box::Foreign: foreign_ = std::move(lines); break;
    case Box::Result: result_ = std::move(lines); break;
    }
    if (changed_) changed_(box);
}

}  // namespace lexo
