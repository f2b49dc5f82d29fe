#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"
#include "text/text_codec.h"
#include "platform/ports.h"

namespace lexo {

class SettingsStore;

inline constexpr std::string_view kEditorCaptionPrefix = "Editor výrazů - ";
inline constexpr std::string_view kExpressionCountPrefix = "Počet výrazů ve slovníku: ";
inline constexpr std::string_view kExpressionCountAfterReset = "Počet výrazů ve slovníku: - ";
// After a deletion the count follows the colon without a space.
inline constexpr std::string_view kExpressionCountAfterDelete = "Počet výrazů ve slovníku:";

inline constexpr std::string_view kMissingFieldsMessage = "Nejsou vyplněny všechny údaje, záznam nemůže být přidán!!";
inline constexpr std::string_view kTooManyAlternativesMessage = "Jednomu výrazu můžete přiřadit použe 4 jeho překlady";
inline constexpr std::string_view kEmptySaveMessage = "Nelze uložit prázdný slovník.";
inline constexpr std::string_view kSaveCancelledMessage = "Slovník se nepodařilo uložit.";
inline constexpr std::string_view kExpressionFoundMessage = "Výraz byl nalezen!";
inline constexpr std::string_view kExpressionNotFoundMessage = "Výraz nelezen!";
inline constexpr std::string_view kNewDictionaryQuestion = "Chcete vytvořit nový slovník?";
inline constexpr std::string_view kUnsavedChangesQuestion = "Slovník byl změněn. Chcete změny uložit?";
inline constexpr std::string_view kSearchTitle = "Výhledavání";
inline constexpr std::string_view kSearchPrompt = "Najdi:";

// The list's header row, which the searches look at like any other row.
inline constexpr std::array<std::string_view, 4> kEditorColumnHeaders{
    "Cizí výraz", "Český výraz", "Cizojazyčná výslovnost", "Mluvená výslovnost"};

// Options of the editor: whether the pronunciation and the sound controls are ticked.
struct EditorOptions {
    bool pronunciation = false;        // "Vyslovnost"
    bool spokenPronunciation = false;  // "MluvenaVyslovnost"
    bool operator==(const EditorOptions&) const = default;
};

std::string editorSettingsKey(std::string_view versionString);

// Reads the options when the key exists (a missing value counts as off), creates the key
// otherwise, and in both cases writes the two values back.
EditorOptions loadEditorOptions(SettingsStore& store, std::string_view versionString);

// The four entry edits, top to bottom.
enum class EntryField { Foreign, Czech, Pronunciation, Sound };

// What a typed text becomes in an entry edit: a ";" would split the field when the
// dictionary is read again, so it turns into the "+" that joins alternatives. The
// pronunciation edit takes keys as they are.
std::string typedEntryText(EntryField field, std::string_view typed);

enum class EnterAction { MoveNext, Add };
EnterAction enterAction(EntryField field, bool pronunciationEnabled, bool soundEnabled);

// The pronunciation edit never stays empty: "[]" means no pronunciation.
std::string pronunciationAfterLeaving(std::string_view text);

// More than four "+"-joined alternatives in one text.
bool tooManyAlternatives(std::string_view text);

// The sound window is for an expression that has both texts and no sound yet.
bool canOpenSoundWindow(std::string_view foreign, std::string_view czech, std::string_view sound);

// What the table holds for a text typed or pasted into a field: no ";" (it would split
// the line), no line break, "[]" and "NENÍ" for an empty pronunciation and sound.
Expression storedExpression(Expression expression);

// Order-sensitive fingerprint of the first `rows` rows of a table (all by default), to
// tell whether it still matches what was loaded or saved.
std::uint64_t contentFingerprint(const ExpressionTable& table, std::size_t rows = SIZE_MAX);

// Whether every sound reference already names its place in the sound folder of the
// dictionary: saving again then has nothing to move.
bool soundsAlreadyInPlace(const ExpressionTable& table, const std::filesystem::path& dictionaryPath);

// The dictionary being edited: its table, name and folder, and every command of the
// editor that changes or writes them. Messages go through the Prompter; the list that
// shows the table follows through the Observer.
class EditorSession {
public:
    // Tells the list about changes, bracketing them as item models need.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void beginReset() {}
        virtual void endReset() {}
        virtual void beginAppend(std::size_t /*row*/) {}
        virtual void endAppend() {}
        virtual void beginRemove(std::size_t /*row*/) {}
        virtual void endRemove() {}
        virtual void rowChanged(std::size_t /*row*/) {}
        // Save rewrote sound references in place.
        virtual void soundsChanged() {}
        // Bring a row into view: at the top of the list, or at its bottom.
        enum class Reveal { Top, AtTop, AtBottom };
        virtual void reveal(std::size_t /*row*/, Reveal /*how*/) {}
    };

    // The save dialog, preset to `suggestedName`; nullopt on Cancel.
    using SavePathChooser = std::function<std::optional<std::filesystem::path>(const std::string& suggestedName)>;

    explicit EditorSession(Prompter& prompter);

    void setObserver(Observer* observer) { observer_ = observer; }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    const ExpressionTable& table() const { return table_; }
    std::size_t size() const { return table_.size(); }
    const std::string& fileName() const { return fileName_; }
    // Empty until the dictionary was opened or saved.
    const std::filesystem::path& folder() const { return folder_; }
    std::optional<std::filesystem::path> path() const;
    std::string caption() const;
    const std::string& countText() const { return countText_; }
    TextEncoding encoding() const { return encoding_; }

    // The table differs from what was last opened or saved.
    bool modified() const;

    // Empty, unnamed dictionary; nothing is asked.
    void reset();

    // Open and Open recent. An empty file is refused with a message and the table stays.
    bool open(const std::filesystem::path& file);
    // The dictionary named on the command line; an empty file opens as an empty dictionary.
    bool openFromCommandLine(const std::filesystem::path& file);

    // Leaving the foreign or Czech edit: more than four alternatives get the warning and
    // the edit keeps the focus (false). Adding is not blocked by it.
    bool acceptLeaving(std::string_view text);

    // Appends what the entry edits hold; false (with the warning) when a field is empty.
    bool add(Expression expression);
    // Removes table row `row`; false when there is no such row.
    bool remove(std::size_t row);
    // The edit dialog's result for table row `row`.
    bool replace(std::size_t row, Expression expression);

    // Searches one column from the header row down. Reports the result in a message box
    // after revealing the row; an empty text does nothing. Returns the list row found
    // (0 is the header).
    std::optional<std::size_t> find(Field column, std::string_view text);

    // "Uložit": moves the sounds beside the dictionary, then writes it; asks for a name
    // only when the dictionary has none.
    bool save();
    // "Uložit jako": always asks, then moves the sounds beside the new file as "Uložit"
    // does; an empty table writes an empty file.
    bool saveAs();

    // Before the dictionary is left (New, Open, Close, program exit): asks about unsaved
    // changes. False when the user stays.
    bool confirmLeave();
    // "Nový": asks, then about unsaved changes, then resets. True when reset.
    bool newDictionary();

    // The row the edit dialog is changing. It follows deletions above it and is dropped
    // when its row goes away, so the dialog never writes into another expression.
    void setEditingRow(std::optional<std::size_t> row) { editingRow_ = row; }
    std::optional<std::size_t> editingRow() const { return editingRow_; }

    // Upper-case entry: the foreign and Czech edits follow the option at every key; the
    // pronunciation edit takes it over at each Enter pressed in it.
    bool upperCaseFor(EntryField field, bool upperCaseOption) const;
    EnterAction pressEnter(EntryField field, bool pronunciationEnabled, bool soundEnabled, bool upperCaseOption);

private:
    enum class LoadMode { Interactive, CommandLine };
    bool load(const std::filesystem::path& file, LoadMode mode);
    bool writeTo(const std::filesystem::path& file);
    bool writeWithSounds(const std::filesystem::path& file, const std::filesystem::path& keepFolder = {});
    void takeName(const std::filesystem::path& file);
    void aboutToChange(std::size_t row);
    void markSaved();
    void setCount(std::string_view prefix);

    Prompter& prompter_;
    Observer* observer_ = nullptr;
    SavePathChooser chooseSavePath_;

    ExpressionTable table_;
    std::string fileName_{kDefaultDictionaryName};
    std::filesystem::path folder_;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    std::string countText_{kExpressionCountAfterReset};

    // What was last opened or saved is the first savedSize_ rows as they were then. Until
    // one of those rows changes, only appending happened, and the size alone tells; the
    // fingerprint of those rows is taken at the first change among them. So opening,
    // adding and saving a large dictionary cost no extra pass over it.
    std::size_t savedSize_ = 0;
    bool savedRowsTouched_ = false;
    std::uint64_t savedFingerprint_ = 0;
    // A failed save after the sounds were moved: the table no longer matches the file.
    bool forcedModified_ = false;

    std::optional<std::size_t> editingRow_;
    bool pronunciationUpperCase_ = false;
};

}  // namespace lexo
