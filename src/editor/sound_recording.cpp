#include "editor/sound_recording.h"

#include <system_error>
#include <utility>

#include "dictionary/sound_folder.h"
#include "platform/wav_header.h"

namespace lexo {
namespace fs = std::filesystem;

namespace {

// NAME_MAX of the usual Linux file systems, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;
constexpr std::string_view kWavSuffix = ".wav";

// The longest prefix of at most `limit` bytes that does not end inside a UTF-8 character.
std::string_view cutOnCharacter(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

std::string recordingFileName(std::string_view expressionText) {
    std::string name = fixSoundPathCharacters(expressionText);
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == '<' || c == '>' || c == ':' || c == '"' ||
            c == '|')
            c = '_';
    }
    std::string result(cutOnCharacter(name, kMaxFileNameBytes - kWavSuffix.size()));
    result += kWavSuffix;
    return result;
}

bool liesDirectlyIn(const fs::path& folder, const fs::path& file) {
    const fs::path base = folder.lexically_normal();
    const fs::path normal = file.lexically_normal();
    const fs::path name = normal.filename();
    if (name.empty() || name == "." || name == "..") return false;
    // A trailing separator in the folder leaves an empty last element.
    fs::path wanted = base;
    if (!wanted.empty() && wanted.filename().empty()) wanted = wanted.parent_path();
    return normal.parent_path() == wanted;
}

std::optional<fs::path> recordingPathFor(const fs::path& programFolder, std::string_view expressionText) {
    const fs::path temp = programFolder / "Temp";
    fs::path path = temp / recordingFileName(expressionText);
    if (!liesDirectlyIn(temp, path)) return std::nullopt;
    return path;
}

bool playExpressionSound(SoundPlayer& player, std::string_view reference, const fs::path& dictionaryPath) {
    const std::optional<fs::path> file = playableSound(reference, dictionaryPath);
    return file && player.play(file->string());
}

// --- RecordingSession ------------------------------------------------------------------

RecordingSession::RecordingSession(Recorder& recorder, Prompter& prompter, fs::path programFolder)
    : recorder_(recorder), prompter_(prompter), programFolder_(std::move(programFolder)) {}

RecordingSession::~RecordingSession() {
    if (recording_) recorder_.stop();
}

bool RecordingSession::start(std::string_view expressionText) {
    const std::optional<fs::path> path = recordingPathFor(programFolder_, expressionText);
    if (!path) {
        prompter_.error("Pro tento výraz nelze vytvořit soubor se záznamem.");
        return false;
    }
    return startAt(*path);
}

bool RecordingSession::restart() {
    if (currentPath_.empty()) return false;
    return startAt(currentPath_);
}

bool RecordingSession::startAt(const fs::path& path) {
    std::error_code ec;
    const fs::path folder = path.parent_path();
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        prompter_.error("Složku pro nahrávky nelze vytvořit: " + folder.string());
        return false;
    }
    // Only one recording runs at a time; the one still running is kept.
    if (recording_) {
        recorder_.stop();
        recording_ = false;
    }
    // A file already there (an earlier recording) stays untouched until the recorder has
    // really started, so a recorder that cannot start loses nothing.
    const bool existed = fs::exists(path, ec);
    if (!existed) {
        if (const FileResult made = writeEmptyWav(path); !made.ok) {
            prompter_.error("Soubor pro nahrávku nelze vytvořit: " + path.string() + "\n" + made.error);
            return false;
        }
    }
    if (!recorder_.start(path.string())) {
        if (!existed) fs::remove(path, ec);
        const std::string reason = recorder_.lastError();
        prompter_.error(reason.empty() ? std::string("Nahrávání nelze spustit.") : reason);
        return false;
    }
    currentPath_ = path;
    recording_ = true;
    return true;
}

bool RecordingSession::stop() {
    if (!recording_) return false;
    recording_ = false;
    if (!recorder_.stop()) {
        const std::string reason = recorder_.lastError();
        prompter_.error(reason.empty() ? std::string("Nahrávku se nepodařilo uložit.") : reason);
        return false;
    }
    return true;
}

void RecordingSession::discard() {
    if (!recording_) return;
    recording_ = false;
    recorder_.stop();
    // What was recorded is not kept: the file is what it was when recording began.
    writeEmptyWav(currentPath_);
}

// --- SoundWindowSession ----------------------------------------------------------------

SoundWindowSession::SoundWindowSession(RecordingSession& recording, Prompter& prompter, Timers& timers,
                                       SoundPlayer& player)
    : recording_(recording), prompter_(prompter), player_(player), timer_(timers.create()) {
    timer_->onTimeout = [this] { tick(); };
    open({});
}

void SoundWindowSession::setStatus(Status status, std::string text, Colour colour) {
    status_ = status;
    statusText_ = std::move(text);
    statusColour_ = colour;
}

void SoundWindowSession::open(std::string foreignText) {
    foreignText_ = std::move(foreignText);
    soundReference_ = kNoSound;
    setStatus(Status::Ready, std::string(sound_text::kReady), Colour::Black);
    lengthText_ = sound_text::kZeroLength;
    progress_ = 0;
    focus_ = Focus::Start;
}

bool SoundWindowSession::start() {
    if (foreignText_.empty()) {
        prompter_.warning(sound_text::kCannotRecord);
        return false;
    }
    // A sound still playing may come from the very file about to be recorded over.
    player_.stop();
    if (!recording_.start(foreignText_)) return false;
    setStatus(Status::Recording, std::string(sound_text::kRecording), Colour::Green);
    lengthText_ = sound_text::kZeroLength;
    focus_ = Focus::Stop;
    timer_->start(kTickMilliseconds, true);
    return true;
}

void SoundWindowSession::tick() {
    progress_ += 5;
    if (progress_ >= 100) progress_ = 0;
    setStatus(Status::Recording, std::string(sound_text::kRecording), Colour::Green);
    lengthText_ = sound_text::kZeroLength;
    if (onTick) onTick();
}

bool SoundWindowSession::stop() {
    if (!recording_.recording()) return false;
    timer_->stop();
    if (!recording_.stop()) {
        progress_ = 0;
        setStatus(Status::Ready, std::string(sound_text::kReady), Colour::Black);
        lengthText_ = sound_text::kZeroLength;
        focus_ = Focus::Start;
        return false;
    }
    progress_ = 100;
    soundReference_ = recording_.currentPath().string();
    setStatus(Status::Stopped, std::string(sound_text::kStopped), Colour::Red);
    lengthText_ = recordingLengthText(loadWavHeader(recording_.currentPath()).header);
    focus_ = Focus::Ok;
    return true;
}

bool SoundWindowSession::recordAgain() {
    if (!prompter_.askYesNo(sound_text::kRecordAgain)) return false;
    // Recording this expression anew replaces its own file; the file of whatever was
    // recorded last elsewhere is left alone.
    return start();
}

bool SoundWindowSession::mayChooseFile() {
    if (recording_.recording()) return false;
    if (foreignText_.empty()) {
        prompter_.warning(sound_text::kCannotLoad);
        return false;
    }
    return true;
}

void SoundWindowSession::fileChosen(const std::string& path) {
    if (path.empty()) return;
    soundReference_ = path;
    setStatus(Status::Loaded, std::string(sound_text::kLoaded), Colour::Black);
    lengthText_ = recordingLengthText(loadWavHeader(fs::path(path)).header);
    focus_ = Focus::Ok;
}

void SoundWindowSession::endRecording() {
    timer_->stop();
    if (recording_.recording()) recording_.discard();
}

std::string SoundWindowSession::accept() {
    endRecording();
    return soundReference_;
}

void SoundWindowSession::back() { endRecording(); }

}  // namespace lexo
