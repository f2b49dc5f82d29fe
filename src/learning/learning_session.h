#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/startup_state.h"
#include "dictionary/expression_table.h"
#include "learning/learning_settings.h"
#include "platform/ports.h"

namespace lexo {

inline constexpr std::string_view kNoDictionaryMessage = "Není načtený slovník";
inline constexpr std::string_view kEndLessonQuestion =
    "Právě probíhá výuka, přejete si ji ukončit a začít novou výuku?";
inline constexpr std::string_view kRepeatManualQuestion = "Výuka skončila, přejete si ji zopakovat?";
inline constexpr std::string_view kRepeatAutomaticQuestion = "Výuka zkončila, přejete si ji zopakovat?";

// The size of the three text areas before the learning size is applied.
inline constexpr int kDefaultLearningTextSize = 10;

// Everything the window "Výuka výrazů" shows, as text.
struct LearningView {
    std::string czech{"-"};          // mec
    std::string foreign{"-"};        // meang
    std::string pronunciation{"-"};  // meangvysl
    std::string total{"-"};          // lbcelkvyrazu
    std::string current{"-"};        // lbaktvyraz
    std::string interval{"-"};       // lbinterval
    bool pauseEnabled = true;        // btend
    int textSize = kDefaultLearningTextSize;
};

// What learning works with. Settings are read at the moment of use.
struct LearningServices {
    Prompter& prompter;
    Timers& timers;
    SoundPlayer& soundPlayer;
    Speaker& speaker;
    const LearningSettingsModel& settings;  // "Nastavení výuky výrazů"
    StartupState& startup;                  // soundWorks and the command-line dictionary
    std::filesystem::path programFolder;
};

// Learning: the expressions of one dictionary shown one after another in file order, moved
// on by hand or by the advance timer, with the pronunciation played from the recording or
// spoken, at once or after a delay. Position -1 means no expression is shown. The window
// "Výuka výrazů" feeds keys and clicks into it and shows view().
class LearningSession {
public:
    explicit LearningSession(LearningServices services);
    ~LearningSession();
    LearningSession(const LearningSession&) = delete;
    LearningSession& operator=(const LearningSession&) = delete;

    // --- commands of the window
    // Loads a dictionary and shows its first expression. False when the file cannot be
    // read (nothing changes); true when the user keeps the running lesson, and for an empty
    // dictionary, which is reported.
    bool openDictionary(const std::filesystem::path& path);
    // "Nová výuka": true when the window should now run its open dialog (no lesson); a
    // running lesson is ended after a Yes and the window stays empty.
    bool newLesson();
    // "Další výraz", "w", "." and the tick of the advance timer.
    void advance();
    // "Zpět na výraz", "q", ",": manual advance only.
    void back();
    // "Pozastavit výuku".
    void pause();
    // The speak button: the current foreign text, whatever the settings and the sound say.
    void speak();
    // The window was shown (not restored by the window system): a fresh start, and the
    // dictionary named on the command line, once.
    void windowShown();
    // The window became active again: a lesson that was advancing by itself goes on.
    void windowActivated();
    void windowClosed();
    // "Potvrdit" of the settings: the pause button, the interval label and the text size.
    void settingsConfirmed();
    // The expression font was applied anew: the text areas are back at their own size.
    void expressionFontApplied() { view_.textSize = kDefaultLearningTextSize; }

    // Runs after the advance timer has moved the lesson on by itself.
    void setViewChangedHandler(std::function<void()> handler) { viewChanged_ = std::move(handler); }

    // --- state
    const LearningView& view() const { return view_; }
    bool lessonOpen() const { return !table_.empty(); }
    std::size_t expressionCount() const { return table_.size(); }
    // -1 before the first expression and after a pass; the count while the pass ends.
    long position() const { return position_; }
    bool running() const { return running_; }
    bool advancing() const { return advanceTimer_->active(); }
    // The interval the advance timer was last set to, in milliseconds.
    int advanceIntervalMs() const { return advanceIntervalMs_; }
    bool pronunciationPending() const { return autoDelayTimer_->active() || manualDelayTimer_->active(); }
    const std::filesystem::path& dictionaryPath() const { return dictionaryPath_; }

private:
    const LearningSettings& settings() const { return services_.settings.settings(); }
    void reset();
    void showCounts();
    void begin(ExpressionTable table, const std::filesystem::path& path);
    void endOfPass();
    void showExpression();
    std::optional<std::size_t> currentRow() const;
    void startAdvanceTimer(int milliseconds);
    void pronounceAutomatically();
    void pronounceManually();
    // The recording of the current expression, when it has one that is there.
    std::optional<std::filesystem::path> recording(std::size_t row) const;
    void speakForeign(std::size_t row);

    LearningServices services_;
    std::unique_ptr<Timer> advanceTimer_;
    std::unique_ptr<Timer> autoDelayTimer_;
    std::unique_ptr<Timer> manualDelayTimer_;
    ExpressionTable table_;
    std::filesystem::path dictionaryPath_;
    long position_ = -1;
    bool running_ = false;
    int advanceIntervalMs_ = 0;
    LearningView view_;
    std::function<void()> viewChanged_;
};

}  // namespace lexo
