#pragma once

#include <string>
#include <string_view>

namespace lexo {

// Message boxes. The Qt side shows modal boxes captioned with the application title;
// tests record the texts and answer from a script.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    virtual void information(std::string_view text) = 0;
    virtual void warning(std::string_view text) = 0;
    virtual void error(std::string_view text) = 0;
    virtual bool askYesNo(std::string_view text) = 0;
    virtual Answer askYesNoCancel(std::string_view text) = 0;
};

// The speech synthesizer every window speaks through. Voices are numbered from 1.
class Speaker {
public:
    virtual ~Speaker() = default;
    // A speech engine is installed at all.
    virtual bool available() const = 0;
    virtual int voiceCount() const = 0;
    virtual std::string voiceName(int voice) const = 0;
    // False when the engine refuses: the caller reports it.
    virtual bool selectVoice(int voice) = 0;
    // 120 (slowest) … 220 (fastest), 170 the engine's normal rate.
    virtual bool setSpeed(int speed) = 0;
    // Starts speaking and returns at once; a new text cuts the previous one short.
    virtual void say(std::string_view text) = 0;
};

// Asynchronous WAV playback.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing and returns at once, cutting short whatever was playing. False when
    // the file cannot be played (missing, not a sound, no audio device).
    virtual bool play(const std::string& path) = 0;
    virtual void stop() = 0;
    // Whether sound can be heard at all: an output device exists and this file plays.
    virtual bool check(const std::string& path) = 0;
};

}  // namespace lexo
