// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/typed_exam_session.h"

#include "exam/typed_exam_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <tuple>

#include "common/app_signals.h"
#include "common/context_ports.h"
#include "common/program_context.h"
#include "dictionary/recent_files_menu.h"
#include "common/entry_line_edit.h"
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
    : QMainWindow(parent), context_(context), shownPhase_(TypedExamPhase::Empty) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Zkoušení výrazů I"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    session_ = std::make_unique<TypedExamSession>(
        TypedExamServices{*context.prompter, timers, soundPlayerOf(context), speakerOf(context), random, context.general,
                        settings, context.startup, evaluation, statistics, context.programFolder});
    evaluation.attachTestOne(*session_);
    settings.setTestLoadedQuery([session = session_.get()] { return session->dictionaryLoaded(); });
    settings_ = &settings;

    buildCentral();
    buildMenusAndToolBar();

    extended_ = std::make_unique<ExtendedTestingWindow>(session_->extendedTesting(), context.general);
    extended_->setReturnHandler([this] { returnFromExtendedTesting(); });

    RecentFilesSettings recent = recentFilesSettings(RecentList::TestOne);
    recent.fileMenu = menus_.recent;
    recentFiles_ =
        new RecentFilesMenu(this, recent, *context.prompter, QString::fromStdString(context.programFolder.string()));
    recentFiles_->setOpenHandler([this](const QString& path) { return openDictionaryPath(path); });

    if (context.appSignals != nullptr) {
        applyExpressionFont(context.appSignals->expressionFont());
        connect(context.appSignals, &AppSignals::expressionFontChanged, this, &TypedExamWindow::applyExpressionFont);
    } else {
        applyExpressionFont(font());
    }

    refresh();
    fitSize();
    centreOnScreen(*this);
}

void TypedExamWindow::fitSize() {
    // The designed size, grown when the chosen font needs more room.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize designed(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    setFixedSize(sizeHint().expandedTo(designed));
}

TypedExamWindow::~TypedExamWindow() {
    answer_->keyHandler = nullptr;
    settings_->setTestLoadedQuery({});
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
    const auto row = [info, grid](int at, const char* name, const char* text) {
        auto* title = new QLabel(QString::fromUtf8(text), info);
        auto* value = new QLabel(QStringLiteral("-"), info);
        value->setObjectName(QString::fromLatin1(name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(title, at, 0);
        grid->addWidget(value, at, 1);
        return value;
    };
    dictionaryName_ = row(0, "lbnazev", "Název slovníku:");
    total_ = row(1, "lbpocetvyrazu", "Celkový počet výrazů:");
    current_ = row(2, "lbaktvyraz", "Aktuální výraz:");
    correct_ = row(3, "lbspravne", "Správně uhodnutých výrazů:");
    wrong_ = row(4, "lbspatne", "Špatně uhodnutých výrazů:");
    grid->setColumnStretch(1, 1);
    QFont bold = correct_->font();
    bold.setBold(true);
    for (QLabel* count : {correct_, wrong_}) count->setFont(bold);
    setColour(correct_, QPalette::WindowText, kExamGreen);
    setColour(wrong_, QPalette::WindowText, kExamRed);
    layout->addWidget(info);
    layout->addStretch(1);

    setCentralWidget(central);
    answer_->setFocus();
}

void TypedExamWindow::buildMenusAndToolBar() {
    menus_ = buildExamMenus(*this, ExamMenuNames{RecentList::TestOne, "Konec1", "Nas1", "btoptions", "ToolButton4"},
                            ExamMenuHandlers{[this] { newTest(); }, [this] { repeatPronunciation(); },
                                             [this] { loadLastWrongExpressions(); }});
}

void TypedExamWindow::setFileChooser(FileChooser chooser) { recentFiles_->setFileChooser(std::move(chooser)); }

void TypedExamWindow::setEvaluationOpener(std::function<void()> opener) { evaluationOpener_ = std::move(opener); }

void TypedExamWindow::setSettingsOpener(std::function<void()> opener) { menus_.setSettingsOpener(std::move(opener)); }

void TypedExamWindow::setQuestionLabel(std::string_view text) { questionLabel_->setText(qs(text)); }

void TypedExamWindow::showAfterEvaluation() {
    shownPhase_ = session_->phase();
    comeBack();
}

void TypedExamWindow::comeBack() {
    show();
    raise();
    activateWindow();
    refresh();
    answer_->setFocus();
}

void TypedExamWindow::newTest() {
    bool openDialog = false;
    runAskingCommand([&] { openDialog = session_->newTest(); });
    // Nothing was loaded: the dialog runs, and the open handler shows what it opened.
    if (openDialog) recentFiles_->open();
}

bool TypedExamWindow::openDictionaryPath(const QString& path) {
    bool opened = false;
    runAskingCommand([&] { opened = session_->openDictionary(path.toStdString()); });
    return opened;
}

void TypedExamWindow::loadLastWrongExpressions() {
    runAskingCommand([this] { session_->loadLastWrongExpressions(); });
}

void TypedExamWindow::runAskingCommand(const std::function<void()>& command) {
    // "No" to breaking off the test changes nothing, the half-typed answer included.
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

void TypedExamWindow::repeatPronunciation() { session_->repeatPronunciation(); }

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
        fitSize();
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
        if (evaluationOpener_) evaluationOpener_();
        stepAside(*this);
    }
}

void TypedExamWindow::returnFromExtendedTesting() {
    extended_->hide();
    session_->returnFromExtendedTesting();
    comeBack();
}

bool TypedExamWindow::event(QEvent* event) {
    // The direction may have changed in the settings window since the caption was set.
    if (event->type() == QEvent::WindowActivate) setQuestionLabel(session_->questionLabel());
    return QMainWindow::event(event);
}

void TypedExamWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    setQuestionLabel(session_->questionLabel());
    session_->windowShown();
    refresh();
    answer_->setFocus();
}

void TypedExamWindow::closeEvent(QCloseEvent* event) {
    session_->windowClosed();
    extended_->hide();
    refresh();
    event->accept();
}

}  // namespace lexo
