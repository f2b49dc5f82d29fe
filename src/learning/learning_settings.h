#pragma once

#include <string>
#include <string_view>

#include "common/general_settings.h"
#include "platform/ports.h"
#include "platform/settings_store.h"

namespace lexo {

inline constexpr std::string_view kLearningSettingsSubkey = "\\Vyuka";
inline constexpr std::string_view kLearningSettingsWriteFailedMessage = "Nastavení výuky se nepodařilo uložit.";

inline constexpr int kMinAdvanceInterval = 2;
inline constexpr int kMaxAdvanceInterval = 20;
inline constexpr int kMinLearningFontSize = 10;
inline constexpr int kMaxLearningFontSize = 20;

std::string learningSettingsKey(std::string_view versionString = kVersionString);

// "Nastavení výuky výrazů" as its controls hold them. The learning window reads them at the
// moment of use, so a change counts at once; "Potvrdit" makes it lasting.
struct LearningSettings {
    bool autoAdvance = true;             // "Interval"
    int advanceInterval = 2;             // "Pocsekund", seconds, 2 … 20
    int fontSize = 10;                   // "VyskaPisma", 10 … 20
    bool pronounce = false;              // "Zvuk"
    int pronunciationDelay = 0;          // "Spozdenivyslovnosti", whole seconds 0 … 9

    bool operator==(const LearningSettings&) const = default;
};

enum class LearningSettingsOrigin {
    Read,      // every value came from the store
    Created,   // no key yet: made with the defaults
    Repaired,  // a value was missing or of another type; reading stopped there
};

struct LearningSettingsLoad {
    LearningSettingsOrigin origin = LearningSettingsOrigin::Read;
    std::string failedValue;  // the value reading stopped at
    bool writeFailed = false;
};

// The learning settings over the settings store: the reading at program start (always
// followed by a write of all five values, so a repaired or out-of-range value is stored
// back sound), the write of "Potvrdit" and the re-reading of "Zpět". The number setters keep
// their ranges, as the spin boxes do.
class LearningSettingsModel {
public:
    LearningSettingsModel(SettingsStore& store, Prompter& prompter,
                          std::string versionString = std::string(kVersionString));

    const std::string& key() const { return key_; }
    const LearningSettings& settings() const { return settings_; }

    LearningSettingsLoad load();
    // False (and reported) when the store refused.
    bool confirm();
    LearningSettingsLoad discard();

    void setAutoAdvance(bool on) { settings_.autoAdvance = on; }
    void setAdvanceInterval(int seconds);
    void setFontSize(int size);
    void setPronounce(bool on) { settings_.pronounce = on; }
    // The editable delay box: "0" … "9" are taken; any other text counts as no delay and is
    // refused (false).
    bool setPronunciationDelayText(std::string_view text);
    std::string pronunciationDelayText() const { return std::to_string(settings_.pronunciationDelay); }

private:
    std::string readValues();
    bool writeValues();
    void reportReadFailure(const std::string& value);

    SettingsStore& store_;
    Prompter& prompter_;
    std::string key_;
    LearningSettings settings_;
};

}  // namespace lexo
