#include "exam/typed_exam_session.h"

#include <system_error>

#include "dictionary/dictionary_file.h"
#include "text/text_codec.h"
#include "exam/grading.h"

namespace lexo {

std::string extendedTestingOffer(std::size_t translations) {
    return "Právě jste uhádl 1 ze " + std::to_string(translations) +
           " správných odpovědí, přejete si cvičně prozkoušet ostatní odpovědi? Pokud ano klikněte na tlačítko "
           "\"Ano\", pokud chcete pokračovat ve zkoušení klikněte na tlačítko \"ne\"";
}

TypedExamSession::TypedExamSession(TypedExamServices services)
    : services_(std::move(services)), pronunciation_(services_) {
    pronunciation_.pronounceCurrent = [this] {
        if (current_) pronounce(*current_);
    };
}

TypedExamSession::~TypedExamSession() = default;

std::string TypedExamSession::applyEntryCase(std::string_view typed) const {
    return enteredText(typed, services_.general.upperCaseEntry);
}

const ExamTable& TypedExamSession::table() const {
    static const ExamTable empty;
    return table_ ? *table_ : empty;
}

std::string_view TypedExamSession::questionLabel() const {
    return lexo::questionLabel(services_.settings.settings().direction);
}

// --- the life of a test

void TypedExamSession::reset() {
    pronunciation_.stop();
    view_ = TypedExamView{};
    lastAnswerCorrect_ = false;
    waiting_ = false;
    testFinished_ = false;
    phase_ = TypedExamPhase::Empty;
    sequentialIndex_ = 0;
    correct_ = 0;
    wrong_ = 0;
    table_.reset();
    randomOrder_.clear();
    current_.reset();
    answerSlots_.clear();
    questionSlots_.clear();
    severalAnswers_ = 0;
    wrongRecords_ = 0;
    total_ = 0;
    position_ = 0;
}

void TypedExamSession::interrupt() {
    if (services_.general.recordInterruptedTests) recordStatistics(false);
    reset();
    services_.evaluation.clearList();
}

void TypedExamSession::fill(ExpressionTable expressions) {
    recordsDirection_ = services_.settings.settings().direction;
    table_ = std::make_shared<const ExamTable>(std::move(expressions), recordsDirection_);
}

void TypedExamSession::begin() {
    view_.dictionaryName = std::filesystem::path(dictionaryPath_).filename().string();
    total_ = static_cast<int>(table_->size());
    view_.total = std::to_string(total_);
    // The order is locked while a dictionary is loaded, so the one read now holds for the test.
    order_ = services_.settings.settings().order;
    if (order_ == TestOrder::Sequential) {
        sequentialIndex_ = 0;
        position_ = 1;
        view_.current = "1";
        showExpression(0);
    } else {
        randomOrder_.reset(table_->size(), services_.random);
        next();
    }
}

void TypedExamSession::next() {
    if (!dictionaryLoaded()) return;
    if (order_ == TestOrder::Sequential) {
        ++sequentialIndex_;
        if (sequentialIndex_ >= table_->size()) {
            endOfTest();
            return;
        }
        position_ = static_cast<int>(sequentialIndex_) + 1;
        view_.current = std::to_string(position_);
        showExpression(sequentialIndex_);
        return;
    }
    const std::optional<std::size_t> row = randomOrder_.next();
    if (!row) {
        endOfTest();
        return;
    }
    position_ = total_ + 1 - static_cast<int>(randomOrder_.remaining());
    view_.current = std::to_string(position_);
    showExpression(*row);
}

void TypedExamSession::showExpression(std::size_t row) {
    current_ = row;
    answerSlots_.assign(table_->answer(row));
    // Follows the expression being asked: a flag left from an earlier expression would
    // offer practice of translations this one does not have.
    severalAnswers_ = answerSlots_.severalForPractice() ? answerSlots_.count() : 0;
    questionSlots_.assign(table_->question(row));
    view_.question.clear();
    questionSlots_.appendDisplay(view_.question);
    phase_ = TypedExamPhase::Asking;
    pronounceOnShow();
    prefetchNext();
}

void TypedExamSession::prefetchNext() const {
    // In random order the next records lie anywhere in a table that may be far larger than
    // the caches; asking memory for them now lets them arrive while this one is answered.
    // (File order walks the table, which the processor foresees by itself.)
    if (order_ != TestOrder::Random) return;
    for (std::size_t ahead = 1; ahead <= 2; ++ahead) {
        const std::optional<std::size_t> row = randomOrder_.upcoming(ahead);
        if (!row) return;
        __builtin_prefetch(table_->answer(*row).data());
        __builtin_prefetch(table_->question(*row).data());
    }
}

void TypedExamSession::endOfTest() {
    // Nothing is asked any more, so nothing is left to pronounce.
    pronunciation_.stop();
    current_.reset();
    if (!lastAnswerCorrect_ && phase_ != TypedExamPhase::EndMessage) {
        // The corrections of the last wrong answer stay readable until Enter.
        view_.answer = std::string(kEndOfTestMessage);
        view_.answerReadOnly = true;
        view_.answerSelected = false;
        view_.question.clear();
        phase_ = TypedExamPhase::EndMessage;
        return;
    }
    view_.answerReadOnly = false;
    evaluate();
}

void TypedExamSession::evaluate() {
    services_.evaluation.selectAction(EvaluationAction::Retest);
    phase_ = TypedExamPhase::Evaluated;
    if (services_.general.recordFinishedTests) recordStatistics(true);
    services_.evaluation.showResults(evaluateTest(correct_, wrong_, total_, services_.general.gradeThresholds));
    testFinished_ = true;
}

void TypedExamSession::recordStatistics(bool finished) {
    appendExamStatistics(services_, TesterKind::TestOne, statisticsPath_, correct_, wrong_, position_, finished);
}

// --- answers

void TypedExamSession::enter(std::string_view typed) {
    if (!dictionaryLoaded()) return;
    switch (phase_) {
    case TypedExamPhase::Empty:
    case TypedExamPhase::ExtendedPractice:
    case TypedExamPhase::Evaluated:
        return;
    case TypedExamPhase::EndMessage:
        view_.answerReadOnly = false;
        evaluate();
        return;
    case TypedExamPhase::WaitingForCorrect:
        if (!answerSlots_.matches(typed)) {
            view_.answer = std::string(typed);
            view_.answerSelected = false;
            return;
        }
        waiting_ = false;
        view_.previousQuestion = "-";
        view_.previousAnswers = "-";
        view_.answer.clear();
        view_.answerSelected = false;
        next();
        return;
    case TypedExamPhase::Asking:
        judge(typed);
        return;
    }
}

void TypedExamSession::judge(std::string_view typed) {
    const TesterSettings& settings = services_.settings.settings();
    if (answerSlots_.matches(typed)) {
        ++correct_;
        lastAnswerCorrect_ = true;
        view_.correct = std::to_string(correct_);
        view_.previousQuestion = "-";
        view_.previousAnswers = "-";
        const std::string accepted(typed);
        if (settings.extendedTesting) {
            offerExtendedTesting(accepted);
        } else {
            next();
        }
        view_.answer.clear();
        view_.answerSelected = false;
        return;
    }

    severalAnswers_ = 0;
    lastAnswerCorrect_ = false;
    const std::size_t row = *current_;
    services_.evaluation.appendWrongAnswer(table_, row, testedFile_);
    ++wrongRecords_;
    ++wrong_;
    view_.answer = std::string(typed);
    view_.answerSelected = true;
    view_.wrong = std::to_string(wrong_);
    if (settings.display != WrongAnswerDisplay::Hide) {
        view_.previousQuestion = view_.question;
        view_.previousAnswers = answerSlots_.display();
    } else {
        view_.previousQuestion = "-";
        view_.previousAnswers = "-";
    }
    if (settings.waitForCorrect) {
        waiting_ = true;
        phase_ = TypedExamPhase::WaitingForCorrect;
    } else {
        next();
    }
}

void TypedExamSession::offerExtendedTesting(std::string_view typed) {
    if (severalAnswers_ == 0) {
        next();
        return;
    }
    if (services_.prompter.askYesNo(extendedTestingOffer(severalAnswers_))) {
        extended_.prepare(view_.question, answerSlots_, std::string(typed));
        phase_ = TypedExamPhase::ExtendedPractice;
        return;
    }
    severalAnswers_ = 0;
    next();
}

void TypedExamSession::returnFromExtendedTesting() {
    if (phase_ != TypedExamPhase::ExtendedPractice) return;
    extended_.reset();
    severalAnswers_ = 0;
    phase_ = TypedExamPhase::Asking;
    next();
}

// --- pronunciation

void TypedExamSession::pronounceOnShow() { pronunciation_.expressionShown(); }

void TypedExamSession::repeatPronunciation() {
    if (!current_) return;
    if (phase_ != TypedExamPhase::Asking && phase_ != TypedExamPhase::WaitingForCorrect) return;
    pronounce(*current_);
}

void TypedExamSession::pronounce(std::size_t row) { pronunciation_.pronounce(*table_, row, testedFile_); }

// --- ways in and out

std::optional<ExpressionTable> TypedExamSession::loadForTest(const std::filesystem::path& path,
                                                           bool reportUnreadable) {
    return loadDictionaryForTest(services_.prompter, path, reportUnreadable);
}

bool TypedExamSession::openDictionary(const std::filesystem::path& path) {
    // A file that cannot be used breaks nothing off: the running test goes on unrecorded.
    DictionaryLoad load = loadDictionary(path);
    if (load.status == LoadStatus::CannotOpen) {
        // A missing file has had its message from the recent-files menu already.
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) reportUnreadable(path, load.error);
        return false;
    }
    if (load.status == LoadStatus::TooLarge) {
        services_.prompter.information(kTooLargeDictionaryMessage);
        return false;
    }
    if (dictionaryLoaded()) {
        if (!services_.prompter.askYesNo(kInterruptTestQuestion)) return false;
        interrupt();
    }
    reset();
    dictionaryPath_ = path.string();
    if (load.status == LoadStatus::Empty) {
        services_.prompter.information(kEmptyDictionaryMessage);
        return true;
    }
    setTestedFile(path);
    fill(std::move(load.table));
    begin();
    return true;
}

void TypedExamSession::setTestedFile(const std::filesystem::path& file) {
    testedFile_ = file;
    statisticsPath_ = toLowerUtf8(file.string());
}

bool TypedExamSession::newTest() {
    if (!dictionaryLoaded()) return true;
    if (services_.prompter.askYesNo(kInterruptTestQuestion)) interrupt();
    return false;
}

void TypedExamSession::loadLastWrongExpressions() {
    const std::filesystem::path file = services_.programFolder / kTestOneWrongExpressionsFile;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        services_.prompter.information(kNoLastWrongExpressionsMessage);
        return;
    }
    if (dictionaryLoaded()) {
        if (!services_.prompter.askYesNo(kInterruptForLastWrongQuestion)) return;
        interrupt();
    }
    reset();
    // The statistics name this test after the file; the name label keeps the dictionary
    // last opened.
    setTestedFile(file);
    DictionaryLoad load = loadDictionary(file);
    switch (load.status) {
    case LoadStatus::Loaded:
        fill(std::move(load.table));
        begin();
        return;
    case LoadStatus::Empty: services_.prompter.information(kNoLastWrongExpressionsMessage); return;
    case LoadStatus::TooLarge: services_.prompter.information(kTooLargeDictionaryMessage); return;
    case LoadStatus::CannotOpen:
        reportUnreadable(file, load.error);
        return;
    }
}

void TypedExamSession::reportUnreadable(const std::filesystem::path& path, const std::string& error) {
    services_.prompter.error("Slovník " + path.string() + " nelze otevřít: " + error);
}

void TypedExamSession::windowShown() {
    const std::optional<std::filesystem::path> file =
        takeCommandLineDictionaryFile(services_.startup, services_.programFolder);
    if (!file) return;
    std::optional<ExpressionTable> table = loadForTest(*file, true);
    if (!table) return;
    reset();
    setTestedFile(*file);
    fill(std::move(*table));
    begin();
}

void TypedExamSession::windowClosed() {
    pronunciation_.stop();
    interrupt();
}

void TypedExamSession::startRetest(ExpressionTable expressions) {
    if (expressions.empty()) return;
    fill(std::move(expressions));
    begin();
}

}  // namespace lexo
