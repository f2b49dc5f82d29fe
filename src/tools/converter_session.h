#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"
#include "text/text_codec.h"

namespace lexo {

inline constexpr std::string_view kNoCzechListMessage = "Nelze převést slovníky, není načtený slovník s Českými výrazy";
inline constexpr std::string_view kNoForeignListMessage = "Nelze převést slovníky, není načtený slovník s Cizími výrazy";
inline constexpr std::string_view kEmptyConversionMessage = "Nelze úkladat prázdný slovník!!!";

// The foreign word lists the converter offers, in the order of its open dialog.
struct ForeignListFilter {
    std::string_view caption;
    std::string_view extension;
};
inline constexpr ForeignListFilter kForeignListFilters[] = {
    {"Anglický slovník", "ang"}, {"Německý slovník", "nem"}, {"Francouzský slovník", "fra"},
    {"Ruský slovník", "rus"},    {"Španělský slovník", "spa"}, {"Maďarský slovník", "mad"},
    {"Latinský slovník", "lat"},
};

// A converter word list: one text per line.
struct PlainWordList {
    bool ok = false;
    std::vector<std::string> lines;  // UTF-8, one text a line, empty lines kept
    TextEncoding encoding = TextEncoding::Windows1250;
    std::string error;  // the system's reason when !ok
};

// A word list: one text per line, Windows-1250 or UTF-8; reading stops at a NUL byte.
PlainWordList parseWordList(std::string bytes);
PlainWordList readWordList(const std::filesystem::path& file);

// Line i is Czech i;foreign i;[];NENÍ, with an empty foreign text where the foreign list
// is shorter; foreign lines past the Czech list are left out. A ";" inside a text would
// shift the fields of the line, so it becomes "+" as in the editor.
std::vector<std::string> convertWordLists(const std::vector<std::string>& czech,
                                          const std::vector<std::string>& foreign);

// The lines as a dictionary file: CR LF after each, Windows-1250 unless a character needs UTF-8.
std::string dictionaryTextOfLines(const std::vector<std::string>& lines);

// "Převaděč slovníků": two word lists in, the lines of one dictionary out.
class ConverterSession {
public:
    enum class Box { Czech, Foreign, Result };

    using SavePathChooser = std::function<std::optional<std::filesystem::path>()>;

    explicit ConverterSession(Prompter& prompter) : prompter_(prompter) {}

    void setSavePathChooser(SavePathChooser chooser) { savePathChooser_ = std::move(chooser); }
    // Told after every change of a box.
    void setChangeHandler(std::function<void(Box)> handler) { changed_ = std::move(handler); }

    const std::vector<std::string>& lines(Box box) const;

    // Fills one list from a file and empties the result; false (reason shown) when unreadable.
    bool openCzech(const std::filesystem::path& file) { return open(Box::Czech, file); }
    bool openForeign(const std::filesystem::path& file) { return open(Box::Foreign, file); }
    // "Převeď": the result built anew, or one of the two messages.
    bool convert();
    // "Ulož": asks for the file; writing it empties all three boxes.
    bool save();
    bool saveTo(const std::filesystem::path& file);

private:
    bool open(Box box, const std::filesystem::path& file);
    void setLines(Box box, std::vector<std::string> lines);

    Prompter& prompter_;
    SavePathChooser savePathChooser_;
    std::function<void(Box)> changed_;
    std::vector<std::string> czech_;
    std::vector<std::string> foreign_;
    std::vector<std::string> result_;
};

}  // namespace lexo
