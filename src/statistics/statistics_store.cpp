#include "statistics/statistics_store.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "common/general_settings.h"
#include "platform/atomic_file.h"
#include "statistics/statistics_file.h"
#include "statistics/statistics_values.h"

namespace lexo {
namespace {

// Far beyond any real file (a row is about fifty bytes), but it keeps a stray huge file
// from taking all memory.
constexpr std::size_t kMaxStatisticsFileBytes = std::size_t{1} << 30;

void makeStorable(std::string& field) {
    for (char& c : field) {
        if (c == ';') c = ',';
        else if (c == '\r' || c == '\n') c = ' ';
    }
}

}  // namespace

StatisticsStore::StatisticsStore(std::filesystem::path file, const Clock& clock, Prompter* prompter)
    : file_(std::move(file)), clock_(clock), prompter_(prompter) {}

StatisticsStore::LoadStatus StatisticsStore::load() {
    for (StatisticsObserver* observer : observers_) observer->rowsAboutToBeReset();
    rows_.clear();
    namedRows_ = 0;
    encoding_ = TextEncoding::Windows1250;
    lastError_.clear();
    LoadStatus status = LoadStatus::Loaded;

    std::error_code ec;
    const auto state = std::filesystem::status(file_, ec);
    if (state.type() == std::filesystem::file_type::not_found) {
        tiedToFile_ = true;
        status = LoadStatus::Created;
        // A folder we cannot write to shows up at the first row, which reports it.
        writeFileAtomically(file_, {});
    } else {
        const MappedFile mapped = MappedFile::open(file_, kMaxStatisticsFileBytes);
        if (mapped.status() == ReadStatus::Ok) {
            StatisticsText text = parseStatisticsText(mapped.bytes());
            rows_ = std::move(text.rows);
            encoding_ = text.encoding;
            namedRows_ = static_cast<std::size_t>(
                std::count_if(rows_.begin(), rows_.end(), [](const StatisticsRow& r) { return r.isStatisticsRow(); }));
            tiedToFile_ = true;
        } else {
            // Writing now would replace rows we never saw with fewer.
            tiedToFile_ = false;
            status = LoadStatus::Unreadable;
            const std::string reason =
                mapped.status() == ReadStatus::TooLarge ? std::string("soubor je příliš velký") : mapped.error();
            fail("Statistiky nelze načíst ze souboru " + file_.string() + ": " + reason +
                 ".\nVýsledky zkoušení z tohoto spuštění se do něj nezapíší, aby se jeho obsah neztratil.");
        }
    }
    for (StatisticsObserver* observer : observers_) observer->rowsReset();
    return status;
}

bool StatisticsStore::appendTestResult(const TestResult& result) {
    if (result.correct == 0 && result.wrong == 0) return false;
    const LocalDateTime now = clock_.now();
    StatisticsRow row;
    row[StatisticsColumn::Dictionary] = dictionaryNameFromPath(result.dictionaryPath);
    row[StatisticsColumn::Date] = formatStatisticsDate(now);
    row[StatisticsColumn::Time] = formatStatisticsTime(now);
    row[StatisticsColumn::Correct] = std::to_string(result.correct);
    row[StatisticsColumn::Wrong] = std::to_string(result.wrong);
    row[StatisticsColumn::Success] = successText(result.correct, result.wrong, result.reached);
    row[StatisticsColumn::Finished] = std::string(result.finished ? kTestFinishedText : kTestBrokenOffText);
    row[StatisticsColumn::Mode] = std::string(testModeText(result.mode));
    appendRow(std::move(row));
    return true;
}

bool StatisticsStore::recordTestResult(const TestResult& result, const GeneralSettings& settings) {
    const bool wanted = result.finished ? settings.recordFinishedTests : settings.recordInterruptedTests;
    return wanted && appendTestResult(result);
}

void StatisticsStore::appendRow(StatisticsRow row) {
    for (std::string& field : row.fields) makeStorable(field);
    const std::size_t index = rows_.size();
    for (StatisticsObserver* observer : observers_) observer->rowsAboutToBeAppended(index, 1);
    if (row.isStatisticsRow()) ++namedRows_;
    rows_.push_back(std::move(row));
    for (StatisticsObserver* observer : observers_) observer->rowsAppended();
    persist();
}

bool StatisticsStore::deleteRow(std::size_t index) {
    if (!hasStatisticsRows() || index >= rows_.size()) return false;
    for (StatisticsObserver* observer : observers_) observer->rowAboutToBeRemoved(index);
    if (rows_[index].isStatisticsRow()) --namedRows_;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    for (StatisticsObserver* observer : observers_) observer->rowRemoved();
    persist();
    return true;
}

bool StatisticsStore::deleteAll() {
    if (!hasStatisticsRows()) return false;
    for (StatisticsObserver* observer : observers_) observer->rowsAboutToBeReset();
    rows_.clear();
    namedRows_ = 0;
    for (StatisticsObserver* observer : observers_) observer->rowsReset();
    if (!tiedToFile_) return true;
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    if (ec) fail("Soubor " + file_.string() + " se nepodařilo smazat: " + ec.message());
    else lastError_.clear();
    return true;
}

bool StatisticsStore::save() { return persist(); }

bool StatisticsStore::persist() {
    if (!tiedToFile_) return true;
    std::error_code ec;
    // After "Smazat vše" there is no file, and nothing to write keeps it so.
    if (namedRows_ == 0 && !std::filesystem::exists(file_, ec)) return true;
    const FileResult written = writeFileAtomically(file_, buildStatisticsText(rows_, encoding_));
    if (!written.ok) {
        fail("Statistiky se nepodařilo zapsat do souboru " + file_.string() + ": " + written.error);
        return false;
    }
    lastError_.clear();
    return true;
}

void StatisticsStore::fail(std::string message) {
    lastError_ = std::move(message);
    if (prompter_ != nullptr) prompter_->error(lastError_);
}

void StatisticsStore::addObserver(StatisticsObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void StatisticsStore::removeObserver(StatisticsObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace lexo
