#include "exam/tester_settings.h"

#include <array>
#include <span>

namespace lexo {
namespace {

enum class Value {
    Angcz, Czang, Postupne, Nahodne, Napoveduzobrazitprooba, Napoveduzobrazit, Napovedunezobrazit, Pouzitzvuk,
    Rozsirene, Spravnaodpoved, Spozdenivyslovnosti,
};

std::string_view nameOf(Value value) {
    switch (value) {
    case Value::Angcz: return "Angcz";
    case Value::Czang: return "Czang";
    case Value::Postupne: return "Postupne";
    case Value::Nahodne: return "Nahodne";
    case Value::Napoveduzobrazitprooba: return "Napoveduzobrazitprooba";
    case Value::Napoveduzobrazit: return "Napoveduzobrazit";
    case Value::Napovedunezobrazit: return "Napovedunezobrazit";
    case Value::Pouzitzvuk: return "Pouzitzvuk";
    case Value::Rozsirene: return "Rozsirene";
    case Value::Spravnaodpoved: return "Spravnaodpoved";
    case Value::Spozdenivyslovnosti: return "Spozdenivyslovnosti";
    }
    return "";
}

using V = Value;

// The order each window reads and writes its values in; the files of both keep it.
constexpr std::array kTestOneCreationRead{V::Angcz, V::Czang, V::Nahodne, V::Postupne, V::Napoveduzobrazit,
                                          V::Napovedunezobrazit, V::Pouzitzvuk, V::Rozsirene, V::Spravnaodpoved,
                                          V::Spozdenivyslovnosti};
constexpr std::array kTestOneDiscardRead{V::Angcz, V::Czang, V::Postupne, V::Nahodne, V::Napoveduzobrazit,
                                         V::Napovedunezobrazit, V::Pouzitzvuk, V::Rozsirene,
                                         V::Spozdenivyslovnosti};
constexpr std::array kTestOneWrite{V::Angcz, V::Czang, V::Postupne, V::Nahodne, V::Napoveduzobrazit,
                                   V::Napovedunezobrazit, V::Pouzitzvuk, V::Rozsirene, V::Spravnaodpoved,
                                   V::Spozdenivyslovnosti};
constexpr std::array kTestTwoValues{V::Angcz, V::Czang, V::Napoveduzobrazitprooba, V::Postupne, V::Nahodne,
                                    V::Napoveduzobrazit, V::Napovedunezobrazit, V::Pouzitzvuk,
                                    V::Spozdenivyslovnosti};

bool isChecked(const TesterSettings& s, Value value) {
    switch (value) {
    case Value::Angcz: return s.direction == TestDirection::ForeignToCzech;
    case Value::Czang: return s.direction == TestDirection::CzechToForeign;
    case Value::Postupne: return s.order == TestOrder::Sequential;
    case Value::Nahodne: return s.order == TestOrder::Random;
    case Value::Napoveduzobrazitprooba: return s.display == WrongAnswerDisplay::ShowAlways;
    case Value::Napoveduzobrazit: return s.display == WrongAnswerDisplay::Show;
    case Value::Napovedunezobrazit: return s.display == WrongAnswerDisplay::Hide;
    case Value::Pouzitzvuk: return s.pronounce;
    case Value::Rozsirene: return s.extendedTesting;
    case Value::Spravnaodpoved: return s.waitForCorrect;
    case Value::Spozdenivyslovnosti: return false;
    }
    return false;
}

// A radio button's value selects it when true; false leaves the group as it is, so a group
// always has exactly one choice and, of two true values, the one read later wins.
void take(TesterSettings& s, Value value, bool on) {
    switch (value) {
    case Value::Angcz: if (on) s.direction = TestDirection::ForeignToCzech; break;
    case Value::Czang: if (on) s.direction = TestDirection::CzechToForeign; break;
    case Value::Postupne: if (on) s.order = TestOrder::Sequential; break;
    case Value::Nahodne: if (on) s.order = TestOrder::Random; break;
    case Value::Napoveduzobrazitprooba: if (on) s.display = WrongAnswerDisplay::ShowAlways; break;
    case Value::Napoveduzobrazit: if (on) s.display = WrongAnswerDisplay::Show; break;
    case Value::Napovedunezobrazit: if (on) s.display = WrongAnswerDisplay::Hide; break;
    case Value::Pouzitzvuk: s.pronounce = on; break;
    case Value::Rozsirene: s.extendedTesting = on; break;
    case Value::Spravnaodpoved: s.waitForCorrect = on; break;
    case Value::Spozdenivyslovnosti: break;
    }
}

}  // namespace

std::string testerSettingsKey(TesterKind kind, std::string_view versionString) {
    return settingsRoot(versionString) +
           std::string(kind == TesterKind::TestOne ? kTestOneSettingsSubkey : kTestTwoSettingsSubkey);
}

std::string_view questionLabel(TestDirection direction) {
    return direction == TestDirection::ForeignToCzech ? kForeignQuestionLabel : kCzechQuestionLabel;
}

int parsePronunciationDelay(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';
    return 0;
}

TesterSettingsModel::TesterSettingsModel(TesterKind kind, SettingsStore& store, Prompter& prompter,
                                         std::string versionString)
    : kind_(kind), store_(store), prompter_(prompter), key_(testerSettingsKey(kind, versionString)) {}

std::string TesterSettingsModel::readValues(ReadOrder order) {
    std::span<const Value> values;
    if (kind_ == TesterKind::TestTwo) {
        values = kTestTwoValues;
    } else if (order == ReadOrder::Creation) {
        values = kTestOneCreationRead;
    } else {
        values = kTestOneDiscardRead;
    }
    for (const Value value : values) {
        if (value == Value::Spozdenivyslovnosti) {
            const auto text = store_.readString(key_, nameOf(value));
            if (!text) return std::string(nameOf(value));
            settings_.pronunciationDelay = parsePronunciationDelay(*text);
            continue;
        }
        const auto on = store_.readBool(key_, nameOf(value));
        if (!on) return std::string(nameOf(value));
        take(settings_, value, *on);
    }
    return {};
}

bool TesterSettingsModel::writeValues(WriteSet set) {
    if (!store_.createKey(key_)) return false;
    const std::span<const Value> values =
        kind_ == TesterKind::TestOne ? std::span<const Value>(kTestOneWrite) : std::span<const Value>(kTestTwoValues);
    for (const Value value : values) {
        if (value == Value::Spravnaodpoved && set == WriteSet::AllButWaiting) continue;
        const bool ok = value == Value::Spozdenivyslovnosti
                            ? store_.writeString(key_, nameOf(value), pronunciationDelayText())
                            : store_.writeBool(key_, nameOf(value), isChecked(settings_, value));
        if (!ok) return false;
    }
    return true;
}

void TesterSettingsModel::reportReadFailure(const std::string& value) {
    prompter_.error("Nastavení zkoušeče nelze přečíst: hodnota \"" + value +
                    "\" chybí nebo má jiný typ. Platí výchozí nastavení.");
}

TesterSettingsLoad TesterSettingsModel::load() {
    TesterSettingsLoad result;
    if (!store_.keyExists(key_)) {
        result.origin = TesterSettingsOrigin::Created;
    } else {
        result.failedValue = readValues(ReadOrder::Creation);
        if (!result.failedValue.empty()) {
            result.origin = TesterSettingsOrigin::Repaired;
            reportReadFailure(result.failedValue);
        }
    }
    // Waiting for the correct answer needs the corrections on display.
    if (settings_.waitForCorrect && settings_.display == WrongAnswerDisplay::Hide)
        settings_.display = WrongAnswerDisplay::Show;
    result.writeFailed = !writeValues(WriteSet::All);
    if (result.writeFailed) prompter_.error(kTesterSettingsWriteFailedMessage);
    return result;
}

bool TesterSettingsModel::confirm() {
    if (writeValues(WriteSet::All)) return true;
    prompter_.error(kTesterSettingsWriteFailedMessage);
    return false;
}

TesterSettingsLoad TesterSettingsModel::discard() {
    TesterSettingsLoad result;
    if (!store_.keyExists(key_)) {
        result.origin = TesterSettingsOrigin::Created;
        result.writeFailed = !writeValues(kind_ == TesterKind::TestOne ? WriteSet::AllButWaiting : WriteSet::All);
        if (result.writeFailed) prompter_.error(kTesterSettingsWriteFailedMessage);
        return result;
    }
    const TesterSettings before = settings_;
    result.failedValue = readValues(ReadOrder::Discard);
    if (!result.failedValue.empty()) {
        result.origin = TesterSettingsOrigin::Repaired;
        reportReadFailure(result.failedValue);
    }
    // A test running on the live direction and order keeps them: its table, and the order
    // its wrong answers are written back in, depend on them.
    if (locked()) {
        if (settings_.direction != before.direction) {
            settings_.direction = before.direction;
            prompter_.warning(kChangeDuringTestMessage);
        }
        if (settings_.order != before.order) {
            settings_.order = before.order;
            prompter_.warning(kChangeDuringTestMessage);
        }
    }
    if (settings_.waitForCorrect && settings_.display == WrongAnswerDisplay::Hide)
        settings_.display = WrongAnswerDisplay::Show;
    return result;
}

bool TesterSettingsModel::selectDirection(TestDirection direction) {
    if (direction == settings_.direction) return true;
    if (locked()) {
        prompter_.warning(kChangeDuringTestMessage);
        return false;
    }
    settings_.direction = direction;
    return true;
}

bool TesterSettingsModel::selectOrder(TestOrder order) {
    if (order == settings_.order) return true;
    if (locked()) {
        prompter_.warning(kChangeDuringTestMessage);
        return false;
    }
    settings_.order = order;
    return true;
}

bool TesterSettingsModel::selectDisplay(WrongAnswerDisplay display) {
    if (kind_ == TesterKind::TestOne) {
        if (display == WrongAnswerDisplay::ShowAlways) return false;
        if (display == WrongAnswerDisplay::Hide && settings_.waitForCorrect) {
            prompter_.information(kWaitingNeedsDisplayMessage);
            settings_.display = WrongAnswerDisplay::Show;
            return false;
        }
    }
    settings_.display = display;
    return true;
}

void TesterSettingsModel::setWaitForCorrect(bool on) {
    if (kind_ != TesterKind::TestOne) return;
    settings_.waitForCorrect = on;
    if (on) settings_.display = WrongAnswerDisplay::Show;
}

void TesterSettingsModel::setExtendedTesting(bool on) {
    if (kind_ == TesterKind::TestOne) settings_.extendedTesting = on;
}

bool TesterSettingsModel::setPronunciationDelayText(std::string_view text) {
    settings_.pronunciationDelay = parsePronunciationDelay(text);
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

}  // namespace lexo
