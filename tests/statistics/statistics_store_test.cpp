#include "statistics/statistics_store.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "common/general_settings.h"
#include "text/text_codec.h"
#include "statistics/statistics_file.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace lexo {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TestResult test(std::string path, int correct, int wrong, int reached, bool finished = true,
                TestMode mode = TestMode::TestOne) {
    return TestResult{std::move(path), correct, wrong, reached, finished, mode};
}

// What a program started afresh would read from the file.
std::vector<StatisticsRow> rowsOnDisk(const std::filesystem::path& file) {
    return parseStatisticsText(readBytes(file)).rows;
}

class StatisticsStoreTest : public ::testing::Test {
protected:
    StatisticsStoreTest() { clock_.set(2006, 12, 8, 14, 5, 33); }

    std::filesystem::path file() const { return dir_ / "statistiky.dat"; }

    StatisticsStore& open() {
        store_ = std::make_unique<StatisticsStore>(file(), clock_, &prompter_);
        status_ = store_->load();
        return *store_;
    }

    TempDir dir_;
    FakeClock clock_;
    FakePrompter prompter_;
    std::unique_ptr<StatisticsStore> store_;
    StatisticsStore::LoadStatus status_ = StatisticsStore::LoadStatus::Loaded;
};

TEST_F(StatisticsStoreTest, MissingFileIsCreatedEmptyWithoutAMessage) {
    StatisticsStore& store = open();
    EXPECT_EQ(status_, StatisticsStore::LoadStatus::Created);
    EXPECT_TRUE(std::filesystem::is_regular_file(file()));
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);
    EXPECT_EQ(store.size(), 0u);
    EXPECT_FALSE(store.hasStatisticsRows());
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(StatisticsStoreTest, FirstTestEverGivesExactlyOneLineEndingInTheMode) {
    StatisticsStore& store = open();
    ASSERT_TRUE(store.appendTestResult(test("/home/jana/Slovníky/slovicka.slv", 17, 3, 20)));
    EXPECT_EQ(readBytes(file()),
              encodeWindows1250("slovicka.slv;8.12.2006;14:05:33;17;3;85;Ano;Zkoušení I\r\n").value());
}

TEST_F(StatisticsStoreTest, RowsAreBuiltFromTheTestAndTheClock) {
    StatisticsStore& store = open();
    clock_.set(2024, 3, 5, 9, 4, 7);
    store.appendTestResult(test("/d/a.slv", 2, 1, 3, false, TestMode::TestTwo));
    store.appendTestResult(test("/d/b.SLV", 5, 0, 5));
    store.appendTestResult(test("/d/notes.txt", 1, 9, 12));
    store.appendTestResult(test("/d/x;y.slv", 0, 4, 4));
    ASSERT_EQ(store.size(), 4u);
    const auto& rows = store.rows();
    EXPECT_EQ(rows[0].fields, (std::array<std::string, 8>{"a", "5.3.2024", "9:04:07", "2", "1", "66", "Ne", "Zkoušení II"}));
    EXPECT_EQ(rows[1][StatisticsColumn::Dictionary], "b");
    EXPECT_EQ(rows[1][StatisticsColumn::Success], "100");
    // Another extension stays part of the name, so the name survives the file's ".slv" cut.
    EXPECT_EQ(rows[2][StatisticsColumn::Dictionary], "notes.txt");
    EXPECT_EQ(rows[2][StatisticsColumn::Success], "8");
    // A ";" in a file name would split the line: it is stored as ",".
    EXPECT_EQ(rows[3][StatisticsColumn::Dictionary], "x,y");
    EXPECT_EQ(rows[3][StatisticsColumn::Success], "0");
    EXPECT_EQ(rowsOnDisk(file()), rows);
}

TEST_F(StatisticsStoreTest, ATestWithNoAnswerLeavesNoRow) {
    StatisticsStore& store = open();
    EXPECT_FALSE(store.appendTestResult(test("/d/a.slv", 0, 0, 7)));
    EXPECT_EQ(store.size(), 0u);
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);
}

TEST_F(StatisticsStoreTest, SettingsDecideWhichTestsAreRecorded) {
    StatisticsStore& store = open();
    GeneralSettings settings;
    settings.recordFinishedTests = false;
    EXPECT_FALSE(store.recordTestResult(test("/d/a.slv", 1, 1, 2, true), settings));
    EXPECT_TRUE(store.recordTestResult(test("/d/a.slv", 1, 1, 2, false), settings));
    settings.recordFinishedTests = true;
    settings.recordInterruptedTests = false;
    EXPECT_TRUE(store.recordTestResult(test("/d/a.slv", 1, 1, 2, true), settings));
    EXPECT_FALSE(store.recordTestResult(test("/d/a.slv", 1, 1, 2, false), settings));
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.rows()[0][StatisticsColumn::Finished], "Ne");
    EXPECT_EQ(store.rows()[1][StatisticsColumn::Finished], "Ano");
}

TEST_F(StatisticsStoreTest, TheFileHoldsEveryRowAfterEachAppend) {
    writeBytes(file(), "stary.slv;1.1.2006;10:00:00;5;5;50;Ano;Zkoušení I\r\n");
    StatisticsStore& store = open();
    ASSERT_EQ(status_, StatisticsStore::LoadStatus::Loaded);
    for (int i = 1; i <= 5; ++i) {
        clock_.set(2006, 12, i, 10, 0, i);
        store.appendTestResult(test("/d/novy.slv", i, 1, i + 1));
        EXPECT_EQ(rowsOnDisk(file()), store.rows()) << "after append " << i;
        EXPECT_EQ(store.rows().size(), static_cast<std::size_t>(i) + 1);
    }
}

TEST_F(StatisticsStoreTest, AKilledProgramLosesNoAppendedRow) {
    open();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        FakeClock clock;
        clock.set(2020, 2, 29, 23, 59, 59);
        StatisticsStore store(file(), clock);
        store.load();
        for (int i = 1; i <= 3; ++i) store.appendTestResult(test("/d/zvirata.slv", i, 3 - i + 1, 4));
        ::raise(SIGKILL);  // no exit work at all
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    StatisticsStore& store = open();
    ASSERT_EQ(store.size(), 3u);
    EXPECT_EQ(store.rows()[2][StatisticsColumn::Correct], "3");
    EXPECT_EQ(store.rows()[0][StatisticsColumn::Date], "29.2.2020");
}

TEST_F(StatisticsStoreTest, DeletingARowRewritesTheFile) {
    writeBytes(file(), "a.slv;1.1.2020;;1;0;100;Ano;Zkoušení I\r\n"
                       "b.slv;2.1.2020;;1;0;100;Ano;Zkoušení I\r\n"
                       "c.slv;3.1.2020;;1;0;100;Ano;Zkoušení I\r\n");
    StatisticsStore& store = open();
    EXPECT_FALSE(store.deleteRow(3));
    ASSERT_TRUE(store.deleteRow(1));
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.rows()[1].dictionary(), "c");
    EXPECT_EQ(rowsOnDisk(file()), store.rows());

    // Deleting every row one by one leaves an empty file, so the rows stay gone next time.
    store.deleteRow(0);
    store.deleteRow(0);
    EXPECT_FALSE(store.deleteRow(0));
    EXPECT_TRUE(std::filesystem::exists(file()));
    EXPECT_EQ(std::filesystem::file_size(file()), 0u);
    EXPECT_EQ(open().size(), 0u);
}

TEST_F(StatisticsStoreTest, DeleteAllRemovesTheFileAndTheNextRowMakesItAgain) {
    writeBytes(file(), "a.slv;1.1.2020;;1;0;100;Ano;Zkoušení I\r\nb.slv;2.1.2020;;1;0;100;Ano;Zkoušení I\r\n");
    StatisticsStore& store = open();
    ASSERT_TRUE(store.deleteAll());
    EXPECT_EQ(store.size(), 0u);
    EXPECT_FALSE(std::filesystem::exists(file()));
    // Nothing to delete: nothing happens, and writing at exit does not bring an empty file back.
    EXPECT_FALSE(store.deleteAll());
    EXPECT_TRUE(store.save());
    EXPECT_FALSE(std::filesystem::exists(file()));

    store.appendTestResult(test("/d/c.slv", 1, 1, 2));
    EXPECT_EQ(rowsOnDisk(file()), store.rows());
    EXPECT_EQ(store.size(), 1u);
}

TEST_F(StatisticsStoreTest, NamelessRowsAreShownButNeitherWrittenNorDeletable) {
    writeBytes(file(), ".slv;1.1.2020;;1;0;100;Ano;Zkoušení I\r\n");
    StatisticsStore& store = open();
    ASSERT_EQ(store.size(), 1u);
    EXPECT_FALSE(store.hasStatisticsRows());
    EXPECT_FALSE(store.deleteRow(0));
    EXPECT_FALSE(store.deleteAll());
    EXPECT_TRUE(std::filesystem::exists(file()));

    // With a real row beside it, the nameless row can be deleted; it never reaches the file.
    store.appendTestResult(test("/d/a.slv", 1, 0, 1));
    EXPECT_EQ(rowsOnDisk(file()).size(), 1u);
    EXPECT_TRUE(store.deleteRow(0));
    EXPECT_EQ(store.rows()[0].dictionary(), "a");
}

TEST_F(StatisticsStoreTest, AnUnreadableFileIsReportedAndNeverOverwritten) {
    std::filesystem::create_directories(file());  // a folder where the file should be
    StatisticsStore& store = open();
    EXPECT_EQ(status_, StatisticsStore::LoadStatus::Unreadable);
    EXPECT_FALSE(store.writesFile());
    ASSERT_EQ(prompter_.count(FakePrompter::Kind::Error), 1u);
    EXPECT_NE(prompter_.messages[0].text.find("statistiky.dat"), std::string::npos);

    // Rows still gather for the run's window.
    EXPECT_TRUE(store.appendTestResult(test("/d/a.slv", 1, 0, 1)));
    EXPECT_EQ(store.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(file()));
    EXPECT_EQ(prompter_.messages.size(), 1u);
}

TEST_F(StatisticsStoreTest, AFailedWriteIsReportedAndTheRowStays) {
    const std::filesystem::path folder = dir_ / "zmizi";
    std::filesystem::create_directories(folder);
    StatisticsStore store(folder / "statistiky.dat", clock_, &prompter_);
    ASSERT_EQ(store.load(), StatisticsStore::LoadStatus::Created);
    std::filesystem::remove_all(folder);

    store.appendTestResult(test("/d/a.slv", 1, 0, 1));
    EXPECT_EQ(store.size(), 1u);
    ASSERT_EQ(prompter_.count(FakePrompter::Kind::Error), 1u);
    EXPECT_NE(prompter_.messages[0].text.find("nepodařilo zapsat"), std::string::npos);
    EXPECT_FALSE(store.lastError().empty());
    EXPECT_FALSE(store.save());

    std::filesystem::create_directories(folder);
    EXPECT_TRUE(store.save());
    EXPECT_TRUE(store.lastError().empty());
    EXPECT_EQ(rowsOnDisk(folder / "statistiky.dat"), store.rows());
}

}  // namespace
}  // namespace lexo
