#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_codec.h"
#include "platform/ports.h"
#include "statistics/statistics_row.h"

namespace lexo {

struct GeneralSettings;

// Told before and after every change of the rows, so a table view can follow them.
class StatisticsObserver {
public:
    virtual ~StatisticsObserver() = default;
    virtual void rowsAboutToBeAppended(std::size_t first, std::size_t count) = 0;
    virtual void rowsAppended() = 0;
    virtual void rowAboutToBeRemoved(std::size_t index) = 0;
    virtual void rowRemoved() = 0;
    virtual void rowsAboutToBeReset() = 0;
    virtual void rowsReset() = 0;
};

// What a test window reports when a test ends or is broken off.
struct TestResult {
    std::string dictionaryPath;  // full path of the tested dictionary file
    int correct = 0;
    int wrong = 0;
    int reached = 0;  // how many expressions the test got to (its current-expression counter)
    bool finished = false;
    TestMode mode = TestMode::TestOne;
};

// The statistics rows of the whole run, oldest first, and their file. The file mirrors the
// rows after every change, written atomically, so a crash never loses a row already
// appended; deleting everything deletes the file, and the next row makes it again.
class StatisticsStore {
public:
    enum class LoadStatus {
        Loaded,
        Created,     // there was no file: an empty one was made
        Unreadable,  // the file is there but cannot be read; it is never written in this run
    };

    // `prompter`, when given, reports a file that cannot be read or written.
    StatisticsStore(std::filesystem::path file, const Clock& clock, Prompter* prompter = nullptr);
    StatisticsStore(const StatisticsStore&) = delete;
    StatisticsStore& operator=(const StatisticsStore&) = delete;

    // At program start. Replaces the rows with the file's.
    LoadStatus load();

    const std::vector<StatisticsRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    // At least one row with a dictionary name: the deletes act only then.
    bool hasStatisticsRows() const { return namedRows_ > 0; }

    // Adds the row of a test; nothing for a test with no answer at all. The date and time
    // are the clock's. True when a row was added.
    bool appendTestResult(const TestResult& result);
    // The same, but only when the general settings record tests that end this way.
    bool recordTestResult(const TestResult& result, const GeneralSettings& settings);
    // Adds a row as it stands; a ";" or a line break inside a field, which the file could
    // not hold, is replaced.
    void appendRow(StatisticsRow row);

    // "Smazat řádek": removes one row when there is any statistics row at all.
    bool deleteRow(std::size_t index);
    // "Smazat vše": empties the list and deletes the file, when there is any statistics row.
    bool deleteAll();

    // Writes the file once more (at program exit). False when the write failed.
    bool save();

    const std::filesystem::path& file() const { return file_; }
    TextEncoding encoding() const { return encoding_; }
    // False after an unreadable file: the rows then live only in memory.
    bool writesFile() const { return tiedToFile_; }
    // The last failure in Czech, "" after a success.
    const std::string& lastError() const { return lastError_; }

    void addObserver(StatisticsObserver* observer);
    void removeObserver(StatisticsObserver* observer);

private:
    bool persist();
    void fail(std::string message);

    std::filesystem::path file_;
    const Clock& clock_;
    Prompter* prompter_;
    std::vector<StatisticsRow> rows_;
    std::size_t namedRows_ = 0;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    bool tiedToFile_ = false;
    std::string lastError_;
    std::vector<StatisticsObserver*> observers_;
};

}  // namespace lexo
