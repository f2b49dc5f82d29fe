#include "tools/exchange.h"

#include "dictionary/dictionary_file.h"
#include "text/text_codec.h"

namespace lexo {

std::optional<ExchangeFormat> exchangeFormatNamed(std::string_view name) {
    const std::string lower = toLowerUtf8(name);
    if (lower == "csv") return ExchangeFormat::Csv;
    if (lower == "tsv" || lower == "tab") return ExchangeFormat::Tsv;
    if (lower == "kvtml") return ExchangeFormat::Kvtml;
    return std::nullopt;
}

std::optional<ExchangeFormat> exchangeFormatOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    if (extension.empty()) return std::nullopt;
    return exchangeFormatNamed(std::string_view(extension).substr(1));
}

bool addExchangedEntry(ExchangeImport& import, std::size_t number, std::string_view foreign, std::string_view czech,
                       std::string_view pronunciation) {
    constexpr std::string_view unstorable(";\r\n\0", 4);
    const bool mend = foreign.find_first_of(unstorable) != std::string_view::npos ||
                      czech.find_first_of(unstorable) != std::string_view::npos ||
                      pronunciation.find_first_of(unstorable) != std::string_view::npos;
    if (pronunciation.empty()) pronunciation = kNoPronunciation;
    if (!mend) {
        if (foreign.empty() && czech.empty()) return false;
        import.table.append(foreign, czech, pronunciation, kNoSound);
        return true;
    }
    const std::string storedForeign = storableField(std::string(foreign));
    const std::string storedCzech = storableField(std::string(czech));
    if (storedForeign.empty() && storedCzech.empty()) return false;
    import.changed.push_back({number, "středník nebo konec řádku v textu nahrazen (\"+\", mezera)"});
    std::string storedPronunciation = storableField(std::string(pronunciation));
    if (storedPronunciation.empty()) storedPronunciation = kNoPronunciation;
    import.table.append(storedForeign, storedCzech, storedPronunciation, kNoSound);
    return true;
}

std::string_view exchangedPronunciation(std::string_view pronunciation) {
    return pronunciation == kNoPronunciation ? std::string_view() : pronunciation;
}

}  // namespace lexo
