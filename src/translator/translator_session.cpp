#include "translator/translator_session.h"

#include <algorithm>

#include "platform/ports.h"
#include "platform/settings_store.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

constexpr std::string_view kCzechToForeignValue = "ZCZDOANJ";
constexpr std::string_view kForeignToCzechValue = "ZANJDOCZ";
constexpr std::string_view kInstantValue = "Okamzite";
constexpr std::size_t kMaxIncremental = 7;

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The text up to the first comma outside brackets.
std::string_view firstAlternative(std::string_view text) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[') ++depth;
        else if ((c == ')' || c == ']') && depth > 0) --depth;
        else if (c == ',' && depth == 0) return trimSpaces(text.substr(0, i));
    }
    return trimSpaces(text);
}

std::string_view withoutLabelsAndNotes(std::string_view text) {
    while (text.starts_with('[')) {
        const std::size_t end = text.find(']');
        if (end == std::string_view::npos) break;
        text = trimSpaces(text.substr(end + 1));
    }
    while (text.ends_with(')')) {
        const std::size_t open = text.rfind('(');
        if (open == std::string_view::npos || open == 0) break;
        text = trimSpaces(text.substr(0, open));
    }
    return text;
}

}  // namespace

std::vector<std::string> reverseKeyCandidates(std::string_view translation) {
    std::vector<std::string> result;
    const auto add = [&result](std::string candidate) {
        if (!candidate.empty() && std::find(result.begin(), result.end(), candidate) == result.end())
            result.push_back(std::move(candidate));
    };
    add(std::string(translation));
    add(toUpperUtf8(translation));
    add(toUpperUtf8(withoutLabelsAndNotes(firstAlternative(translation))));
    return result;
}

TranslatorSession::TranslatorSession(SettingsStore& settings, Prompter& prompter, std::filesystem::path programFolder)
    : settings_(settings), prompter_(prompter), programFolder_(std::move(programFolder)) {}

void TranslatorSession::readSettings() {
    if (!settings_.keyExists(kTranslatorSettingsKey)) {
        settings_.createKey(kTranslatorSettingsKey);
        close();
        return;
    }
    const bool czechToForeign = settings_.readBool(kTranslatorSettingsKey, kCzechToForeignValue).value_or(false);
    const bool foreignToCzech = settings_.readBool(kTranslatorSettingsKey, kForeignToCzechValue).value_or(true);
    // Exactly one direction is chosen; a store that claims both or neither gets the usual one.
    direction_ = czechToForeign && !foreignToCzech ? TranslatorDirection::CzechToForeign
                                                   : TranslatorDirection::ForeignToCzech;
    instantSearch_ = settings_.readBool(kTranslatorSettingsKey, kInstantValue).value_or(instantSearch_);
}

bool TranslatorSession::open() {
    readSettings();
    WordListStatus status = WordListStatus::CannotRead;
    WordList list = WordList::load(programFolder_ / std::string(kWordListFileName), status);
    if (status != WordListStatus::Loaded) {
        list_ = WordList{};
        loaded_ = false;
        selected_.reset();
        prompter_.error("Nenalezen slovník!");
        return false;
    }
    list_ = std::move(list);
    loaded_ = true;
    selectFirst();
    return true;
}

void TranslatorSession::close() {
    settings_.writeBool(kTranslatorSettingsKey, kCzechToForeignValue, direction_ == TranslatorDirection::CzechToForeign);
    settings_.writeBool(kTranslatorSettingsKey, kForeignToCzechValue, direction_ == TranslatorDirection::ForeignToCzech);
    settings_.writeBool(kTranslatorSettingsKey, kInstantValue, instantSearch_);
}

std::string TranslatorSession::caption() const {
    return direction_ == TranslatorDirection::ForeignToCzech ? "Translator (ANJ -> CZ)" : "Translator (CZ -> ANJ)";
}

std::string TranslatorSession::columnTitle(int column) const {
    const bool foreignFirst = direction_ == TranslatorDirection::ForeignToCzech;
    return (column == 0) == foreignFirst ? "Cizí výraz" : "Český výraz";
}

const WordListPart& TranslatorSession::part() const {
    return direction_ == TranslatorDirection::ForeignToCzech ? list_.foreignToCzech() : list_.czechToForeign();
}

void TranslatorSession::selectFirst() {
    if (part().empty())
        selected_.reset();
    else
        selected_ = 0;
}

void TranslatorSession::select(std::size_t entry) {
    if (entry < part().size()) selected_ = entry;
}

std::string TranslatorSession::selectedTranslation() const {
    return selected_ ? part().translation(*selected_) : std::string();
}

TranslatorScroll TranslatorSession::searchIncrementally(std::string_view text) {
    const std::size_t length = codePointCount(text);
    if (length == 0) {
        selectFirst();
        return selected_ ? TranslatorScroll::IntoView : TranslatorScroll::None;
    }
    if (length > kMaxIncremental) return TranslatorScroll::None;
    const auto found = part().findPrefix(text);
    if (!found) return TranslatorScroll::None;
    selected_ = *found;
    return TranslatorScroll::ToTop;
}

TranslatorScroll TranslatorSession::searchExactly(std::string_view text) {
    if (text.empty()) return TranslatorScroll::None;
    const auto found = part().findExact(text);
    if (!found) return TranslatorScroll::None;
    selected_ = *found;
    return TranslatorScroll::IntoView;
}

TranslatorScroll TranslatorSession::swapDirection() {
    const std::string noted = selectedTranslation();
    direction_ = direction_ == TranslatorDirection::ForeignToCzech ? TranslatorDirection::CzechToForeign
                                                                   : TranslatorDirection::ForeignToCzech;
    selectFirst();
    if (noted.empty()) return TranslatorScroll::IntoView;
    for (const std::string& candidate : reverseKeyCandidates(noted)) {
        if (const auto found = part().findExact(candidate)) {
            selected_ = *found;
            break;
        }
    }
    return TranslatorScroll::IntoView;
}

std::string TranslatorSession::infoText() const {
    return "Ve slovníku je: " + std::to_string(list_.entryCount()) + " výrazů.";
}

}  // namespace lexo
