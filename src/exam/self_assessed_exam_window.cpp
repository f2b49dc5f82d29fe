// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/self_assessed_exam_session.h"

#include "exam/self_assessed_exam_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "exam/exam_window_support.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

constexpr QSize kClientSize{384, 402};

}  // namespace

SelfAssessedExamWindow::SelfAssessedExamWindow(AppContext& context, Timers& timers, Random& random,
                                               TesterSettingsModel& settings, EvaluationSession& evaluation,
                                               ExamResultSink& statistics, QWidget* parent)
    : ExamWindow(context, settings, "Form12", "Zkoušení výrazů II", parent),
      shownPhase_(SelfAssessedExamPhase::Empty) {
    session_ = std::make_unique<SelfAssessedExamSession>(services(timers, random, evaluation, statistics));
    evaluation.attachTestTwo(*session_);
    buildCentral();
    attach(*session_, ExamMenuNames{RecentList::TestTwo, "Uzavt1", "Nastaven1", "btnastaveni", "ToolButton3"});
    refresh();
    fitSize(kClientSize);
    centreOnScreen(*this);
}

SelfAssessedExamWindow::~SelfAssessedExamWindow() = default;

void SelfAssessedExamWindow::buildCentral() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(3);

    const auto caption = [central](const char* name, const char* text) {
        auto* result = new QLabel(QString::fromUtf8(text), central);
        result->setObjectName(QString::fromLatin1(name));
        return result;
    };

    question_ = examMemo("mecz", 2, central);
    // Borderless on the window's own colour: the question reads as part of the window.
    question_->setFrameShape(QFrame::NoFrame);
    question_->setBackgroundRole(QPalette::Window);
    question_->viewport()->setAutoFillBackground(false);
    previousQuestion_ = examMemo("mespravneprvni", 2, central);
    previousAnswers_ = examMemo("mespravne", 2, central);
    setColour(previousAnswers_, QPalette::Text, kExamRed);

    questionLabel_ = caption("Label1", "Český výraz");
    layout->addWidget(questionLabel_);
    layout->addWidget(question_);
    layout->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    const auto answerButton = [central](const char* name, const char* text, const char* hint) {
        auto* button = new QPushButton(QString::fromUtf8(text), central);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromUtf8(hint));
        button->setAutoDefault(false);
        QFont big(QStringLiteral("Comic Sans MS"));
        big.setPointSize(16);
        big.setBold(true);
        button->setFont(big);
        button->setMinimumHeight(48);
        return button;
    };
    know_ = answerButton("btjo", "&Vím", "Znám překlad výrazu");
    dontKnow_ = answerButton("btne", "&Nevím", "Neznám překlad výrazu");
    buttons->addWidget(know_);
    buttons->addWidget(dontKnow_);
    layout->addLayout(buttons);
    layout->addSpacing(6);

    layout->addWidget(caption("Label2", "Předchozí správná odpověď výrazu:"));
    layout->addWidget(previousQuestion_);
    layout->addSpacing(2);
    layout->addWidget(caption("Label4", "byla:"));
    layout->addWidget(previousAnswers_);
    layout->addSpacing(8);

    auto* info = new QGroupBox(QStringLiteral("Informace o průběhu zkoušení"), central);
    info->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(info);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    total_ = addCounter(grid, 0, "lbpocet", "Celkový počet výrazů:");
    current_ = addCounter(grid, 1, "lbaktvyraz", "Aktuální výraz:");
    correct_ = addCounter(grid, 2, "lbspravne", "Správně uhodnutých výrazů:");
    wrong_ = addCounter(grid, 3, "lbspatne", "Špatně uhodnutých výrazů:");
    grid->setColumnStretch(1, 1);
    styleAnswerCounts(correct_, wrong_);
    layout->addWidget(info);
    layout->addStretch(1);

    connect(know_, &QPushButton::clicked, this, &SelfAssessedExamWindow::know);
    connect(dontKnow_, &QPushButton::clicked, this, &SelfAssessedExamWindow::dontKnow);

    setCentralWidget(central);
}

void SelfAssessedExamWindow::showAfterEvaluation() {
    shownPhase_ = session_->phase();
    bringForward(*this);
    refresh();
    focusAnswer();
}

void SelfAssessedExamWindow::know() {
    session_->know();
    refresh();
}

void SelfAssessedExamWindow::dontKnow() {
    session_->dontKnow();
    refresh();
}

void SelfAssessedExamWindow::focusAnswer() { know_->setFocus(); }

void SelfAssessedExamWindow::applyExpressionFont(const QFont& font) {
    for (QPlainTextEdit* memo : {question_, previousQuestion_, previousAnswers_}) {
        QFont memoFont = font;
        memoFont.setPointSize(memo == previousAnswers_ ? 12 : 10);
        memoFont.setBold(true);
        memo->setFont(memoFont);
        fitMemoHeight(memo);
    }
}

void SelfAssessedExamWindow::refresh() {
    const SelfAssessedExamView& view = session_->view();
    total_->setText(qs(view.total));
    current_->setText(qs(view.current));
    correct_->setText(qs(view.correct));
    wrong_->setText(qs(view.wrong));
    setMemoText(question_, view.question);
    setMemoText(previousQuestion_, view.previousQuestion);
    setMemoText(previousAnswers_, view.previousAnswers);
    switch (session_->previousColour()) {
    case PreviousAnswerColour::Default:
        setColour(previousQuestion_, QPalette::Text, palette().color(QPalette::Text));
        break;
    case PreviousAnswerColour::Green: setColour(previousQuestion_, QPalette::Text, kExamGreen); break;
    case PreviousAnswerColour::Red: setColour(previousQuestion_, QPalette::Text, kExamRed); break;
    }
    followPhase();
}

void SelfAssessedExamWindow::followPhase() {
    const SelfAssessedExamPhase phase = session_->phase();
    if (phase == shownPhase_) return;
    shownPhase_ = phase;
    if (phase == SelfAssessedExamPhase::Evaluated) {
        openEvaluation();
        stepAside(*this);
    }
}

void SelfAssessedExamWindow::keyPressEvent(QKeyEvent* event) {
    // Lower-case v and n only: a capital or Alt goes to the buttons' own shortcuts.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->text() == QStringLiteral("v")) {
            know();
            return;
        }
        if (event->text() == QStringLiteral("n")) {
            dontKnow();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void SelfAssessedExamWindow::closeEvent(QCloseEvent* event) {
    session_->windowClosed();
    refresh();
    event->accept();
}

}  // namespace lexo
