#include "help/tip_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "help/qt_text.h"
#include "platform/ports.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

using help::qs;

constexpr int kWidth = 468;
constexpr int kHeight = 230;
constexpr int kEditingHeight = 510;

}  // namespace

TipWindow::TipWindow(TipsBook& book, std::filesystem::path tipsFile, Random& random, Prompter& prompter,
                     QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      book_(book),
      tipsFile_(std::move(tipsFile)),
      random_(random),
      prompter_(prompter) {
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Tip dne programu Lexo"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/tip.png")));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    tipBox_ = new QTextEdit(this);
    tipBox_->setObjectName(QStringLiteral("Memo1"));
    tipBox_->setReadOnly(true);
    tipBox_->setFrameShape(QFrame::NoFrame);
    tipBox_->setFocusPolicy(Qt::ClickFocus);
    QPalette tipColours = tipBox_->palette();
    tipColours.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
    tipColours.setColor(QPalette::Text, QToolTip::palette().color(QPalette::ToolTipText));
    tipBox_->setPalette(tipColours);
    tipBox_->viewport()->installEventFilter(this);

    showAtStart_ = new QCheckBox(QStringLiteral("Zobrazit Tipy a Triky při každém spuštění programu"), this);
    showAtStart_->setObjectName(QStringLiteral("CheckBox1"));
    showAtStart_->setChecked(true);

    next_ = iconButton("BitBtn2", "Další", QStyle::SP_ArrowRight, this);
    next_->setToolTip(QStringLiteral("Další Tip"));
    next_->installEventFilter(this);
    ok_ = iconButton("BitBtn1", "OK", QStyle::SP_DialogOkButton, this);
    ok_->setToolTip(QStringLiteral("OK"));

    auto* top = new QGridLayout;
    top->addWidget(picture, 0, 0);
    top->addWidget(tipBox_, 0, 1);
    top->addWidget(showAtStart_, 1, 0, 1, 2);
    top->setColumnStretch(1, 1);
    top->setRowStretch(0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(next_);
    bottom->addWidget(ok_);

    // The editing mode, hidden from ordinary use.
    editPanel_ = new QWidget(this);
    editPanel_->setObjectName(QStringLiteral("EditPanel"));
    numbers_ = new QListWidget(editPanel_);
    numbers_->setObjectName(QStringLiteral("ListBox1"));
    numbers_->setMaximumWidth(70);
    heading_ = new QLineEdit(editPanel_);
    heading_->setObjectName(QStringLiteral("Edit1"));
    text_ = new QPlainTextEdit(editPanel_);
    text_->setObjectName(QStringLiteral("Memo3"));
    auto* add = iconButton("btpridej", "Přidej do tipů", QStyle::SP_FileDialogNewFolder, editPanel_);
    auto* remove = iconButton("btuber", "Uber tip", QStyle::SP_TrashIcon, editPanel_);
    auto* back = iconButton("btzpet", "zpět bez uložení", QStyle::SP_ArrowBack, editPanel_);
    auto* save = iconButton("btulozit", "Zpět s uložením", QStyle::SP_DialogSaveButton, editPanel_);
    auto* editGrid = new QGridLayout(editPanel_);
    editGrid->setContentsMargins(0, 0, 0, 0);
    editGrid->addWidget(numbers_, 0, 0, 3, 1);
    editGrid->addWidget(heading_, 0, 1, 1, 2);
    editGrid->addWidget(text_, 1, 1, 1, 2);
    auto* buttons = new QGridLayout;
    buttons->addWidget(add, 0, 0);
    buttons->addWidget(remove, 0, 1);
    buttons->addWidget(back, 1, 0);
    buttons->addWidget(save, 1, 1);
    editGrid->addLayout(buttons, 2, 1, 1, 2);
    editPanel_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    layout->addWidget(editPanel_, 2);

    connect(next_, &QPushButton::clicked, this, &TipWindow::nextTip);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    connect(add, &QPushButton::clicked, this, &TipWindow::addTip);
    connect(remove, &QPushButton::clicked, this, &TipWindow::removeTip);
    connect(back, &QPushButton::clicked, this, &TipWindow::closeEditing);
    connect(save, &QPushButton::clicked, this, &TipWindow::saveAndCloseEditing);
    connect(numbers_, &QListWidget::currentRowChanged, this, &TipWindow::showSelected);

    setTabOrder(showAtStart_, next_);
    setTabOrder(next_, ok_);
    setFixedSize(kWidth, kHeight);
    nextTip();
}

TipWindow::~TipWindow() = default;

void TipWindow::showTip(bool showAtStart, int lower) {
    showAtStart_->setChecked(showAtStart);
    centreOnScreen(*this);
    move(pos() + QPoint(0, lower));
    bringForward(*this);
    next_->setFocus();
}

void TipWindow::nextTip() {
    if (book_.size() == 0) {
        tipBox_->clear();
        return;
    }
    tipBox_->setPlainText(qs(tipBoxText(book_.at(chooseTip(random_, book_.size())))));
}

void TipWindow::openEditing() {
    if (editing_) return;
    editing_ = true;
    fillList();
    beforeEditing_ = pos();
    setFixedSize(kWidth, kEditingHeight);
    QPoint place = pos() - QPoint(0, 50);
    // The taller window stays on the screen.
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        place.setY(std::max(room.top(), std::min(place.y(), room.bottom() - frameGeometry().height())));
    }
    move(place);
    editPanel_->show();
    heading_->setFocus();
}

void TipWindow::closeEditing() {
    if (!editing_) return;
    editing_ = false;
    editPanel_->hide();
    setFixedSize(kWidth, kHeight);
    move(beforeEditing_);
    next_->setFocus();
}

void TipWindow::saveAndCloseEditing() {
    const FileResult written = book_.save(tipsFile_);
    if (!written.ok) {
        prompter_.error("Tipy se nepodařilo uložit: " + written.error);
        return;
    }
    closeEditing();
}

void TipWindow::addTip() {
    if (!book_.add(heading_->text().toStdString(), text_->toPlainText().toStdString())) return;
    heading_->clear();
    text_->clear();
    fillList();
}

void TipWindow::removeTip() {
    const int row = numbers_->currentRow();
    if (row < 0 || !book_.remove(static_cast<std::size_t>(row))) return;
    fillList();
}

void TipWindow::fillList() {
    const QSignalBlocker quiet(numbers_);
    numbers_->clear();
    for (const Tip& tip : book_.tips()) numbers_->addItem(qs(tip.numberText));
}

void TipWindow::showSelected() {
    const int row = numbers_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= book_.size()) return;
    const Tip& tip = book_.at(static_cast<std::size_t>(row));
    heading_->setText(qs(tip.heading));
    text_->setPlainText(qs(tip.text));
}

bool TipWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == next_ && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() == 1 && secret_.feed(typed.front().unicode())) openEditing();
    } else if (watched == tipBox_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        next_->setFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void TipWindow::closeEvent(QCloseEvent* event) {
    if (editing_) closeEditing();
    QWidget::closeEvent(event);
    if (closed_) closed_(showAtStart_->isChecked());
}

}  // namespace lexo
