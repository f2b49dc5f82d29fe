#include "platform/settings_store.h"

#include <charconv>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "text/text_codec.h"
#include "platform/atomic_file.h"

namespace lexo {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::uint32_t kTypeString = 1;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeDword = 4;
// Settings are a few kilobytes; anything near this size is not a settings file.
constexpr std::size_t kMaxSettingsFileBytes = std::size_t{16} << 20;

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool hasControl(std::string_view text) {
    for (unsigned char c : text) {
        if (isControl(c)) return true;
    }
    return false;
}

// Names are written bare on their line, so they cannot hold line breaks or other controls.
bool isCleanName(std::string_view name) { return isValidUtf8(name) && !hasControl(name); }

// A leading "-" would read back as "delete this key".
bool isValidKeyPath(std::string_view path) { return !path.empty() && path.front() != '-' && isCleanName(path); }

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool isBelow(std::string_view path, std::string_view upperAncestor) {
    const std::string upper = toUpperUtf8(path);
    return upper.size() > upperAncestor.size() && upper.starts_with(upperAncestor) &&
           upper[upperAncestor.size()] == '\\';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> parseHexNumber(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

// Code units to UTF-8; nullopt for a lone surrogate, which UTF-8 cannot hold.
std::optional<std::string> utf16leToUtf8(std::string_view bytes) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(bytes.size());
    auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return std::nullopt;
            const char32_t low = unitAt(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(out, unit);
    }
    return out;
}

void appendUtf16le(std::string& out, char32_t cp) {
    auto unit = [&](char32_t u) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    if (cp >= 0x10000) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
}

// ---- reading ----

class Parser {
public:
    explicit Parser(std::string_view text) {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (line.ends_with('\r')) line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    SettingsParse run() {
        std::size_t i = 0;
        while (i < lines_.size() && trim(lines_[i]).empty()) ++i;
        if (i == lines_.size()) return finish();  // nothing at all: an empty store
        const std::string_view header = trim(lines_[i]);
        if (header == kHeader4) {
            ansiStrings_ = true;
        } else if (header != kHeader5) {
            return fail(i, "chybí hlavička souboru registru");
        }
        for (++i; i < lines_.size(); ++i) {
            const std::string_view line = trim(lines_[i]);
            if (line.empty() || line.front() == ';') continue;
            if (line.front() == '[') {
                if (!readKeyLine(line)) return fail(i, "chybný název klíče");
            } else if (line.front() == '"' || line.front() == '@') {
                if (!readValueLine(i)) return fail(i, "chybná hodnota");
            } else {
                return fail(i, "nečitelný řádek");
            }
        }
        return finish();
    }

private:
    SettingsParse finish() {
        SettingsParse result;
        result.ok = true;
        result.data = std::move(data_);
        return result;
    }

    SettingsParse fail(std::size_t line, std::string_view what) {
        SettingsParse result;
        result.error = std::string(what) + " (řádek " + std::to_string(line + 1) + ")";
        return result;
    }

    bool readKeyLine(std::string_view line) {
        if (line.size() < 3 || line.back() != ']') return false;
        std::string_view path = line.substr(1, line.size() - 2);
        if (path.front() == '-') {
            path.remove_prefix(1);
            if (path.empty()) return false;
            data_.removeKeyTree(path);
            // Values that follow a deletion are ignored, as regedit's import does.
            currentKey_.reset();
            skipValues_ = true;
            return true;
        }
        if (!isCleanName(path)) return false;
        currentKey_ = data_.ensureKey(path).path;
        skipValues_ = false;
        return true;
    }

    // `pos` at the opening quote; leaves it after the closing one. Only \\ and \" are
    // escapes; any other backslash stands for itself, as people type paths by hand.
    static std::optional<std::string> readQuoted(std::string_view line, std::size_t& pos) {
        std::string out;
        for (++pos; pos < line.size(); ++pos) {
            const char c = line[pos];
            if (c == '"') {
                ++pos;
                return out;
            }
            if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"')) ++pos;
            out.push_back(line[pos]);
        }
        return std::nullopt;
    }

    bool readValueLine(std::size_t& index) {
        const std::string_view line = trim(lines_[index]);
        std::size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else {
            auto quoted = readQuoted(line, pos);
            if (!quoted || !isCleanName(*quoted)) return false;
            name = std::move(*quoted);
        }
        const std::string_view rest = trim(line.substr(pos));
        if (!rest.starts_with('=')) return false;
        std::string_view data = trim(rest.substr(1));

        std::optional<SettingsValue> value;
        bool remove = false;
        if (data == "-") {
            remove = true;
        } else if (data.starts_with('"')) {
            std::size_t p = 0;
            auto text = readQuoted(data, p);
            if (!text || !trim(data.substr(p)).empty()) return false;
            value = SettingsValue::fromString(std::move(*text));
        } else if (startsWithIgnoreCase(data, "dword:")) {
            const auto number = parseHexNumber(data.substr(6), 8);
            if (!number) return false;
            value = SettingsValue::fromInteger(*number);
        } else if (startsWithIgnoreCase(data, "hex")) {
            value = readHexValue(data.substr(3), index);
            if (!value) return false;
        } else {
            return false;
        }

        if (!currentKey_) return skipValues_;  // a value before any key is an error
        if (remove) {
            data_.removeValue(*currentKey_, name);
        } else {
            data_.setValue(*currentKey_, name, std::move(*value));
        }
        return true;
    }

    // After "hex": either ":" (binary) or "(type):", then bytes as two-digit hex numbers
    // separated by commas, continued onto following lines by a trailing backslash.
    std::optional<SettingsValue> readHexValue(std::string_view data, std::size_t& index) {
        std::uint32_t type = kTypeBinary;
        if (data.starts_with('(')) {
            const std::size_t close = data.find(')');
            if (close == std::string_view::npos) return std::nullopt;
            const auto number = parseHexNumber(data.substr(1, close - 1), 8);
            if (!number) return std::nullopt;
            type = *number;
            data.remove_prefix(close + 1);
        }
        if (!data.starts_with(':')) return std::nullopt;
        std::string joined(trim(data.substr(1)));
        while (joined.ends_with('\\')) {
            joined.pop_back();
            if (index + 1 >= lines_.size()) break;
            joined += trim(lines_[++index]);
        }

        std::string bytes;
        std::string_view list = joined;
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            const std::string_view item = trim(list.substr(0, comma));
            const bool last = comma == std::string_view::npos || trim(list.substr(comma + 1)).empty();
            const auto byte = parseHexNumber(item, 2);
            if (!byte) return std::nullopt;
            bytes.push_back(static_cast<char>(*byte));
            if (last) break;
            list.remove_prefix(comma + 1);
        }
        return typedValue(type, std::move(bytes));
    }

    // Strings and integers written in hex form are read as what they are, so a setting
    // exported that way still reads; anything else stays raw.
    SettingsValue typedValue(std::uint32_t type, std::string bytes) const {
        if (type == kTypeDword && bytes.size() == 4) {
            std::uint32_t v = 0;
            for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(k)]);
            return SettingsValue::fromInteger(v);
        }
        if (type == kTypeString) {
            std::string_view content = bytes;
            if (ansiStrings_) {
                if (content.ends_with('\0')) content.remove_suffix(1);
                return SettingsValue::fromString(decodeWindows1250(content));
            }
            if (content.size() % 2 == 0 && content.ends_with(std::string_view("\0\0", 2))) content.remove_suffix(2);
            if (auto text = utf16leToUtf8(content)) return SettingsValue::fromString(std::move(*text));
        }
        return SettingsValue::fromRaw(type, std::move(bytes));
    }

    std::vector<std::string_view> lines_;
    SettingsData data_;
    std::optional<std::string> currentKey_;
    bool skipValues_ = false;
    bool ansiStrings_ = false;  // REGEDIT4 keeps hex(1) strings in the ANSI code page
};

// ---- writing ----

void appendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

// Wrapped like regedit's own export, so long values stay readable.
void appendHexBytes(std::string& out, std::size_t lineStart, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0xF]);
        if (i + 1 == bytes.size()) break;
        out.push_back(',');
        if (out.size() - lineStart > 76) {
            out += "\\\n  ";
            lineStart = out.size() - 2;
        }
    }
}

void appendValue(std::string& out, const SettingsEntry& entry) {
    const std::size_t lineStart = out.size();
    if (entry.name.empty()) {
        out.push_back('@');
    } else {
        appendQuoted(out, entry.name);
    }
    out.push_back('=');
    const SettingsValue& value = entry.value;
    switch (value.type) {
    case SettingsValueType::Integer: {
        char buffer[9];
        static constexpr char kDigits[] = "0123456789abcdef";
        for (int k = 0; k < 8; ++k) buffer[k] = kDigits[(value.integer >> (28 - 4 * k)) & 0xF];
        buffer[8] = '\0';
        out += "dword:";
        out += buffer;
        break;
    }
    case SettingsValueType::String:
        if (hasControl(value.text)) {
            std::string units;
            for (std::size_t pos = 0; pos < value.text.size();) appendUtf16le(units, nextCodePoint(value.text, pos));
            units.append(2, '\0');
            out += "hex(1):";
            appendHexBytes(out, lineStart, units);
        } else {
            appendQuoted(out, value.text);
        }
        break;
    case SettingsValueType::Other:
        if (value.rawType == kTypeBinary) {
            out += "hex:";
        } else {
            char buffer[9];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, value.rawType, 16).ptr;
            out += "hex(";
            out.append(buffer, end);
            out += "):";
        }
        appendHexBytes(out, lineStart, value.bytes);
        break;
    }
    out.push_back('\n');
}

}  // namespace

// ---- SettingsValue, SettingsData ----

SettingsValue SettingsValue::fromInteger(std::uint32_t value) {
    SettingsValue v;
    v.type = SettingsValueType::Integer;
    v.integer = value;
    return v;
}

SettingsValue SettingsValue::fromString(std::string value) {
    SettingsValue v;
    v.type = SettingsValueType::String;
    v.text = std::move(value);
    return v;
}

SettingsValue SettingsValue::fromRaw(std::uint32_t rawType, std::string bytes) {
    SettingsValue v;
    v.type = SettingsValueType::Other;
    v.rawType = rawType;
    v.bytes = std::move(bytes);
    return v;
}

bool SettingsData::keyExists(std::string_view path) const {
    if (path.empty()) return false;
    if (findKey(path)) return true;
    const std::string upper = toUpperUtf8(path);
    for (const SettingsKey& key : keys_) {
        if (isBelow(key.path, upper)) return true;
    }
    return false;
}

const SettingsKey* SettingsData::findKey(std::string_view path) const {
    for (const SettingsKey& key : keys_) {
        if (equalsIgnoreCase(key.path, path)) return &key;
    }
    return nullptr;
}

SettingsKey* SettingsData::findKeyMutable(std::string_view path) {
    return const_cast<SettingsKey*>(std::as_const(*this).findKey(path));
}

SettingsKey& SettingsData::ensureKey(std::string_view path) {
    if (SettingsKey* key = findKeyMutable(path)) return *key;
    keys_.push_back(SettingsKey{std::string(path), {}});
    return keys_.back();
}

const SettingsValue* SettingsData::findValue(std::string_view path, std::string_view name) const {
    const SettingsKey* key = findKey(path);
    if (!key) return nullptr;
    for (const SettingsEntry& entry : key->entries) {
        if (equalsIgnoreCase(entry.name, name)) return &entry.value;
    }
    return nullptr;
}

void SettingsData::setValue(std::string_view path, std::string_view name, SettingsValue value) {
    SettingsKey& key = ensureKey(path);
    for (SettingsEntry& entry : key.entries) {
        if (equalsIgnoreCase(entry.name, name)) {
            entry.value = std::move(value);
            return;
        }
    }
    key.entries.push_back(SettingsEntry{std::string(name), std::move(value)});
}

bool SettingsData::removeValue(std::string_view path, std::string_view name) {
    SettingsKey* key = findKeyMutable(path);
    if (!key) return false;
    return std::erase_if(key->entries, [&](const SettingsEntry& e) { return equalsIgnoreCase(e.name, name); }) > 0;
}

void SettingsData::removeKeyTree(std::string_view path) {
    const std::string upper = toUpperUtf8(path);
    std::erase_if(keys_, [&](const SettingsKey& key) {
        return equalsIgnoreCase(key.path, path) || isBelow(key.path, upper);
    });
}

SettingsParse parseSettingsFile(std::string_view bytes) {
    std::string text;
    if (bytes.starts_with("\xFF\xFE")) {
        auto decoded = utf16leToUtf8(bytes.substr(2));
        if (!decoded) return SettingsParse{false, {}, "chybný text UTF-16"};
        text = std::move(*decoded);
    } else {
        text = decodeText(std::string(bytes)).text;
        // Only a file with a UTF-8 BOM can get here without being UTF-8.
        if (!isValidUtf8(text)) return SettingsParse{false, {}, "chybný text UTF-8"};
    }
    return Parser(text).run();
}

std::string serializeSettings(const SettingsData& data) {
    std::string out(kHeader5);
    out += "\n\n";
    for (const SettingsKey& key : data.keys()) {
        out.push_back('[');
        out += key.path;
        out += "]\n";
        for (const SettingsEntry& entry : key.entries) appendValue(out, entry);
        out.push_back('\n');
    }
    return out;
}

// ---- MemorySettingsStore ----

bool MemorySettingsStore::keyExists(std::string_view key) const { return data_.keyExists(key); }

bool MemorySettingsStore::createKey(std::string_view key) {
    if (!isValidKeyPath(key)) return false;
    if (data_.keyExists(key)) return true;
    SettingsData next = data_;
    next.ensureKey(key);
    if (!persist(next)) return false;
    data_ = std::move(next);
    return true;
}

bool MemorySettingsStore::valueExists(std::string_view key, std::string_view name) const {
    return data_.findValue(key, name) != nullptr;
}

std::optional<bool> MemorySettingsStore::readBool(std::string_view key, std::string_view name) const {
    const auto value = readInteger(key, name);
    if (!value) return std::nullopt;
    return *value != 0;
}

std::optional<std::int32_t> MemorySettingsStore::readInteger(std::string_view key, std::string_view name) const {
    const SettingsValue* value = data_.findValue(key, name);
    if (!value || value->type != SettingsValueType::Integer) return std::nullopt;
    return static_cast<std::int32_t>(value->integer);
}

std::optional<std::string> MemorySettingsStore::readString(std::string_view key, std::string_view name) const {
    const SettingsValue* value = data_.findValue(key, name);
    if (!value || value->type != SettingsValueType::String) return std::nullopt;
    return value->text;
}

bool MemorySettingsStore::writeBool(std::string_view key, std::string_view name, bool value) {
    return writeValue(key, name, SettingsValue::fromInteger(value ? 1 : 0));
}

bool MemorySettingsStore::writeInteger(std::string_view key, std::string_view name, std::int32_t value) {
    return writeValue(key, name, SettingsValue::fromInteger(static_cast<std::uint32_t>(value)));
}

bool MemorySettingsStore::writeString(std::string_view key, std::string_view name, std::string_view value) {
    if (!isValidUtf8(value)) return false;
    return writeValue(key, name, SettingsValue::fromString(std::string(value)));
}

bool MemorySettingsStore::writeValue(std::string_view key, std::string_view name, SettingsValue value) {
    if (!isValidKeyPath(key) || !isCleanName(name)) return false;
    const SettingsValue* current = data_.findValue(key, name);
    if (current && *current == value) return true;  // spares a rewrite of the file
    SettingsData next = data_;
    next.setValue(key, name, std::move(value));
    if (!persist(next)) return false;
    data_ = std::move(next);
    return true;
}

bool MemorySettingsStore::deleteValue(std::string_view key, std::string_view name) {
    if (!data_.findValue(key, name)) return false;
    SettingsData next = data_;
    next.removeValue(key, name);
    if (!persist(next)) return false;
    data_ = std::move(next);
    return true;
}

std::vector<std::string> MemorySettingsStore::valueNames(std::string_view key) const {
    std::vector<std::string> names;
    if (const SettingsKey* found = data_.findKey(key)) {
        for (const SettingsEntry& entry : found->entries) names.push_back(entry.name);
    }
    return names;
}

bool MemorySettingsStore::persist(const SettingsData&) { return !writesFail_; }

// ---- FileSettingsStore ----

FileSettingsStore::FileSettingsStore(std::filesystem::path file) : file_(std::move(file)) {
    std::error_code ec;
    if (!std::filesystem::exists(file_, ec)) return;  // first run

    const ReadResult read = readWholeFile(file_, kMaxSettingsFileBytes);
    if (read.status == ReadStatus::Ok) {
        SettingsParse parsed = parseSettingsFile(read.data);
        if (parsed.ok) {
            resetData(std::move(parsed.data));
            loadOutcome_ = LoadOutcome::Loaded;
            return;
        }
        lastError_ = parsed.error;
    } else {
        lastError_ = read.status == ReadStatus::TooLarge ? "soubor je příliš velký" : read.error;
    }
    // Kept for the user to look at; writing over it would lose whatever it still holds.
    loadOutcome_ = LoadOutcome::SetAside;
    std::filesystem::path bad = file_;
    bad += ".bad";
    std::filesystem::rename(file_, bad, ec);
    if (ec) lastError_ += "; " + ec.message();
}

bool FileSettingsStore::persist(const SettingsData& next) {
    std::error_code ec;
    if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ec);
    const FileResult written = writeFileAtomically(file_, serializeSettings(next));
    if (!written.ok) lastError_ = written.error;
    return written.ok;
}

std::filesystem::path defaultSettingsFile() {
    auto env = [](const char* name) -> std::string_view {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
    if (const auto own = env("LEXO_CONFIG_HOME"); !own.empty()) return std::filesystem::path(own) / "registry.reg";
    // A relative XDG_CONFIG_HOME is invalid and to be ignored.
    if (const auto xdg = env("XDG_CONFIG_HOME"); !xdg.empty() && xdg.front() == '/') {
        return std::filesystem::path(xdg) / "lexo" / "registry.reg";
    }
    std::filesystem::path home(env("HOME"));
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    return home / ".config" / "lexo" / "registry.reg";
}

}  // namespace lexo
