#include "editor/editor_session.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/general_settings.h"
#include "app/shell.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/sound_folder.h"
#include "platform/settings_store.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;
using Reveal = EditorSession::Observer::Reveal;

Expression expr(std::string foreign, std::string czech, std::string pronunciation = "[]",
                std::string sound = "NENÍ") {
    return Expression{std::move(foreign), std::move(czech), std::move(pronunciation), std::move(sound)};
}

// Records what the list would be told.
struct RecordingObserver : EditorSession::Observer {
    std::vector<std::string> events;
    std::vector<std::pair<std::size_t, Reveal>> reveals;
    void beginReset() override { events.push_back("reset"); }
    void beginAppend(std::size_t row) override { events.push_back("append " + std::to_string(row)); }
    void beginRemove(std::size_t row) override { events.push_back("remove " + std::to_string(row)); }
    void rowChanged(std::size_t row) override { events.push_back("changed " + std::to_string(row)); }
    void soundsChanged() override { events.push_back("sounds"); }
    void reveal(std::size_t row, Reveal how) override { reveals.emplace_back(row, how); }
};

class EditorSessionTest : public ::testing::Test {
protected:
    EditorSessionTest() {
        session.setObserver(&observer);
        session.setSavePathChooser([this](const std::string& suggested) -> std::optional<fs::path> {
            offeredNames.push_back(suggested);
            return std::exchange(nextSavePath, std::nullopt);
        });
    }

    void addRows(std::initializer_list<Expression> rows) {
        for (const Expression& row : rows) ASSERT_TRUE(session.add(row));
    }

    FakePrompter prompter;
    RecordingObserver observer;
    EditorSession session{prompter};
    std::vector<std::string> offeredNames;
    std::optional<fs::path> nextSavePath;
    TempDir dir;
};

TEST_F(EditorSessionTest, AddAppendsWhatTheEditsHoldAndRefusesMissingFields) {
    EXPECT_EQ(session.countText(), "Počet výrazů ve slovníku: - ");
    EXPECT_EQ(session.caption(), "Editor výrazů - novyslovnik.slv");

    addRows({expr("dog", "pes"), expr("cat", "kočka", "[k@t]", "/tmp/kocka.wav")});
    ASSERT_EQ(session.size(), 2u);
    EXPECT_EQ(session.table().at(1), expr("cat", "kočka", "[k@t]", "/tmp/kocka.wav"));
    EXPECT_EQ(session.countText(), "Počet výrazů ve slovníku: 2");
    EXPECT_EQ(observer.events, (std::vector<std::string>{"append 0", "append 1"}));
    ASSERT_FALSE(observer.reveals.empty());
    EXPECT_EQ(observer.reveals.back(), std::make_pair(std::size_t{1}, Reveal::AtBottom));

    // Each of the three required fields alone blocks the add; the pronunciation does not.
    for (const Expression& incomplete : {expr("", "x"), expr("x", ""), expr("x", "y", "[]", "")}) {
        prompter.clear();
        EXPECT_FALSE(session.add(incomplete));
        EXPECT_EQ(prompter.messages,
                  (std::vector<FakePrompter::Message>{{Kind::Warning, std::string(kMissingFieldsMessage)}}));
    }
    EXPECT_EQ(session.size(), 2u);
    EXPECT_TRUE(session.add(expr("a", "b", "")));
    EXPECT_EQ(session.table().pronunciation(2), "[]") << "an empty pronunciation is stored as []";
}

TEST_F(EditorSessionTest, StoredTextsCanNeverBreakTheLineFormat) {
    // Pasted text bypasses the typing rule; the line must still have four fields.
    addRows({expr("a;b", "c\nd", "[x;y]", "/zvuky/a;b.wav")});
    EXPECT_EQ(session.table().at(0), expr("a+b", "c d", "[x+y]", "/zvuky/a;b.wav"));
    EXPECT_TRUE(session.replace(0, expr("e;f", "g", "", "")));
    EXPECT_EQ(session.table().at(0), expr("e+f", "g", "[]", "NENÍ"));
}

TEST_F(EditorSessionTest, DeleteClosesTheGapAndTheEditedRowFollows) {
    addRows({expr("1", "a"), expr("2", "b"), expr("3", "c"), expr("4", "d")});
    session.setEditingRow(2);
    observer.events.clear();

    EXPECT_TRUE(session.remove(0));
    EXPECT_EQ(session.countText(), "Počet výrazů ve slovníku:3");
    EXPECT_EQ(session.table().foreign(0), "2");
    EXPECT_EQ(session.table().foreign(2), "4");
    EXPECT_EQ(session.editingRow(), std::optional<std::size_t>(1)) << "the dialog's expression moved up";

    EXPECT_TRUE(session.remove(1));
    EXPECT_FALSE(session.editingRow()) << "the dialog's expression is gone";
    EXPECT_FALSE(session.remove(2)) << "no such row";
    EXPECT_EQ(observer.events, (std::vector<std::string>{"remove 0", "remove 1"}));

    EXPECT_TRUE(session.remove(0));
    EXPECT_TRUE(session.remove(0));
    EXPECT_FALSE(session.remove(0)) << "an empty list has nothing to delete";
    EXPECT_EQ(session.countText(), "Počet výrazů ve slovníku:0");
}

TEST_F(EditorSessionTest, ReplaceChangesOneRecordOnly) {
    addRows({expr("1", "a"), expr("2", "b"), expr("3", "c"), expr("4", "d"), expr("5", "e"), expr("6", "f")});
    const ExpressionTable before = session.table();
    EXPECT_TRUE(session.replace(4, expr("five", "pět", "[faiv]", "/x/5.wav")));
    for (std::size_t row = 0; row < session.size(); ++row) {
        if (row == 4)
            EXPECT_EQ(session.table().at(row), expr("five", "pět", "[faiv]", "/x/5.wav"));
        else
            EXPECT_EQ(session.table().at(row), before.at(row)) << "row " << row;
    }
    EXPECT_FALSE(session.replace(6, expr("x", "y")));
}

TEST_F(EditorSessionTest, SearchesLookAtOneColumnFromTheHeaderDown) {
    for (int i = 1; i <= 30; ++i)
        addRows({expr("en" + std::to_string(i), "cz" + std::to_string(i), "[p]", "/s/" + std::to_string(i) + ".wav")});
    observer.reveals.clear();

    // The header row counts as row 0.
    EXPECT_EQ(session.find(Field::Foreign, "Cizí výraz"), std::optional<std::size_t>(0));
    EXPECT_EQ(session.find(Field::Foreign, "en5"), std::optional<std::size_t>(5));
    EXPECT_EQ(session.find(Field::Czech, "cz20"), std::optional<std::size_t>(20));
    EXPECT_EQ(session.find(Field::Sound, "/s/13.wav"), std::optional<std::size_t>(13));
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>(4, std::string(kExpressionFoundMessage)));
    // Rows above 13 leave the list at its top; lower ones become the top row.
    EXPECT_EQ(observer.reveals, (std::vector<std::pair<std::size_t, Reveal>>{
                                    {0, Reveal::Top}, {0, Reveal::Top}, {19, Reveal::AtTop}, {12, Reveal::AtTop}}));

    prompter.clear();
    EXPECT_FALSE(session.find(Field::Czech, "en5")) << "a foreign text is not in the Czech column";
    EXPECT_FALSE(session.find(Field::Foreign, "EN5")) << "case-sensitive";
    EXPECT_FALSE(session.find(Field::Foreign, "en")) << "whole cells only";
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>(3, std::string(kExpressionNotFoundMessage)));
    prompter.clear();
    EXPECT_FALSE(session.find(Field::Foreign, ""));
    EXPECT_TRUE(prompter.messages.empty()) << "an empty answer does nothing";
}

TEST_F(EditorSessionTest, AlternativeLimitWarnsWithoutBlocking) {
    EXPECT_TRUE(session.acceptLeaving("a+b+c+d"));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(session.acceptLeaving("a+b+c+d+e"));
    EXPECT_EQ(prompter.texts(Kind::Warning), std::vector<std::string>{std::string(kTooManyAlternativesMessage)});
    EXPECT_TRUE(session.add(expr("a+b+c+d+e", "x"))) << "adding is not blocked";
}

TEST_F(EditorSessionTest, SaveOfANewDictionaryAsksForANameOnce) {
    EXPECT_FALSE(session.save());
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kEmptySaveMessage)});
    EXPECT_TRUE(offeredNames.empty()) << "an empty table is refused before any dialog";

    addRows({expr("dog+hound", "pes")});
    prompter.clear();
    EXPECT_FALSE(session.save()) << "Cancel";
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kSaveCancelledMessage)});
    EXPECT_EQ(session.caption(), "Editor výrazů - novyslovnik.slv");

    nextSavePath = dir / "zvirata.slv";
    EXPECT_TRUE(session.save());
    EXPECT_EQ(offeredNames, (std::vector<std::string>{"novyslovnik.slv", "novyslovnik.slv"}));
    EXPECT_EQ(readBytes(dir / "zvirata.slv"), "pes;dog+hound;[];NEN\xCD\r\n");
    EXPECT_EQ(session.caption(), "Editor výrazů - zvirata.slv");
    EXPECT_EQ(session.path(), dir / "zvirata.slv");

    addRows({expr("cat", "kočka")});
    EXPECT_TRUE(session.save());
    EXPECT_EQ(offeredNames.size(), 2u) << "a named dictionary is saved without a dialog";
    EXPECT_EQ(readBytes(dir / "zvirata.slv"), "pes;dog+hound;[];NEN\xCD\r\nko\xE8ka;cat;[];NEN\xCD\r\n");
}

TEST_F(EditorSessionTest, SaveGathersTheSoundsBesideTheDictionary) {
    writeBytes(dir / "rec" / "kocka.wav", "cat sound");
    writeBytes(dir / "other" / "kocka.wav", "another cat");
    addRows({expr("cat", "kočka", "[]", (dir / "rec" / "kocka.wav").string()),
             expr("kitten", "kotě", "[]", (dir / "other" / "kocka.wav").string()),
             expr("cat again", "kočka", "[]", (dir / "rec" / "kocka.wav").string())});
    fs::create_directories(dir / "d");
    nextSavePath = dir / "d" / "zvirata.slv";
    ASSERT_TRUE(session.save());

    // Two different sounds of one name both survive; rows sharing a file share its copy.
    const fs::path folder = dir / "d" / "zvirata";
    const fs::path first(session.table().sound(0));
    const fs::path second(session.table().sound(1));
    EXPECT_EQ(first, folder / "kocka.wav");
    EXPECT_EQ(second.parent_path(), folder);
    EXPECT_NE(second, first);
    EXPECT_EQ(readBytes(first), "cat sound");
    EXPECT_EQ(readBytes(second), "another cat");
    EXPECT_EQ(session.table().sound(2), session.table().sound(0));
    EXPECT_NE(std::find(observer.events.begin(), observer.events.end(), "sounds"), observer.events.end());
    // The file holds the moved references.
    const DictionaryLoad reread = loadDictionary(dir / "d" / "zvirata.slv");
    ASSERT_EQ(reread.status, LoadStatus::Loaded);
    EXPECT_EQ(reread.table, session.table());
    EXPECT_FALSE(session.modified());
}

TEST_F(EditorSessionTest, SaveOfANameWithoutADotKeepsSoundsInTheDictionaryFolder) {
    writeBytes(dir / "rec" / "pes.wav", "woof");
    addRows({expr("dog", "pes", "[]", (dir / "rec" / "pes.wav").string())});
    fs::create_directories(dir / "d");
    nextSavePath = dir / "d" / "slovnik";
    ASSERT_TRUE(session.save());
    EXPECT_TRUE(fs::is_regular_file(dir / "d" / "slovnik"));
    EXPECT_EQ(fs::path(session.table().sound(0)), dir / "d" / "pes.wav");
    EXPECT_EQ(readBytes(dir / "d" / "pes.wav"), "woof");
    EXPECT_EQ(session.table().sound(0).find("//"), std::string_view::npos);
}

TEST_F(EditorSessionTest, SaveAsMovesSoundsAndLeavesTheEarlierDictionaryItsOwn) {
    nextSavePath = dir / "prazdny.slv";
    EXPECT_TRUE(session.saveAs()) << "an empty table is written as an empty file";
    EXPECT_TRUE(fs::exists(dir / "prazdny.slv"));
    EXPECT_EQ(fs::file_size(dir / "prazdny.slv"), 0u);

    writeBytes(dir / "rec" / "pes.wav", "woof");
    addRows({expr("dog", "pes", "[]", (dir / "rec" / "pes.wav").string())});
    nextSavePath = dir / "novy.slv";
    EXPECT_TRUE(session.saveAs());
    EXPECT_EQ(fs::path(session.table().sound(0)), dir / "novy" / "pes.wav");
    EXPECT_EQ(readBytes(dir / "novy" / "pes.wav"), "woof");
    EXPECT_EQ(session.caption(), "Editor výrazů - novy.slv");
    EXPECT_FALSE(session.modified());

    // Under yet another name the sounds are copied: novy.slv still lies on disk and
    // keeps playing its own.
    nextSavePath = dir / "kopie.slv";
    EXPECT_TRUE(session.saveAs());
    EXPECT_EQ(fs::path(session.table().sound(0)), dir / "kopie" / "pes.wav");
    EXPECT_EQ(readBytes(dir / "kopie" / "pes.wav"), "woof");
    EXPECT_EQ(readBytes(dir / "novy" / "pes.wav"), "woof");
    const DictionaryLoad earlier = loadDictionary(dir / "novy.slv");
    ASSERT_EQ(earlier.status, LoadStatus::Loaded);
    EXPECT_EQ(fs::path(earlier.table.sound(0)), dir / "novy" / "pes.wav");

    prompter.clear();
    EXPECT_FALSE(session.saveAs());
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kSaveCancelledMessage)});
}

TEST_F(EditorSessionTest, RecordingsSavedAsOutliveTheTempCleanUp) {
    // Two recordings wait in Temp, as the sound window and the edit dialog leave them.
    const fs::path temp = dir / "program" / "Temp";
    writeBytes(temp / "dog.wav", "woof");
    writeBytes(temp / "cat.wav", "meow");
    addRows({expr("dog", "pes", "[]", (temp / "dog.wav").string()),
             expr("cat", "kočka", "[]", (temp / "cat.wav").string())});
    nextSavePath = dir / "slovniky" / "zvirata.slv";
    fs::create_directories(dir / "slovniky");
    ASSERT_TRUE(session.saveAs());

    // Exit clean-up, then the dictionary is opened in a new run.
    clearTempFolder(temp);
    EditorSession reopened{prompter};
    ASSERT_TRUE(reopened.open(dir / "slovniky" / "zvirata.slv"));
    ASSERT_EQ(reopened.size(), 2u);
    const auto dog = playableSound(reopened.table().sound(0), dir / "slovniky" / "zvirata.slv");
    const auto cat = playableSound(reopened.table().sound(1), dir / "slovniky" / "zvirata.slv");
    ASSERT_TRUE(dog && cat);
    EXPECT_EQ(readBytes(*dog), "woof");
    EXPECT_EQ(readBytes(*cat), "meow");
}

TEST_F(EditorSessionTest, AFailedWriteKeepsTheTableAndSaysSo) {
    addRows({expr("dog", "pes")});
    fs::create_directories(dir / "je_slozka.slv");
    nextSavePath = dir / "je_slozka.slv";
    EXPECT_FALSE(session.save());
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_NE(prompter.texts(Kind::Error)[0].find("Slovník se nepodařilo uložit"), std::string::npos);
    EXPECT_EQ(session.size(), 1u);
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.caption(), "Editor výrazů - novyslovnik.slv") << "the failed name is not taken";
}

TEST_F(EditorSessionTest, UnsavedChangesAreAskedAboutOnlyWhenThereIsSomethingToLose) {
    EXPECT_TRUE(session.confirmLeave());
    addRows({expr("dog", "pes")});
    session.remove(0);
    EXPECT_TRUE(session.confirmLeave()) << "added and deleted again: nothing to lose";
    EXPECT_TRUE(prompter.messages.empty());

    addRows({expr("dog", "pes")});
    prompter.queueAnswer(Prompter::Answer::Cancel);
    EXPECT_FALSE(session.confirmLeave());
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_TRUE(session.confirmLeave());
    EXPECT_EQ(prompter.texts(Kind::YesNoCancel), std::vector<std::string>(2, std::string(kUnsavedChangesQuestion)));
    EXPECT_TRUE(offeredNames.empty()) << "No and Cancel save nothing";

    // Yes saves first; a cancelled save dialog keeps the user in the editor.
    prompter.queueAnswer(Prompter::Answer::Yes);
    EXPECT_FALSE(session.confirmLeave());
    prompter.queueAnswer(Prompter::Answer::Yes);
    nextSavePath = dir / "a.slv";
    EXPECT_TRUE(session.confirmLeave());
    EXPECT_TRUE(fs::exists(dir / "a.slv"));
    prompter.clear();
    EXPECT_TRUE(session.confirmLeave()) << "just saved";
    EXPECT_TRUE(prompter.messages.empty());

    // Changing a row and changing it back is no change either.
    session.replace(0, expr("hound", "pes"));
    EXPECT_TRUE(session.modified());
    session.replace(0, expr("dog", "pes"));
    EXPECT_FALSE(session.modified());
}

TEST_F(EditorSessionTest, ChangesAfterAppendingAreJudgedAgainstTheSavedRowsOnly) {
    writeBytes(dir / "b.slv", "a;1;[];NENÍ\r\nb;2;[];NENÍ\r\n");
    ASSERT_TRUE(session.open(dir / "b.slv"));
    addRows({expr("3", "c")});
    EXPECT_TRUE(session.modified());
    session.replace(2, expr("3", "c+d"));
    session.remove(2);
    EXPECT_FALSE(session.modified()) << "only an appended row came and went";

    addRows({expr("3", "c")});
    session.remove(0);
    EXPECT_TRUE(session.modified());
    session.remove(1);
    addRows({expr("1", "a")});
    EXPECT_TRUE(session.modified()) << "same rows, other order";
    session.remove(1);
    session.remove(0);
    addRows({expr("1", "a"), expr("2", "b")});
    EXPECT_FALSE(session.modified()) << "back to what was opened";
}

TEST_F(EditorSessionTest, NewAsksTwiceWhenThereAreChanges) {
    addRows({expr("dog", "pes")});
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_FALSE(session.newDictionary());
    EXPECT_EQ(session.size(), 1u);

    prompter.queueAnswer(Prompter::Answer::Yes);
    prompter.queueAnswer(Prompter::Answer::Cancel);
    EXPECT_FALSE(session.newDictionary());
    EXPECT_EQ(session.size(), 1u);

    prompter.clear();
    prompter.queueAnswer(Prompter::Answer::Yes);
    prompter.queueAnswer(Prompter::Answer::No);
    EXPECT_TRUE(session.newDictionary());
    EXPECT_EQ(prompter.messages, (std::vector<FakePrompter::Message>{
                                     {Kind::YesNo, std::string(kNewDictionaryQuestion)},
                                     {Kind::YesNoCancel, std::string(kUnsavedChangesQuestion)}}));
    EXPECT_EQ(session.size(), 0u);
    EXPECT_EQ(session.countText(), "Počet výrazů ve slovníku: - ");
    EXPECT_FALSE(session.path());

    prompter.clear();
    EXPECT_TRUE(session.newDictionary()) << "an unchanged dictionary asks only the first question";
    EXPECT_EQ(prompter.count(Kind::YesNoCancel), 0u);
}

TEST_F(EditorSessionTest, OpenTakesNameCountAndEncoding) {
    writeBytes(dir / "b.slv", "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[k@t];NEN\xCD");
    addRows({expr("x", "y")});
    session.setEditingRow(0);
    EXPECT_TRUE(session.open(dir / "b.slv"));
    EXPECT_EQ(session.caption(), "Editor výrazů - b.slv");
    EXPECT_EQ(session.countText(), "Počet výrazů ve slovníku: 2");
    EXPECT_EQ(session.table().at(1), expr("cat", "kočka", "[k@t]"));
    EXPECT_FALSE(session.editingRow());
    EXPECT_FALSE(session.modified());

    // Written back byte for byte, the missing last line end added.
    addRows({expr("bird", "pták")});
    session.remove(2);
    EXPECT_TRUE(session.save());
    EXPECT_EQ(readBytes(dir / "b.slv"), "pes;dog;[];NEN\xCD\r\nko\xE8ka;cat;[k@t];NEN\xCD\r\n");
}

TEST_F(EditorSessionTest, RefusedFilesLeaveThePreviousDictionary) {
    addRows({expr("dog", "pes")});
    writeBytes(dir / "empty.slv", "");
    EXPECT_FALSE(session.open(dir / "empty.slv"));
    EXPECT_EQ(prompter.texts(Kind::Information), std::vector<std::string>{std::string(kEmptyDictionaryMessage)});
    EXPECT_FALSE(session.open(dir / "missing.slv"));
    ASSERT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_NE(prompter.texts(Kind::Error)[0].find("missing.slv"), std::string::npos);
    EXPECT_EQ(session.size(), 1u);
    EXPECT_EQ(session.caption(), "Editor výrazů - novyslovnik.slv");

    // The command line skips the empty-file test and opens it as an empty dictionary.
    session.reset();
    prompter.clear();
    EXPECT_TRUE(session.openFromCommandLine(dir / "empty.slv"));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(session.caption(), "Editor výrazů - empty.slv");
    EXPECT_EQ(session.size(), 0u);
    EXPECT_FALSE(session.openFromCommandLine(dir / "missing.slv"));
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
}

TEST(EditorTyping, PronunciationTakesUpperCaseAtItsOwnEnter) {
    FakePrompter prompter;
    EditorSession session(prompter);
    EXPECT_TRUE(session.upperCaseFor(EntryField::Foreign, true));
    EXPECT_FALSE(session.upperCaseFor(EntryField::Czech, false));
    EXPECT_FALSE(session.upperCaseFor(EntryField::Pronunciation, true));
    session.pressEnter(EntryField::Czech, true, true, true);
    EXPECT_FALSE(session.upperCaseFor(EntryField::Pronunciation, true));
    session.pressEnter(EntryField::Pronunciation, true, true, true);
    EXPECT_TRUE(session.upperCaseFor(EntryField::Pronunciation, false)) << "kept until its next Enter";
    session.pressEnter(EntryField::Pronunciation, true, true, false);
    EXPECT_FALSE(session.upperCaseFor(EntryField::Pronunciation, true));
}

TEST(EditorOptionsStore, ReadOrCreateThenWriteBack) {
    MemorySettingsStore store;
    const std::string key = editorSettingsKey(kVersionString);
    EXPECT_EQ(key, "HKEY_CURRENT_USER\\software\\Lexo2 - 2.95\\Editor");
    EXPECT_EQ(loadEditorOptions(store, kVersionString), EditorOptions{});
    EXPECT_EQ(store.readInteger(key, "Vyslovnost"), std::optional<std::int32_t>(0));
    EXPECT_EQ(store.readInteger(key, "MluvenaVyslovnost"), std::optional<std::int32_t>(0));

    store.writeBool(key, "Vyslovnost", true);
    EXPECT_EQ(loadEditorOptions(store, kVersionString), (EditorOptions{true, false}));

    // A value of the wrong type counts as off and is repaired.
    store.writeString(key, "MluvenaVyslovnost", "ano");
    EXPECT_EQ(loadEditorOptions(store, kVersionString), (EditorOptions{true, false}));
    EXPECT_EQ(store.readInteger(key, "MluvenaVyslovnost"), std::optional<std::int32_t>(0));
}

TEST(EditorFiles, SoundsInPlaceNeedNoMove) {
    ExpressionTable table;
    table.append("a", "b", "[]", "NENÍ");
    EXPECT_TRUE(soundsAlreadyInPlace(table, "/d/zvirata.slv"));
    table.append("c", "d", "[]", "/d/zvirata/pes.wav");
    EXPECT_TRUE(soundsAlreadyInPlace(table, "/d/zvirata.slv"));
    EXPECT_FALSE(soundsAlreadyInPlace(table, "/d/ptaci.slv"));
    table.append("e", "f", "[]", "/d/zvirata/sub/pes.wav");
    EXPECT_FALSE(soundsAlreadyInPlace(table, "/d/zvirata.slv")) << "not directly in the folder";
    ExpressionTable windows;
    windows.append("a", "b", "[]", "/d/zvirata\\pes.wav");
    EXPECT_FALSE(soundsAlreadyInPlace(windows, "/d/zvirata.slv"));
}

TEST(EditorFiles, FingerprintTellsTablesApart) {
    ExpressionTable a, b, c;
    a.append("ab", "c", "[]", "NENÍ");
    b.append("a", "bc", "[]", "NENÍ");
    EXPECT_NE(contentFingerprint(a), contentFingerprint(b));
    a.append("x", "y", "[]", "NENÍ");
    c.append("x", "y", "[]", "NENÍ");
    c.append("ab", "c", "[]", "NENÍ");
    EXPECT_NE(contentFingerprint(a), contentFingerprint(c)) << "order matters";
    c.remove(0);
    c.append("x", "y", "[]", "NENÍ");
    EXPECT_EQ(contentFingerprint(a), contentFingerprint(c));
    ExpressionTable firstRowOnly;
    firstRowOnly.append("ab", "c", "[]", "NENÍ");
    EXPECT_EQ(contentFingerprint(a, 1), contentFingerprint(firstRowOnly)) << "a prefix is a table of its own";
    EXPECT_NE(contentFingerprint(ExpressionTable()), contentFingerprint(c));
}

}  // namespace
}  // namespace lexo
