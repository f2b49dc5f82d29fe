// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/self_assessed_exam_session.h"

#include "exam/self_assessed_exam_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/app_signals.h"
#include "common/program_context.h"
#include "dictionary/recent_files_menu.h"
#include "common/context_ports.h"
#include "exam/exam_window_support.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

constexpr QSize kClientSize{384, 402};

}  // namespace

SelfAssessedExamWindow::SelfAssessedExamWindow(AppContext& context, Timers& timers, Random& random,
                                               TesterSettingsModel& settings, EvaluationSession& evaluation,
                                               ExamResultSink& statistics, QWidget* parent)
    : QMainWindow(parent), context_(context), shownPhase_(SelfAssessedExamPhase::Empty) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Zkoušení výrazů II"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    session_ = std::make_unique<SelfAssessedExamSession>(
        SelfAssessedExamServices{*context.prompter, timers, soundPlayerOf(context), speakerOf(context), random,
                                 context.general, settings, context.startup, evaluation, statistics,
                                 context.programFolder});
    evaluation.attachTestTwo(*session_);
    settings.setTestLoadedQuery([session = session_.get()] { return session->dictionaryLoaded(); });
    settings_ = &settings;

    buildCentral();
    buildMenusAndToolBar();

    RecentFilesSettings recent = recentFilesSettings(RecentList::TestTwo);
    recent.fileMenu = menus_.recent;
    recentFiles_ =
        new RecentFilesMenu(this, recent, *context.prompter, QString::fromStdString(context.programFolder.string()));
    recentFiles_->setOpenHandler([this](const QString& path) { return openDictionaryPath(path); });

    if (context.appSignals != nullptr) {
        applyExpressionFont(context.appSignals->expressionFont());
        connect(context.appSignals, &AppSignals::expressionFontChanged, this,
                &SelfAssessedExamWindow::applyExpressionFont);
    } else {
        applyExpressionFont(font());
    }

    refresh();
    const QSize designed(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    setFixedSize(sizeHint().expandedTo(designed));
    centreOnScreen(*this);
}

SelfAssessedExamWindow::~SelfAssessedExamWindow() { settings_->setTestLoadedQuery({}); }

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
    const auto row = [info, grid](int at, const char* name, const char* text) {
        auto* title = new QLabel(QString::fromUtf8(text), info);
        auto* value = new QLabel(QStringLiteral("-"), info);
        value->setObjectName(QString::fromLatin1(name));
        grid->addWidget(title, at, 0);
        grid->addWidget(value, at, 1);
        return value;
    };
    total_ = row(0, "lbpocet", "Celkový počet výrazů:");
    current_ = row(1, "lbaktvyraz", "Aktuální výraz:");
    correct_ = row(2, "lbspravne", "Správně uhodnutých výrazů:");
    wrong_ = row(3, "lbspatne", "Špatně uhodnutých výrazů:");
    grid->setColumnStretch(1, 1);
    QFont bold = correct_->font();
    bold.setBold(true);
    for (QLabel* count : {correct_, wrong_}) count->setFont(bold);
    setColour(correct_, QPalette::WindowText, kExamGreen);
    setColour(wrong_, QPalette::WindowText, kExamRed);
    layout->addWidget(info);
    layout->addStretch(1);

    connect(know_, &QPushButton::clicked, this, &SelfAssessedExamWindow::know);
    connect(dontKnow_, &QPushButton::clicked, this, &SelfAssessedExamWindow::dontKnow);

    setCentralWidget(central);
}

void SelfAssessedExamWindow::buildMenusAndToolBar() {
    menus_ = buildExamMenus(*this, ExamMenuNames{RecentList::TestTwo, "Uzavt1", "Nastaven1", "btnastaveni", "ToolButton3"},
                            ExamMenuHandlers{[this] { newTest(); }, [this] { repeatPronunciation(); },
                                             [this] { loadLastWrongExpressions(); }});
}

void SelfAssessedExamWindow::setFileChooser(FileChooser chooser) { recentFiles_->setFileChooser(std::move(chooser)); }

void SelfAssessedExamWindow::setEvaluationOpener(std::function<void()> opener) {
    evaluationOpener_ = std::move(opener);
}

void SelfAssessedExamWindow::setSettingsOpener(std::function<void()> opener) { menus_.setSettingsOpener(std::move(opener)); }

void SelfAssessedExamWindow::setQuestionLabel(std::string_view text) { questionLabel_->setText(qs(text)); }

void SelfAssessedExamWindow::showAfterEvaluation() {
    shownPhase_ = session_->phase();
    show();
    raise();
    activateWindow();
    refresh();
    know_->setFocus();
}

void SelfAssessedExamWindow::know() {
    session_->know();
    refresh();
}

void SelfAssessedExamWindow::dontKnow() {
    session_->dontKnow();
    refresh();
}

void SelfAssessedExamWindow::newTest() {
    const bool openDialog = session_->newTest();
    refresh();
    if (openDialog) recentFiles_->open();
}

bool SelfAssessedExamWindow::openDictionaryPath(const QString& path) {
    const bool opened = session_->openDictionary(path.toStdString());
    refresh();
    know_->setFocus();
    return opened;
}

void SelfAssessedExamWindow::loadLastWrongExpressions() {
    session_->loadLastWrongExpressions();
    refresh();
}

void SelfAssessedExamWindow::repeatPronunciation() { session_->repeatPronunciation(); }

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
        if (evaluationOpener_) evaluationOpener_();
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

bool SelfAssessedExamWindow::event(QEvent* event) {
    // The direction may have changed in the settings window since the caption was set.
    if (event->type() == QEvent::WindowActivate) setQuestionLabel(session_->questionLabel());
    return QMainWindow::event(event);
}

void SelfAssessedExamWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    setQuestionLabel(session_->questionLabel());
    session_->windowShown();
    refresh();
    know_->setFocus();
}

void SelfAssessedExamWindow::closeEvent(QCloseEvent* event) {
    session_->windowClosed();
    refresh();
    event->accept();
}

}  // namespace lexo
