#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"
#include "dictionary/sound_folder.h"
#include "platform/ports.h"

namespace lexo {

// The file name a recording of this foreign text gets: the characters above replaced,
// every other character that cannot stand in a file name here or on a Windows disk the
// dictionary may be copied to (path separators, control characters, < > : " |) made "_",
// cut on a character boundary to fit a file name, and ".wav" appended.
std::string recordingFileName(std::string_view expressionText);

// Whether `file` names an entry directly inside `folder` (not the folder itself, nothing
// below it, nothing that climbs out of it).
bool liesDirectlyIn(const std::filesystem::path& folder, const std::filesystem::path& file);

// programFolder/Temp/<recordingFileName>; nothing when the result would not lie directly in
// the Temp folder.
std::optional<std::filesystem::path> recordingPathFor(const std::filesystem::path& programFolder,
                                                      std::string_view expressionText);

// Plays an expression's sound when it has one; false when there is nothing to play.
bool playExpressionSound(SoundPlayer& player, std::string_view reference,
                         const std::filesystem::path& dictionaryPath = {});

// The one recording the program makes at a time, shared by the sound window and the
// edit-expression dialog: the recording flag and the path of the current recording.
class RecordingSession {
public:
    RecordingSession(Recorder& recorder, Prompter& prompter, std::filesystem::path programFolder);
    // A recording still running is completed.
    ~RecordingSession();
    RecordingSession(const RecordingSession&) = delete;
    RecordingSession& operator=(const RecordingSession&) = delete;

    // Records into ProgramFolder/Temp/<name>.wav (name through the recording-name rule; Temp
    // made when missing; an empty WAV created first). A recording still running is completed
    // first. False (error box with a Czech message shown, nothing changed) when it cannot.
    bool start(std::string_view expressionText);
    // Records again under the current path, replacing its file. False when there is no
    // current path or the recording cannot start (then the old file stays).
    bool restart();
    // Ends and completes the file; false when nothing was recording (or the file could not
    // be completed, with an error box).
    bool stop();
    // Ends a recording without keeping it: the file is left an empty wave file. Nothing
    // happens when nothing is recording.
    void discard();

    bool recording() const { return recording_; }
    // The last path a recording was started under, empty before the first.
    const std::filesystem::path& currentPath() const { return currentPath_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }

private:
    bool startAt(const std::filesystem::path& path);

    Recorder& recorder_;
    Prompter& prompter_;
    std::filesystem::path programFolder_;
    std::filesystem::path currentPath_;
    bool recording_ = false;
};

// The sound window's behaviour: record or pick the sound of the expression being entered
// in the editor.
class SoundWindowSession {
public:
    enum class Status { Ready, Recording, Stopped, Loaded };
    enum class Colour { Black, Green, Red };
    enum class Focus { Start, Stop, Ok };

    static constexpr int kTickMilliseconds = 200;

    SoundWindowSession(RecordingSession& recording, Prompter& prompter, Timers& timers, SoundPlayer& player);
    SoundWindowSession(const SoundWindowSession&) = delete;
    SoundWindowSession& operator=(const SoundWindowSession&) = delete;

    // The editor opens the window for the foreign text it holds; its sound field is "NENÍ".
    void open(std::string foreignText);

    // "Start": true when recording began.
    bool start();
    // "Stop": true when a recording was completed; soundReference() is then its path.
    bool stop();
    // "Znova": asks, then records this expression's sound anew.
    bool recordAgain();
    // "Otevřít", first half: may a file be picked now? Warns when there is no foreign text.
    bool mayChooseFile();
    // "Otevřít", second half: the file the user picked.
    void fileChosen(const std::string& path);
    // "OK": a running recording is dropped; returns what the editor's Add takes as the sound.
    std::string accept();
    // "Zpět" or closing the window: a running recording is dropped.
    void back();

    Status status() const { return status_; }
    const std::string& statusText() const { return statusText_; }
    Colour statusColour() const { return statusColour_; }
    const std::string& lengthText() const { return lengthText_; }
    int progress() const { return progress_; }
    Focus focus() const { return focus_; }
    // The sound the editor's sound field holds as this window left it: "NENÍ", the path of
    // the recording just stopped, or the file just picked.
    const std::string& soundReference() const { return soundReference_; }
    const std::string& foreignText() const { return foreignText_; }
    bool timerRunning() const { return timer_->active(); }

    // Called when the recording clock changed what is shown.
    std::function<void()> onTick;

private:
    void tick();
    void setStatus(Status status, std::string text, Colour colour);
    void endRecording();

    RecordingSession& recording_;
    Prompter& prompter_;
    SoundPlayer& player_;
    std::unique_ptr<Timer> timer_;
    std::string foreignText_;
    std::string soundReference_{kNoSound};
    Status status_ = Status::Ready;
    std::string statusText_;
    Colour statusColour_ = Colour::Black;
    std::string lengthText_;
    int progress_ = 0;
    Focus focus_ = Focus::Start;
};

// The texts of the sound window.
namespace sound_text {
inline constexpr std::string_view kReady = "Připraven";
inline constexpr std::string_view kRecording = "Nahrávám...";
inline constexpr std::string_view kStopped = "Konec nahrávání";
inline constexpr std::string_view kLoaded = "Zvuk byl načten ze souboru";
inline constexpr std::string_view kZeroLength = "0 s";
inline constexpr std::string_view kCannotRecord =
    "Nahrávání nelze spustit, vyplňte prosím Český výraz a Anglický výraz v Editoru Výrazů";
inline constexpr std::string_view kCannotLoad =
    "Nelze načítat zvuk ze souboru, vyplňte prosím Český a Anglický výraz v Editoru Výrazů";
inline constexpr std::string_view kRecordAgain = "Opravdu si přejete znova nahrát zvuk?";
}  // namespace sound_text

}  // namespace lexo
