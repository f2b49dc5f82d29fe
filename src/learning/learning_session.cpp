#include "learning/learning_session.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "dictionary/dictionary_file.h"
#include "dictionary/sound_folder.h"
#include "exam/alternatives.h"
#include "platform/wav_header.h"

namespace lexo {
namespace {

// A header may claim anything; an hour keeps the advance timer's milliseconds in range.
constexpr int kMaxRecordingSeconds = 3600;

int wholeRecordingSeconds(const std::filesystem::path& file) {
    const double seconds = wavDurationSeconds(loadWavHeader(file).header);
    if (!std::isfinite(seconds) || seconds <= 0) return 0;
    return static_cast<int>(std::min(std::floor(seconds), static_cast<double>(kMaxRecordingSeconds)));
}

std::string joinedAlternatives(std::string_view text) { return Alternatives(text).display(); }

}  // namespace

LearningSession::LearningSession(LearningServices services)
    : services_(std::move(services)),
      advanceTimer_(services_.timers.create()),
      autoDelayTimer_(services_.timers.create()),
      manualDelayTimer_(services_.timers.create()) {
    advanceTimer_->onTimeout = [this] {
        advanceTimer_->stop();
        advance();
        if (viewChanged_) viewChanged_();
    };
    // The delay timers repeat: a tick finds its timer still running and so pronounces at
    // once, like an expression shown while an earlier delay has not passed yet.
    autoDelayTimer_->onTimeout = [this] {
        if (!settings().pronounce) {
            autoDelayTimer_->stop();
            return;
        }
        pronounceAutomatically();
    };
    manualDelayTimer_->onTimeout = [this] {
        if (!settings().pronounce) {
            manualDelayTimer_->stop();
            return;
        }
        pronounceManually();
    };
    reset();
}

LearningSession::~LearningSession() {
    advanceTimer_->onTimeout = nullptr;
    autoDelayTimer_->onTimeout = nullptr;
    manualDelayTimer_->onTimeout = nullptr;
}

// --- state of the window

void LearningSession::reset() {
    advanceIntervalMs_ = settings().advanceInterval * 1000;
    autoDelayTimer_->stop();
    // Its tick would pronounce an expression of a lesson that is gone.
    manualDelayTimer_->stop();
    advanceTimer_->stop();
    position_ = -1;
    view_.czech = "-";
    view_.foreign = "-";
    view_.pronunciation = "-";
    view_.total = "-";
    view_.current = "-";
    view_.interval = "-";
    table_.clear();
    running_ = false;
    // Enabled again only by confirming the settings with automatic advance on.
    if (!settings().autoAdvance) view_.pauseEnabled = false;
}

void LearningSession::showCounts() {
    view_.total = std::to_string(table_.size());
    view_.current = "0";
    view_.interval = settings().autoAdvance ? std::to_string(settings().advanceInterval) : "-";
}

void LearningSession::settingsConfirmed() {
    view_.pauseEnabled = settings().autoAdvance;
    view_.interval = settings().autoAdvance ? std::to_string(settings().advanceInterval) : "-";
    view_.textSize = settings().fontSize;
}

std::optional<std::size_t> LearningSession::currentRow() const {
    if (position_ < 0 || static_cast<std::size_t>(position_) >= table_.size()) return std::nullopt;
    return static_cast<std::size_t>(position_);
}

void LearningSession::showExpression() {
    const std::optional<std::size_t> row = currentRow();
    if (!row) return;
    view_.foreign = joinedAlternatives(table_.foreign(*row));
    view_.czech = joinedAlternatives(table_.czech(*row));
    view_.pronunciation = std::string(table_.pronunciation(*row));
}

void LearningSession::startAdvanceTimer(int milliseconds) {
    advanceIntervalMs_ = milliseconds;
    advanceTimer_->start(milliseconds, false);
}

// --- ways in

bool LearningSession::openDictionary(const std::filesystem::path& path) {
    DictionaryLoad load = loadDictionary(path);
    if (load.status == LoadStatus::CannotOpen) return false;
    if (load.status == LoadStatus::TooLarge) {
        services_.prompter.information(kTooLargeDictionaryMessage);
        return false;
    }
    if (lessonOpen()) {
        if (!services_.prompter.askYesNo(kEndLessonQuestion)) return true;
        reset();
    }
    if (load.status == LoadStatus::Empty) {
        services_.prompter.information(kEmptyDictionaryMessage);
        return true;
    }
    begin(std::move(load.table), path);
    return true;
}

void LearningSession::begin(ExpressionTable table, const std::filesystem::path& path) {
    table_ = std::move(table);
    dictionaryPath_ = path;
    showCounts();
    view_.textSize = settings().fontSize;
    advance();
}

bool LearningSession::newLesson() {
    if (!lessonOpen()) return true;
    if (services_.prompter.askYesNo(kEndLessonQuestion)) reset();
    return false;
}

void LearningSession::windowShown() {
    reset();
    const std::optional<std::string> argument = services_.startup.takeCommandLineDictionary();
    if (!argument) return;
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    const std::filesystem::path file = resolveCommandLineDictionary(*argument, here, services_.programFolder);
    DictionaryLoad load = loadDictionary(file);
    switch (load.status) {
    case LoadStatus::Loaded: begin(std::move(load.table), file); return;
    case LoadStatus::Empty: services_.prompter.information(kEmptyDictionaryMessage); return;
    case LoadStatus::TooLarge: services_.prompter.information(kTooLargeDictionaryMessage); return;
    case LoadStatus::CannotOpen:
        services_.prompter.error("Slovník " + file.string() + " nelze otevřít: " + load.error);
        return;
    }
}

void LearningSession::windowActivated() {
    // A timer already counting keeps its time: activation only resumes a paused lesson.
    if (settings().autoAdvance && running_ && !advanceTimer_->active())
        advanceTimer_->start(advanceIntervalMs_, false);
}

void LearningSession::windowClosed() { reset(); }

// --- moving through the lesson

void LearningSession::advance() {
    if (table_.empty()) {
        services_.prompter.warning(kNoDictionaryMessage);
        return;
    }
    running_ = true;
    ++position_;
    view_.current = std::to_string(position_ + 1);
    if (static_cast<std::size_t>(position_) >= table_.size()) {
        view_.current = std::to_string(table_.size());
        endOfPass();
        return;
    }
    if (settings().autoAdvance) {
        if (settings().pronounce) pronounceAutomatically();
        startAdvanceTimer(settings().advanceInterval * 1000);
        showExpression();
    } else {
        if (settings().pronounce) pronounceManually();
        showExpression();
        advanceTimer_->stop();
    }
}

void LearningSession::endOfPass() {
    const bool automatic = settings().autoAdvance;
    if (automatic) advanceTimer_->stop();
    if (!services_.prompter.askYesNo(automatic ? kRepeatAutomaticQuestion : kRepeatManualQuestion)) {
        reset();
        return;
    }
    position_ = -1;
    view_.czech = "-";
    view_.foreign = "-";
    // With automatic advance the flag stays: the next activation starts the new pass.
    if (!automatic) running_ = false;
    showCounts();
}

void LearningSession::back() {
    if (settings().autoAdvance) return;
    if (!currentRow() || position_ == 0) return;
    --position_;
    view_.current = std::to_string(position_ + 1);
    if (settings().pronounce) {
        const std::size_t row = static_cast<std::size_t>(position_);
        if (const auto file = recording(row))
            services_.soundPlayer.play(file->string());
        else
            speakForeign(row);
    }
    showExpression();
    advanceTimer_->stop();
}

void LearningSession::pause() {
    if (position_ != -1) advanceTimer_->stop();
}

void LearningSession::speak() {
    if (table_.empty()) {
        services_.prompter.warning(kNoDictionaryMessage);
        return;
    }
    // Between passes there is no current expression, and nothing is said.
    if (const auto row = currentRow()) services_.speaker.say(table_.foreign(*row));
}

// --- pronunciation

std::optional<std::filesystem::path> LearningSession::recording(std::size_t row) const {
    return playableSound(table_.sound(row), dictionaryPath_);
}

void LearningSession::speakForeign(std::size_t row) {
    if (services_.startup.soundWorks) services_.speaker.say(table_.foreign(row));
}

void LearningSession::pronounceAutomatically() {
    if (!settings().pronounce) return;
    const std::optional<std::size_t> row = currentRow();
    if (!row) {
        autoDelayTimer_->stop();
        return;
    }
    const int delay = settings().pronunciationDelay;
    if (!autoDelayTimer_->active() && delay != 0) {
        autoDelayTimer_->start(delay * 1000, true);
        return;
    }
    autoDelayTimer_->stop();
    if (const auto file = recording(*row)) {
        // The expression stays up for the whole recording plus the interval. Right after
        // advancing the advance timer is set to the plain interval again, so this counts
        // only when the delay has passed.
        startAdvanceTimer((wholeRecordingSeconds(*file) + settings().advanceInterval) * 1000);
        services_.soundPlayer.play(file->string());
        return;
    }
    services_.soundPlayer.stop();
    speakForeign(*row);
}

void LearningSession::pronounceManually() {
    if (!settings().pronounce) return;
    const std::optional<std::size_t> row = currentRow();
    if (!row) {
        manualDelayTimer_->stop();
        return;
    }
    const int delay = settings().pronunciationDelay;
    if (!manualDelayTimer_->active() && delay != 0) {
        manualDelayTimer_->start(delay * 1000, true);
        return;
    }
    // Stopped whatever is heard: left running, it would drop the delay of every later
    // expression.
    manualDelayTimer_->stop();
    if (const auto file = recording(*row))
        services_.soundPlayer.play(file->string());
    else
        speakForeign(*row);
}

}  // namespace lexo
