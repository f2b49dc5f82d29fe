#include "exam/exam_session.h"

#include <system_error>

#include "dictionary/dictionary_file.h"
#include "text/text_codec.h"

namespace lexo {

ExamSession::ExamSession(ExamServices services, TesterKind kind, std::string_view wrongExpressionsFile)
    : services_(std::move(services)), pronunciation_(services_), kind_(kind),
      wrongExpressionsFile_(wrongExpressionsFile) {
    pronunciation_.pronounceCurrent = [this] { pronounceCurrent(); };
}

ExamSession::~ExamSession() = default;

const ExamTable& ExamSession::table() const {
    static const ExamTable empty;
    return table_ ? *table_ : empty;
}

std::string_view ExamSession::questionLabel() const {
    return lexo::questionLabel(services_.settings.settings().direction);
}

void ExamSession::reset() {
    pronunciation_.stop();
    table_.reset();
    randomOrder_.clear();
    current_.reset();
    questionSlots_.clear();
    answerSlots_.clear();
    correct_ = 0;
    wrong_ = 0;
    wrongRecords_ = 0;
    total_ = 0;
    position_ = 0;
    testFinished_ = false;
}

void ExamSession::recordStatistics(bool finished) {
    appendExamStatistics(services_, kind_, statisticsPath_, correct_, wrong_, position_, finished);
}

void ExamSession::interrupt() {
    recordStatistics(false);
    reset();
    services_.evaluation.clearList();
}

void ExamSession::start(std::optional<std::filesystem::path> file, ExpressionTable expressions) {
    reset();
    if (file) {
        testedFile_ = *file;
        statisticsPath_ = toLowerUtf8(file->string());
    }
    recordsDirection_ = services_.settings.settings().direction;
    table_ = std::make_shared<const ExamTable>(std::move(expressions), recordsDirection_);
    // The order is locked while a dictionary is loaded, so the one read now holds for the test.
    order_ = services_.settings.settings().order;
    begin();
}

void ExamSession::pronounceCurrent() {
    if (current_ && table_) pronunciation_.pronounce(*table_, *current_, testedFile_);
}

bool ExamSession::breakOff(std::string_view question) {
    if (!dictionaryLoaded()) return true;
    if (!services_.prompter.askYesNo(question)) return false;
    interrupt();
    return true;
}

void ExamSession::reportUnreadable(const std::filesystem::path& path, const std::string& error) {
    services_.prompter.error("Slovník " + path.string() + " nelze otevřít: " + error);
}

bool ExamSession::openDictionary(const std::filesystem::path& path) {
    DictionaryLoad load = loadDictionary(path);
    switch (load.status) {
    case LoadStatus::CannotOpen: {
        // A missing file has had its message from the recent-files menu already.
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) reportUnreadable(path, load.error);
        return false;
    }
    case LoadStatus::TooLarge: services_.prompter.information(kTooLargeDictionaryMessage); return false;
    case LoadStatus::Empty:
    case LoadStatus::Loaded: break;
    }
    if (!breakOff(kInterruptTestQuestion)) return false;
    reset();
    dictionaryOpened(path);
    if (load.status == LoadStatus::Empty) {
        services_.prompter.information(kEmptyDictionaryMessage);
        return true;
    }
    start(path, std::move(load.table));
    return true;
}

bool ExamSession::newTest() {
    if (!dictionaryLoaded()) return true;
    if (services_.prompter.askYesNo(kInterruptTestQuestion)) interrupt();
    return false;
}

void ExamSession::loadLastWrongExpressions() {
    const std::filesystem::path file = services_.programFolder / wrongExpressionsFile_;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        services_.prompter.information(kNoLastWrongExpressionsMessage);
        return;
    }
    DictionaryLoad load = loadDictionary(file);
    switch (load.status) {
    case LoadStatus::Loaded: break;
    case LoadStatus::Empty: services_.prompter.information(kNoLastWrongExpressionsMessage); return;
    case LoadStatus::TooLarge: services_.prompter.information(kTooLargeDictionaryMessage); return;
    case LoadStatus::CannotOpen: reportUnreadable(file, load.error); return;
    }
    if (!breakOff(kInterruptForLastWrongQuestion)) return;
    // The statistics name this test after the file.
    start(file, std::move(load.table));
}

void ExamSession::windowShown() {
    const std::optional<std::filesystem::path> file =
        takeCommandLineDictionaryFile(services_.startup, services_.programFolder);
    if (!file) return;
    std::optional<ExpressionTable> table = loadDictionaryForTest(services_.prompter, *file, true);
    if (!table) return;
    start(*file, std::move(*table));
}

void ExamSession::startRetest(ExpressionTable expressions) {
    if (expressions.empty()) return;
    // The retest keeps the file it came from: its sounds and its statistics name.
    start(std::nullopt, std::move(expressions));
}

}  // namespace lexo
