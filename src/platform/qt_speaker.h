#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

class QObject;
class QThread;

namespace lexo {

// The QTextToSpeech rate (−1 … 1) for a speed of 120 … 220: linear, 170 is the engine's
// normal rate 0, values outside the range are clamped.
double speechRateForSpeed(int speed);

// The engine to speak with, out of the installed ones: "speechd" (it has English and Czech
// voices), else "flite" (English only), else none. The installed list comes in no fixed order.
QString chooseSpeechEngine(const QStringList& installed);

// Which of an engine's voices to offer, and in which order, as positions into `names`:
// sorted by name, each name once, without the timbre variants espeak-ng adds to a voice
// ("Czech+Adam" beside "Czech").
std::vector<int> offeredVoiceOrder(const QStringList& names);

// The speech synthesizer on Qt TextToSpeech.
//
// speech-dispatcher answers slowly (listing its voices takes seconds) and may stop answering
// at all (with no sound server it stays "speaking" and every later request waits forever).
// The engine therefore lives on a thread of its own: the constructor waits for the voices at
// most `wait`, selecting a voice or a speed waits a bounded time for the engine's answer, and
// say() never waits. Voices that arrive after the constructor returned show up in the voice
// list from then on, and the ready handler is called on the constructing thread.
class QtSpeaker final : public Speaker {
public:
    explicit QtSpeaker(std::chrono::milliseconds wait = std::chrono::milliseconds(1500));
    ~QtSpeaker() override;
    QtSpeaker(const QtSpeaker&) = delete;
    QtSpeaker& operator=(const QtSpeaker&) = delete;

    bool available() const override;
    int voiceCount() const override;
    std::string voiceName(int voice) const override;

    // "speechd", "flite" or empty.
    QString engineName() const;
    // The engine has listed its voices, or failed to start; always true without an engine.
    bool ready() const;
    bool waitUntilReady(std::chrono::milliseconds timeout);
    // Called once, on the constructing thread's event loop, when the voices arrive; never
    // when they were there already as the constructor returned.
    void setReadyHandler(std::function<void()> handler);

protected:
    bool engineSelectVoice(int voice) override;
    bool engineSetSpeed(int speed) override;
    void engineSay(std::string_view text) override;

private:
    struct Shared;
    class Host;

    void adoptVoices() const;
    void onReadyLater();
    bool callEngine(std::function<bool(Host&)> call);

    QString engine_;
    std::shared_ptr<Shared> shared_;
    QThread* thread_ = nullptr;
    Host* host_ = nullptr;
    std::unique_ptr<QObject> owner_;
    std::function<void()> readyHandler_;
    bool readyAtConstruction_ = true;
    mutable bool adopted_ = false;
    mutable std::vector<std::string> voices_;
};

}  // namespace lexo
