#include "editor/sound_window.h"
#include "platform/qt_widgets.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace lexo {

namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor colourOf(SoundWindowSession::Colour colour) {
    switch (colour) {
    case SoundWindowSession::Colour::Green: return QColor(0, 128, 0);
    case SoundWindowSession::Colour::Red: return QColor(255, 0, 0);
    case SoundWindowSession::Colour::Black: break;
    }
    return QColor(0, 0, 0);
}

// Puts an editable combo box with the earlier choices where the dialog's own file-name
// field is; the hidden field still receives every text, so the dialog works as before.
void offerHistory(QFileDialog& dialog, const QStringList& history) {
    auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!nameEdit || !nameEdit->parentWidget()) return;
    auto* grid = qobject_cast<QGridLayout*>(nameEdit->parentWidget()->layout());
    if (!grid) return;
    const int index = grid->indexOf(nameEdit);
    if (index < 0) return;
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);

    auto* combo = new QComboBox(nameEdit->parentWidget());
    combo->setObjectName(QStringLiteral("fileNameCombo"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(history);
    combo->setCurrentIndex(-1);
    combo->setEditText(nameEdit->text());
    combo->setSizePolicy(nameEdit->sizePolicy());
    grid->addWidget(combo, row, column, rowSpan, columnSpan);
    nameEdit->hide();
    if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))) label->setBuddy(combo);

    QObject::connect(combo, &QComboBox::editTextChanged, nameEdit, [nameEdit](const QString& text) {
        if (nameEdit->text() != text) nameEdit->setText(text);
    });
    QObject::connect(nameEdit, &QLineEdit::textChanged, combo, [combo](const QString& text) {
        if (combo->currentText() != text) combo->setEditText(text);
    });
    combo->setFocus();
}

}  // namespace

// --- SoundFileChooser ------------------------------------------------------------------

SoundFileChooser::SoundFileChooser() : dialog_(&SoundFileChooser::runFileDialog) {}

void SoundFileChooser::setDialog(Dialog dialog) {
    dialog_ = dialog ? std::move(dialog) : Dialog(&SoundFileChooser::runFileDialog);
}

QString SoundFileChooser::choose(QWidget* parent) {
    const QString chosen = dialog_(parent, history_);
    if (chosen.isEmpty()) return {};
    // Kept as chosen, not lower-cased: on this system that would name another file.
    history_.removeAll(chosen);
    history_.prepend(chosen);
    return chosen;
}

QString SoundFileChooser::runFileDialog(QWidget* parent, const QStringList& history) {
    const QString folder = history.isEmpty() ? QString() : QFileInfo(history.front()).absolutePath();
    QFileDialog dialog(parent, QStringLiteral("Otevřít zvuk ze souboru"), folder,
                       QStringLiteral("Zvukový soubor (*.wav)"));
    // The combo box of earlier names needs Qt's own dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    offerHistory(dialog, history);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

// --- SoundWindow -----------------------------------------------------------------------

SoundWindow::SoundWindow(RecordingSession& recording, SoundPlayer& player, Prompter& prompter, Timers& timers,
                         QWidget* parent)
    : QDialog(parent), session_(recording, prompter, timers, player) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Práce se zvukem"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The editor's fields must not change under a recording made for them.
    setWindowModality(Qt::ApplicationModal);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);

    auto* statusCaption = new QLabel(QStringLiteral("Stav:"), this);
    statusCaption->setObjectName(QStringLiteral("Label1"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Label4"));
    lengthCaption_ = new QLabel(QStringLiteral("Délka záznamu:"), this);
    lengthCaption_->setObjectName(QStringLiteral("Label3"));
    length_ = new QLabel(this);
    length_->setObjectName(QStringLiteral("Label2"));

    auto makeButton = [this](const char* name, const char* caption, const char* hint, QStyle::StandardPixmap icon) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromUtf8(hint));
        button->setIcon(style()->standardIcon(icon));
        return button;
    };
    start_ = makeButton("button1", "Start", "Začít nahrávat", QStyle::SP_MediaPlay);
    stop_ = makeButton("button2", "Stop", "Ukončit nahraváni", QStyle::SP_MediaStop);
    again_ = makeButton("BitBtn3", "Znova", "Začít znova nahrávat", QStyle::SP_BrowserReload);
    open_ = makeButton("BitBtn2", "Otevřít", "Otevřít zvuk ze souboru", QStyle::SP_DialogOpenButton);
    ok_ = makeButton("BitBtn4", "OK", "Potvrdit a vrátit se do Editoru Výrazu", QStyle::SP_DialogOkButton);
    back_ = makeButton("BitBtn1", "Zpět", "Neprovádět žádne změny a vrátit se do Editoru výrazu",
                       QStyle::SP_DialogCancelButton);

    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(statusCaption);
    statusRow->addWidget(status_, 1);
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(lengthCaption_);
    lengthRow->addWidget(length_, 1);

    auto* buttons = new QGridLayout;
    buttons->addWidget(start_, 0, 0);
    buttons->addWidget(stop_, 0, 1);
    buttons->addWidget(again_, 0, 2);
    buttons->addWidget(open_, 1, 0);
    buttons->addWidget(ok_, 1, 1);
    buttons->addWidget(back_, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progress_);
    layout->addLayout(statusRow);
    layout->addLayout(lengthRow);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumSize(247, 186);
    resize(247, 186);

    connect(start_, &QPushButton::clicked, this, &SoundWindow::startClicked);
    connect(stop_, &QPushButton::clicked, this, &SoundWindow::stopClicked);
    connect(again_, &QPushButton::clicked, this, &SoundWindow::againClicked);
    connect(open_, &QPushButton::clicked, this, &SoundWindow::openClicked);
    connect(ok_, &QPushButton::clicked, this, &SoundWindow::okClicked);
    connect(back_, &QPushButton::clicked, this, &SoundWindow::reject);
    session_.onTick = [this] { refresh(); };
    refresh();
}

void SoundWindow::openFor(const QString& foreignText) {
    session_.open(foreignText.toStdString());
    refresh();
    bringForward(*this);
    applyFocus();
}

void SoundWindow::refresh() {
    progress_->setValue(session_.progress());
    status_->setText(qt(session_.statusText()));
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText, colourOf(session_.statusColour()));
    status_->setPalette(palette);
    const QString length = qt(session_.lengthText());
    length_->setText(length);
    // A length that names itself needs no caption in front of it.
    lengthCaption_->setVisible(!length.startsWith(lengthCaption_->text()));
    open_->setEnabled(session_.status() != SoundWindowSession::Status::Recording);
}

void SoundWindow::applyFocus() {
    switch (session_.focus()) {
    case SoundWindowSession::Focus::Start: start_->setFocus(); break;
    case SoundWindowSession::Focus::Stop: stop_->setFocus(); break;
    case SoundWindowSession::Focus::Ok: ok_->setFocus(); break;
    }
}

void SoundWindow::startClicked() {
    const bool started = session_.start();
    refresh();
    if (started) applyFocus();
}

void SoundWindow::stopClicked() {
    const bool stopped = session_.stop();
    refresh();
    applyFocus();
    if (stopped && soundChosen_) soundChosen_(session_.soundReference());
}

void SoundWindow::againClicked() {
    const bool started = session_.recordAgain();
    refresh();
    if (started) applyFocus();
}

void SoundWindow::openClicked() {
    if (!session_.mayChooseFile()) return;
    const QString chosen = chooser_.choose(this);
    if (chosen.isEmpty()) return;
    session_.fileChosen(chosen.toStdString());
    refresh();
    applyFocus();
    if (soundChosen_) soundChosen_(session_.soundReference());
}

void SoundWindow::okClicked() {
    const std::string sound = session_.accept();
    refresh();
    hide();
    if (accepted_) accepted_(sound);
}

void SoundWindow::reject() {
    session_.back();
    refresh();
    QDialog::reject();
}

}  // namespace lexo
