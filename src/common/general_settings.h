#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lexo {

class SettingsStore;

inline constexpr std::string_view kVersionString = "2.95";
inline constexpr std::string_view kDefaultExpressionFont = "Lexo Font - Angličtina";
inline constexpr std::string_view kDefaultChartColour = "clBlue";
inline constexpr int kDefaultSpeechSpeed = 180;
inline constexpr int kMinSpeechSpeed = 120;
inline constexpr int kMaxSpeechSpeed = 220;

// "HKEY_CURRENT_USER\software\Lexo2 - " + version: every window's key lies below it.
std::string settingsRoot(std::string_view versionString);
std::string generalSettingsKey(std::string_view versionString);

// Value names of the general settings, in the order they are read and written.
inline constexpr std::array<std::string_view, 14> kGeneralSettingsValueNames{
    "Velkapismena", "Tipy", "Temp", "Proc1", "Proc2", "Proc3", "Proc4", "BarvaGrafu",
    "DokonceniZkouseni", "PreruseniZkouseni", "Rychlost vyslovnosti", "Jazyk", "FontName",
    "Spatnevyrazy"};

// Least percentages of right answers for grades 1 … 4; below the last the grade is 5.
using GradeThresholds = std::array<int, 4>;

struct ThresholdBounds {
    int minimum;
    int maximum;
};
inline constexpr std::array<ThresholdBounds, 4> kThresholdBounds{{{4, 100}, {3, 99}, {2, 98}, {1, 97}}};

// Pushes lower thresholds down until the four are strictly descending; the first one
// never moves.
GradeThresholds orderThresholds(GradeThresholds thresholds);
// What a spin edit does: the value is held within that threshold's bounds, then ordered.
GradeThresholds changeThreshold(GradeThresholds thresholds, std::size_t index, int value);

struct GeneralSettings {
    bool upperCaseEntry = false;                             // "Velkapismena"
    bool showTips = true;                                    // "Tipy"
    bool clearTempOnExit = true;                             // "Temp"
    GradeThresholds gradeThresholds{80, 60, 50, 30};         // "Proc1" … "Proc4", stored as text
    std::string chartColour{kDefaultChartColour};            // "BarvaGrafu", see colourFromText
    bool recordFinishedTests = true;                         // "DokonceniZkouseni"
    bool recordInterruptedTests = true;                      // "PreruseniZkouseni"
    int speechSpeed = kDefaultSpeechSpeed;                   // "Rychlost vyslovnosti"
    int voiceIndex = 0;                                      // "Jazyk"; 0: no voice chosen
    std::string fontName{kDefaultExpressionFont};            // "FontName"
    bool alwaysSaveWrongExpressions = false;                 // "Spatnevyrazy"

    bool operator==(const GeneralSettings&) const = default;
};

enum class GeneralSettingsOrigin {
    Read,     // from the store (a key of an old version may leave later values at default)
    Created,  // no key yet: made and filled with the defaults
    Repaired, // a value was missing or unusable: the whole set was written back
};

struct GeneralSettingsLoad {
    GeneralSettings settings;
    GeneralSettingsOrigin origin = GeneralSettingsOrigin::Read;
    std::string failedValue;   // the value that could not be read, for Repaired
    bool writeFailed = false;  // the store refused a write; the settings still hold for the run
};

// At start-up, from the design defaults.
GeneralSettingsLoad loadGeneralSettings(SettingsStore& store, std::string_view versionString = kVersionString);

struct GeneralSettingsReload {
    std::string failedValue;  // reading stopped here; earlier values were taken ("" when none)
    bool keyCreated = false;
    bool writeFailed = false;
};

// "Zpět": throws away changes by reading the store again into `settings`. The hidden
// "Spatnevyrazy" is written from `settings` rather than read. Nothing is repaired.
GeneralSettingsReload reloadGeneralSettings(SettingsStore& store, std::string_view versionString,
                                            GeneralSettings& settings);

// "Potvrdit": every value in table order. False when the store refused a write.
bool writeGeneralSettings(SettingsStore& store, std::string_view versionString, const GeneralSettings& settings);

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Colour texts as the Windows version stored them: a standard colour name ("clBlue") or
// "$00BBGGRR". Names compare without regard to case; a decimal number is also accepted.
std::optional<Rgb> parseColourText(std::string_view text);
// Anything unreadable gives clBlue's colour, the default of the chart.
Rgb colourFromText(std::string_view text);
std::string colourToText(Rgb colour);

}  // namespace lexo
