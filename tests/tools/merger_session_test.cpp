#include "tools/merger_session.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_file.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

namespace fs = std::filesystem;
using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;
using Kind = FakePrompter::Kind;

constexpr std::string_view kA = "pes;dog;[];NENÍ\r\nkočka;cat;kæt;/zvuky/cat.wav\r\nkůň;horse+steed;[];NENÍ\r\n";
constexpr std::string_view kB = "ryba;fish;[];NENÍ\r\nptak;bird\r\n";

// Counts what a view over the result list is told, and checks each change is bracketed.
struct CountingObserver : MergerSession::Observer {
    int resets = 0, appended = 0, removed = 0, open = 0;
    void beginReset() override { ++open; }
    void endReset() override { --open, ++resets; }
    void beginAppend(std::size_t first, std::size_t last) override {
        ++open;
        appended += static_cast<int>(last - first + 1);
    }
    void endAppend() override { --open; }
    void beginRemove(std::size_t) override { ++open; }
    void endRemove() override { --open, ++removed; }
};

class MergerSessionTest : public ::testing::Test {
protected:
    MergerSessionTest() {
        writeBytes(dir / "a.slv", kA);
        writeBytes(dir / "b.slv", kB);
        session.setObserver(MergerList::Result, &observer);
        session.setSavePathChooser([this] { return std::exchange(nextSavePath, std::nullopt); });
    }

    const ExpressionTable& source() const { return session.table(MergerList::Source); }
    const ExpressionTable& result() const { return session.table(MergerList::Result); }

    FakePrompter prompter;
    CountingObserver observer;
    MergerSession session{prompter};
    std::optional<fs::path> nextSavePath;
    TempDir dir;
};

TEST_F(MergerSessionTest, ResultGrowsAcrossLoadsInMoveOrderWhileSourceIsReplaced) {
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.moveAll();
    ASSERT_TRUE(session.load(dir / "b.slv"));
    session.move(1);

    ASSERT_EQ(source().size(), 2u);
    EXPECT_EQ(source().czech(0), "ryba");
    ASSERT_EQ(result().size(), 4u);
    EXPECT_EQ(result().czech(0), "pes");
    EXPECT_EQ(result().czech(1), "kočka");
    EXPECT_EQ(result().czech(2), "kůň");
    // The short line comes over with the defaults of a short line.
    EXPECT_EQ(result().at(3), (Expression{"bird", "ptak", "[]", "NENÍ"}));
    // Sound references come over as they stand.
    EXPECT_EQ(result().sound(1), "/zvuky/cat.wav");
    EXPECT_EQ(observer.appended, 4);
    EXPECT_EQ(observer.open, 0);
}

TEST_F(MergerSessionTest, MovingAllAgainAfterRemovalsAndEmptyingKeepsEveryRowInOrder) {
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.moveAll();
    session.remove(MergerList::Result, 1);
    session.moveAll();
    session.moveAll();
    ASSERT_EQ(result().size(), 8u);
    const char* czech[] = {"pes", "kůň", "pes", "kočka", "kůň", "pes", "kočka", "kůň"};
    for (std::size_t row = 0; row < 8; ++row) EXPECT_EQ(result().czech(row), czech[row]) << row;
    EXPECT_EQ(result().at(6), (Expression{"cat", "kočka", "kæt", "/zvuky/cat.wav"}));

    session.removeAll();
    ASSERT_TRUE(session.load(dir / "b.slv"));
    session.moveAll();
    ASSERT_EQ(result().size(), 2u);
    EXPECT_EQ(result().at(1), (Expression{"bird", "ptak", "[]", "NENÍ"}));
    EXPECT_EQ(observer.open, 0);
}

TEST_F(MergerSessionTest, DuplicatesAreKeptAndSavedTwice) {
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.move(0);
    session.move(0);
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.move(0);
    nextSavePath = dir / "novy.slv";
    ASSERT_TRUE(session.save());
    EXPECT_EQ(readBytes(dir / "novy.slv"), "pes;dog;[];NEN\xCD\r\npes;dog;[];NEN\xCD\r\npes;dog;[];NEN\xCD\r\n");
}

TEST_F(MergerSessionTest, TheTwoEmptySaveMessages) {
    session.removeAll();  // nothing there yet: not an emptying
    EXPECT_FALSE(session.save());
    ASSERT_TRUE(session.load(dir / "b.slv"));
    EXPECT_FALSE(session.save());
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Nelze uložit prázdný slovník.", "Nelze uložit prázdný slovník."}));

    // Emptied by the lower "Uber" on its last expression.
    session.move(0);
    session.remove(MergerList::Result, 0);
    prompter.clear();
    EXPECT_FALSE(session.save());
    // Emptied by closing, and still after reopening.
    session.close();
    EXPECT_FALSE(session.save());
    EXPECT_EQ(prompter.texts(Kind::Information),
              (std::vector<std::string>{"Nelze uložit prázdný slovník!", "Nelze uložit prázdný slovník!"}));
    EXPECT_FALSE(fs::exists(dir / "novy.slv"));
}

TEST_F(MergerSessionTest, SavingWritesExactlyTheResultEachTime) {
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.move(2);
    session.move(1);
    nextSavePath = dir / "novy.slv";
    ASSERT_TRUE(session.save());
    EXPECT_EQ(readBytes(dir / "novy.slv"), "kůň;horse+steed;[];NENÍ\r\nkočka;cat;kæt;/zvuky/cat.wav\r\n");

    nextSavePath = dir / "novy.slv";
    ASSERT_TRUE(session.save());
    EXPECT_EQ(readBytes(dir / "novy.slv"), "kůň;horse+steed;[];NENÍ\r\nkočka;cat;kæt;/zvuky/cat.wav\r\n");

    // After closing and reopening only what is moved then.
    session.close();
    ASSERT_TRUE(session.load(dir / "b.slv"));
    session.move(0);
    nextSavePath = dir / "novy.slv";
    ASSERT_TRUE(session.save());
    // "ryba" alone fits Windows-1250, and that is what a new dictionary is written in.
    EXPECT_EQ(readBytes(dir / "novy.slv"), "ryba;fish;[];NEN\xCD\r\n");

    // Cancel in the dialog writes nothing.
    session.move(1);
    EXPECT_FALSE(session.save());
    EXPECT_EQ(readBytes(dir / "novy.slv"), "ryba;fish;[];NEN\xCD\r\n");
}

TEST_F(MergerSessionTest, RemovingTakesTheSelectedRowAndNothingFromAnEmptyList) {
    session.remove(MergerList::Source, 0);
    session.move(0);
    session.moveAll();
    EXPECT_TRUE(result().empty());
    EXPECT_EQ(observer.appended, 0);

    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.remove(MergerList::Source, 1);
    ASSERT_EQ(source().size(), 2u);
    EXPECT_EQ(source().czech(1), "kůň");
    session.remove(MergerList::Source, 7);  // past the end
    EXPECT_EQ(source().size(), 2u);
    session.moveAll();
    session.remove(MergerList::Result, 0);
    ASSERT_EQ(result().size(), 1u);
    EXPECT_EQ(result().czech(0), "kůň");
    EXPECT_EQ(observer.removed, 1);
}

TEST_F(MergerSessionTest, ALoadThatFailsLeavesBothListsAsTheyWere) {
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.move(0);
    writeBytes(dir / "prazdny.slv", "");
    EXPECT_FALSE(session.load(dir / "prazdny.slv"));
    EXPECT_FALSE(session.load(dir / "neni.slv"));
    EXPECT_FALSE(session.load(dir.path()));  // a folder
    EXPECT_EQ(source().size(), 3u);
    EXPECT_EQ(result().size(), 1u);
    EXPECT_EQ(prompter.texts(Kind::Information), (std::vector<std::string>{"Nejde načíst prázdný slovník!"}));
    EXPECT_EQ(prompter.count(Kind::Error), 2u);
}

TEST_F(MergerSessionTest, AFailedWriteIsReportedAndKeepsTheList) {
    ASSERT_TRUE(session.load(dir / "a.slv"));
    session.moveAll();
    // A file where a folder should be: the write cannot succeed, whoever runs the test.
    EXPECT_FALSE(session.saveTo(dir / "a.slv" / "novy.slv"));
    EXPECT_EQ(prompter.count(Kind::Error), 1u);
    EXPECT_EQ(result().size(), 3u);
    EXPECT_EQ(readBytes(dir / "a.slv"), kA);
}

}  // namespace
}  // namespace lexo
