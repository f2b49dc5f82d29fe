#include "editor/sound_recording.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/wav_header.h"
#include "support/fake_prompter.h"
#include "support/fake_recorder.h"
#include "support/fake_sound_player.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;

// --- names -----------------------------------------------------------------------------

TEST(RecordingName, QuestionExclamationAndStarBecomeDigits) {
    EXPECT_EQ(recordingFileName("Why?"), "Why1.wav");
    EXPECT_EQ(recordingFileName("Stop!"), "Stop2.wav");
    EXPECT_EQ(recordingFileName("A*B"), "A3B.wav");
    EXPECT_EQ(recordingFileName("?!*"), "123.wav");
    EXPECT_EQ(fixSoundPathCharacters("/home/a/Why?!*.wav"), "/home/a/Why123.wav");
    // Everything else stays, Czech letters and spaces included.
    EXPECT_EQ(recordingFileName("kůň a pes+dog"), "kůň a pes+dog.wav");
    EXPECT_EQ(recordingFileName(""), ".wav");
}

TEST(RecordingName, CharactersNoFileNameMayHoldAreReplaced) {
    EXPECT_EQ(recordingFileName("a/b"), "a_b.wav");
    EXPECT_EQ(recordingFileName("a\\b"), "a_b.wav");
    EXPECT_EQ(recordingFileName("../x"), ".._x.wav");
    EXPECT_EQ(recordingFileName("<a>:\"b\"|c"), "_a___b__c.wav");
    EXPECT_EQ(recordingFileName(std::string("tab\there\nnul\0end\x7f", 17)), "tab_here_nul_end_.wav");
}

TEST(RecordingName, LongTextIsCutToAFileNameOnACharacterBoundary) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "ž";  // two bytes each
    const std::string name = recordingFileName(text);
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.size(), 250u + 4);
    EXPECT_EQ(name.substr(name.size() - 4), ".wav");
    // No half character before the suffix.
    EXPECT_EQ(name.substr(0, 250), text.substr(0, 250));
    EXPECT_EQ(recordingFileName(std::string(251, 'a')).size(), 255u);
    EXPECT_EQ(recordingFileName(std::string(300, 'a')).size(), 255u);
}

TEST(RecordingName, PathAlwaysLiesInTheTempFolder) {
    const fs::path program = "/opt/lexo";
    for (const std::string text : {"../x", "../../etc/passwd", "/etc/passwd", "a/../../b", "..", ".", "",
                                   "Temp/../..", "\\..\\x"}) {
        const auto path = recordingPathFor(program, text);
        ASSERT_TRUE(path) << text;
        EXPECT_EQ(path->parent_path(), program / "Temp") << text;
        EXPECT_TRUE(liesDirectlyIn(program / "Temp", *path)) << text;
    }
    EXPECT_EQ(*recordingPathFor(program, "Why?"), program / "Temp" / "Why1.wav");
}

TEST(RecordingName, GuardRefusesWhatLeavesTheFolder) {
    const fs::path temp = "/p/Temp";
    EXPECT_TRUE(liesDirectlyIn(temp, "/p/Temp/x.wav"));
    EXPECT_TRUE(liesDirectlyIn("/p/Temp/", "/p/Temp/x.wav"));
    EXPECT_FALSE(liesDirectlyIn(temp, "/p/Temp/../x.wav"));
    EXPECT_FALSE(liesDirectlyIn(temp, "/p/Temp/sub/x.wav"));
    EXPECT_FALSE(liesDirectlyIn(temp, "/p/Temp/.."));
    EXPECT_FALSE(liesDirectlyIn(temp, "/p/Temp/."));
    EXPECT_FALSE(liesDirectlyIn(temp, "/p/Temp"));
    EXPECT_FALSE(liesDirectlyIn(temp, "/p/Tempx/a.wav"));
}

// --- playing ---------------------------------------------------------------------------

TEST(PlayableSound, FindsTheFileAReferenceMeans) {
    TempDir dir;
    writeBytes(dir / "Temp" / "Why1.wav", testPcmWav(0.1));
    writeBytes(dir / "picked?.wav", testPcmWav(0.1));
    writeBytes(dir / "slovnik" / "dog.wav", testPcmWav(0.1));
    fs::create_directories(dir / "folder.wav");

    EXPECT_FALSE(playableSound("NENÍ"));
    EXPECT_FALSE(playableSound(""));
    EXPECT_FALSE(playableSound((dir / "missing.wav").string()));
    EXPECT_FALSE(playableSound((dir / "folder.wav").string()));
    EXPECT_EQ(playableSound((dir / "Temp" / "Why1.wav").string()), dir / "Temp" / "Why1.wav");
    // A reference written before the name rule was applied.
    EXPECT_EQ(playableSound((dir / "Temp" / "Why?.wav").string()), dir / "Temp" / "Why1.wav");
    // A picked file keeps its own name.
    EXPECT_EQ(playableSound((dir / "picked?.wav").string()), dir / "picked?.wav");
    // A dictionary from another computer: its sounds are in its own sound folder.
    EXPECT_EQ(playableSound("C:\\Lexo\\slovnik\\dog.wav", dir / "slovnik.slv"), dir / "slovnik" / "dog.wav");
    EXPECT_FALSE(playableSound("C:\\Lexo\\slovnik\\dog.wav"));

    FakeSoundPlayer player;
    EXPECT_FALSE(playExpressionSound(player, "NENÍ"));
    EXPECT_TRUE(playExpressionSound(player, (dir / "Temp" / "Why?.wav").string()));
    EXPECT_EQ(player.played, std::vector<std::string>{(dir / "Temp" / "Why1.wav").string()});
}

// --- recording session -----------------------------------------------------------------

struct RecordingSessionTest : ::testing::Test {
    TempDir dir;
    FakeRecorder recorder;
    FakePrompter prompter;
    RecordingSession session{recorder, prompter, dir.path()};
    fs::path temp() const { return dir / "Temp"; }
};

TEST_F(RecordingSessionTest, RecordThenMeasure) {
    recorder.recorded = testPcmWav(2.4);
    ASSERT_FALSE(fs::exists(temp()));
    ASSERT_TRUE(session.start("Why?"));
    EXPECT_TRUE(session.recording());
    EXPECT_EQ(session.currentPath(), temp() / "Why1.wav");
    EXPECT_EQ(recorder.started, std::vector<std::string>{(temp() / "Why1.wav").string()});
    // While recording the file is already a valid, empty wave file.
    EXPECT_TRUE(loadWavHeader(session.currentPath()).header.valid);

    ASSERT_TRUE(session.stop());
    EXPECT_FALSE(session.recording());
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(readBytes(session.currentPath()), recorder.recorded);
    EXPECT_EQ(recordingLengthText(loadWavHeader(session.currentPath()).header), "Délka záznamu: 2,4 s");
    EXPECT_TRUE(prompter.messages.empty());

    // Stopping again does nothing.
    EXPECT_FALSE(session.stop());
    EXPECT_EQ(recorder.stops, 1);
}

TEST_F(RecordingSessionTest, SameForeignTextRecordsIntoTheSameFile) {
    recorder.recorded = testPcmWav(1.0);
    ASSERT_TRUE(session.start("dog"));
    ASSERT_TRUE(session.stop());
    recorder.recorded = testPcmWav(3.0);
    ASSERT_TRUE(session.start("dog"));
    ASSERT_TRUE(session.stop());
    EXPECT_EQ(recorder.started.size(), 2u);
    EXPECT_EQ(recorder.started[0], recorder.started[1]);
    EXPECT_DOUBLE_EQ(wavDurationSeconds(loadWavHeader(temp() / "dog.wav").header), 3.0);
}

TEST_F(RecordingSessionTest, WithoutAnInputDeviceNothingChanges) {
    recorder.recorded = testPcmWav(1.0);
    ASSERT_TRUE(session.start("cat"));
    ASSERT_TRUE(session.stop());
    const std::string kept = readBytes(temp() / "cat.wav");

    recorder.missingDevice = true;
    EXPECT_FALSE(session.start("dog"));
    EXPECT_FALSE(session.start("cat"));
    EXPECT_EQ(prompter.texts(Kind::Error), (std::vector<std::string>{"Nenalezeno žádné zařízení pro nahrávání zvuku.",
                                                                     "Nenalezeno žádné zařízení pro nahrávání zvuku."}));
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(session.currentPath(), temp() / "cat.wav");
    EXPECT_FALSE(fs::exists(temp() / "dog.wav"));
    // The earlier recording of the same name is not lost.
    EXPECT_EQ(readBytes(temp() / "cat.wav"), kept);
    EXPECT_FALSE(session.restart());
    EXPECT_EQ(readBytes(temp() / "cat.wav"), kept);
}

TEST_F(RecordingSessionTest, RestartRecordsAgainUnderTheSamePath) {
    EXPECT_FALSE(session.restart());  // nothing recorded yet
    EXPECT_TRUE(recorder.started.empty());

    recorder.recorded = testPcmWav(1.0);
    ASSERT_TRUE(session.start("A*B"));
    ASSERT_TRUE(session.stop());
    recorder.recorded = testPcmWav(0.5);
    ASSERT_TRUE(session.restart());
    EXPECT_TRUE(session.recording());
    // The old recording is gone as soon as the new one runs.
    EXPECT_EQ(wavDurationSeconds(loadWavHeader(temp() / "A3B.wav").header), 0);
    ASSERT_TRUE(session.stop());
    EXPECT_EQ(recorder.started, (std::vector<std::string>(2, (temp() / "A3B.wav").string())));
    EXPECT_DOUBLE_EQ(wavDurationSeconds(loadWavHeader(temp() / "A3B.wav").header), 0.5);
}

TEST_F(RecordingSessionTest, StartingWhileRecordingCompletesTheFirstRecording) {
    ASSERT_TRUE(session.start("one"));
    ASSERT_TRUE(session.start("two"));
    EXPECT_EQ(recorder.stops, 1);
    EXPECT_EQ(readBytes(temp() / "one.wav"), recorder.recorded);
    EXPECT_EQ(session.currentPath(), temp() / "two.wav");
    EXPECT_TRUE(session.recording());
}

TEST_F(RecordingSessionTest, DiscardKeepsNothingOfTheRecording) {
    ASSERT_TRUE(session.start("dog"));
    session.discard();
    EXPECT_FALSE(session.recording());
    EXPECT_FALSE(recorder.recording());
    const WavHeader h = loadWavHeader(temp() / "dog.wav").header;
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(wavDurationSeconds(h), 0);
    session.discard();
    EXPECT_EQ(recorder.stops, 1);
}

TEST_F(RecordingSessionTest, FailuresAreReportedInCzech) {
    // The scratch folder cannot be made: a file is in its place.
    writeBytes(temp(), "not a folder");
    EXPECT_FALSE(session.start("dog"));
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_EQ(prompter.texts(Kind::Error)[0].rfind("Složku pro nahrávky nelze vytvořit: ", 0), 0u);
    EXPECT_TRUE(recorder.started.empty());
    fs::remove(temp());

    // A file that cannot be completed.
    recorder.failStop = true;
    ASSERT_TRUE(session.start("dog"));
    EXPECT_FALSE(session.stop());
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(prompter.texts(Kind::Error).back(), "Nahrávku nelze dokončit: disk je plný.");
}

TEST(RecordingSessionLifetime, EndingTheProgramCompletesARunningRecording) {
    TempDir dir;
    FakeRecorder recorder;
    FakePrompter prompter;
    {
        RecordingSession session(recorder, prompter, dir.path());
        ASSERT_TRUE(session.start("dog"));
    }
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(readBytes(dir / "Temp" / "dog.wav"), recorder.recorded);
}

// --- sound window behaviour ------------------------------------------------------------

struct SoundWindowSessionTest : RecordingSessionTest {
    FakeTimers timers;
    FakeSoundPlayer player;
    SoundWindowSession window{session, prompter, timers, player};
    using Status = SoundWindowSession::Status;
    using Colour = SoundWindowSession::Colour;
    using Focus = SoundWindowSession::Focus;
};

TEST_F(SoundWindowSessionTest, OpensReady) {
    window.open("dog");
    EXPECT_EQ(window.status(), Status::Ready);
    EXPECT_EQ(window.statusText(), "Připraven");
    EXPECT_EQ(window.statusColour(), Colour::Black);
    EXPECT_EQ(window.lengthText(), "0 s");
    EXPECT_EQ(window.focus(), Focus::Start);
    EXPECT_EQ(window.soundReference(), "NENÍ");
    EXPECT_FALSE(window.timerRunning());
}

TEST_F(SoundWindowSessionTest, RecordingRunsTheClockAndStopShowsTheLength) {
    recorder.recorded = testPcmWav(2.4);
    window.open("Why?");
    ASSERT_TRUE(window.start());
    EXPECT_EQ(window.statusText(), "Nahrávám...");
    EXPECT_EQ(window.statusColour(), Colour::Green);
    EXPECT_EQ(window.focus(), Focus::Stop);
    EXPECT_EQ(player.stops, 1);  // nothing plays from the file being recorded

    int ticks = 0;
    window.onTick = [&] { ++ticks; };
    timers.advance(199);
    EXPECT_EQ(window.progress(), 0);
    timers.advance(1);
    EXPECT_EQ(window.progress(), 5);
    // Once round every four seconds.
    timers.advance(3600);
    EXPECT_EQ(window.progress(), 95);
    timers.advance(200);
    EXPECT_EQ(window.progress(), 0);
    EXPECT_EQ(ticks, 20);
    EXPECT_EQ(window.lengthText(), "0 s");

    ASSERT_TRUE(window.stop());
    EXPECT_EQ(window.status(), Status::Stopped);
    EXPECT_EQ(window.statusText(), "Konec nahrávání");
    EXPECT_EQ(window.statusColour(), Colour::Red);
    EXPECT_EQ(window.progress(), 100);
    EXPECT_EQ(window.lengthText(), "Délka záznamu: 2,4 s");
    EXPECT_EQ(window.focus(), Focus::Ok);
    EXPECT_EQ(window.soundReference(), (temp() / "Why1.wav").string());
    EXPECT_FALSE(window.timerRunning());
    timers.advance(1000);
    EXPECT_EQ(window.progress(), 100);

    EXPECT_EQ(window.accept(), (temp() / "Why1.wav").string());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SoundWindowSessionTest, StopWithoutRecordingDoesNothing) {
    window.open("dog");
    EXPECT_FALSE(window.stop());
    EXPECT_EQ(window.status(), Status::Ready);
    EXPECT_EQ(window.statusText(), "Připraven");
    EXPECT_EQ(window.progress(), 0);
    EXPECT_EQ(recorder.stops, 0);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SoundWindowSessionTest, NoForeignTextNoRecordingNoFile) {
    window.open("");
    EXPECT_FALSE(window.start());
    EXPECT_FALSE(window.mayChooseFile());
    prompter.queueAnswer(Prompter::Answer::Yes);
    EXPECT_FALSE(window.recordAgain());
    EXPECT_EQ(prompter.messages,
              (std::vector<FakePrompter::Message>{
                  {Kind::Warning,
                   "Nahrávání nelze spustit, vyplňte prosím Český výraz a Anglický výraz v Editoru Výrazů"},
                  {Kind::Warning, "Nelze načítat zvuk ze souboru, vyplňte prosím Český a Anglický výraz v Editoru Výrazů"},
                  {Kind::YesNo, "Opravdu si přejete znova nahrát zvuk?"},
                  {Kind::Warning,
                   "Nahrávání nelze spustit, vyplňte prosím Český výraz a Anglický výraz v Editoru Výrazů"}}));
    EXPECT_TRUE(recorder.started.empty());
    EXPECT_FALSE(window.timerRunning());
}

TEST_F(SoundWindowSessionTest, RecordAgainOnlyOnYes) {
    window.open("dog");
    ASSERT_TRUE(window.start());
    ASSERT_TRUE(window.stop());
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_FALSE(window.recordAgain());
    EXPECT_EQ(window.status(), Status::Stopped);
    EXPECT_EQ(recorder.started.size(), 1u);

    prompter.queueAnswer(Prompter::Answer::Yes);
    ASSERT_TRUE(window.recordAgain());
    EXPECT_EQ(window.status(), Status::Recording);
    EXPECT_TRUE(window.timerRunning());
    EXPECT_EQ(recorder.started, (std::vector<std::string>(2, (temp() / "dog.wav").string())));
}

TEST_F(SoundWindowSessionTest, RecordAgainLeavesAnotherExpressionsRecordingAlone) {
    // The edit dialog recorded "cat" last.
    ASSERT_TRUE(session.start("cat"));
    ASSERT_TRUE(session.stop());
    window.open("dog");
    prompter.queueAnswer(Prompter::Answer::Yes);
    ASSERT_TRUE(window.recordAgain());
    ASSERT_TRUE(window.stop());
    EXPECT_EQ(readBytes(temp() / "cat.wav"), recorder.recorded);
    EXPECT_EQ(window.soundReference(), (temp() / "dog.wav").string());
}

TEST_F(SoundWindowSessionTest, PickedFileIsTakenEvenWhenItsLengthCannotBeTold) {
    writeBytes(dir / "good.wav", testPcmWav(1.25));
    std::string sixChannels = testPcmWav(0.5);
    sixChannels[22] = 6;
    writeBytes(dir / "six.wav", sixChannels);

    window.open("dog");
    ASSERT_TRUE(window.mayChooseFile());
    window.fileChosen((dir / "good.wav").string());
    EXPECT_EQ(window.status(), Status::Loaded);
    EXPECT_EQ(window.statusText(), "Zvuk byl načten ze souboru");
    EXPECT_EQ(window.lengthText(), "Délka záznamu: 1,3 s");
    EXPECT_EQ(window.focus(), Focus::Ok);
    EXPECT_EQ(window.soundReference(), (dir / "good.wav").string());

    window.fileChosen((dir / "six.wav").string());
    EXPECT_EQ(window.lengthText(), "");
    EXPECT_EQ(window.soundReference(), (dir / "six.wav").string());
    window.fileChosen((dir / "missing.wav").string());
    EXPECT_EQ(window.lengthText(), "");
    EXPECT_EQ(window.soundReference(), (dir / "missing.wav").string());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SoundWindowSessionTest, NoPickingWhileRecording) {
    window.open("dog");
    ASSERT_TRUE(window.start());
    EXPECT_FALSE(window.mayChooseFile());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SoundWindowSessionTest, OkWhileRecordingAddsWithoutTheUnsavedRecording) {
    window.open("dog");
    ASSERT_TRUE(window.start());
    EXPECT_EQ(window.accept(), "NENÍ");
    EXPECT_FALSE(session.recording());
    EXPECT_FALSE(recorder.recording());
    EXPECT_FALSE(window.timerRunning());
    EXPECT_EQ(wavDurationSeconds(loadWavHeader(temp() / "dog.wav").header), 0);

    // Zpět keeps what Stop put into the sound field, and drops a recording begun after it.
    window.open("cat");
    ASSERT_TRUE(window.start());
    ASSERT_TRUE(window.stop());
    ASSERT_TRUE(window.start());
    window.back();
    EXPECT_FALSE(session.recording());
    EXPECT_EQ(window.soundReference(), (temp() / "cat.wav").string());

    // The next opening starts afresh.
    window.open("cat");
    EXPECT_EQ(window.soundReference(), "NENÍ");
    EXPECT_EQ(window.progress(), 0);
    EXPECT_EQ(window.statusText(), "Připraven");
}

TEST_F(SoundWindowSessionTest, NoInputDeviceLeavesTheWindowReady) {
    recorder.missingDevice = true;
    window.open("dog");
    EXPECT_FALSE(window.start());
    EXPECT_EQ(prompter.texts(Kind::Error),
              std::vector<std::string>{"Nenalezeno žádné zařízení pro nahrávání zvuku."});
    EXPECT_EQ(window.status(), Status::Ready);
    EXPECT_EQ(window.statusText(), "Připraven");
    EXPECT_EQ(window.focus(), Focus::Start);
    EXPECT_FALSE(window.timerRunning());
    EXPECT_FALSE(fs::exists(temp() / "dog.wav"));
}

TEST_F(SoundWindowSessionTest, FailedStopGoesBackToReady) {
    window.open("dog");
    ASSERT_TRUE(window.start());
    recorder.failStop = true;
    EXPECT_FALSE(window.stop());
    EXPECT_EQ(window.status(), Status::Ready);
    EXPECT_EQ(window.soundReference(), "NENÍ");
    EXPECT_FALSE(window.timerRunning());
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
}

}  // namespace
}  // namespace lexo
