#pragma once

#include <memory>
#include <string>

#include "platform/wav_header.h"
#include "platform/ports.h"

class QAudioSource;
class QIODevice;

namespace lexo {

// Records the default sound input as 16-bit PCM (mono, 44.1 kHz, else 22.05 kHz) into a
// wave file, written as it comes in so that little is lost if the program dies.
class QtRecorder final : public Recorder {
public:
    QtRecorder();
    // A recording still running is completed.
    ~QtRecorder() override;
    QtRecorder(const QtRecorder&) = delete;
    QtRecorder& operator=(const QtRecorder&) = delete;

    bool start(const std::string& wavPath) override;
    bool stop() override;
    bool recording() const override;
    std::string lastError() const override;

    // The format of the current or last recording.
    const PcmFormat& format() const { return writer_.format(); }

private:
    void takeInput();
    void release();

    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    WavWriter writer_;
    std::string lastError_;
    bool writeFailed_ = false;
};

}  // namespace lexo
