#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "translator/word_list.h"

namespace lexo {

class Prompter;
class SettingsStore;

// A key of its own, with its own version number, not below the settings root.
inline constexpr std::string_view kTranslatorSettingsKey = "HKEY_CURRENT_USER\\software\\Lexo2 - 2.81\\Translator";

enum class TranslatorDirection { ForeignToCzech, CzechToForeign };

// How the table should bring the selected row into sight.
enum class TranslatorScroll { None, ToTop, IntoView };

// The translator behind its window: the word list of both directions, the direction
// and instant-search choices kept in the settings, the selected entry and the searches.
class TranslatorSession {
public:
    TranslatorSession(SettingsStore& settings, Prompter& prompter, std::filesystem::path programFolder);

    // Reads the settings (writing the defaults when the key is missing) and the word list;
    // a missing word list says "Nenalezen slovník!" and leaves the session not loaded, so
    // that the next opening tries again.
    bool open();
    bool loaded() const { return loaded_; }
    // Writes the three settings values.
    void close();

    TranslatorDirection direction() const { return direction_; }
    std::string caption() const;
    std::string columnTitle(int column) const;
    const WordListPart& part() const;
    std::size_t entryCount() const { return list_.entryCount(); }

    bool instantSearch() const { return instantSearch_; }
    void toggleInstantSearch() { instantSearch_ = !instantSearch_; }

    // The entry of the current part that is selected; none only in an empty part.
    std::optional<std::size_t> selected() const { return selected_; }
    void select(std::size_t entry);
    std::string selectedTranslation() const;

    // After every key in the search field: up to seven characters are looked for from the
    // second entry on; an empty field goes back to the first entry; more changes nothing.
    TranslatorScroll searchIncrementally(std::string_view text);
    // Enter, F1, the button: the whole text, from the first entry on.
    TranslatorScroll searchExactly(std::string_view text);
    // Swaps the direction and selects the reverse entry of the selected one when the other
    // part has it, else the first entry.
    TranslatorScroll swapDirection();
    // "Ve slovníku je: N výrazů."
    std::string infoText() const;

private:
    void readSettings();
    void selectFirst();

    SettingsStore& settings_;
    Prompter& prompter_;
    std::filesystem::path programFolder_;
    WordList list_;
    bool loaded_ = false;
    TranslatorDirection direction_ = TranslatorDirection::ForeignToCzech;
    bool instantSearch_ = true;
    std::optional<std::size_t> selected_;
};

// The entries of the other part that may be the reverse of a translation, best first: the
// translation as it stands, in capitals (searched texts are typed in capitals), and its
// first alternative in capitals without labels ("[hud]") or trailing explanations ("(čeho)").
std::vector<std::string> reverseKeyCandidates(std::string_view translation);

}  // namespace lexo
