#include "exam/self_assessed_exam_session.h"

#include "exam/grading.h"

namespace lexo {

SelfAssessedExamSession::SelfAssessedExamSession(SelfAssessedExamServices services)
    : ExamSession(std::move(services), TesterKind::TestTwo, kTestTwoWrongExpressionsFile) {}

SelfAssessedExamSession::~SelfAssessedExamSession() = default;

// --- the life of a test

void SelfAssessedExamSession::reset() {
    ExamSession::reset();
    view_ = SelfAssessedExamView{};
    phase_ = SelfAssessedExamPhase::Empty;
    answers_ = 0;
}

void SelfAssessedExamSession::begin() {
    phase_ = SelfAssessedExamPhase::Asking;
    total_ = static_cast<int>(table_->size());
    view_.total = std::to_string(total_);
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
    recordStatistics(true);
}

// --- pronunciation

void SelfAssessedExamSession::repeatPronunciation() {
    if (phase_ != SelfAssessedExamPhase::Asking || !current_) return;
    // The test's own count of answers: the number of the question on display less one in
    // file order, less two in random order. At 0 the button has always done nothing.
    const int index = order_ == TestOrder::Sequential ? answers_ : answers_ - 1;
    if (index == 0) return;
    pronounceCurrent();
}

// --- ways in and out

void SelfAssessedExamSession::windowClosed() {
    pronunciation_.stop();
    // While evaluated the window is hidden and the evaluation owns the results.
    if (phase_ == SelfAssessedExamPhase::Evaluated) return;
    interrupt();
}

}  // namespace lexo
