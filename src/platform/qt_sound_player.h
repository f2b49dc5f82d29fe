#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/ports.h"

class QAudioOutput;
class QMediaPlayer;

namespace lexo {

// Whether the file starts as a RIFF WAVE file: the only kind of sound the program plays.
bool isWaveFile(const QString& path);

// WAV playback on Qt Multimedia. Paths are UTF-8. The media player is made on the first
// sound, so a program that never plays one never starts the multimedia back end.
class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    bool play(const std::string& path) override;
    void stop() override;
    bool check(const std::string& path) override;

    // A sound is being played now. The player does not tell reliably when a sound has ended,
    // so this follows its playback state.
    bool playing() const;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};

}  // namespace lexo
