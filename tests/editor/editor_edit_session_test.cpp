#include "editor/editor_edit_session.h"

#include <gtest/gtest.h>

#include "editor/editor_session.h"
#include "editor/sound_recording.h"
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
using Focus = ExpressionEditSession::Focus;
using Result = ExpressionEditSession::ConfirmResult;

Expression expr(std::string foreign, std::string czech, std::string pronunciation = "[]",
                std::string sound = "NENÍ") {
    return Expression{std::move(foreign), std::move(czech), std::move(pronunciation), std::move(sound)};
}

class ExpressionEditSessionTest : public ::testing::Test {
protected:
    ExpressionEditSessionTest() {
        for (int i = 1; i <= 6; ++i)
            editor.add(expr("en" + std::to_string(i), "cz" + std::to_string(i), "[p" + std::to_string(i) + "]"));
    }

    FakeTimers::FakeTimer& recordingClock() { return *timers.timers().front(); }

    TempDir dir;
    FakePrompter prompter;
    FakeRecorder recorder;
    FakeSoundPlayer player;
    FakeTimers timers;
    EditorSession editor{prompter};
    RecordingSession recording{recorder, prompter, dir.path()};
    ExpressionEditSession edit{editor, recording, player, prompter, timers};
};

TEST_F(ExpressionEditSessionTest, OpensOnARowWithTheFocusInTheClickedColumn) {
    ASSERT_TRUE(edit.open(4, Field::Pronunciation));
    EXPECT_EQ(edit.fields(), expr("en5", "cz5", "[p5]"));
    EXPECT_EQ(edit.focusOnOpen(), Focus::Pronunciation);
    EXPECT_EQ(editor.editingRow(), std::optional<std::size_t>(4));
    EXPECT_TRUE(edit.open(0, Field::Sound));
    EXPECT_EQ(edit.focusOnOpen(), Focus::Sound);
    EXPECT_TRUE(edit.open(0, Field::Czech));
    EXPECT_EQ(edit.focusOnOpen(), Focus::Czech);
    EXPECT_FALSE(edit.open(6, Field::Foreign)) << "no such row";
}

TEST_F(ExpressionEditSessionTest, UpravitWritesIntoItsRowOnly) {
    const ExpressionTable before = editor.table();
    ASSERT_TRUE(edit.open(4, Field::Foreign));
    edit.setField(Field::Foreign, "a+b+c+d");
    edit.setField(Field::Czech, "e+f+g+h");
    edit.setField(Field::Pronunciation, "[new]");
    edit.setField(Field::Sound, "/zvuky/pet.wav");
    EXPECT_EQ(edit.confirm(), Result::Written) << "four meanings each are allowed";
    EXPECT_TRUE(prompter.messages.empty());
    for (std::size_t row = 0; row < editor.size(); ++row) {
        if (row == 4)
            EXPECT_EQ(editor.table().at(row), expr("a+b+c+d", "e+f+g+h", "[new]", "/zvuky/pet.wav"));
        else
            EXPECT_EQ(editor.table().at(row), before.at(row));
    }
    EXPECT_FALSE(edit.isOpen());
    EXPECT_FALSE(editor.editingRow());
    EXPECT_EQ(player.stops, 1) << "a playing sound is stopped";
}

TEST_F(ExpressionEditSessionTest, FiveMeaningsAreRefusedAndNothingIsWritten) {
    const ExpressionTable before = editor.table();
    for (const Field crowded : {Field::Foreign, Field::Czech}) {
        prompter.clear();
        ASSERT_TRUE(edit.open(1, Field::Foreign));
        edit.setField(crowded, "a+b+c+d+e");
        EXPECT_EQ(edit.confirm(), Result::Refused);
        EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kTooManyAlternativesMessage)});
        EXPECT_TRUE(edit.isOpen()) << "the dialog stays open";
        EXPECT_EQ(editor.table(), before);
        edit.cancel();
    }
}

TEST_F(ExpressionEditSessionTest, ZrusitLeavesTheEditorAsItWas) {
    const ExpressionTable before = editor.table();
    ASSERT_TRUE(edit.open(2, Field::Foreign));
    edit.setField(Field::Foreign, "x");
    edit.setField(Field::Czech, "y");
    edit.setField(Field::Pronunciation, "z");
    edit.setField(Field::Sound, "/w.wav");
    edit.cancel();
    EXPECT_EQ(editor.table(), before);
    EXPECT_EQ(edit.fields(), expr("", "", "", "")) << "the fields are cleared";
}

TEST_F(ExpressionEditSessionTest, AnExpressionDeletedMeanwhileIsNotOverwritten) {
    ASSERT_TRUE(edit.open(3, Field::Foreign));
    editor.remove(0);
    edit.setField(Field::Foreign, "changed");
    EXPECT_EQ(edit.confirm(), Result::Written);
    EXPECT_EQ(editor.table().foreign(2), "changed") << "the same expression, now one row higher";

    ASSERT_TRUE(edit.open(2, Field::Foreign));
    editor.remove(2);
    const ExpressionTable before = editor.table();
    edit.setField(Field::Foreign, "lost");
    EXPECT_EQ(edit.confirm(), Result::RowGone);
    EXPECT_EQ(editor.table(), before);
}

TEST_F(ExpressionEditSessionTest, PlaysOnlyASoundThatIsThere) {
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    EXPECT_FALSE(edit.play()) << "NENÍ";
    edit.setField(Field::Sound, (dir / "missing.wav").string());
    EXPECT_FALSE(edit.play());
    EXPECT_TRUE(player.played.empty());
    writeBytes(dir / "pes.wav", testPcmWav(0.5));
    edit.setField(Field::Sound, (dir / "pes.wav").string());
    EXPECT_TRUE(edit.play());
    EXPECT_EQ(player.played, std::vector<std::string>{(dir / "pes.wav").string()});
}

TEST_F(ExpressionEditSessionTest, RecordsUnderTheForeignTextAndTakesThePathOnStop) {
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    edit.setField(Field::Foreign, "Why?");
    EXPECT_FALSE(edit.stopRecording()) << "Stop before Start does nothing";
    ASSERT_TRUE(edit.startRecording());
    const fs::path expected = dir / "Temp" / "Why1.wav";
    EXPECT_EQ(recorder.started, std::vector<std::string>{expected.string()});
    EXPECT_TRUE(recordingClock().active());
    EXPECT_EQ(recordingClock().interval(), 200);
    EXPECT_TRUE(recordingClock().repeating());
    EXPECT_FALSE(edit.startRecording()) << "one recording at a time";

    timers.advance(1000);
    EXPECT_EQ(edit.progress(), 25);
    timers.advance(3000);
    EXPECT_EQ(edit.progress(), 0) << "wraps at 100 every four seconds";
    timers.advance(200);
    EXPECT_EQ(edit.progress(), 5);

    ASSERT_TRUE(edit.stopRecording());
    EXPECT_EQ(edit.progress(), 100);
    EXPECT_FALSE(recordingClock().active());
    EXPECT_EQ(edit.fields().sound, expected.string());
    EXPECT_EQ(readBytes(expected), recorder.recorded);
    EXPECT_EQ(editor.table().sound(0), "NENÍ") << "written only by Upravit";
    EXPECT_EQ(edit.confirm(), Result::Written);
    EXPECT_EQ(editor.table().sound(0), expected.string());
}

TEST_F(ExpressionEditSessionTest, AnEmptyForeignTextStillRecords) {
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    edit.setField(Field::Foreign, "");
    ASSERT_TRUE(edit.startRecording());
    EXPECT_EQ(fs::path(recorder.started.at(0)), dir / "Temp" / ".wav");
    EXPECT_TRUE(edit.stopRecording());
}

TEST_F(ExpressionEditSessionTest, ZnovaAsksThenRecordsAgainFromScratch) {
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    edit.setField(Field::Foreign, "dog");
    ASSERT_TRUE(edit.startRecording());
    ASSERT_TRUE(edit.stopRecording());
    const fs::path file = dir / "Temp" / "dog.wav";

    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_FALSE(edit.restartRecording());
    EXPECT_EQ(readBytes(file), recorder.recorded) << "No keeps the recording";
    EXPECT_EQ(recorder.started.size(), 1u);

    prompter.queueAnswer(Prompter::Answer::Yes);
    ASSERT_TRUE(edit.restartRecording());
    EXPECT_EQ(prompter.texts(Kind::YesNo), std::vector<std::string>(2, "Opravdu si přejete znova nahrát zvuk?"));
    EXPECT_EQ(recorder.started.size(), 2u);
    EXPECT_TRUE(edit.recording());
    EXPECT_NE(readBytes(file), recorder.recorded) << "the old recording is gone";
    EXPECT_TRUE(recordingClock().active());
}

TEST_F(ExpressionEditSessionTest, ZnovaNeverTakesAnotherExpressionsRecording) {
    // The first expression's recording waits in Temp until the dictionary is saved.
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    edit.setField(Field::Foreign, "dog");
    ASSERT_TRUE(edit.startRecording());
    ASSERT_TRUE(edit.stopRecording());
    ASSERT_EQ(edit.confirm(), Result::Written);
    const fs::path dog = dir / "Temp" / "dog.wav";

    // Znova in the second expression's dialog, before and after it recorded anything.
    ASSERT_TRUE(edit.open(1, Field::Foreign));
    edit.setField(Field::Foreign, "cat");
    prompter.queueAnswer(Prompter::Answer::Yes);
    ASSERT_TRUE(edit.restartRecording());
    ASSERT_TRUE(edit.stopRecording());
    prompter.queueAnswer(Prompter::Answer::Yes);
    ASSERT_TRUE(edit.restartRecording());
    ASSERT_TRUE(edit.stopRecording());
    EXPECT_EQ(readBytes(dog), recorder.recorded) << "the first expression keeps its sound";
    EXPECT_EQ(edit.fields().sound, (dir / "Temp" / "cat.wav").string());
    edit.cancel();
    EXPECT_EQ(readBytes(dog), recorder.recorded);

    // A recording the sound window runs is not the dialog's to restart.
    ASSERT_TRUE(recording.start("bird"));
    ASSERT_TRUE(edit.open(2, Field::Foreign));
    prompter.queueAnswer(Prompter::Answer::Yes);
    EXPECT_FALSE(edit.restartRecording());
    EXPECT_TRUE(recording.recording());
    EXPECT_EQ(recording.currentPath(), dir / "Temp" / "bird.wav");
}

TEST_F(ExpressionEditSessionTest, ClosingTheDialogEndsItsRecording) {
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    ASSERT_TRUE(edit.startRecording());
    edit.cancel();
    EXPECT_FALSE(recording.recording());
    EXPECT_FALSE(recordingClock().active());
    EXPECT_EQ(editor.table().sound(0), "NENÍ");

    // A recording the sound window runs is not the dialog's to end.
    ASSERT_TRUE(recording.start("cat"));
    ASSERT_TRUE(edit.open(1, Field::Foreign));
    EXPECT_EQ(edit.confirm(), Result::Written);
    EXPECT_TRUE(recording.recording());
}

TEST_F(ExpressionEditSessionTest, NoInputDeviceChangesNothing) {
    recorder.missingDevice = true;
    ASSERT_TRUE(edit.open(0, Field::Foreign));
    EXPECT_FALSE(edit.startRecording());
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_FALSE(recordingClock().active());
    EXPECT_FALSE(edit.recording());
    EXPECT_EQ(edit.fields().sound, "NENÍ");
}

}  // namespace
}  // namespace lexo
