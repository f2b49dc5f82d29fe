#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "common/general_settings.h"
#include "common/startup_state.h"
#include "dictionary/expression_table.h"
#include "platform/ports.h"
#include "exam/evaluation_session.h"
#include "exam/exam_result_sink.h"
#include "exam/exam_table.h"
#include "exam/tester_settings.h"

namespace lexo {

inline constexpr std::string_view kInterruptTestQuestion = "Právě probíhá zkoušení, přejete si ho přerušit?";
inline constexpr std::string_view kInterruptForLastWrongQuestion =
    "Právě probíhá zkoušení, přejete si ho přerušit a načíst slovník s naposledy neuhádnutými výrazy?";
inline constexpr std::string_view kNoLastWrongExpressionsMessage = "Slovník zatím neexistuje!";

// What a test works with. Settings are read at the moment of use.
struct ExamServices {
    Prompter& prompter;
    Timers& timers;
    SoundPlayer& soundPlayer;
    Speaker& speaker;
    Random& random;
    const GeneralSettings& general;
    const TesterSettingsModel& settings;  // the test's own "Nastavení zkoušeče"
    StartupState& startup;                // soundWorks and the command-line dictionary
    EvaluationSession& evaluation;
    ExamResultSink& statistics;
    std::filesystem::path programFolder;
};

// A dictionary for a test. An empty or too large one is reported and gives nothing; one
// that cannot be read is reported only when `reportUnreadable` (the recent-files component
// reports a missing file itself).
std::optional<ExpressionTable> loadDictionaryForTest(Prompter& prompter, const std::filesystem::path& path,
                                                     bool reportUnreadable);

// The dictionary named on the command line, for the first window shown; nothing after that.
std::optional<std::filesystem::path> takeCommandLineDictionaryFile(StartupState& startup,
                                                                   const std::filesystem::path& programFolder);

// A statistics row of a test, when the general settings want one of its kind; a test without
// an answer leaves none.
void appendExamStatistics(const ExamServices& services, TesterKind test, const std::string& dictionaryPath,
                          int correct, int wrong, int reached, bool finished);

// Pronouncing the expression on display: its sound file, or the foreign text spoken when it
// has none; with the settings' delay, one timer per test.
class ExamPronunciation {
public:
    explicit ExamPronunciation(const ExamServices& services);
    ~ExamPronunciation();
    ExamPronunciation(const ExamPronunciation&) = delete;
    ExamPronunciation& operator=(const ExamPronunciation&) = delete;

    // Set by the test: pronounces whatever is on display when the delay has passed.
    std::function<void()> pronounceCurrent;

    // An expression was shown. Nothing with pronunciation off; with a delay and none running
    // the delay starts; otherwise at once (a delay still running belonged to the expression
    // just answered: it is dropped).
    void expressionShown();
    void stop();
    bool pending() const { return timer_->active(); }

    // A sound file that is missing plays nothing and says nothing.
    void pronounce(const ExamTable& table, std::size_t row, const std::filesystem::path& testedFile);

private:
    void delayPassed();

    const ExamServices& services_;
    std::unique_ptr<Timer> timer_;
};

}  // namespace lexo
