#include "common/general_settings.h"

#include <charconv>

#include "platform/settings_store.h"

namespace lexo {
namespace {

enum Value : std::size_t {
    kUpperCase, kTips, kTemp, kProc1, kProc2, kProc3, kProc4, kChartColour, kFinished, kInterrupted,
    kSpeed, kVoice, kFont, kWrong,
};

std::string_view nameOf(Value v) { return kGeneralSettingsValueNames[v]; }

std::optional<int> parseDecimal(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Reads in stored order and stops at the first value that cannot be read, as the
// Windows version did: what was read before stays, the rest keeps its value.
class Reader {
public:
    Reader(const SettingsStore& store, std::string key, GeneralSettings& settings)
        : store_(store), key_(std::move(key)), settings_(settings) {}

    bool failed() const { return !failedValue.empty(); }

    void readBool(Value v, bool& field) {
        if (failed()) return;
        if (const auto value = store_.readBool(key_, nameOf(v))) {
            field = *value;
        } else {
            failedValue = nameOf(v);
        }
    }

    void readText(Value v, std::string& field) {
        if (failed()) return;
        if (auto value = store_.readString(key_, nameOf(v))) {
            field = std::move(*value);
        } else {
            failedValue = nameOf(v);
        }
    }

    // A threshold that is no number, or one its spin edit cannot show, counts as a failed
    // read: the repair then stores the sound set the program runs with, instead of keeping
    // text that would be mended differently at every start.
    void readThreshold(Value v) {
        if (failed()) return;
        const std::size_t index = v - kProc1;
        const auto text = store_.readString(key_, nameOf(v));
        const auto number = text ? parseDecimal(*text) : std::nullopt;
        if (!number || *number < kThresholdBounds[index].minimum || *number > kThresholdBounds[index].maximum) {
            failedValue = nameOf(v);
            return;
        }
        // Like setting the spin edit: the lower thresholds follow at once.
        settings_.gradeThresholds = changeThreshold(settings_.gradeThresholds, index, *number);
    }

    // The speed bar refuses a position outside its range, which made the read fail.
    void readSpeed() {
        if (failed()) return;
        const auto value = store_.readInteger(key_, nameOf(kSpeed));
        if (!value || *value < kMinSpeechSpeed || *value > kMaxSpeechSpeed) {
            failedValue = nameOf(kSpeed);
            return;
        }
        settings_.speechSpeed = *value;
    }

    // A voice beyond the installed list is the window's concern; here it is a number.
    void readVoice() {
        if (failed()) return;
        if (const auto value = store_.readInteger(key_, nameOf(kVoice))) {
            settings_.voiceIndex = *value;
        } else {
            failedValue = nameOf(kVoice);
        }
    }

    // Everything up to "Jazyk"/"FontName"; the caller decides about "Spatnevyrazy".
    // Returns whether the second group (present since "BarvaGrafu" exists) was read.
    bool readAllButWrongFlag(bool readFont) {
        readBool(kUpperCase, settings_.upperCaseEntry);
        readBool(kTips, settings_.showTips);
        readBool(kTemp, settings_.clearTempOnExit);
        for (Value v : {kProc1, kProc2, kProc3, kProc4}) readThreshold(v);
        if (failed()) return false;
        // A key written by a version before the chart colour keeps the defaults for the rest.
        if (!store_.valueExists(key_, nameOf(kChartColour))) return false;
        readText(kChartColour, settings_.chartColour);
        readBool(kFinished, settings_.recordFinishedTests);
        readBool(kInterrupted, settings_.recordInterruptedTests);
        readSpeed();
        readVoice();
        if (readFont) readText(kFont, settings_.fontName);
        return !failed();
    }

    std::string failedValue;

private:
    const SettingsStore& store_;
    std::string key_;
    GeneralSettings& settings_;
};

bool writeValues(SettingsStore& store, const std::string& key, const GeneralSettings& s, bool includeFont) {
    if (!store.createKey(key)) return false;
    bool ok = store.writeBool(key, nameOf(kUpperCase), s.upperCaseEntry) &&
              store.writeBool(key, nameOf(kTips), s.showTips) &&
              store.writeBool(key, nameOf(kTemp), s.clearTempOnExit);
    for (std::size_t i = 0; ok && i < 4; ++i) {
        ok = store.writeString(key, nameOf(static_cast<Value>(kProc1 + i)), std::to_string(s.gradeThresholds[i]));
    }
    return ok && store.writeString(key, nameOf(kChartColour), s.chartColour) &&
           store.writeBool(key, nameOf(kFinished), s.recordFinishedTests) &&
           store.writeBool(key, nameOf(kInterrupted), s.recordInterruptedTests) &&
           store.writeInteger(key, nameOf(kSpeed), s.speechSpeed) &&
           store.writeInteger(key, nameOf(kVoice), s.voiceIndex < 0 ? 0 : s.voiceIndex) &&
           (!includeFont || store.writeString(key, nameOf(kFont), s.fontName)) &&
           store.writeBool(key, nameOf(kWrong), s.alwaysSaveWrongExpressions);
}

struct NamedColour {
    std::string_view name;
    std::uint32_t value;  // 0x00BBGGRR, the Windows colour value
};

constexpr std::array<NamedColour, 20> kNamedColours{{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},     {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},      {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},     {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

Rgb fromWindowsColour(std::uint32_t value) {
    return Rgb{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
               static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

std::uint32_t toWindowsColour(Rgb colour) {
    return colour.red | (static_cast<std::uint32_t>(colour.green) << 8) |
           (static_cast<std::uint32_t>(colour.blue) << 16);
}

bool equalsAsciiIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string settingsRoot(std::string_view versionString) {
    return "HKEY_CURRENT_USER\\software\\Lexo2 - " + std::string(versionString);
}

std::string generalSettingsKey(std::string_view versionString) { return settingsRoot(versionString) + "\\Nastaveni"; }

GradeThresholds orderThresholds(GradeThresholds t) {
    // Each assignment is itself a change that runs the rules again; three passes at most.
    while (true) {
        if (t[1] >= t[0]) {
            t[1] = t[0] - 1;
        } else if (t[2] >= t[0] || t[2] >= t[1]) {
            t[2] = t[1] - 1;
        } else if (t[3] >= t[0] || t[3] >= t[1] || t[3] >= t[2]) {
            t[3] = t[2] - 1;
        } else {
            return t;
        }
    }
}

GradeThresholds changeThreshold(GradeThresholds thresholds, std::size_t index, int value) {
    const ThresholdBounds bounds = kThresholdBounds[index];
    thresholds[index] = value < bounds.minimum ? bounds.minimum : value > bounds.maximum ? bounds.maximum : value;
    return orderThresholds(thresholds);
}

GeneralSettingsLoad loadGeneralSettings(SettingsStore& store, std::string_view versionString) {
    GeneralSettingsLoad load;
    const std::string key = generalSettingsKey(versionString);
    if (!store.keyExists(key)) {
        load.origin = GeneralSettingsOrigin::Created;
        load.writeFailed = !writeValues(store, key, load.settings, true);
        return load;
    }
    Reader reader(store, key, load.settings);
    if (reader.readAllButWrongFlag(true)) reader.readBool(kWrong, load.settings.alwaysSaveWrongExpressions);
    if (reader.failed()) {
        // Stored as the set stands now, but with no voice at the default speed; the run
        // itself keeps what was read.
        load.origin = GeneralSettingsOrigin::Repaired;
        load.failedValue = reader.failedValue;
        GeneralSettings repaired = load.settings;
        repaired.speechSpeed = kDefaultSpeechSpeed;
        repaired.voiceIndex = 0;
        load.writeFailed = !writeValues(store, key, repaired, true);
    }
    return load;
}

GeneralSettingsReload reloadGeneralSettings(SettingsStore& store, std::string_view versionString,
                                            GeneralSettings& settings) {
    GeneralSettingsReload reload;
    const std::string key = generalSettingsKey(versionString);
    if (!store.keyExists(key)) {
        reload.keyCreated = true;
        reload.writeFailed = !writeValues(store, key, settings, false);
        return reload;
    }
    Reader reader(store, key, settings);
    if (reader.readAllButWrongFlag(true)) {
        reload.writeFailed = !store.writeBool(key, nameOf(kWrong), settings.alwaysSaveWrongExpressions);
    }
    reload.failedValue = reader.failedValue;
    return reload;
}

bool writeGeneralSettings(SettingsStore& store, std::string_view versionString, const GeneralSettings& settings) {
    return writeValues(store, generalSettingsKey(versionString), settings, true);
}

std::optional<Rgb> parseColourText(std::string_view text) {
    for (const NamedColour& named : kNamedColours) {
        if (equalsAsciiIgnoreCase(text, named.name)) return fromWindowsColour(named.value);
    }
    const bool hex = text.starts_with('$');
    if (hex) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, hex ? 16 : 10);
    // A high byte marks Windows system colours and "none", which have no fixed RGB.
    if (error != std::errc() || end != text.data() + text.size() || value > 0xFFFFFF) return std::nullopt;
    return fromWindowsColour(value);
}

Rgb colourFromText(std::string_view text) {
    return parseColourText(text).value_or(fromWindowsColour(0xFF0000));
}

std::string colourToText(Rgb colour) {
    const std::uint32_t value = toWindowsColour(colour);
    for (const NamedColour& named : kNamedColours) {
        if (named.value == value) return std::string(named.name);
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4) text.push_back(kDigits[(value >> shift) & 0xF]);
    return text;
}

}  // namespace lexo
