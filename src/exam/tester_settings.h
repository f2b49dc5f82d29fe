#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/general_settings.h"
#include "platform/ports.h"
#include "platform/settings_store.h"
#include "exam/exam_table.h"

namespace lexo {

// The two settings windows "Nastavení zkoušeče": Test I's and Test II's.
enum class TesterKind { TestOne, TestTwo };

enum class TestOrder {
    Sequential,  // "Postupné": file order
    Random,      // "Náhodné": each expression once, in random order
};

// What follows an answer: the correct translations, or "-".
enum class WrongAnswerDisplay {
    Show,        // "Zobrazovat": after a wrong answer
    Hide,        // "Nezobrazovat"
    ShowAlways,  // "Odpověď zobrazovat pokaždé": after every answer (Test II only)
};

inline constexpr std::string_view kTestOneSettingsSubkey = "\\Normalni zkousec";
inline constexpr std::string_view kTestTwoSettingsSubkey = "\\Jednoduchy zkousec";

inline constexpr std::string_view kChangeDuringTestMessage = "Během zkoušení není povoleno měnit tuto vlastnost!";
inline constexpr std::string_view kWaitingNeedsDisplayMessage =
    "Pokud je povoleno \"Čekání na správnou odpověď\", nemůžete zakázat zobrazování špatných odpovědí!";
inline constexpr std::string_view kTesterSettingsWriteFailedMessage = "Nastavení zkoušeče se nepodařilo uložit.";

inline constexpr std::string_view kForeignQuestionLabel = "Cizí výraz";
inline constexpr std::string_view kCzechQuestionLabel = "Český výraz";

inline constexpr int kMaxPronunciationDelay = 9;

std::string testerSettingsKey(TesterKind kind, std::string_view versionString = kVersionString);

// The caption above the question, as "Potvrdit" and every activation of a test window set it.
std::string_view questionLabel(TestDirection direction);

// The delay boxes hold whole seconds "0" … "9"; any other text means no delay.
int parsePronunciationDelay(std::string_view text);

// The settings of one test window as its controls hold them. The tests read them at the
// moment of use, so a change takes effect at once, stored or not.
struct TesterSettings {
    TestDirection direction = TestDirection::CzechToForeign;  // "Angcz" / "Czang"
    TestOrder order = TestOrder::Random;                      // "Postupne" / "Nahodne"
    WrongAnswerDisplay display = WrongAnswerDisplay::Show;    // "Napoveduzobrazit" …
    bool pronounce = false;                                   // "Pouzitzvuk"
    bool extendedTesting = true;                              // "Rozsirene", Test I only
    bool waitForCorrect = false;                              // "Spravnaodpoved", Test I only
    int pronunciationDelay = 0;                               // "Spozdenivyslovnosti", seconds

    bool operator==(const TesterSettings&) const = default;
};

enum class TesterSettingsOrigin {
    Read,      // every value came from the store
    Created,   // no key yet: made with the defaults
    Repaired,  // a value was missing or of another type; reading stopped there
};

struct TesterSettingsLoad {
    TesterSettingsOrigin origin = TesterSettingsOrigin::Read;
    std::string failedValue;  // the value reading stopped at
    bool writeFailed = false;
};

// The settings of one tester window over the settings store: reading at creation, the
// write of "Potvrdit", the re-reading of "Zpět", and the rules that refuse a change during
// a test. Read failures and refused writes are reported through the prompter.
class TesterSettingsModel {
public:
    TesterSettingsModel(TesterKind kind, SettingsStore& store, Prompter& prompter,
                        std::string versionString = std::string(kVersionString));

    TesterKind kind() const { return kind_; }
    const std::string& key() const { return key_; }
    const TesterSettings& settings() const { return settings_; }

    // At program start: reads the key, or creates it with the defaults; in every case all
    // values are then written back, so a missing value is there at the next start.
    TesterSettingsLoad load();
    // "Potvrdit": stores every value. False (and reported) when the store refused.
    bool confirm();
    // "Zpět": the stored values come back. Test I's "Čekat na správnou odpověď" keeps its
    // state and, with "Nahodne" read last, a key holding both orders gives random order.
    TesterSettingsLoad discard();

    // Whether the window's test has a dictionary loaded; direction and order are locked then.
    void setTestLoadedQuery(std::function<bool()> query) { testLoaded_ = std::move(query); }

    // Each returns whether the wanted state was taken. A refused change leaves the
    // previous choice selected and shows its message once.
    bool selectDirection(TestDirection direction);
    bool selectOrder(TestOrder order);
    bool selectDisplay(WrongAnswerDisplay display);
    void setWaitForCorrect(bool on);
    void setPronounce(bool on) { settings_.pronounce = on; }
    void setExtendedTesting(bool on);
    // The editable delay box: "0" … "9" are taken; any other text counts as no delay
    // and is refused (false).
    bool setPronunciationDelayText(std::string_view text);
    std::string pronunciationDelayText() const { return std::to_string(settings_.pronunciationDelay); }

private:
    enum class ReadOrder { Creation, Discard };
    enum class WriteSet { All, AllButWaiting };

    // Returns the value reading stopped at ("" when all were read).
    std::string readValues(ReadOrder order);
    bool writeValues(WriteSet set);
    bool locked() const { return testLoaded_ && testLoaded_(); }
    void reportReadFailure(const std::string& value);

    TesterKind kind_;
    SettingsStore& store_;
    Prompter& prompter_;
    std::string key_;
    TesterSettings settings_;
    std::function<bool()> testLoaded_;
};

}  // namespace lexo
