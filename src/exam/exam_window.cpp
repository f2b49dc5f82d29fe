// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/exam_session.h"

#include "exam/exam_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>

#include "common/app_signals.h"
#include "common/context_ports.h"
#include "common/program_context.h"
#include "dictionary/recent_files_menu.h"
#include "platform/qt_widgets.h"

namespace lexo {

ExamWindow::ExamWindow(AppContext& context, TesterSettingsModel& settings, const char* objectName,
                       const char* title, QWidget* parent)
    : QMainWindow(parent), context_(context), settings_(settings) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromUtf8(title));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

ExamWindow::~ExamWindow() { settings_.setTestLoadedQuery({}); }

ExamServices ExamWindow::services(Timers& timers, Random& random, EvaluationSession& evaluation,
                                  ExamResultSink& statistics) const {
    return ExamServices{*context_.prompter, timers,          soundPlayerOf(context_), speakerOf(context_),
                        random,             context_.general, settings_,              context_.startup,
                        evaluation,         statistics,       context_.programFolder};
}

void ExamWindow::attach(ExamSession& session, const ExamMenuNames& names) {
    session_ = &session;
    settings_.setTestLoadedQuery([&session] { return session.dictionaryLoaded(); });

    menus_ = buildExamMenus(*this, names,
                            ExamMenuHandlers{[this] { newTest(); }, [this] { repeatPronunciation(); },
                                             [this] { loadLastWrongExpressions(); }});
    RecentFilesSettings recent = recentFilesSettings(names.recentList);
    recent.fileMenu = menus_.recent;
    recentFiles_ =
        new RecentFilesMenu(this, recent, *context_.prompter, QString::fromStdString(context_.programFolder.string()));
    recentFiles_->setOpenHandler([this](const QString& path) { return openDictionaryPath(path); });

    if (context_.appSignals != nullptr) {
        applyExpressionFont(context_.appSignals->expressionFont());
        connect(context_.appSignals, &AppSignals::expressionFontChanged, this, &ExamWindow::applyExpressionFont);
    } else {
        applyExpressionFont(font());
    }
}

void ExamWindow::fitSize(QSize client) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize designed(client.width(), client.height() + menuBar()->sizeHint().height());
    setFixedSize(sizeHint().expandedTo(designed));
}

void ExamWindow::setFileChooser(FileChooser chooser) { recentFiles_->setFileChooser(std::move(chooser)); }

void ExamWindow::setEvaluationOpener(std::function<void()> opener) { evaluationOpener_ = std::move(opener); }

void ExamWindow::openEvaluation() {
    if (evaluationOpener_) evaluationOpener_();
}

void ExamWindow::setSettingsOpener(std::function<void()> opener) { menus_.setSettingsOpener(std::move(opener)); }

void ExamWindow::setQuestionLabel(std::string_view text) { questionLabel_->setText(qs(text)); }

void ExamWindow::runCommand(const std::function<void()>& command) {
    command();
    refresh();
    focusAnswer();
}

void ExamWindow::newTest() {
    bool openDialog = false;
    runCommand([&] { openDialog = session_->newTest(); });
    // Nothing was loaded: the dialog runs, and the open handler shows what it opened.
    if (openDialog) recentFiles_->open();
}

bool ExamWindow::openDictionaryPath(const QString& path) {
    bool opened = false;
    runCommand([&] { opened = session_->openDictionary(path.toStdString()); });
    return opened;
}

void ExamWindow::loadLastWrongExpressions() {
    runCommand([this] { session_->loadLastWrongExpressions(); });
}

void ExamWindow::repeatPronunciation() { session_->repeatPronunciation(); }

bool ExamWindow::event(QEvent* event) {
    // The direction may have changed in the settings window since the caption was set.
    if (event->type() == QEvent::WindowActivate && session_ != nullptr) setQuestionLabel(session_->questionLabel());
    return QMainWindow::event(event);
}

void ExamWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    setQuestionLabel(session_->questionLabel());
    session_->windowShown();
    refresh();
    focusAnswer();
}

QLabel* addCounter(QGridLayout* grid, int row, const char* name, const char* text) {
    QWidget* box = grid->parentWidget();
    auto* title = new QLabel(QString::fromUtf8(text), box);
    auto* value = new QLabel(QStringLiteral("-"), box);
    value->setObjectName(QString::fromLatin1(name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(title, row, 0);
    grid->addWidget(value, row, 1);
    return value;
}

void styleAnswerCounts(QLabel* correct, QLabel* wrong) {
    QFont bold = correct->font();
    bold.setBold(true);
    for (QLabel* count : {correct, wrong}) count->setFont(bold);
    setColour(correct, QPalette::WindowText, kExamGreen);
    setColour(wrong, QPalette::WindowText, kExamRed);
}

}  // namespace lexo
