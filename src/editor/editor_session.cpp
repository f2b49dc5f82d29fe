#include "editor/editor_session.h"

#include <algorithm>
#include <cstring>

#include "common/general_settings.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/sound_folder.h"
#include "platform/settings_store.h"

namespace lexo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPronunciationValue = "Vyslovnost";
constexpr std::string_view kSpokenPronunciationValue = "MluvenaVyslovnost";

void replaceAll(std::string& text, char from, char to) { std::replace(text.begin(), text.end(), from, to); }

std::string pathText(const fs::path& path) { return path.string(); }

}  // namespace

std::string editorSettingsKey(std::string_view versionString) { return settingsRoot(versionString) + "\\Editor"; }

EditorOptions loadEditorOptions(SettingsStore& store, std::string_view versionString) {
    const std::string key = editorSettingsKey(versionString);
    EditorOptions options;
    if (store.keyExists(key)) {
        options.pronunciation = store.readBool(key, kPronunciationValue).value_or(false);
        options.spokenPronunciation = store.readBool(key, kSpokenPronunciationValue).value_or(false);
    } else {
        store.createKey(key);
    }
    // A refused write changes nothing for this run: the boxes already show the options.
    store.writeBool(key, kPronunciationValue, options.pronunciation);
    store.writeBool(key, kSpokenPronunciationValue, options.spokenPronunciation);
    return options;
}

std::string typedEntryText(EntryField field, std::string_view typed) {
    std::string text(typed);
    if (field != EntryField::Pronunciation) replaceAll(text, ';', '+');
    return text;
}

EnterAction enterAction(EntryField field, bool pronunciationEnabled, bool soundEnabled) {
    switch (field) {
    case EntryField::Czech:
        return !pronunciationEnabled && !soundEnabled ? EnterAction::Add : EnterAction::MoveNext;
    case EntryField::Pronunciation:
        return soundEnabled ? EnterAction::MoveNext : EnterAction::Add;
    case EntryField::Foreign:
    case EntryField::Sound:
        break;
    }
    return EnterAction::MoveNext;
}

std::string pronunciationAfterLeaving(std::string_view text) {
    return text.empty() ? std::string(kNoPronunciation) : std::string(text);
}

bool tooManyAlternatives(std::string_view text) { return std::count(text.begin(), text.end(), '+') > 3; }

bool canOpenSoundWindow(std::string_view foreign, std::string_view czech, std::string_view sound) {
    return sound == kNoSound && !foreign.empty() && !czech.empty();
}

Expression storedExpression(Expression expression) {
    expression.foreign = storableField(std::move(expression.foreign));
    expression.czech = storableField(std::move(expression.czech));
    expression.pronunciation = storableField(std::move(expression.pronunciation));
    if (expression.pronunciation.empty()) expression.pronunciation = kNoPronunciation;
    // A path may hold ";" legitimately; changing it would lose the file.
    replaceAll(expression.sound, '\r', ' ');
    replaceAll(expression.sound, '\n', ' ');
    std::erase(expression.sound, '\0');
    if (expression.sound.empty()) expression.sound = kNoSound;
    return expression;
}

std::uint64_t contentFingerprint(const ExpressionTable& table, std::size_t rows) {
    rows = std::min(rows, table.size());
    std::uint64_t hash = 0x243F6A8885A308D3ull;
    const auto mix = [&hash](std::uint64_t value) {
        hash ^= value;
        hash *= 0x9E3779B97F4A7C15ull;
        hash ^= hash >> 29;
    };
    mix(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        for (int f = 0; f < 4; ++f) {
            const std::string_view text = table.field(row, static_cast<Field>(f));
            // The length keeps "ab"+"c" apart from "a"+"bc".
            mix(text.size());
            std::size_t at = 0;
            for (; at + 8 <= text.size(); at += 8) {
                std::uint64_t chunk;
                std::memcpy(&chunk, text.data() + at, 8);
                mix(chunk);
            }
            std::uint64_t tail = 0;
            std::memcpy(&tail, text.data() + at, text.size() - at);
            mix(tail);
        }
    }
    return hash;
}

bool soundsAlreadyInPlace(const ExpressionTable& table, const fs::path& dictionaryPath) {
    std::string folder = soundFolderFor(dictionaryPath).string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    for (std::size_t row = 0; row < table.size(); ++row) {
        const std::string_view sound = table.sound(row);
        if (sound == kNoSound) continue;
        // In place means: the folder, a separator, and a plain file name.
        if (!sound.starts_with(folder)) return false;
        const std::string_view name = sound.substr(folder.size());
        if (name.empty() || name.find_first_of("/\\") != std::string_view::npos) return false;
    }
    return true;
}

EditorSession::EditorSession(Prompter& prompter) : prompter_(prompter) {}

std::optional<fs::path> EditorSession::path() const {
    if (folder_.empty()) return std::nullopt;
    return folder_ / fileName_;
}

std::string EditorSession::caption() const { return std::string(kEditorCaptionPrefix) + fileName_; }

bool EditorSession::modified() const {
    if (forcedModified_) return true;
    if (!savedRowsTouched_) return table_.size() != savedSize_;
    return contentFingerprint(table_) != savedFingerprint_;
}

void EditorSession::aboutToChange(std::size_t row) {
    if (savedRowsTouched_ || row >= savedSize_) return;
    // Rows appended since are not part of what was saved.
    savedFingerprint_ = contentFingerprint(table_, savedSize_);
    savedRowsTouched_ = true;
}

void EditorSession::markSaved() {
    savedSize_ = table_.size();
    savedRowsTouched_ = false;
    forcedModified_ = false;
}

void EditorSession::setCount(std::string_view prefix) { countText_ = std::string(prefix) + std::to_string(table_.size()); }

void EditorSession::takeName(const fs::path& file) {
    const fs::path full = fs::absolute(file).lexically_normal();
    fileName_ = full.filename().string();
    folder_ = full.parent_path();
}

void EditorSession::reset() {
    if (observer_) observer_->beginReset();
    // A fresh table gives back the memory of a large dictionary.
    table_ = ExpressionTable();
    fileName_ = kDefaultDictionaryName;
    folder_.clear();
    encoding_ = TextEncoding::Windows1250;
    countText_ = kExpressionCountAfterReset;
    editingRow_.reset();
    markSaved();
    if (observer_) observer_->endReset();
}

bool EditorSession::open(const fs::path& file) { return load(file, LoadMode::Interactive); }

bool EditorSession::openFromCommandLine(const fs::path& file) { return load(file, LoadMode::CommandLine); }

bool EditorSession::load(const fs::path& file, LoadMode mode) {
    DictionaryLoad loaded = loadDictionary(file);
    switch (loaded.status) {
    case LoadStatus::CannotOpen:
        prompter_.error("Slovník " + pathText(file) + " nelze otevřít: " + loaded.error);
        return false;
    case LoadStatus::TooLarge:
        prompter_.error(kTooLargeDictionaryMessage);
        return false;
    case LoadStatus::Empty:
        // The command line opens an empty file as an empty dictionary of that name.
        if (mode == LoadMode::Interactive) {
            prompter_.information(kEmptyDictionaryMessage);
            return false;
        }
        loaded.table = ExpressionTable();
        break;
    case LoadStatus::Loaded:
        break;
    }
    if (observer_) observer_->beginReset();
    table_ = std::move(loaded.table);
    encoding_ = loaded.encoding;
    takeName(file);
    setCount(kExpressionCountPrefix);
    editingRow_.reset();
    markSaved();
    if (observer_) observer_->endReset();
    return true;
}

bool EditorSession::acceptLeaving(std::string_view text) {
    if (!tooManyAlternatives(text)) return true;
    prompter_.warning(kTooManyAlternativesMessage);
    return false;
}

bool EditorSession::add(Expression expression) {
    if (expression.czech.empty() || expression.foreign.empty() || expression.sound.empty()) {
        prompter_.warning(kMissingFieldsMessage);
        return false;
    }
    expression = storedExpression(std::move(expression));
    const std::size_t row = table_.size();
    if (observer_) observer_->beginAppend(row);
    table_.append(expression);
    if (observer_) observer_->endAppend();
    setCount(kExpressionCountPrefix);
    if (observer_) observer_->reveal(row, Observer::Reveal::AtBottom);
    return true;
}

bool EditorSession::remove(std::size_t row) {
    if (row >= table_.size()) return false;
    aboutToChange(row);
    if (observer_) observer_->beginRemove(row);
    table_.remove(row);
    if (editingRow_) {
        if (*editingRow_ == row)
            editingRow_.reset();
        else if (*editingRow_ > row)
            --*editingRow_;
    }
    if (observer_) observer_->endRemove();
    setCount(kExpressionCountAfterDelete);
    return true;
}

bool EditorSession::replace(std::size_t row, Expression expression) {
    if (row >= table_.size()) return false;
    expression = storedExpression(std::move(expression));
    aboutToChange(row);
    table_.set(row, expression);
    if (observer_) observer_->rowChanged(row);
    return true;
}

std::optional<std::size_t> EditorSession::find(Field column, std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::optional<std::size_t> found;
    if (kEditorColumnHeaders[static_cast<std::size_t>(column)] == text) {
        found = 0;
    } else {
        for (std::size_t row = 0; row < table_.size(); ++row) {
            if (table_.field(row, column) == text) {
                found = row + 1;
                break;
            }
        }
    }
    if (!found) {
        prompter_.warning(kExpressionNotFoundMessage);
        return std::nullopt;
    }
    if (observer_) {
        // A row near the top shows with the list scrolled home; a lower one becomes the top row.
        if (*found < 13)
            observer_->reveal(0, Observer::Reveal::Top);
        else
            observer_->reveal(*found - 1, Observer::Reveal::AtTop);
    }
    prompter_.information(kExpressionFoundMessage);
    return found;
}

bool EditorSession::writeTo(const fs::path& file) {
    const SaveResult result = saveDictionary(table_, file, encoding_);
    if (!result.ok) {
        prompter_.error("Slovník se nepodařilo uložit do souboru " + pathText(file) + ": " + result.error);
        return false;
    }
    encoding_ = result.encoding;
    return true;
}

bool EditorSession::save() {
    if (table_.empty()) {
        prompter_.information(kEmptySaveMessage);
        return false;
    }
    fs::path target;
    if (const auto named = path()) {
        target = *named;
    } else {
        const auto chosen = chooseSavePath_ ? chooseSavePath_(fileName_) : std::nullopt;
        if (!chosen || chosen->empty()) {
            prompter_.information(kSaveCancelledMessage);
            return false;
        }
        target = *chosen;
    }
    return writeWithSounds(target);
}

bool EditorSession::writeWithSounds(const fs::path& target, const fs::path& keepFolder) {
    // Saving again moves nothing; skipping the move spares a large dictionary a slow pass.
    bool referencesChanged = false;
    if (!soundsAlreadyInPlace(table_, target)) {
        const SoundMoveReport moved = moveSoundFiles(table_, target, keepFolder);
        referencesChanged = moved.moved + moved.missing + moved.respelled > 0;
        if (referencesChanged && observer_) observer_->soundsChanged();
    }
    if (!writeTo(target)) {
        // The references now name the sound folder while the file on disk still holds
        // the old ones: the table is no longer what was saved.
        if (referencesChanged) forcedModified_ = true;
        return false;
    }
    takeName(target);
    markSaved();
    return true;
}

bool EditorSession::saveAs() {
    const auto chosen = chooseSavePath_ ? chooseSavePath_(fileName_) : std::nullopt;
    if (!chosen || chosen->empty()) {
        prompter_.information(kSaveCancelledMessage);
        return false;
    }
    // The recordings still in Temp would go with the exit clean-up: they move beside the
    // new file exactly as "Uložit" moves them. The dictionary saved before stays on disk
    // and keeps its own sounds: those are copied.
    const auto previous = path();
    return writeWithSounds(*chosen, previous ? soundFolderFor(*previous) : fs::path());
}

bool EditorSession::confirmLeave() {
    if (!modified()) return true;
    switch (prompter_.askYesNoCancel(kUnsavedChangesQuestion)) {
    case Prompter::Answer::Yes:
        return save();
    case Prompter::Answer::No:
        return true;
    case Prompter::Answer::Cancel:
        break;
    }
    return false;
}

bool EditorSession::newDictionary() {
    if (!prompter_.askYesNo(kNewDictionaryQuestion)) return false;
    if (!confirmLeave()) return false;
    reset();
    return true;
}

bool EditorSession::upperCaseFor(EntryField field, bool upperCaseOption) const {
    switch (field) {
    case EntryField::Foreign:
    case EntryField::Czech:
        return upperCaseOption;
    case EntryField::Pronunciation:
        return pronunciationUpperCase_;
    case EntryField::Sound:
        break;
    }
    return false;
}

EnterAction EditorSession::pressEnter(EntryField field, bool pronunciationEnabled, bool soundEnabled,
                                      bool upperCaseOption) {
    if (field == EntryField::Pronunciation) pronunciationUpperCase_ = upperCaseOption;
    return enterAction(field, pronunciationEnabled, soundEnabled);
}

}  // namespace lexo
