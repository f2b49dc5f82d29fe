#include "platform/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace lexo {

namespace {

// A player that failed on a file stays "playing" it, and stopping it takes a second.
bool failed(const QMediaPlayer& player) {
    return player.error() != QMediaPlayer::NoError || player.mediaStatus() == QMediaPlayer::InvalidMedia;
}

}  // namespace

bool isWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::play(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile() || !isWaveFile(file)) return false;
    // Without a sound server Qt sees no device and nothing would be heard.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;

    if (!output_) output_ = std::make_unique<QAudioOutput>();
    if (!player_ || failed(*player_)) {
        player_.reset();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
    } else {
        player_->stop();
        // The same source again would be played from the file already open, and a sound
        // recorded anew under the same name is a different file.
        player_->setSource(QUrl());
    }
    output_->setDevice(device);
    player_->setSource(QUrl::fromLocalFile(file));
    player_->play();
    return !failed(*player_);
}

void QtSoundPlayer::stop() {
    if (!player_) return;
    if (failed(*player_)) {
        player_.reset();
        return;
    }
    player_->stop();
    // Lets go of the file, which the editor may delete or record over.
    player_->setSource(QUrl());
}

bool QtSoundPlayer::check(const std::string& path) {
    // play() already refuses when there is no output device or the file is no sound.
    return play(path);
}

bool QtSoundPlayer::playing() const {
    return player_ && !failed(*player_) && player_->playbackState() == QMediaPlayer::PlayingState;
}

}  // namespace lexo
