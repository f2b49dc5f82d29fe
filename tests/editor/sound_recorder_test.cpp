// The recorder and timers on Qt. Qt looks for the sound server once per process, so each
// recorder test runs in a child process of this binary (a disabled test, run on purpose)
// with the sound server the parent chose: none at all, or a private PulseAudio whose
// default input is a sine tone.

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/sound_recording.h"
#include "platform/wav_header.h"
#include "platform/qt_recorder.h"
#include "platform/qt_timers.h"
#include "support/fake_prompter.h"
#include "support/fake_sound_player.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::childEnvironment;
using lexo::testing::childFolder;
using lexo::testing::PrivatePulseAudio;
using lexo::testing::runInChild;
using lexo::testing::TempDir;

// --- timers ----------------------------------------------------------------------------

TEST(QtTimers, SingleShotFiresOnceRepeatingUntilStopped) {
    QtTimers timers;
    std::unique_ptr<Timer> once = timers.create();
    std::unique_ptr<Timer> often = timers.create();
    int onceFired = 0, oftenFired = 0;
    once->onTimeout = [&] { ++onceFired; };
    often->onTimeout = [&] { ++oftenFired; };
    EXPECT_FALSE(once->active());

    once->start(10, false);
    often->start(10, true);
    EXPECT_TRUE(once->active());
    ASSERT_TRUE(QTest::qWaitFor([&] { return oftenFired >= 4; }, 3000));
    EXPECT_EQ(onceFired, 1);
    EXPECT_FALSE(once->active());
    EXPECT_TRUE(often->active());

    often->stop();
    EXPECT_FALSE(often->active());
    const int stoppedAt = oftenFired;
    QTest::qWait(50);
    EXPECT_EQ(oftenFired, stoppedAt);

    // Restarting a one-shot timer lets it fire again.
    once->start(0, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return onceFired == 2; }, 3000));
}

TEST(QtTimers, AHandlerMayDestroyItsOwnTimer) {
    QtTimers timers;
    std::unique_ptr<Timer> timer = timers.create();
    int fired = 0;
    timer->onTimeout = [&] {
        ++fired;
        timer.reset();
    };
    timer->start(5, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return timer == nullptr; }, 3000));
    QTest::qWait(30);
    EXPECT_EQ(fired, 1);
}

// --- without a sound server ------------------------------------------------------------

TEST(QtRecorderWithoutServer, RefusesInCzechAndTouchesNothing) {
    TempDir dir;
    QProcessEnvironment env = childEnvironment(dir.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QString::fromStdString("unix:" + (dir / "no-server").string()));
    runInChild(QStringLiteral("QtRecorderWithoutServer.DISABLED_InChild"), env, 20000);
}

TEST(QtRecorderWithoutServer, DISABLED_InChild) {
    const fs::path dir = childFolder();
    if (dir.empty()) GTEST_SKIP() << "started by QtRecorderWithoutServer.RefusesInCzechAndTouchesNothing";
    QElapsedTimer timer;
    timer.start();
    QtRecorder recorder;
    EXPECT_TRUE(QMediaDevices::audioInputs().isEmpty());
    const fs::path path = dir / "dog.wav";
    EXPECT_FALSE(recorder.start(path.string()));
    EXPECT_EQ(recorder.lastError(), "Nenalezeno žádné zařízení pro nahrávání zvuku.");
    EXPECT_FALSE(recorder.recording());
    EXPECT_FALSE(recorder.stop());
    EXPECT_FALSE(fs::exists(path));

    // Through the session: the error box, and no recording left behind.
    FakePrompter prompter;
    RecordingSession session(recorder, prompter, dir);
    EXPECT_FALSE(session.start("dog"));
    EXPECT_EQ(prompter.texts(FakePrompter::Kind::Error),
              std::vector<std::string>{"Nenalezeno žádné zařízení pro nahrávání zvuku."});
    EXPECT_FALSE(session.recording());
    EXPECT_FALSE(fs::exists(dir / "Temp" / "dog.wav"));
    std::printf("refused without a server in %lld ms\n", static_cast<long long>(timer.elapsed()));
    EXPECT_LT(timer.elapsed(), 3000);
}

// --- with a real sound server ----------------------------------------------------------

TEST(QtRecorderWithPulse, RecordsWhatTheServerHears) {
    TempDir dir;
    QProcessEnvironment env = childEnvironment(dir.path());
    const PrivatePulseAudio pulse(env, dir.path(), QStringLiteral("source_name=sine frequency=440"));
    if (!pulse.running()) GTEST_SKIP() << pulse.failure();
    // The sine tone is what the program should hear, whatever the server chose.
    QProcess pactl;
    pactl.setProcessEnvironment(env);
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("set-default-source"), QStringLiteral("sine")});
    pactl.waitForFinished(5000);
    runInChild(QStringLiteral("QtRecorderWithPulse.DISABLED_InChild"), env, 30000);
}

// The largest sample value of a 16-bit recording.
int loudest(const std::string& wav) {
    int peak = 0;
    for (std::size_t i = 44; i + 1 < wav.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(wav[i]) |
                                                      static_cast<unsigned char>(wav[i + 1]) << 8);
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

TEST(QtRecorderWithPulse, DISABLED_InChild) {
    const fs::path dir = childFolder();
    if (dir.empty()) GTEST_SKIP() << "started by QtRecorderWithPulse.RecordsWhatTheServerHears";
    ASSERT_FALSE(QMediaDevices::audioInputs().isEmpty());
    const bool hearsSine = QMediaDevices::defaultAudioInput().id() == "sine";

    QtRecorder recorder;
    const fs::path path = dir / "tone.wav";
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(recorder.start(path.string())) << recorder.lastError();
    const qint64 startedIn = timer.elapsed();
    EXPECT_TRUE(recorder.recording());
    EXPECT_EQ(recorder.format().bitsPerSample, 16);
    EXPECT_EQ(recorder.format().channels, 1);
    QTest::qWait(1500);
    const qint64 recordedFor = timer.elapsed();
    ASSERT_TRUE(recorder.stop()) << recorder.lastError();
    EXPECT_FALSE(recorder.recording());
    std::printf("recorder started in %lld ms, recorded for %lld ms at %u Hz\n", static_cast<long long>(startedIn),
                static_cast<long long>(recordedFor), recorder.format().sampleRate);

    const std::string wav = readBytes(path);
    const WavHeader h = parseWavHeader(wav).header;
    ASSERT_TRUE(h.valid);
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_TRUE(h.sampleRate == 44100 || h.sampleRate == 22050) << h.sampleRate;
    EXPECT_EQ(h.fileSize, wav.size());
    const double seconds = wavDurationSeconds(h);
    std::printf("recording of %.3f s\n", seconds);
    // The server's sine tone comes in blocks of two seconds, ahead of the clock.
    EXPECT_GE(seconds, 1.0);
    EXPECT_LT(seconds, recordedFor / 1000.0 + 2.1);
    if (hearsSine) {
        EXPECT_GT(loudest(wav), 1000);
    }

    // The whole road: the sound window's clock on real timers, a name through the rule, the length.
    FakePrompter prompter;
    FakeSoundPlayer player;
    QtTimers timers;
    RecordingSession session(recorder, prompter, dir);
    SoundWindowSession window(session, prompter, timers, player);
    window.open("Why?");
    ASSERT_TRUE(window.start());
    QTest::qWait(1300);
    EXPECT_GE(window.progress(), 20);
    ASSERT_TRUE(window.stop());
    EXPECT_EQ(window.soundReference(), (dir / "Temp" / "Why1.wav").string());
    const double again = wavDurationSeconds(loadWavHeader(dir / "Temp" / "Why1.wav").header);
    EXPECT_GE(again, 1.0);
    EXPECT_LT(again, 1.3 + 2.1);
    EXPECT_EQ(window.lengthText(), "Délka záznamu: " + formatTenths(again) + " s");
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace lexo
