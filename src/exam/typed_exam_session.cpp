#include "exam/typed_exam_session.h"

#include "exam/grading.h"

namespace lexo {

std::string extendedTestingOffer(std::size_t translations) {
    return "Právě jste uhádl 1 ze " + std::to_string(translations) +
           " správných odpovědí, přejete si cvičně prozkoušet ostatní odpovědi? Pokud ano klikněte na tlačítko "
           "\"Ano\", pokud chcete pokračovat ve zkoušení klikněte na tlačítko \"ne\"";
}

TypedExamSession::TypedExamSession(TypedExamServices services)
    : ExamSession(std::move(services), TesterKind::TestOne, kTestOneWrongExpressionsFile) {}

TypedExamSession::~TypedExamSession() = default;

std::string TypedExamSession::applyEntryCase(std::string_view typed) const {
    return enteredText(typed, services_.general.upperCaseEntry);
}

// --- the life of a test

void TypedExamSession::reset() {
    ExamSession::reset();
    view_ = TypedExamView{};
    lastAnswerCorrect_ = false;
    waiting_ = false;
    phase_ = TypedExamPhase::Empty;
    sequentialIndex_ = 0;
    severalAnswers_ = 0;
}

void TypedExamSession::begin() {
    view_.dictionaryName = std::filesystem::path(dictionaryPath_).filename().string();
    total_ = static_cast<int>(table_->size());
    view_.total = std::to_string(total_);
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
    pronunciation_.expressionShown();
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
    recordStatistics(true);
    services_.evaluation.showResults(evaluateTest(correct_, wrong_, total_, services_.general.gradeThresholds));
    testFinished_ = true;
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

void TypedExamSession::repeatPronunciation() {
    if (!current_) return;
    if (phase_ != TypedExamPhase::Asking && phase_ != TypedExamPhase::WaitingForCorrect) return;
    pronounceCurrent();
}

// --- ways in and out

void TypedExamSession::windowClosed() {
    pronunciation_.stop();
    interrupt();
}

}  // namespace lexo
