#include "editor/editor_edit_session.h"

#include <filesystem>
#include <system_error>

#include "editor/editor_session.h"
#include "editor/sound_recording.h"

namespace lexo {

namespace {

ExpressionEditSession::Focus focusFor(Field column) {
    switch (column) {
    case Field::Foreign: return ExpressionEditSession::Focus::Foreign;
    case Field::Czech: return ExpressionEditSession::Focus::Czech;
    case Field::Pronunciation: return ExpressionEditSession::Focus::Pronunciation;
    case Field::Sound: return ExpressionEditSession::Focus::Sound;
    }
    return ExpressionEditSession::Focus::Foreign;
}

}  // namespace

ExpressionEditSession::ExpressionEditSession(EditorSession& editor, RecordingSession& recording, SoundPlayer& player,
                                             Prompter& prompter, Timers& timers)
    : editor_(editor), recording_(recording), player_(player), prompter_(prompter), timer_(timers.create()) {
    timer_->onTimeout = [this] { tick(); };
}

ExpressionEditSession::~ExpressionEditSession() {
    if (timer_) timer_->onTimeout = nullptr;
}

bool ExpressionEditSession::open(std::size_t row, Field lastClickedColumn) {
    if (row >= editor_.size()) return false;
    fields_ = editor_.table().at(row);
    editor_.setEditingRow(row);
    focusOnOpen_ = focusFor(lastClickedColumn);
    open_ = true;
    return true;
}

void ExpressionEditSession::setField(Field field, std::string_view text) {
    switch (field) {
    case Field::Foreign: fields_.foreign = text; break;
    case Field::Czech: fields_.czech = text; break;
    case Field::Pronunciation: fields_.pronunciation = text; break;
    case Field::Sound: fields_.sound = text; break;
    }
}

ExpressionEditSession::ConfirmResult ExpressionEditSession::confirm() {
    if (tooManyAlternatives(fields_.foreign) || tooManyAlternatives(fields_.czech)) {
        prompter_.warning(kTooManyAlternativesMessage);
        return ConfirmResult::Refused;
    }
    const auto row = editor_.editingRow();
    const bool written = row && editor_.replace(*row, fields_);
    player_.stop();
    close();
    return written ? ConfirmResult::Written : ConfirmResult::RowGone;
}

void ExpressionEditSession::cancel() {
    fields_ = Expression{"", "", "", ""};
    player_.stop();
    close();
}

void ExpressionEditSession::close() {
    // A recording left running would go on filling the disk with nobody to stop it; nobody
    // asked for it to be kept either.
    if (recordingStartedHere_ && recording_.recording()) recording_.discard();
    recordingStartedHere_ = false;
    recordedHere_.clear();
    timer_->stop();
    editor_.setEditingRow(std::nullopt);
    open_ = false;
}

bool ExpressionEditSession::play() {
    return playExpressionSound(player_, fields_.sound, editor_.path().value_or(std::filesystem::path()));
}

bool ExpressionEditSession::recording() const { return recording_.recording(); }

bool ExpressionEditSession::startRecording() {
    // One recording at a time: the running one is ended with Stop or Znova.
    if (recording_.recording()) return false;
    if (!recording_.start(fields_.foreign)) return false;
    recordingStartedHere_ = true;
    recordedHere_ = recording_.currentPath();
    timer_->start(kRecordingTickMilliseconds, true);
    return true;
}

bool ExpressionEditSession::stopRecording() {
    if (!recording_.recording()) return false;
    const bool completed = recording_.stop();
    recordingStartedHere_ = false;
    progress_ = 100;
    timer_->stop();
    // A file that could not be completed (the error was shown) is no sound to point at.
    if (completed) fields_.sound = recording_.currentPath().string();
    changed();
    return completed;
}

bool ExpressionEditSession::restartRecording() {
    if (!prompter_.askYesNo(sound_text::kRecordAgain)) return false;
    if (recording_.recording()) {
        // Another window's recording is not this dialog's to throw away.
        if (!recordingStartedHere_) return false;
        recording_.discard();
    }
    recordingStartedHere_ = false;
    timer_->stop();
    // Only this dialog's own recording goes; the last one made elsewhere may be another
    // expression's sound still waiting in Temp.
    if (!recordedHere_.empty()) {
        std::error_code ec;
        std::filesystem::remove(recordedHere_, ec);
        recordedHere_.clear();
    }
    return startRecording();
}

void ExpressionEditSession::tick() {
    progress_ += 5;
    if (progress_ >= 100) progress_ = 0;
    changed();
}

void ExpressionEditSession::changed() {
    if (onChanged) onChanged();
}

}  // namespace lexo
