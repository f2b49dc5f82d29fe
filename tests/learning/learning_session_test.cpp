#include "learning/learning_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/dictionary_file.h"
#include "learning/learning_settings.h"
#include "platform/settings_store.h"
#include "platform/wav_header.h"
#include "support/fake_prompter.h"
#include "support/fake_sound_player.h"
#include "support/fake_speaker.h"
#include "support/fake_timers.h"
#include "support/temp_dir.h"
#include "text/text_codec.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using Kind = FakePrompter::Kind;
using Answer = Prompter::Answer;

class LearningSessionTest : public ::testing::Test {
protected:
    LearningSessionTest() {
        settings.load();
        startup.soundWorks = true;
    }

    // Lines are UTF-8 here and stored in Windows-1250, as dictionaries are.
    fs::path dictionary(const std::vector<std::string>& lines, const std::string& name = "slovicka.slv") {
        const fs::path file = dir / name;
        testing::writeDictionary(file, lines);
        return file;
    }

    void open(const std::vector<std::string>& lines) { ASSERT_TRUE(session.openDictionary(dictionary(lines))); }
    void openThree() { open({"pes;dog;[dog];NENÍ", "kočka;cat;[kæt];NENÍ", "dům;house;[haus];NENÍ"}); }

    // A mono 16-bit recording of the given length at 8 kHz.
    fs::path recording(const std::string& name, double seconds) {
        const PcmFormat format{8000, 1, 16};
        const auto data = static_cast<std::uint32_t>(seconds * format.bytesPerSecond());
        const fs::path file = dir / name;
        testing::writeBytes(file, pcmWavHeader(format, data) + std::string(data, '\0'));
        return file;
    }

    void manual() { settings.setAutoAdvance(false); }
    void pronounce(int delay) {
        settings.setPronounce(true);
        ASSERT_TRUE(settings.setPronunciationDelayText(std::to_string(delay)));
    }

    const LearningView& view() const { return session.view(); }

    testing::TempDir dir;
    FakePrompter prompter;
    FakeTimers timers;
    FakeSoundPlayer player;
    FakeSpeaker speaker;
    MemorySettingsStore store;
    LearningSettingsModel settings{store, prompter};
    StartupState startup{{}};
    LearningSession session{LearningServices{prompter, timers, player, speaker, settings, startup, dir.path()}};
};

// --- passes

TEST_F(LearningSessionTest, ManualPassShowsEveryExpressionThenAsksWithItsOwnQuestion) {
    manual();
    openThree();
    EXPECT_EQ(view().total, "3");
    const std::vector<std::string> foreign{"dog", "cat", "house"};
    for (std::size_t i = 0; i < foreign.size(); ++i) {
        if (i > 0) session.advance();
        EXPECT_EQ(view().current, std::to_string(i + 1));
        EXPECT_EQ(view().foreign, foreign[i]);
        EXPECT_FALSE(session.advancing());
    }
    EXPECT_EQ(view().czech, "dům");
    EXPECT_EQ(view().pronunciation, "[haus]");
    EXPECT_TRUE(prompter.messages.empty());

    prompter.queueAnswer(Answer::Yes);
    session.advance();
    ASSERT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>{"Výuka skončila, přejete si ji zopakovat?"});
    // A repeat starts from before the first expression, and the flag of a running lesson is gone.
    EXPECT_EQ(session.position(), -1);
    EXPECT_FALSE(session.running());
    EXPECT_EQ(view().current, "0");
    EXPECT_EQ(view().foreign, "-");
    EXPECT_EQ(view().czech, "-");
    EXPECT_EQ(view().pronunciation, "[haus]");
    session.advance();
    EXPECT_EQ(view().foreign, "dog");
    EXPECT_EQ(view().current, "1");

    session.advance();
    session.advance();
    prompter.queueAnswer(Answer::No);
    session.advance();
    EXPECT_FALSE(session.lessonOpen());
    EXPECT_EQ(view().total, "-");
    EXPECT_EQ(view().current, "-");
    EXPECT_EQ(view().pronunciation, "-");
    session.advance();
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{"Není načtený slovník"});
}

TEST_F(LearningSessionTest, AutomaticPassStopsTheTimerAndAsksTheOtherQuestion) {
    openThree();
    EXPECT_EQ(view().interval, "2");
    EXPECT_TRUE(session.advancing());
    EXPECT_EQ(session.advanceIntervalMs(), 2000);
    timers.advance(1999);
    EXPECT_EQ(view().current, "1");
    timers.advance(1);
    EXPECT_EQ(view().current, "2");
    timers.advance(2000);
    EXPECT_EQ(view().foreign, "house");
    EXPECT_TRUE(prompter.messages.empty());

    prompter.queueAnswer(Answer::Yes);
    timers.advance(2000);
    ASSERT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>{"Výuka zkončila, přejete si ji zopakovat?"});
    EXPECT_EQ(session.position(), -1);
    // Stopped for the question; the lesson goes on when the window is active again.
    EXPECT_FALSE(session.advancing());
    EXPECT_TRUE(session.running());
    timers.advance(10000);
    EXPECT_EQ(session.position(), -1);
    session.windowActivated();
    timers.advance(2000);
    EXPECT_EQ(view().foreign, "dog");

    prompter.queueAnswer(Answer::No);
    timers.advance(6000);
    EXPECT_FALSE(session.lessonOpen());
    EXPECT_FALSE(session.running());
    session.windowActivated();
    EXPECT_FALSE(session.advancing());
}

TEST_F(LearningSessionTest, AnIntervalChangedBeforeAnAdvanceCountsFromIt) {
    openThree();
    settings.setAdvanceInterval(7);
    timers.advance(2000);
    EXPECT_EQ(view().current, "2");
    EXPECT_EQ(session.advanceIntervalMs(), 7000);
    timers.advance(6999);
    EXPECT_EQ(view().current, "2");
    timers.advance(1);
    EXPECT_EQ(view().current, "3");
}

// --- back, pause, activation

TEST_F(LearningSessionTest, BackDoesNothingAtTheStartBeforeAnyExpressionOrInAutomaticAdvance) {
    openThree();
    session.advance();
    session.back();
    EXPECT_EQ(view().current, "2") << "automatic advance";

    manual();
    session.back();
    EXPECT_EQ(view().current, "1");
    EXPECT_EQ(view().foreign, "dog");
    session.back();
    EXPECT_EQ(session.position(), 0) << "the first expression";

    session.advance();
    session.advance();
    prompter.queueAnswer(Answer::Yes);
    session.advance();
    ASSERT_EQ(session.position(), -1);
    session.back();
    EXPECT_EQ(session.position(), -1) << "before any expression";
    EXPECT_EQ(view().current, "0");
    EXPECT_EQ(view().foreign, "-");
}

TEST_F(LearningSessionTest, BackPronouncesAtOnceWithoutTheDelay) {
    manual();
    pronounce(3);
    const fs::path sound = recording("cat.wav", 0.5);
    open({"pes;dog;[];NENÍ", "kočka;cat;[];" + sound.string(), "dům;house;[];NENÍ"});
    timers.advance(3000);
    session.advance();
    timers.advance(3000);
    session.advance();
    timers.advance(3000);
    ASSERT_EQ(speaker.spoken, (std::vector<std::string>{"dog", "house"}));
    ASSERT_EQ(player.played, std::vector<std::string>{sound.string()});

    session.back();
    EXPECT_EQ(player.played, (std::vector<std::string>{sound.string(), sound.string()}));
    EXPECT_EQ(view().foreign, "cat");
    EXPECT_EQ(view().current, "2");
    EXPECT_FALSE(session.pronunciationPending());
    session.back();
    EXPECT_EQ(speaker.spoken, (std::vector<std::string>{"dog", "house", "dog"}));

    startup.soundWorks = false;
    session.advance();
    timers.advance(3000);
    session.advance();
    timers.advance(3000);
    session.back();
    EXPECT_EQ(speaker.spoken.size(), 3u) << "no speech while the start-up sound did not play";
    EXPECT_EQ(player.played.size(), 4u) << "a recording plays all the same";
}

TEST_F(LearningSessionTest, PauseHoldsAutomaticAdvanceUntilTheWindowIsActiveAgain) {
    session.pause();
    openThree();
    session.pause();
    EXPECT_FALSE(session.advancing());
    timers.advance(10000);
    EXPECT_EQ(view().current, "1");
    session.windowActivated();
    EXPECT_TRUE(session.advancing());
    timers.advance(2000);
    EXPECT_EQ(view().current, "2");

    // An activation while it counts keeps its time.
    timers.advance(1500);
    session.windowActivated();
    timers.advance(500);
    EXPECT_EQ(view().current, "3");

    // In manual advance the running flag does not start the timer.
    session.pause();
    manual();
    session.windowActivated();
    timers.advance(2000);
    EXPECT_EQ(view().current, "3");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LearningSessionTest, TurningAutomaticAdvanceOffLetsThePendingTickAdvanceOnceMore) {
    openThree();
    manual();
    EXPECT_TRUE(session.advancing());
    timers.advance(2000);
    EXPECT_EQ(view().current, "2");
    EXPECT_FALSE(session.advancing());
    timers.advance(20000);
    EXPECT_EQ(view().current, "2");
}

// --- pronunciation

TEST_F(LearningSessionTest, ADelayLongerThanTheIntervalPronouncesTheNextExpressionAtOnce) {
    pronounce(5);
    openThree();
    EXPECT_TRUE(speaker.spoken.empty());
    EXPECT_TRUE(session.pronunciationPending());
    timers.advance(2000);
    EXPECT_EQ(view().foreign, "cat");
    // "dog" never comes: its delay had not passed.
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"cat"});
    EXPECT_FALSE(session.pronunciationPending());
    timers.advance(2000);
    EXPECT_EQ(view().foreign, "house");
    EXPECT_TRUE(session.pronunciationPending());
    prompter.queueAnswer(Answer::Yes);
    timers.advance(2000);
    ASSERT_EQ(prompter.count(Kind::YesNo), 1u);
    // The delay falls due between passes: there is nothing to pronounce.
    timers.advance(5000);
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"cat"});
    EXPECT_FALSE(session.pronunciationPending());
}

TEST_F(LearningSessionTest, ARecordingPlayedAfterTheDelayLengthensTheIntervalByItsWholeSeconds) {
    pronounce(1);
    const fs::path sound = recording("dog.wav", 3.7);
    open({"pes;dog;[];" + sound.string(), "kočka;cat;[];NENÍ"});
    EXPECT_TRUE(player.played.empty());
    timers.advance(1000);
    EXPECT_EQ(player.played, std::vector<std::string>{sound.string()});
    EXPECT_EQ(session.advanceIntervalMs(), 5000);
    timers.advance(4999);
    EXPECT_EQ(view().foreign, "dog");
    timers.advance(1);
    EXPECT_EQ(view().foreign, "cat");
    // No recording: the playing sound is cut and the text spoken.
    EXPECT_EQ(player.stops, 0);
    timers.advance(1000);
    EXPECT_EQ(player.stops, 1);
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"cat"});
}

TEST_F(LearningSessionTest, ARecordingPlayedAtOnceKeepsThePlainInterval) {
    pronounce(0);
    const fs::path sound = recording("dog.wav", 3.7);
    open({"pes;dog;[];" + sound.string(), "kočka;cat;[];NENÍ"});
    EXPECT_EQ(player.played, std::vector<std::string>{sound.string()});
    EXPECT_EQ(session.advanceIntervalMs(), 2000);
    timers.advance(2000);
    EXPECT_EQ(view().foreign, "cat");
}

TEST_F(LearningSessionTest, AFileThatIsNoRecordingStillPlaysWithThePlainInterval) {
    pronounce(1);
    const fs::path noise = dir / "noise.wav";
    testing::writeBytes(noise, "not a wave file at all");
    open({"pes;dog;[];" + noise.string(), "kočka;cat;[];NENÍ"});
    timers.advance(1000);
    EXPECT_EQ(player.played, std::vector<std::string>{noise.string()});
    EXPECT_EQ(session.advanceIntervalMs(), 2000);
    timers.advance(2000);
    EXPECT_EQ(view().foreign, "cat");
}

TEST_F(LearningSessionTest, ManualDelayPronouncesOnceAndEveryExpressionGetsItsDelay) {
    manual();
    pronounce(2);
    startup.soundWorks = false;
    const fs::path sound = recording("cat.wav", 1.0);
    open({"pes;dog;[];" + (dir / "missing.wav").string(), "kočka;cat;[];" + sound.string()});
    // A reference to a missing file, and no speech without a working sound check: silence.
    timers.advance(2000);
    EXPECT_TRUE(speaker.spoken.empty());
    EXPECT_TRUE(player.played.empty());
    EXPECT_FALSE(session.pronunciationPending());
    session.advance();
    EXPECT_TRUE(player.played.empty()) << "the second expression waits for its own delay";
    timers.advance(2000);
    EXPECT_EQ(player.played, std::vector<std::string>{sound.string()});
    timers.advance(10000);
    EXPECT_EQ(player.played.size(), 1u);
}

TEST_F(LearningSessionTest, PronunciationOffStopsADelayStillRunning) {
    pronounce(3);
    openThree();
    settings.setPronounce(false);
    timers.advance(3000);
    EXPECT_FALSE(session.pronunciationPending());
    settings.setPronounce(true);
    timers.advance(2000);
    EXPECT_TRUE(speaker.spoken.empty()) << "the next expression waits for its delay again";
    EXPECT_TRUE(session.pronunciationPending());
}

TEST_F(LearningSessionTest, SpeakingOnRequestIgnoresTheSettingsButNeedsAnExpression) {
    session.speak();
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{"Není načtený slovník"});
    manual();
    startup.soundWorks = false;
    openThree();
    session.speak();
    EXPECT_EQ(speaker.spoken, std::vector<std::string>{"dog"});
    session.advance();
    session.advance();
    prompter.queueAnswer(Answer::Yes);
    session.advance();
    session.speak();
    EXPECT_EQ(speaker.spoken.size(), 1u);
    EXPECT_EQ(prompter.count(Kind::Warning), 1u);
}

// --- what is shown

TEST_F(LearningSessionTest, AlternativesAreJoinedWithSemicolonsAllOfThem) {
    manual();
    open({"pes;dog;[];NENÍ", "hrad+zámek+tvrz;castle+chateau+fort;[];NENÍ", "běžet+;run+;[];NENÍ",
          "a+b+c+d+e;one+two+three+four+five;[];NENÍ", ";;;"});
    EXPECT_EQ(view().foreign, "dog");
    session.advance();
    EXPECT_EQ(view().foreign, "castle ; chateau ; fort");
    EXPECT_EQ(view().czech, "hrad ; zámek ; tvrz");
    session.advance();
    EXPECT_EQ(view().foreign, "run ; ");
    EXPECT_EQ(view().czech, "běžet ; ");
    session.advance();
    EXPECT_EQ(view().foreign, "one ; two ; three ; four ; five");
    EXPECT_EQ(view().czech, "a ; b ; c ; d ; e");
    session.advance();
    EXPECT_EQ(view().foreign, "");
    EXPECT_EQ(view().pronunciation, "");
    EXPECT_EQ(view().current, "5");
}

TEST_F(LearningSessionTest, ShortLinesGetSafeFields) {
    manual();
    open({"jen česky", "pes;dog"});
    EXPECT_EQ(view().czech, "jen česky");
    EXPECT_EQ(view().foreign, "");
    EXPECT_EQ(view().pronunciation, "[]");
    session.advance();
    EXPECT_EQ(view().foreign, "dog");
    EXPECT_EQ(view().pronunciation, "[]");
}

TEST_F(LearningSessionTest, ConfirmedSettingsSetThePauseButtonIntervalAndSize) {
    EXPECT_TRUE(view().pauseEnabled);
    manual();
    settings.setFontSize(16);
    openThree();
    EXPECT_EQ(view().interval, "-");
    EXPECT_EQ(view().textSize, 16);
    session.windowClosed();
    EXPECT_FALSE(view().pauseEnabled) << "a reset with manual advance disables pausing";
    settings.setAutoAdvance(true);
    session.windowShown();
    EXPECT_FALSE(view().pauseEnabled) << "only confirming the settings enables it";
    settings.setAdvanceInterval(9);
    settings.setFontSize(12);
    session.settingsConfirmed();
    EXPECT_TRUE(view().pauseEnabled);
    EXPECT_EQ(view().interval, "9");
    EXPECT_EQ(view().textSize, 12);
    session.expressionFontApplied();
    EXPECT_EQ(view().textSize, 10);
}

// --- opening

TEST_F(LearningSessionTest, OpeningReportsEmptyAndUnreadableFilesAndAsksBeforeEndingALesson) {
    EXPECT_FALSE(session.openDictionary(dir / "missing.slv"));
    EXPECT_FALSE(session.openDictionary(dir.path()));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(session.newLesson()) << "no lesson: the open dialog runs";

    testing::writeBytes(dir / "empty.slv", "\r\n\r\n");
    EXPECT_TRUE(session.openDictionary(dir / "empty.slv"));
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{"Nejde načíst prázdný slovník!"});
    EXPECT_FALSE(session.lessonOpen());

    manual();
    openThree();
    session.advance();
    prompter.clear();
    prompter.queueAnswer(Answer::No);
    EXPECT_TRUE(session.openDictionary(dictionary({"strom;tree;[];NENÍ"}, "jiny.slv")));
    EXPECT_EQ(prompter.texts(Kind::YesNo),
              std::vector<std::string>{"Právě probíhá výuka, přejete si ji ukončit a začít novou výuku?"});
    EXPECT_EQ(view().foreign, "cat") << "No keeps the lesson";
    // An unreadable file asks nothing and keeps the lesson.
    EXPECT_FALSE(session.openDictionary(dir / "missing.slv"));
    EXPECT_EQ(prompter.count(Kind::YesNo), 1u);

    prompter.queueAnswer(Answer::Yes);
    EXPECT_TRUE(session.openDictionary(dictionary({"strom;tree;[];NENÍ"}, "jiny.slv")));
    EXPECT_EQ(view().foreign, "tree");
    EXPECT_EQ(view().total, "1");

    prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(session.newLesson());
    EXPECT_TRUE(session.lessonOpen());
    prompter.queueAnswer(Answer::Yes);
    EXPECT_FALSE(session.newLesson()) << "the user chooses a dictionary with the next command";
    EXPECT_FALSE(session.lessonOpen());
    EXPECT_EQ(view().foreign, "-");
}

TEST_F(LearningSessionTest, TheCommandLineDictionaryIsTakenOnceFromTheProgramFolder) {
    dictionary({"pes;dog;[];NENÍ", "kočka;cat;[];NENÍ"}, "zvirata.slv");
    StartupState fromCommandLine({"zvirata.slv"});
    const fs::path elsewhere = dir / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere);
    LearningSession learning{LearningServices{prompter, timers, player, speaker, settings, fromCommandLine, dir.path()}};
    learning.windowShown();
    fs::current_path(before);
    EXPECT_TRUE(learning.lessonOpen());
    EXPECT_EQ(learning.view().foreign, "dog");
    EXPECT_EQ(learning.dictionaryPath(), dir / "zvirata.slv");
    EXPECT_FALSE(fromCommandLine.openFromCommandLine());

    // Showing the window again starts afresh, without the command line.
    learning.windowShown();
    EXPECT_FALSE(learning.lessonOpen());
    EXPECT_EQ(learning.view().foreign, "-");
}

TEST_F(LearningSessionTest, AnUnreadableCommandLineDictionaryIsReported) {
    StartupState fromCommandLine({(dir / "chybi.slv").string()});
    LearningSession learning{LearningServices{prompter, timers, player, speaker, settings, fromCommandLine, dir.path()}};
    learning.windowShown();
    EXPECT_FALSE(learning.lessonOpen());
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_NE(prompter.texts(Kind::Error)[0].find("chybi.slv"), std::string::npos);
}

TEST_F(LearningSessionTest, ClosingEndsTheLessonAndEveryTimer) {
    pronounce(4);
    openThree();
    session.windowClosed();
    EXPECT_FALSE(session.lessonOpen());
    EXPECT_EQ(timers.activeCount(), 0u);
    timers.advance(60000);
    EXPECT_TRUE(speaker.spoken.empty());
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace lexo
