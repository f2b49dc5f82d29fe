// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/typed_exam_session.h"

#include "exam/typed_exam_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <tuple>

#include "common/entry_line_edit.h"
#include "common/program_context.h"
#include "common/upper_case_entry.h"
#include "exam/exam_window_support.h"
#include "exam/extended_testing_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

constexpr QSize kClientSize{379, 427};

}  // namespace

TypedExamWindow::TypedExamWindow(AppContext& context, Timers& timers, Random& random, TesterSettingsModel& settings,
                                 EvaluationSession& evaluation, ExamResultSink& statistics, QWidget* parent)
    : ExamWindow(context, settings, "Form4", "Zkoušení výrazů I", parent), shownPhase_(TypedExamPhase::Empty) {
    session_ = std::make_unique<TypedExamSession>(services(timers, random, evaluation, statistics));
    evaluation.attachTestOne(*session_);
    buildCentral();
    extended_ = std::make_unique<ExtendedTestingWindow>(session_->extendedTesting(), context.general);
    extended_->setReturnHandler([this] { returnFromExtendedTesting(); });
    attach(*session_, ExamMenuNames{RecentList::TestOne, "Konec1", "Nas1", "btoptions", "ToolButton4"});
    refresh();
    fitSize(kClientSize);
    centreOnScreen(*this);
}

TypedExamWindow::~TypedExamWindow() {
    answer_->keyHandler = nullptr;
    // The extended window shows a part of the session: it goes first.
    extended_.reset();
}

void TypedExamWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(3);

    const auto caption = [central](const char* name, const char* text, QWidget* buddy) {
        auto* result = new QLabel(QString::fromUtf8(text), central);
        result->setObjectName(QString::fromLatin1(name));
        result->setBuddy(buddy);
        return result;
    };

    question_ = examMemo("mevyraz", 2, central);
    answer_ = new EntryLineEdit(central);
    answer_->setObjectName(QStringLiteral("edtodpoved"));
    answer_->setToolTip(QStringLiteral(
        "Zde vložte správný překlad výrazu, který se zobrazuje výše a potvrďte klávesou ENTER"));
    answer_->keyHandler = [this](QKeyEvent* event) { return answerKey(event); };
    keepUpperCase(answer_, [this] { return context_.general.upperCaseEntry; });
    previousQuestion_ = examMemo("mespravneprvni", 2, central);
    previousAnswers_ = examMemo("mespravne", 2, central);
    setColour(previousAnswers_, QPalette::Text, kExamRed);

    questionLabel_ = caption("Label2", "Český výraz:", question_);
    layout->addWidget(questionLabel_);
    layout->addWidget(question_);
    layout->addSpacing(6);
    layout->addWidget(caption("Label4", "Správný výraz:", answer_));
    layout->addWidget(answer_);
    layout->addSpacing(6);
    layout->addWidget(caption("Label3", "Předchozí správná odpověd výrazu:", previousQuestion_));
    layout->addWidget(previousQuestion_);
    layout->addSpacing(2);
    layout->addWidget(caption("Label1", "byla:", previousAnswers_));
    layout->addWidget(previousAnswers_);
    layout->addSpacing(8);

    auto* info = new QGroupBox(QStringLiteral("Informace o zkoušení:"), central);
    info->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(info);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    dictionaryName_ = addCounter(grid, 0, "lbnazev", "Název slovníku:");
    total_ = addCounter(grid, 1, "lbpocetvyrazu", "Celkový počet výrazů:");
    current_ = addCounter(grid, 2, "lbaktvyraz", "Aktuální výraz:");
    correct_ = addCounter(grid, 3, "lbspravne", "Správně uhodnutých výrazů:");
    wrong_ = addCounter(grid, 4, "lbspatne", "Špatně uhodnutých výrazů:");
    grid->setColumnStretch(1, 1);
    styleAnswerCounts(correct_, wrong_);
    layout->addWidget(info);
    layout->addStretch(1);

    setCentralWidget(central);
    answer_->setFocus();
}

void TypedExamWindow::showAfterEvaluation() {
    shownPhase_ = session_->phase();
    comeBack();
}

void TypedExamWindow::comeBack() {
    bringForward(*this);
    refresh();
    answer_->setFocus();
}

void TypedExamWindow::focusAnswer() { answer_->setFocus(); }

void TypedExamWindow::runCommand(const std::function<void()>& command) {
    const QString typed = answer_->text();
    const auto state = [this] {
        const TypedExamView& view = session_->view();
        return std::tuple(session_->dictionaryLoaded(), session_->phase(), session_->position(),
                          session_->correctCount(), session_->wrongCount(), &session_->table(), view.question,
                          view.dictionaryName);
    };
    const auto before = state();
    command();
    const bool unchanged = std::get<0>(before) && state() == before;
    refresh();
    if (unchanged) answer_->setText(typed);
    answer_->setFocus();
}

void TypedExamWindow::applyExpressionFont(const QFont& font) {
    expressionFont_ = font;
    answer_->setFont(answerFont());
    QFont memoFont = font;
    memoFont.setPointSize(10);
    memoFont.setBold(true);
    question_->setFont(memoFont);
    previousQuestion_->setFont(memoFont);
    memoFont.setPointSize(12);
    previousAnswers_->setFont(memoFont);
    for (QPlainTextEdit* memo : {question_, previousQuestion_, previousAnswers_}) fitMemoHeight(memo);
    if (extended_) {
        extended_->applyExpressionFont(font);
        fitSize(kClientSize);
    }
}

bool TypedExamWindow::answerKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The whole text, so that a pasted one is judged as it would have been typed.
        session_->enter(session_->applyEntryCase(answer_->text().toStdString()));
        refresh();
        return true;
    }
    return false;
}

void TypedExamWindow::refresh() {
    const TypedExamView& view = session_->view();
    dictionaryName_->setText(qs(view.dictionaryName));
    total_->setText(qs(view.total));
    current_->setText(qs(view.current));
    correct_->setText(qs(view.correct));
    wrong_->setText(qs(view.wrong));
    setMemoText(question_, view.question);
    setMemoText(previousQuestion_, view.previousQuestion);
    setMemoText(previousAnswers_, view.previousAnswers);

    const QString answer = qs(view.answer);
    if (answer_->text() != answer) answer_->setText(answer);
    answer_->setReadOnly(view.answerReadOnly);
    answer_->setFont(answerFont());
    if (view.answerSelected)
        answer_->selectAll();
    else
        answer_->end(false);
    followPhase();
}

// The expression font draws phonetic symbols for "!" and the digits; the end message is
// the program's own text and keeps its "!".
QFont TypedExamWindow::answerFont() const {
    return session_ && session_->phase() == TypedExamPhase::EndMessage ? font() : expressionFont_;
}

void TypedExamWindow::followPhase() {
    const TypedExamPhase phase = session_->phase();
    if (phase == shownPhase_) return;
    shownPhase_ = phase;
    if (phase == TypedExamPhase::ExtendedPractice) {
        extended_->open();
        stepAside(*this);
    } else if (phase == TypedExamPhase::Evaluated) {
        openEvaluation();
        stepAside(*this);
    }
}

void TypedExamWindow::returnFromExtendedTesting() {
    extended_->hide();
    session_->returnFromExtendedTesting();
    comeBack();
}

void TypedExamWindow::closeEvent(QCloseEvent* event) {
    session_->windowClosed();
    extended_->hide();
    refresh();
    event->accept();
}

}  // namespace lexo
