#include "platform/qt_speaker.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocale>
#include <QMediaDevices>
#include <QObject>
#include <QSet>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <future>
#include <mutex>
#include <utility>

namespace lexo {

namespace {

// A voice or a speed the engine has not taken by then counts as refused.
constexpr std::chrono::milliseconds kEngineAnswerTimeout{2000};
// How long a speaker's destructor waits for its engine to close.
constexpr std::chrono::milliseconds kCloseTimeout{1000};
// How long the program's exit waits, in all, for engines that did not close in time.
constexpr std::chrono::milliseconds kExitTimeout{2000};

// Threads whose engine was still busy when its speaker went away. Qt must not be torn down
// under a thread that is still inside the engine, so the exit waits a little for them.
std::mutex leftThreadsMutex;
std::vector<QThread*> leftThreads;

void waitForLeftThreads() {
    std::vector<QThread*> threads;
    {
        std::lock_guard lock(leftThreadsMutex);
        threads.swap(leftThreads);
    }
    QDeadlineTimer deadline(kExitTimeout);
    for (QThread* thread : threads) thread->wait(deadline);
}

void leaveRunning(QThread* thread) {
    static std::once_flag registered;
    std::call_once(registered, [] { qAddPostRoutine(waitForLeftThreads); });
    std::lock_guard lock(leftThreadsMutex);
    leftThreads.push_back(thread);
}

}  // namespace

double speechRateForSpeed(int speed) {
    return (std::clamp(speed, 120, 220) - 170) / 50.0;
}

QString chooseSpeechEngine(const QStringList& installed) {
    for (const QString& name : {QStringLiteral("speechd"), QStringLiteral("flite")})
        if (installed.contains(name)) return name;
    return {};
}

std::vector<int> offeredVoiceOrder(const QStringList& names) {
    const QSet<QString> present(names.begin(), names.end());
    std::vector<int> order;
    QSet<QString> taken;
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (name.isEmpty() || taken.contains(name)) continue;
        // espeak-ng offers every language again with each of about a hundred timbres; a
        // list of thousands of "Czech+Adam" entries would bury the languages themselves.
        const qsizetype plus = name.indexOf(QLatin1Char('+'));
        if (plus > 0 && present.contains(name.left(plus))) continue;
        taken.insert(name);
        order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&names](int a, int b) {
        const int c = names[a].compare(names[b], Qt::CaseInsensitive);
        return c != 0 ? c < 0 : names[a] < names[b];
    });
    return order;
}

struct QtSpeaker::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool ready = false;
    QStringList voiceNames;  // in the offered order
    // Receives the notice that the voices have arrived; null once the speaker is gone.
    QObject* owner = nullptr;
    std::function<void()> notice;
    // Only the newest text is worth saying: when the engine is slow to take texts, the
    // ones in between are dropped rather than queued.
    QString pendingText;
    bool sayQueued = false;
};

// Lives on the speech thread and owns the engine there.
class QtSpeaker::Host : public QObject {
public:
    std::unique_ptr<QTextToSpeech> tts;
    QList<QVoice> voices;  // in the offered order

    bool broken() const { return !tts || tts->state() == QTextToSpeech::Error; }

    void load(const QString& engine, Shared& shared) {
        tts = std::make_unique<QTextToSpeech>(engine);
        QList<QVoice> found;
        if (!broken()) {
            // The engine lists only the voices of its current locale.
            const QLocale start = tts->locale();
            for (const QLocale& locale : tts->availableLocales()) {
                if (locale != tts->locale()) tts->setLocale(locale);
                found += tts->availableVoices();
            }
            if (tts->locale() != start) tts->setLocale(start);
        }
        QStringList names;
        for (const QVoice& voice : found) names.push_back(voice.name());
        QStringList offered;
        for (const int i : offeredVoiceOrder(names)) {
            voices.push_back(found[i]);
            offered.push_back(names[i]);
        }
        {
            std::lock_guard lock(shared.mutex);
            shared.voiceNames = offered;
            shared.ready = true;
            if (shared.owner) QMetaObject::invokeMethod(shared.owner, shared.notice, Qt::QueuedConnection);
        }
        shared.changed.notify_all();
    }
};

QtSpeaker::QtSpeaker(std::chrono::milliseconds wait)
    : engine_(chooseSpeechEngine(QTextToSpeech::availableEngines())) {
    if (engine_.isEmpty()) return;
    // flite plays through Qt Multimedia; its device list must be set up on this thread,
    // not on the speech thread that may end long before the program.
    if (engine_ == QLatin1String("flite")) QMediaDevices::audioOutputs();

    owner_ = std::make_unique<QObject>();
    shared_ = std::make_shared<Shared>();
    shared_->owner = owner_.get();
    shared_->notice = [this] { onReadyLater(); };

    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("lexo-speech"));
    host_ = new Host;
    host_->moveToThread(thread_);
    thread_->start();
    QMetaObject::invokeMethod(
        host_, [host = host_, shared = shared_, engine = engine_] { host->load(engine, *shared); },
        Qt::QueuedConnection);
    waitUntilReady(wait);
    readyAtConstruction_ = ready();
}

QtSpeaker::~QtSpeaker() {
    if (!thread_) return;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->owner = nullptr;
    }
    owner_.reset();
    QMetaObject::invokeMethod(
        host_,
        [host = host_] {
            host->tts.reset();
            host->deleteLater();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (thread_->wait(QDeadlineTimer(kCloseTimeout)))
        delete thread_;
    else
        leaveRunning(thread_);
}

bool QtSpeaker::available() const {
    return !engine_.isEmpty();
}

int QtSpeaker::voiceCount() const {
    adoptVoices();
    return static_cast<int>(voices_.size());
}

std::string QtSpeaker::voiceName(int voice) const {
    adoptVoices();
    if (voice < 1 || voice > static_cast<int>(voices_.size())) return {};
    return voices_[static_cast<std::size_t>(voice - 1)];
}

bool QtSpeaker::engineSelectVoice(int voice) {
    if (voice < 1 || voice > voiceCount()) return false;
    return callEngine([index = voice - 1](Host& host) {
        if (host.broken() || index >= host.voices.size()) return false;
        const QVoice wanted = host.voices[index];
        host.tts->setVoice(wanted);
        return !host.broken() && host.tts->voice() == wanted;
    });
}

bool QtSpeaker::engineSetSpeed(int speed) {
    if (!ready()) return false;
    const double rate = speechRateForSpeed(speed);
    return callEngine([rate](Host& host) {
        if (host.broken()) return false;
        host.tts->setRate(rate);
        // speech-dispatcher keeps the rate in hundredths.
        return !host.broken() && std::abs(host.tts->rate() - rate) < 0.01;
    });
}

void QtSpeaker::engineSay(std::string_view text) {
    if (!host_) return;
    std::lock_guard lock(shared_->mutex);
    shared_->pendingText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (shared_->sayQueued) return;
    shared_->sayQueued = true;
    QMetaObject::invokeMethod(
        host_,
        [host = host_, shared = shared_] {
            QString next;
            {
                std::lock_guard lock(shared->mutex);
                next = std::move(shared->pendingText);
                shared->sayQueued = false;
            }
            if (host->broken()) return;
            // The engine would queue the new text behind the one still being spoken.
            host->tts->stop();
            host->tts->say(next);
        },
        Qt::QueuedConnection);
}

QString QtSpeaker::engineName() const {
    return engine_;
}

bool QtSpeaker::ready() const {
    if (!shared_) return true;
    std::lock_guard lock(shared_->mutex);
    return shared_->ready;
}

bool QtSpeaker::waitUntilReady(std::chrono::milliseconds timeout) {
    if (!shared_) return true;
    std::unique_lock lock(shared_->mutex);
    return shared_->changed.wait_for(lock, timeout, [this] { return shared_->ready; });
}

void QtSpeaker::setReadyHandler(std::function<void()> handler) {
    readyHandler_ = std::move(handler);
}

void QtSpeaker::onReadyLater() {
    if (readyAtConstruction_ || !readyHandler_) return;
    auto handler = std::exchange(readyHandler_, nullptr);
    handler();
}

void QtSpeaker::adoptVoices() const {
    if (adopted_ || !shared_) return;
    std::lock_guard lock(shared_->mutex);
    if (!shared_->ready) return;
    for (const QString& name : shared_->voiceNames) voices_.push_back(name.toStdString());
    adopted_ = true;
}

bool QtSpeaker::callEngine(std::function<bool(Host&)> call) {
    if (!host_) return false;
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> result = answer->get_future();
    QMetaObject::invokeMethod(
        host_, [host = host_, call = std::move(call), answer] { answer->set_value(call(*host)); },
        Qt::QueuedConnection);
    return result.wait_for(kEngineAnswerTimeout) == std::future_status::ready && result.get();
}

}  // namespace lexo
