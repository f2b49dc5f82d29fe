#include "learning/learning_settings.h"

#include <algorithm>

#include "exam/tester_settings.h"

namespace lexo {
namespace {

constexpr std::string_view kAutoAdvance = "Interval";
constexpr std::string_view kAdvanceInterval = "Pocsekund";
constexpr std::string_view kFontSize = "VyskaPisma";
constexpr std::string_view kPronounce = "Zvuk";
constexpr std::string_view kPronunciationDelay = "Spozdenivyslovnosti";

}  // namespace

std::string learningSettingsKey(std::string_view versionString) {
    return settingsRoot(versionString) + std::string(kLearningSettingsSubkey);
}

LearningSettingsModel::LearningSettingsModel(SettingsStore& store, Prompter& prompter, std::string versionString)
    : store_(store), prompter_(prompter), key_(learningSettingsKey(versionString)) {}

void LearningSettingsModel::setAdvanceInterval(int seconds) {
    settings_.advanceInterval = std::clamp(seconds, kMinAdvanceInterval, kMaxAdvanceInterval);
}

void LearningSettingsModel::setFontSize(int size) {
    settings_.fontSize = std::clamp(size, kMinLearningFontSize, kMaxLearningFontSize);
}

bool LearningSettingsModel::setPronunciationDelayText(std::string_view text) {
    settings_.pronunciationDelay = parsePronunciationDelay(text);
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

// In the order the window has always read them; reading stops at the first value that is
// missing or of another type, and the ones not read keep what they held.
std::string LearningSettingsModel::readValues() {
    const auto autoAdvance = store_.readBool(key_, kAutoAdvance);
    if (!autoAdvance) return std::string(kAutoAdvance);
    settings_.autoAdvance = *autoAdvance;
    const auto pronounce = store_.readBool(key_, kPronounce);
    if (!pronounce) return std::string(kPronounce);
    settings_.pronounce = *pronounce;
    const auto interval = store_.readInteger(key_, kAdvanceInterval);
    if (!interval) return std::string(kAdvanceInterval);
    setAdvanceInterval(*interval);
    const auto fontSize = store_.readInteger(key_, kFontSize);
    if (!fontSize) return std::string(kFontSize);
    setFontSize(*fontSize);
    // A missing delay is no delay, as any other text the box does not offer.
    setPronunciationDelayText(store_.readString(key_, kPronunciationDelay).value_or(""));
    return {};
}

bool LearningSettingsModel::writeValues() {
    return store_.createKey(key_) && store_.writeBool(key_, kAutoAdvance, settings_.autoAdvance) &&
           store_.writeInteger(key_, kAdvanceInterval, settings_.advanceInterval) &&
           store_.writeInteger(key_, kFontSize, settings_.fontSize) &&
           store_.writeBool(key_, kPronounce, settings_.pronounce) &&
           store_.writeString(key_, kPronunciationDelay, pronunciationDelayText());
}

void LearningSettingsModel::reportReadFailure(const std::string& value) {
    prompter_.error("Nastavení výuky nelze přečíst: hodnota \"" + value +
                    "\" chybí nebo má jiný typ. Platí výchozí nastavení.");
}

LearningSettingsLoad LearningSettingsModel::load() {
    LearningSettingsLoad result;
    if (!store_.keyExists(key_)) {
        result.origin = LearningSettingsOrigin::Created;
    } else {
        result.failedValue = readValues();
        if (!result.failedValue.empty()) {
            result.origin = LearningSettingsOrigin::Repaired;
            reportReadFailure(result.failedValue);
        }
    }
    result.writeFailed = !writeValues();
    if (result.writeFailed) prompter_.error(kLearningSettingsWriteFailedMessage);
    return result;
}

bool LearningSettingsModel::confirm() {
    if (writeValues()) return true;
    prompter_.error(kLearningSettingsWriteFailedMessage);
    return false;
}

LearningSettingsLoad LearningSettingsModel::discard() {
    LearningSettingsLoad result;
    if (!store_.keyExists(key_)) {
        result.origin = LearningSettingsOrigin::Created;
        result.writeFailed = !writeValues();
        if (result.writeFailed) prompter_.error(kLearningSettingsWriteFailedMessage);
        return result;
    }
    result.failedValue = readValues();
    if (!result.failedValue.empty()) {
        result.origin = LearningSettingsOrigin::Repaired;
        reportReadFailure(result.failedValue);
    }
    return result;
}

}  // namespace lexo
