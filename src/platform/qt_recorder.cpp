#include "platform/qt_recorder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

namespace lexo {
namespace {

QAudioFormat pcmFormat(int sampleRate) {
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

}  // namespace

QtRecorder::QtRecorder() = default;

QtRecorder::~QtRecorder() {
    if (recording()) stop();
}

bool QtRecorder::recording() const { return source_ != nullptr; }

std::string QtRecorder::lastError() const { return lastError_; }

bool QtRecorder::start(const std::string& wavPath) {
    if (recording()) stop();
    // Without a sound server Qt sees no device at all.
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        lastError_ = "Nenalezeno žádné zařízení pro nahrávání zvuku.";
        return false;
    }
    QAudioFormat format;
    for (const int rate : {44100, 22050}) {
        if (device.isFormatSupported(pcmFormat(rate))) {
            format = pcmFormat(rate);
            break;
        }
    }
    if (!format.isValid()) {
        lastError_ = "Zařízení pro nahrávání zvuku nenabízí 16bitový záznam (44100 ani 22050 Hz).";
        return false;
    }

    auto source = std::make_unique<QAudioSource>(device, format);
    QIODevice* input = source->start();
    if (!input || source->error() != QAudio::NoError) {
        source->stop();
        lastError_ = "Nahrávání nelze spustit: zařízení pro nahrávání zvuku nelze otevřít.";
        return false;
    }
    // The file is touched only once the device records, so a failure above changes nothing.
    const PcmFormat pcm{static_cast<std::uint32_t>(format.sampleRate()), 1, 16};
    if (const FileResult opened = writer_.open(std::filesystem::path(wavPath), pcm); !opened.ok) {
        source->stop();
        lastError_ = "Soubor pro nahrávku nelze vytvořit: " + wavPath + "\n" + opened.error;
        return false;
    }
    source_ = std::move(source);
    input_ = input;
    lastError_.clear();
    writeFailed_ = false;
    QObject::connect(input_, &QIODevice::readyRead, source_.get(), [this] { takeInput(); });
    QObject::connect(source_.get(), &QAudioSource::stateChanged, source_.get(), [this](QAudio::State state) {
        // A device that goes away ends the recording early; what was heard is kept.
        if (state == QAudio::StoppedState && source_ && source_->error() != QAudio::NoError && lastError_.empty())
            lastError_ = "Zařízení pro nahrávání zvuku přestalo pracovat; nahrávka je kratší.";
    });
    return true;
}

void QtRecorder::takeInput() {
    if (!input_) return;
    const QByteArray data = input_->readAll();
    if (data.isEmpty() || writeFailed_) return;
    if (const FileResult written = writer_.append(std::string_view(data.constData(), data.size())); !written.ok) {
        // The file keeps what was written before; the rest of the recording is lost.
        writeFailed_ = true;
        lastError_ = "Nahrávku nelze zapsat: " + written.error;
    }
}

void QtRecorder::release() {
    if (!source_) return;
    QObject::disconnect(source_.get(), nullptr, nullptr, nullptr);
    if (input_) QObject::disconnect(input_, nullptr, source_.get(), nullptr);
    source_->stop();
    source_.reset();
    input_ = nullptr;
}

bool QtRecorder::stop() {
    if (!recording()) return false;
    takeInput();
    release();
    const FileResult finished = writer_.finish();
    if (!finished.ok) {
        lastError_ = "Nahrávku nelze dokončit: " + finished.error;
        return false;
    }
    // The file is complete either way; a recording cut short by a failed write is reported.
    return !writeFailed_;
}

}  // namespace lexo
