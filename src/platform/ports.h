#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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
//
// A voice or speed the engine refuses switches speech off: from then on say() is silent for
// every caller, not only for the window that chose the voice, until a voice is accepted
// again. The engine itself is reached through the engine… functions.
class Speaker {
public:
    virtual ~Speaker() = default;
    // A speech engine is installed at all.
    virtual bool available() const = 0;
    virtual int voiceCount() const = 0;
    virtual std::string voiceName(int voice) const = 0;

    // False when the engine refuses: the caller reports it. An accepted voice turns speech on.
    bool selectVoice(int voice) {
        on_ = engineSelectVoice(voice);
        return on_;
    }
    // 120 (slowest) … 220 (fastest), 170 the engine's normal rate.
    bool setSpeed(int speed) {
        if (engineSetSpeed(speed)) return true;
        on_ = false;
        return false;
    }
    // Starts speaking and returns at once; a new text cuts the previous one short.
    void say(std::string_view text) {
        if (on_) engineSay(text);
    }
    // Off after a refused voice or speed, until a voice is accepted.
    bool speechOn() const { return on_; }

protected:
    virtual bool engineSelectVoice(int voice) = 0;
    virtual bool engineSetSpeed(int speed) = 0;
    virtual void engineSay(std::string_view text) = 0;

private:
    bool on_ = true;
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

// Records from the default input into a 16-bit PCM WAV file.
class Recorder {
public:
    virtual ~Recorder() = default;
    // Starts recording into `wavPath`; false (and lastError() in Czech) when it cannot,
    // for example without an input device. Nothing is changed then.
    virtual bool start(const std::string& wavPath) = 0;
    // Ends the recording and completes the file's header; false when nothing was recording.
    virtual bool stop() = 0;
    virtual bool recording() const = 0;
    virtual std::string lastError() const = 0;
};

// A restartable one-shot or repeating timer on the user-interface thread.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int milliseconds, bool repeat) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
    std::function<void()> onTimeout;
};

class Timers {
public:
    virtual ~Timers() = default;
    virtual std::unique_ptr<Timer> create() = 0;
};

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// Uniform whole numbers for the random order of the tests.
class Random {
public:
    virtual ~Random() = default;
    // A number from 0 to bound − 1; bound ≥ 1.
    virtual std::uint64_t below(std::uint64_t bound) = 0;
};

}  // namespace lexo
