#include "exam/self_assessed_exam_session.h"

#include <system_error>

#include "dictionary/dictionary_file.h"
#include "text/text_codec.h"
#include "exam/grading.h"

namespace lexo {

SelfAssessedExamSession::SelfAssessedExamSession(SelfAssessedExamServices services)
    : services_(std::move(services)), pronunciation_(services_) {
    pronunciation_.pronounceCurrent = [this] { pronounce(); };
}

SelfAssessedExamSession::~SelfAssessedExamSession() = default;

const ExamTable& SelfAssessedExamSession::table() const {
    static const ExamTable empty;
    return table_ ? *table_ : empty;
}

std::string_view SelfAssessedExamSession::questionLabel() const {
    return lexo::questionLabel(services_.settings.settings().direction);
}

// --- the life of a test

void SelfAssessedExamSession::reset() {
    pronunciation_.stop();
    view_ = SelfAssessedExamView{};
    phase_ = SelfAssessedExamPhase::Empty;
    table_.reset();
    randomOrder_.clear();
    current_.reset();
    questionSlots_.clear();
    answerSlots_.clear();
    answers_ = 0;
    correct_ = 0;
    wrong_ = 0;
    wrongRecords_ = 0;
    total_ = 0;
    position_ = 0;
    testFinished_ = false;
}

void SelfAssessedExamSession::interrupt() {
    appendExamStatistics(services_, TesterKind::TestTwo, statisticsPath_, correct_, wrong_, position_, false);
    reset();
    services_.evaluation.clearList();
}

void SelfAssessedExamSession::fill(ExpressionTable expressions) {
    recordsDirection_ = services_.settings.settings().direction;
    table_ = std::make_shared<const ExamTable>(std::move(expressions), recordsDirection_);
}

void SelfAssessedExamSession::begin() {
    phase_ = SelfAssessedExamPhase::Asking;
    total_ = static_cast<int>(table_->size());
    view_.total = std::to_string(total_);
    // The order is locked while a dictionary is loaded, so the one read now holds for the test.
    order_ = services_.settings.settings().order;
    position_ = 1;
    view_.current = "1";
    if (order_ == TestOrder::Sequential) {
        // The answer counters keep "-" until the first answer.
        showQuestion(0);
        return;
    }
    randomOrder_.reset(table_->size(), services_.random);
    const std::optional<std::size_t> row = randomOrder_.next();
    if (!row) return;
    current_ = row;
    showCounters();
    showQuestion(*row);
}

void SelfAssessedExamSession::showQuestion(std::size_t row) {
    current_ = row;
    questionSlots_.assign(table_->question(row));
    view_.question = questionSlots_.display();
    pronunciation_.expressionShown();
}

void SelfAssessedExamSession::showCounters() {
    position_ = answers_ + 1;
    view_.current = std::to_string(position_);
    view_.correct = std::to_string(correct_);
    view_.wrong = std::to_string(wrong_);
}

void SelfAssessedExamSession::showAnswer() {
    answerSlots_.assign(table_->answer(*current_));
    view_.previousQuestion = view_.question;
    view_.previousAnswers = answerSlots_.display();
}

void SelfAssessedExamSession::hideAnswer() {
    view_.previousQuestion = "-";
    view_.previousAnswers = "-";
}

void SelfAssessedExamSession::advance() {
    std::optional<std::size_t> row;
    if (order_ == TestOrder::Sequential) {
        if (answers_ < total_) row = static_cast<std::size_t>(answers_);
    } else {
        row = randomOrder_.next();
    }
    if (!row) {
        evaluate();
        return;
    }
    current_ = row;
    showCounters();
    showQuestion(*row);
}

void SelfAssessedExamSession::know() {
    if (phase_ == SelfAssessedExamPhase::Empty) {
        services_.prompter.information(kNoDictionaryLoadedMessage);
        return;
    }
    if (phase_ != SelfAssessedExamPhase::Asking) return;
    ++correct_;
    ++answers_;
    const bool fileOrder = order_ == TestOrder::Sequential;
    // In file order the last "Vím" goes straight to the evaluation.
    if (fileOrder && answers_ >= total_) {
        evaluate();
        return;
    }
    if (services_.settings.settings().display == WrongAnswerDisplay::ShowAlways) {
        showAnswer();
        if (fileOrder) previousColour_ = PreviousAnswerColour::Green;
    } else {
        hideAnswer();
    }
    advance();
}

void SelfAssessedExamSession::dontKnow() {
    if (phase_ == SelfAssessedExamPhase::Empty) {
        services_.prompter.information(kNoDictionaryLoadedMessage);
        return;
    }
    if (phase_ != SelfAssessedExamPhase::Asking) return;
    if (services_.settings.settings().display != WrongAnswerDisplay::Hide) {
        showAnswer();
        if (order_ == TestOrder::Sequential) previousColour_ = PreviousAnswerColour::Red;
    } else {
        hideAnswer();
    }
    ++wrong_;
    ++answers_;
    services_.evaluation.appendWrongAnswer(table_, *current_, testedFile_);
    ++wrongRecords_;
    advance();
}

void SelfAssessedExamSession::evaluate() {
    // Nothing is asked any more, so nothing is left to pronounce.
    pronunciation_.stop();
    current_.reset();
    if (order_ == TestOrder::Sequential) services_.evaluation.selectAction(EvaluationAction::Retest);
    services_.evaluation.showResults(evaluateTest(correct_, wrong_, total_, services_.general.gradeThresholds));
    phase_ = SelfAssessedExamPhase::Evaluated;
    testFinished_ = true;
    appendExamStatistics(services_, TesterKind::TestTwo, statisticsPath_, correct_, wrong_, position_, true);
}

// --- pronunciation

void SelfAssessedExamSession::pronounce() {
    if (current_ && table_) pronunciation_.pronounce(*table_, *current_, testedFile_);
}

void SelfAssessedExamSession::repeatPronunciation() {
    if (phase_ != SelfAssessedExamPhase::Asking || !current_) return;
    // The test's own count of answers: the number of the question on display less one in
    // file order, less two in random order. At 0 the button has always done nothing.
    const int index = order_ == TestOrder::Sequential ? answers_ : answers_ - 1;
    if (index == 0) return;
    pronounce();
}

// --- ways in and out

void SelfAssessedExamSession::setTestedFile(const std::filesystem::path& file) {
    testedFile_ = file;
    statisticsPath_ = toLowerUtf8(file.string());
}

bool SelfAssessedExamSession::openDictionary(const std::filesystem::path& path) {
    // The file is read before a running test is broken off for it.
    DictionaryLoad load = loadDictionary(path);
    switch (load.status) {
    case LoadStatus::CannotOpen:
        services_.prompter.error("Slovník " + path.string() + " nelze otevřít: " + load.error);
        return false;
    case LoadStatus::TooLarge: services_.prompter.information(kTooLargeDictionaryMessage); return false;
    case LoadStatus::Empty:
    case LoadStatus::Loaded: break;
    }
    if (dictionaryLoaded()) {
        if (!services_.prompter.askYesNo(kInterruptTestQuestion)) return false;
        interrupt();
    }
    reset();
    if (load.status == LoadStatus::Empty) {
        services_.prompter.information(kEmptyDictionaryMessage);
        return true;
    }
    setTestedFile(path);
    fill(std::move(load.table));
    begin();
    return true;
}

bool SelfAssessedExamSession::newTest() {
    if (!dictionaryLoaded()) return true;
    if (services_.prompter.askYesNo(kInterruptTestQuestion)) interrupt();
    return false;
}

void SelfAssessedExamSession::loadLastWrongExpressions() {
    const std::filesystem::path file = services_.programFolder / kTestTwoWrongExpressionsFile;
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
    case LoadStatus::CannotOpen:
        services_.prompter.error("Slovník " + file.string() + " nelze otevřít: " + load.error);
        return;
    }
    if (dictionaryLoaded()) {
        if (!services_.prompter.askYesNo(kInterruptForLastWrongQuestion)) return;
        interrupt();
    }
    reset();
    // The statistics name this test "spatnevyrazyjedn".
    setTestedFile(file);
    fill(std::move(load.table));
    begin();
}

void SelfAssessedExamSession::windowShown() {
    const std::optional<std::filesystem::path> file =
        takeCommandLineDictionaryFile(services_.startup, services_.programFolder);
    if (!file) return;
    std::optional<ExpressionTable> table = loadDictionaryForTest(services_.prompter, *file, true);
    if (!table) return;
    reset();
    setTestedFile(*file);
    fill(std::move(*table));
    begin();
}

void SelfAssessedExamSession::windowClosed() {
    pronunciation_.stop();
    // While evaluated the window is hidden and the evaluation owns the results.
    if (phase_ == SelfAssessedExamPhase::Evaluated) return;
    interrupt();
}

void SelfAssessedExamSession::startRetest(ExpressionTable expressions) {
    if (expressions.empty()) return;
    reset();
    fill(std::move(expressions));
    begin();
}

}  // namespace lexo
