// The Qt sound player and speech synthesizer against the real Qt Multimedia and Qt
// TextToSpeech. Whatever depends on a sound server or on speech-dispatcher runs in a child
// process of this same binary (a disabled test run on purpose), because Qt looks for the
// sound server once per process and speech-dispatcher is found through the environment:
// the parent test sets up a private server, runs the child and cleans up after it.

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QTest>
#include <QTextToSpeech>
#include <gtest/gtest.h>
#include <signal.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "platform/qt_sound_player.h"
#include "platform/qt_speaker.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::childEnvironment;
using lexo::testing::childFolder;
using lexo::testing::endDaemon;
using lexo::testing::PrivatePulseAudio;
using lexo::testing::runInChild;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A 16-bit mono sine tone of the given length.
std::string waveBytes(int milliseconds) {
    constexpr int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    std::string out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    out += "RIFF";
    put(36 + 2 * samples, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    out += "data";
    put(2 * samples, 4);
    for (int i = 0; i < samples; ++i)
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(6000 * std::sin(i * 2 * M_PI * 440 / rate))), 2);
    return out;
}

std::string pathIn(const fs::path& dir, const char* name) {
    return (dir / name).string();
}

// A runtime folder as the programs using it expect: only the owner may enter.
void makePrivateDirectory(const fs::path& path) {
    fs::create_directories(path);
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace);
}

// Runs a speech test in a child with a speech-dispatcher of its own, started on demand as on
// a machine where none runs yet, and ends that daemon afterwards. An unreachable daemon is
// one at a socket it is never started on.
void runSpeechChild(const QString& test, bool unreachable) {
    TempDir dir;
    QProcessEnvironment env = childEnvironment(dir.path());
    makePrivateDirectory(dir / "run");
    makePrivateDirectory(dir / "cache");
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(pathIn(dir.path(), "run")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(pathIn(dir.path(), "cache")));
    env.remove(QStringLiteral("SPEECHD_ADDRESS"));
    if (unreachable)
        env.insert(QStringLiteral("SPEECHD_ADDRESS"),
                   QString::fromStdString("unix_socket:" + pathIn(dir.path(), "none/speechd.sock")));
    runInChild(test, env, 40000);
    for (const char* home : {"run", "cache"})
        endDaemon(dir / home / "speech-dispatcher" / "pid" / "speech-dispatcher.pid");
}

// --- sound player --------------------------------------------------------------------------

TEST(SoundPlayer, RecognisesWaveFilesByTheirHeader) {
    TempDir dir;
    writeBytes(dir / "tone.wav", waveBytes(50));
    writeBytes(dir / "text.wav", "RIFF but then nothing of a sound at all");
    writeBytes(dir / "avi.wav", std::string("RIFF\x10\0\0\0AVI LIST", 16));
    writeBytes(dir / "short.wav", std::string("RIFF\x04\0\0\0WAV", 11));
    writeBytes(dir / "empty.wav", "");

    EXPECT_TRUE(isWaveFile(QString::fromStdString(pathIn(dir.path(), "tone.wav"))));
    for (const char* name : {"text.wav", "avi.wav", "short.wav", "empty.wav", "missing.wav"})
        EXPECT_FALSE(isWaveFile(QString::fromStdString(pathIn(dir.path(), name)))) << name;
}

TEST(SoundPlayer, RefusesMissingAndNonSoundFilesAtOnce) {
    TempDir dir;
    writeBytes(dir / "garbage.wav", std::string(4000, '\x5a'));
    fs::create_directories(dir / "folder.wav");
    QtSoundPlayer player;

    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(player.play(pathIn(dir.path(), "missing.wav")));
    EXPECT_FALSE(player.play(pathIn(dir.path(), "garbage.wav")));
    EXPECT_FALSE(player.play(pathIn(dir.path(), "folder.wav")));
    EXPECT_FALSE(player.play(""));
    EXPECT_FALSE(player.check(pathIn(dir.path(), "missing.wav")));
    EXPECT_FALSE(player.check(pathIn(dir.path(), "garbage.wav")));
    EXPECT_FALSE(player.playing());
    player.stop();
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST(SoundPlayerWithoutServer, HearsNothingAndSaysSo) {
    TempDir dir;
    QProcessEnvironment env = childEnvironment(dir.path());
    // Points Qt at a server that is not there, whatever runs on this machine.
    env.insert(QStringLiteral("PULSE_SERVER"), QString::fromStdString("unix:" + pathIn(dir.path(), "no-server")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(dir.path().string()));
    runInChild(QStringLiteral("SoundPlayerWithoutServer.DISABLED_InChild"), env, 15000);
}

TEST(SoundPlayerWithoutServer, DISABLED_InChild) {
    const fs::path dir = childFolder();
    if (dir.empty()) GTEST_SKIP() << "started by SoundPlayerWithoutServer.HearsNothingAndSaysSo";
    writeBytes(dir / "tone.wav", waveBytes(300));
    QtSoundPlayer player;

    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(QMediaDevices::audioOutputs().isEmpty());
    EXPECT_FALSE(player.check(pathIn(dir, "tone.wav")));
    EXPECT_FALSE(player.play(pathIn(dir, "tone.wav")));
    EXPECT_FALSE(player.playing());
    player.stop();
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(SoundPlayerWithPulse, PlaysThroughARealServer) {
    TempDir dir;
    QProcessEnvironment env = childEnvironment(dir.path());
    const PrivatePulseAudio pulse(env, dir.path(), QString());
    if (!pulse.running()) GTEST_SKIP() << pulse.failure();
    runInChild(QStringLiteral("SoundPlayerWithPulse.DISABLED_InChild"), env, 20000);
}

TEST(SoundPlayerWithPulse, DISABLED_InChild) {
    const fs::path dir = childFolder();
    if (dir.empty()) GTEST_SKIP() << "started by SoundPlayerWithPulse.PlaysThroughARealServer";
    writeBytes(dir / "short.wav", waveBytes(300));
    writeBytes(dir / "long.wav", waveBytes(8000));
    writeBytes(dir / "garbage.wav", std::string(4000, '\x5a'));
    writeBytes(dir / "broken.wav", std::string("RIFF\x30\0\0\0WAVE", 12) + std::string(40, '\x5a'));
    ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty());
    QtSoundPlayer player;

    // The start-up check plays the sound it was given.
    EXPECT_FALSE(player.check(pathIn(dir, "missing.wav")));
    ASSERT_TRUE(player.check(pathIn(dir, "long.wav")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playing(); }, 3000));
    player.stop();
    EXPECT_FALSE(player.playing());

    // A new sound cuts the long one short: playback is over long before the long one's end.
    ASSERT_TRUE(player.play(pathIn(dir, "long.wav")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playing(); }, 3000));
    ASSERT_TRUE(player.play(pathIn(dir, "short.wav")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playing(); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.playing(); }, 4000));

    // A file that only looks like a sound fails once playing has begun. It is not taken for
    // playing, and neither stopping it nor the next sound waits for the failed player.
    player.play(pathIn(dir, "broken.wav"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.playing(); }, 2000));
    QElapsedTimer timer;
    timer.start();
    player.stop();
    EXPECT_LT(timer.elapsed(), 500);
    player.play(pathIn(dir, "broken.wav"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.playing(); }, 2000));
    timer.restart();
    EXPECT_TRUE(player.play(pathIn(dir, "short.wav")));
    EXPECT_TRUE(player.playing());
    EXPECT_LT(timer.elapsed(), 500);

    EXPECT_FALSE(player.play(pathIn(dir, "garbage.wav")));
    EXPECT_FALSE(player.play(pathIn(dir, "missing.wav")));
}

// --- speech --------------------------------------------------------------------------------

TEST(SpeakerRate, SpeedMapsLinearlyOntoTheEngineRate) {
    EXPECT_DOUBLE_EQ(speechRateForSpeed(120), -1.0);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(170), 0.0);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(220), 1.0);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(145), -0.5);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(180), 0.2);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(0), -1.0);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(119), -1.0);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(221), 1.0);
    EXPECT_DOUBLE_EQ(speechRateForSpeed(1000), 1.0);
}

TEST(SpeakerEngine, ChoosesByNameNotByPosition) {
    const QString speechd = QStringLiteral("speechd");
    const QString flite = QStringLiteral("flite");
    EXPECT_EQ(chooseSpeechEngine({speechd, flite}), speechd);
    EXPECT_EQ(chooseSpeechEngine({flite, speechd}), speechd);
    EXPECT_EQ(chooseSpeechEngine({QStringLiteral("mock"), flite}), flite);
    EXPECT_EQ(chooseSpeechEngine({QStringLiteral("mock"), QStringLiteral("speechd2")}), QString());
    EXPECT_EQ(chooseSpeechEngine({}), QString());
}

TEST(SpeakerEngine, OffersEachVoiceOnceSortedWithoutTimbreVariants) {
    const QStringList names{QStringLiteral("English (Great Britain)+Adam"),
                            QStringLiteral("Czech"),
                            QStringLiteral("English (Great Britain)"),
                            QStringLiteral("Czech+whisper"),
                            QStringLiteral("czech"),
                            QStringLiteral("awb"),
                            QStringLiteral("Czech"),
                            QStringLiteral(""),
                            QStringLiteral("Lonely+Variant"),
                            QStringLiteral("Afrikaans")};
    QStringList offered;
    for (const int i : offeredVoiceOrder(names)) offered.push_back(names[i]);
    // A variant whose voice is missing is all there is of that voice, so it stays.
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Afrikaans"), QStringLiteral("awb"), QStringLiteral("Czech"),
                                    QStringLiteral("czech"), QStringLiteral("English (Great Britain)"),
                                    QStringLiteral("Lonely+Variant")}));
    // The position of the first of the doubled names.
    EXPECT_EQ(offeredVoiceOrder(names).at(2), 1);
}

TEST(SpeakerWithSpeechDispatcher, AnswersQuicklyAndConsistently) {
    if (chooseSpeechEngine(QTextToSpeech::availableEngines()).isEmpty())
        GTEST_SKIP() << "no speech engine is installed";
    runSpeechChild(QStringLiteral("SpeakerWithSpeechDispatcher.DISABLED_InChild"), false);
}

TEST(SpeakerWithSpeechDispatcher, DISABLED_InChild) {
    if (childFolder().empty()) GTEST_SKIP() << "started by SpeakerWithSpeechDispatcher.AnswersQuicklyAndConsistently";
    QElapsedTimer timer;
    timer.start();
    QtSpeaker speaker;
    const qint64 constructed = timer.elapsed();
    std::printf("speech engine %s, constructed in %lld ms, ready %d\n", qPrintable(speaker.engineName()),
                static_cast<long long>(constructed), speaker.ready());
    EXPECT_LT(constructed, 2500);
    ASSERT_TRUE(speaker.available());

    if (!speaker.ready()) {
        EXPECT_EQ(speaker.voiceCount(), 0);
        EXPECT_FALSE(speaker.selectVoice(1));
        EXPECT_FALSE(speaker.setSpeed(170));
        int calls = 0;
        speaker.setReadyHandler([&calls] { ++calls; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 30000));
        QTest::qWait(50);
        EXPECT_EQ(calls, 1);
    }
    std::printf("ready after %lld ms\n", static_cast<long long>(timer.elapsed()));
    ASSERT_TRUE(speaker.ready());

    const int count = speaker.voiceCount();
    ASSERT_GT(count, 0);
    std::printf("%d voices, first \"%s\", last \"%s\"\n", count, speaker.voiceName(1).c_str(),
                speaker.voiceName(count).c_str());
    EXPECT_EQ(speaker.voiceName(0), "");
    EXPECT_EQ(speaker.voiceName(count + 1), "");
    int czech = 0;
    bool english = false;
    for (int n = 1; n <= count; ++n) {
        const std::string name = speaker.voiceName(n);
        ASSERT_FALSE(name.empty()) << n;
        if (n > 1) {
            const QString previous = QString::fromStdString(speaker.voiceName(n - 1));
            const QString current = QString::fromStdString(name);
            const int order = previous.compare(current, Qt::CaseInsensitive);
            EXPECT_TRUE(order < 0 || (order == 0 && previous < current)) << n;
        }
        if (name == "Czech") czech = n;
        if (name.rfind("English", 0) == 0 || speaker.engineName() == QLatin1String("flite")) english = true;
    }
    // Both languages the program is about, though the engine lists one locale at a time.
    EXPECT_TRUE(english);
    if (speaker.engineName() == QLatin1String("speechd")) {
        EXPECT_GT(czech, 0);
    }

    EXPECT_TRUE(speaker.selectVoice(czech > 0 ? czech : 1));
    EXPECT_TRUE(speaker.selectVoice(count));
    EXPECT_FALSE(speaker.selectVoice(0));
    EXPECT_FALSE(speaker.selectVoice(count + 1));
    EXPECT_TRUE(speaker.setSpeed(120));
    EXPECT_TRUE(speaker.setSpeed(220));
    EXPECT_TRUE(speaker.setSpeed(170));

    // Saying never waits for the engine, not even for one that has no sound to speak into.
    timer.restart();
    speaker.say("Příliš žluťoučký kůň");
    speaker.say("hello");
    speaker.say("");
    EXPECT_LT(timer.elapsed(), 200);
}

TEST(SpeakerWithoutSpeechDispatcher, RefusesVoicesAndSpeeds) {
    if (chooseSpeechEngine(QTextToSpeech::availableEngines()) != QLatin1String("speechd"))
        GTEST_SKIP() << "speech-dispatcher's engine is not installed";
    runSpeechChild(QStringLiteral("SpeakerWithoutSpeechDispatcher.DISABLED_InChild"), true);
}

TEST(SpeakerWithoutSpeechDispatcher, DISABLED_InChild) {
    if (childFolder().empty()) GTEST_SKIP() << "started by SpeakerWithoutSpeechDispatcher.RefusesVoicesAndSpeeds";
    QElapsedTimer timer;
    timer.start();
    QtSpeaker speaker;
    EXPECT_LT(timer.elapsed(), 2500);
    ASSERT_TRUE(speaker.waitUntilReady(20s));
    std::printf("failed engine ready after %lld ms\n", static_cast<long long>(timer.elapsed()));
    EXPECT_TRUE(speaker.available());
    EXPECT_EQ(speaker.voiceCount(), 0);
    EXPECT_EQ(speaker.voiceName(1), "");
    EXPECT_FALSE(speaker.selectVoice(1));
    EXPECT_FALSE(speaker.setSpeed(170));
    speaker.say("nic");
}

}  // namespace
}  // namespace lexo
