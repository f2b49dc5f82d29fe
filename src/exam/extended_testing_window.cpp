// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "common/general_settings.h"
#include "exam/alternatives.h"
#include "exam/extended_testing_session.h"

#include "exam/extended_testing_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "common/entry_line_edit.h"
#include "common/upper_case_entry.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr QSize kClientSize{371, 236};

QColor markColour(RowMark mark) {
    switch (mark) {
    case RowMark::Found: return QColor(0, 128, 0);
    case RowMark::Missing: return QColor(255, 0, 0);
    case RowMark::Unused: break;
    }
    return QColor(0, 0, 0);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* label(const char* name, const char* text, QWidget* parent) {
    auto* result = new QLabel(QString::fromUtf8(text), parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

}  // namespace

ExtendedTestingWindow::ExtendedTestingWindow(ExtendedTestingSession& session, const GeneralSettings& general,
                                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      session_(session),
      general_(general) {
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Rozšířené zkoušení"));

    question_ = new QPlainTextEdit(this);
    question_->setObjectName(QStringLiteral("mevyraz"));
    question_->setReadOnly(true);
    question_->setFocusPolicy(Qt::ClickFocus);
    auto* questionCaption = label("Label12", "Hádaný výraz:", this);
    questionCaption->setBuddy(question_);

    edit_ = new EntryLineEdit(this);
    edit_->setObjectName(QStringLiteral("edtvyraz"));
    edit_->keyHandler = [this](QKeyEvent* event) { return editKey(event); };
    keepUpperCase(edit_, [this] { return general_.upperCaseEntry; });
    auto* editCaption = label("Label13", "Správný výraz:", this);
    editCaption->setBuddy(edit_);

    auto* top = new QGridLayout;
    top->setHorizontalSpacing(8);
    top->setVerticalSpacing(6);
    top->addWidget(questionCaption, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    top->addWidget(question_, 0, 1);
    top->addWidget(editCaption, 1, 0);
    top->addWidget(edit_, 1, 1);
    top->setColumnStretch(1, 1);

    auto* rows = new QGroupBox(this);
    rows->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(rows);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(3);
    grid->setContentsMargins(10, 6, 10, 6);
    QFont bold = font();
    bold.setBold(true);
    auto* numberHeader = label("Label9", "Číslo výrazu:", rows);
    auto* foundHeader = label("Label10", "Uhodnut:", rows);
    numberHeader->setFont(bold);
    foundHeader->setFont(bold);
    grid->addWidget(numberHeader, 0, 0);
    grid->addWidget(foundHeader, 0, 1);
    static constexpr const char* kRowNames[] = {"Label1", "Label2", "Label3", "Label4"};
    static constexpr const char* kMarkNames[] = {"Label5", "Label6", "Label7", "Label8"};
    for (std::size_t row = 0; row < kAlternativeSlotCount; ++row) {
        rowLabels_[row] = label(kRowNames[row], "", rows);
        rowLabels_[row]->setText(QStringLiteral("Výraz %1:").arg(row + 1));
        marks_[row] = label(kMarkNames[row], "-", rows);
        marks_[row]->setFont(bold);
        grid->addWidget(rowLabels_[row], static_cast<int>(row) + 1, 0);
        grid->addWidget(marks_[row], static_cast<int>(row) + 1, 1);
    }
    grid->setRowStretch(static_cast<int>(kAlternativeSlotCount) + 1, 1);
    grid->setColumnStretch(1, 1);

    allFound_ = label("Label11", "", this);
    allFound_->setText(qs(kAllTranslationsFoundMessage));
    allFound_->setWordWrap(true);
    allFound_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    allFound_->setFont(bold);
    allFound_->hide();

    button_ = new QPushButton(this);
    button_->setObjectName(QStringLiteral("btclose"));
    button_->setAutoDefault(false);
    button_->setIconSize(QSize(24, 24));
    button_->setFixedSize(48, 40);
    button_->installEventFilter(this);
    connect(button_, &QPushButton::clicked, this, &ExtendedTestingWindow::pressButton);

    auto* side = new QVBoxLayout;
    side->setSpacing(8);
    // The message stays in its place whether shown or not, so the button never jumps.
    QSizePolicy keepRoom = allFound_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    allFound_->setSizePolicy(keepRoom);
    allFound_->setFixedWidth(120);
    side->addWidget(allFound_);
    side->addStretch(1);
    side->addWidget(button_, 0, Qt::AlignRight | Qt::AlignBottom);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(10);
    bottom->addWidget(rows, 1);
    bottom->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addLayout(bottom, 1);

    refresh();
    applyExpressionFont(font());  // until Test I hands over the expression font
}

void ExtendedTestingWindow::fitSize() {
    // The designed size, grown when the chosen font needs more room.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(kClientSize.expandedTo(sizeHint()));
}

ExtendedTestingWindow::~ExtendedTestingWindow() { edit_->keyHandler = nullptr; }

void ExtendedTestingWindow::open() {
    refresh();
    centreOnScreen(*this);
    bringForward(*this);
    edit_->setFocus();
}

void ExtendedTestingWindow::pressButton() {
    if (session_.pressButton() == ExtendedTestingSession::Button::Revealed) {
        refresh();
        if (edit_->isEnabled()) edit_->setFocus();
        return;
    }
    leave();
}

void ExtendedTestingWindow::leave() {
    hide();
    if (returnHandler_) returnHandler_();
}

void ExtendedTestingWindow::applyExpressionFont(const QFont& font) {
    edit_->setFont(font);
    question_->setFont(font);
    const int frame = 2 * question_->frameWidth() + 2 * static_cast<int>(question_->document()->documentMargin());
    question_->setFixedHeight(2 * question_->fontMetrics().lineSpacing() + frame);
    fitSize();
}

bool ExtendedTestingWindow::editKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const std::string typed = enteredText(edit_->text().toStdString(), general_.upperCaseEntry);
        const ExtendedTestingSession::Guess guess = session_.enter(typed);
        refresh();
        if (guess == ExtendedTestingSession::Guess::AllFound)
            button_->setFocus();
        else
            edit_->setFocus();
        return true;
    }
    return false;
}

void ExtendedTestingWindow::refresh() {
    question_->setPlainText(qs(session_.question()));
    for (std::size_t row = 0; row < kAlternativeSlotCount; ++row) {
        const bool visible = session_.rowVisible(row);
        rowLabels_[row]->setVisible(visible);
        marks_[row]->setVisible(visible);
        const RowMark mark = session_.mark(row);
        marks_[row]->setText(qs(rowMarkText(mark)));
        setTextColour(marks_[row], markColour(mark));
        rowLabels_[row]->setToolTip(qs(session_.foundTranslation(row)));
    }
    allFound_->setVisible(session_.allFound());
    edit_->setEnabled(session_.editEnabled());
    edit_->setText(qs(session_.editText()));
    const bool back = session_.answersShown();
    button_->setIcon(style()->standardIcon(back ? QStyle::SP_ArrowBack : QStyle::SP_DialogApplyButton));
    button_->setToolTip(back ? QStringLiteral("Zpět ke zkoušení") : QStringLiteral("Zobrazit všechny překlady"));
}

bool ExtendedTestingWindow::eventFilter(QObject* watched, QEvent* event) {
    // A focused button takes Enter as a click, as it did after the last translation was found.
    if (watched == button_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button_->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ExtendedTestingWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    // Closing by the title bar goes back to the test, revealed or not.
    if (session_.prepared() && returnHandler_) returnHandler_();
}

}  // namespace lexo
