#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexo {

// The program's settings, shaped like the registry it replaces: keys named by full paths
// ("HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Nastaveni"), each holding named values
// that are 32-bit integers or strings. Key and value names compare without regard to
// case but keep the spelling they were first written with.
//
// A read of a missing value, or of a value of another type, gives nullopt: callers treat
// both as a failure. Writes report whether the change was stored.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // True also for a key that only exists as the parent of another key.
    virtual bool keyExists(std::string_view key) const = 0;
    virtual bool createKey(std::string_view key) = 0;
    virtual bool valueExists(std::string_view key, std::string_view name) const = 0;

    // Booleans are integers; any value but 0 reads as true.
    virtual std::optional<bool> readBool(std::string_view key, std::string_view name) const = 0;
    virtual std::optional<std::int32_t> readInteger(std::string_view key, std::string_view name) const = 0;
    virtual std::optional<std::string> readString(std::string_view key, std::string_view name) const = 0;

    // Each write creates the key when missing. A name holding a control character, or a
    // text that is not UTF-8, is refused.
    virtual bool writeBool(std::string_view key, std::string_view name, bool value) = 0;
    virtual bool writeInteger(std::string_view key, std::string_view name, std::int32_t value) = 0;
    virtual bool writeString(std::string_view key, std::string_view name, std::string_view value) = 0;
    virtual bool deleteValue(std::string_view key, std::string_view name) = 0;

    // In the order they were first written; "" is the key's default value.
    virtual std::vector<std::string> valueNames(std::string_view key) const = 0;
};

enum class SettingsValueType { Integer, String, Other };

struct SettingsValue {
    SettingsValueType type = SettingsValueType::String;
    std::uint32_t integer = 0;   // Integer
    std::string text;            // String, UTF-8
    std::uint32_t rawType = 0;   // Other: the registry type number (3 binary, 7 multi-string…)
    std::string bytes;           // Other: the data exactly as stored

    static SettingsValue fromInteger(std::uint32_t value);
    static SettingsValue fromString(std::string value);
    static SettingsValue fromRaw(std::uint32_t rawType, std::string bytes);
    bool operator==(const SettingsValue&) const = default;
};

struct SettingsEntry {
    std::string name;  // "" is the default value, written "@"
    SettingsValue value;
    bool operator==(const SettingsEntry&) const = default;
};

struct SettingsKey {
    std::string path;
    std::vector<SettingsEntry> entries;
    bool operator==(const SettingsKey&) const = default;
};

// The whole content of a settings file, keys and values in the order they appeared.
// Only keys that were created themselves are listed; their parents exist implicitly.
class SettingsData {
public:
    const std::vector<SettingsKey>& keys() const { return keys_; }

    bool keyExists(std::string_view path) const;
    const SettingsKey* findKey(std::string_view path) const;
    SettingsKey& ensureKey(std::string_view path);
    const SettingsValue* findValue(std::string_view path, std::string_view name) const;
    void setValue(std::string_view path, std::string_view name, SettingsValue value);
    bool removeValue(std::string_view path, std::string_view name);
    // Removes the key and every key below it.
    void removeKeyTree(std::string_view path);

    bool operator==(const SettingsData&) const = default;

private:
    SettingsKey* findKeyMutable(std::string_view path);
    std::vector<SettingsKey> keys_;
};

struct SettingsParse {
    bool ok = false;
    SettingsData data;
    std::string error;  // what was wrong and on which line, when !ok
};

// Reads the registry export text format ("Windows Registry Editor Version 5.00" or
// "REGEDIT4"): UTF-16LE with BOM, UTF-8 with or without BOM, or Windows-1250 (what
// Windows wrote for REGEDIT4), with LF or CR LF line ends. Empty input is an empty store.
SettingsParse parseSettingsFile(std::string_view bytes);

// UTF-8 without BOM, LF line ends. Strings holding control characters are written as
// hex(1) (UTF-16LE) so every value stays on its line.
std::string serializeSettings(const SettingsData& data);

// Keys and values in memory only: the store every window's tests use. Writes can be made
// to fail, to test how callers cope.
class MemorySettingsStore : public SettingsStore {
public:
    MemorySettingsStore() = default;
    explicit MemorySettingsStore(SettingsData data) : data_(std::move(data)) {}

    const SettingsData& data() const { return data_; }
    void setWritesFail(bool fail) { writesFail_ = fail; }

    bool keyExists(std::string_view key) const override;
    bool createKey(std::string_view key) override;
    bool valueExists(std::string_view key, std::string_view name) const override;
    std::optional<bool> readBool(std::string_view key, std::string_view name) const override;
    std::optional<std::int32_t> readInteger(std::string_view key, std::string_view name) const override;
    std::optional<std::string> readString(std::string_view key, std::string_view name) const override;
    bool writeBool(std::string_view key, std::string_view name, bool value) override;
    bool writeInteger(std::string_view key, std::string_view name, std::int32_t value) override;
    bool writeString(std::string_view key, std::string_view name, std::string_view value) override;
    bool deleteValue(std::string_view key, std::string_view name) override;
    std::vector<std::string> valueNames(std::string_view key) const override;

protected:
    // Makes `next` lasting; on false the store keeps its previous state.
    virtual bool persist(const SettingsData& next);
    void resetData(SettingsData data) { data_ = std::move(data); }

private:
    bool writeValue(std::string_view key, std::string_view name, SettingsValue value);
    SettingsData data_;
    bool writesFail_ = false;
};

// The store kept in a registry.reg file. Every change rewrites the file atomically; when
// that fails the change is refused and neither the file nor the store changes.
class FileSettingsStore final : public MemorySettingsStore {
public:
    enum class LoadOutcome {
        Loaded,
        NoFile,    // a first run: the file is made at the first write
        SetAside,  // unusable; renamed to "<name>.bad" (when the rename worked), started empty
    };

    explicit FileSettingsStore(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }
    LoadOutcome loadOutcome() const { return loadOutcome_; }
    // Why the file was set aside, or why the last write failed.
    const std::string& lastError() const { return lastError_; }

protected:
    bool persist(const SettingsData& next) override;

private:
    std::filesystem::path file_;
    LoadOutcome loadOutcome_ = LoadOutcome::NoFile;
    std::string lastError_;
};

// $LEXO_CONFIG_HOME/registry.reg, else $XDG_CONFIG_HOME/lexo/registry.reg, else
// ~/.config/lexo/registry.reg.
std::filesystem::path defaultSettingsFile();

}  // namespace lexo
