#include "exam/exam_services.h"

#include <system_error>

#include "dictionary/dictionary_file.h"
#include "dictionary/sound_folder.h"

namespace lexo {

std::optional<ExpressionTable> loadDictionaryForTest(Prompter& prompter, const std::filesystem::path& path,
                                                     bool reportUnreadable) {
    DictionaryLoad load = loadDictionary(path);
    switch (load.status) {
    case LoadStatus::Loaded: return std::move(load.table);
    case LoadStatus::Empty: prompter.information(kEmptyDictionaryMessage); return std::nullopt;
    case LoadStatus::TooLarge: prompter.information(kTooLargeDictionaryMessage); return std::nullopt;
    case LoadStatus::CannotOpen:
        if (reportUnreadable) prompter.error("Slovník " + path.string() + " nelze otevřít: " + load.error);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> takeCommandLineDictionaryFile(StartupState& startup,
                                                                   const std::filesystem::path& programFolder) {
    const std::optional<std::string> argument = startup.takeCommandLineDictionary();
    if (!argument) return std::nullopt;
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return resolveCommandLineDictionary(*argument, here, programFolder);
}

void appendExamStatistics(const ExamServices& services, TesterKind test, const std::string& dictionaryPath,
                          int correct, int wrong, int reached, bool finished) {
    const bool wanted = finished ? services.general.recordFinishedTests : services.general.recordInterruptedTests;
    if (!wanted || (correct == 0 && wrong == 0)) return;
    services.statistics.appendTestResult(dictionaryPath, correct, wrong, reached, finished, test);
}

ExamPronunciation::ExamPronunciation(const ExamServices& services)
    : services_(services), timer_(services.timers.create()) {
    timer_->onTimeout = [this] { delayPassed(); };
}

ExamPronunciation::~ExamPronunciation() { timer_->onTimeout = nullptr; }

void ExamPronunciation::expressionShown() {
    const TesterSettings& settings = services_.settings.settings();
    if (!settings.pronounce) return;
    const int delay = settings.pronunciationDelay;
    if (!timer_->active() && delay > 0 && delay <= kMaxPronunciationDelay) {
        timer_->start(delay * 1000, false);
        return;
    }
    timer_->stop();
    if (pronounceCurrent) pronounceCurrent();
}

void ExamPronunciation::stop() { timer_->stop(); }

void ExamPronunciation::delayPassed() {
    timer_->stop();
    if (!services_.settings.settings().pronounce) return;
    if (pronounceCurrent) pronounceCurrent();
}

void ExamPronunciation::pronounce(const ExamTable& table, std::size_t row, const std::filesystem::path& testedFile) {
    const std::string_view sound = table.sound(row);
    if (sound != kNoSound) {
        if (const auto file = playableSound(sound, testedFile)) services_.soundPlayer.play(file->string());
        return;
    }
    if (services_.startup.soundWorks) services_.speaker.say(table.foreign(row));
}

}  // namespace lexo
