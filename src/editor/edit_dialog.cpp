#include "editor/edit_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "common/general_settings.h"
#include "common/entry_line_edit.h"
#include "common/upper_case_entry.h"
#include "editor/editor_session.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(hint));
    button->setStatusTip(button->toolTip());
    // A focused button answers Enter; the edits never pass Enter on to a default button.
    button->setAutoDefault(true);
    return button;
}

}  // namespace

EditDialog::EditDialog(EditorSession& editor, RecordingSession& recording, SoundPlayer& player, Prompter& prompter,
                       Timers& timers, const GeneralSettings& general, QWidget* parent)
    : QDialog(parent), session_(editor, recording, player, prompter, timers), general_(general) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Upravit výraz"));
    setModal(false);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(4);
    const auto addField = [&](int row, const char* name, const char* caption) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        auto* edit = new EntryLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    foreignEdit_ = addField(0, "Edit1", "Cizí výraz:");
    czechEdit_ = addField(1, "Edit2", "Český výraz:");
    pronunciationEdit_ = addField(2, "Edit3", "Cizojazyčná výslov.:");
    soundEdit_ = addField(3, "Edit4", "Mluvená výslovnost:");
    fields->setColumnStretch(1, 1);

    confirmButton_ = makeButton(this, "BitBtn1", "Upravit", "Upravit a vrátit se do Editoru výrazu");
    cancelButton_ = makeButton(this, "BitBtn2", "Zrušit", "Návart do Editoru výrazu bez uložení změn");
    openButton_ = makeButton(this, "BitBtn4", "Otevřít", "Otevřít soubor se zvukem");
    playButton_ = makeButton(this, "BitBtn3", "Přehrát", "Přehrát načtený souboru");
    startButton_ = makeButton(this, "button1", "Start", "Začít nahrávat");
    stopButton_ = makeButton(this, "button2", "Stop", "Ukončit nahrávání");
    againButton_ = makeButton(this, "BitBtn5", "Znova", "Začit znova nahrávat");
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    auto* sideButtons = new QVBoxLayout;
    sideButtons->setSpacing(4);
    sideButtons->addWidget(confirmButton_);
    sideButtons->addWidget(cancelButton_);
    sideButtons->addStretch();
    sideButtons->addWidget(openButton_);
    sideButtons->addWidget(playButton_);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addLayout(fields, 1);
    top->addLayout(sideButtons);

    auto* recordingRow = new QHBoxLayout;
    recordingRow->setSpacing(4);
    recordingRow->addWidget(startButton_);
    recordingRow->addWidget(stopButton_);
    recordingRow->addWidget(againButton_);
    recordingRow->addSpacing(8);
    recordingRow->addWidget(progress_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(recordingRow);
    resize(523, 149);

    setTabOrder(foreignEdit_, czechEdit_);
    setTabOrder(czechEdit_, pronunciationEdit_);
    setTabOrder(pronunciationEdit_, soundEdit_);
    setTabOrder(soundEdit_, confirmButton_);
    setTabOrder(confirmButton_, cancelButton_);
    setTabOrder(cancelButton_, openButton_);
    setTabOrder(openButton_, playButton_);
    setTabOrder(playButton_, startButton_);
    setTabOrder(startButton_, stopButton_);
    setTabOrder(stopButton_, againButton_);

    for (EntryLineEdit* edit : {foreignEdit_, czechEdit_, pronunciationEdit_, soundEdit_}) {
        // Enter types nothing here and presses no button behind the user's back.
        edit->keyHandler = [](QKeyEvent* event) {
            return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        };
    }
    for (EntryLineEdit* edit : {foreignEdit_, czechEdit_})
        keepUpperCase(edit, [this] { return general_.upperCaseEntry; });
    // Entering the pronunciation puts the caret after its first character, also when
    // a click would place it elsewhere: the click is handled after the focus arrives.
    pronunciationEdit_->focusInHandler = [this](QFocusEvent*) {
        QTimer::singleShot(0, pronunciationEdit_, [edit = pronunciationEdit_] {
            if (!edit->hasFocus()) return;
            edit->deselect();
            edit->setCursorPosition(std::min<int>(1, static_cast<int>(edit->text().size())));
        });
    };

    connect(foreignEdit_, &QLineEdit::textChanged, this, [this](const QString& t) { takeField(Field::Foreign, t); });
    connect(czechEdit_, &QLineEdit::textChanged, this, [this](const QString& t) { takeField(Field::Czech, t); });
    connect(pronunciationEdit_, &QLineEdit::textChanged, this,
            [this](const QString& t) { takeField(Field::Pronunciation, t); });
    connect(soundEdit_, &QLineEdit::textChanged, this, [this](const QString& t) { takeField(Field::Sound, t); });

    connect(confirmButton_, &QPushButton::clicked, this, &EditDialog::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &EditDialog::cancel);
    connect(openButton_, &QPushButton::clicked, this, &EditDialog::openSoundFile);
    connect(playButton_, &QPushButton::clicked, this, &EditDialog::play);
    connect(startButton_, &QPushButton::clicked, this, &EditDialog::startRecording);
    connect(stopButton_, &QPushButton::clicked, this, &EditDialog::stopRecording);
    connect(againButton_, &QPushButton::clicked, this, &EditDialog::restartRecording);

    session_.onChanged = [this] { showFields(); };
    soundFileChooser_ = [this] { return chooseWithDialog(); };
}

EditDialog::~EditDialog() {
    session_.onChanged = nullptr;
    for (EntryLineEdit* edit : {foreignEdit_, czechEdit_, pronunciationEdit_, soundEdit_}) {
        edit->keyHandler = nullptr;
        edit->focusInHandler = nullptr;
    }
}

void EditDialog::setSoundFileChooser(SoundFileChooser chooser) {
    soundFileChooser_ = chooser ? std::move(chooser) : SoundFileChooser([this] { return chooseWithDialog(); });
}

void EditDialog::applyExpressionFont(const QFont& font) {
    for (QLineEdit* edit : {foreignEdit_, czechEdit_, pronunciationEdit_, soundEdit_}) edit->setFont(font);
}

bool EditDialog::openFor(std::size_t row, Field lastClickedColumn) {
    if (!session_.open(row, lastClickedColumn)) return false;
    showFields();
    if (!isVisible()) {
        // Centred on the desktop, like every dialog of the program.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    bringForward(*this);
    moveFocus(session_.focusOnOpen());
    return true;
}

void EditDialog::showFields() {
    showing_ = true;
    const Expression& fields = session_.fields();
    const auto put = [](QLineEdit* edit, const std::string& text) {
        const QString value = qs(text);
        if (edit->text() != value) edit->setText(value);
    };
    put(foreignEdit_, fields.foreign);
    put(czechEdit_, fields.czech);
    put(pronunciationEdit_, fields.pronunciation);
    put(soundEdit_, fields.sound);
    progress_->setValue(session_.progress());
    showing_ = false;
}

void EditDialog::takeField(Field field, const QString& text) {
    if (showing_) return;
    session_.setField(field, text.toStdString());
}

void EditDialog::moveFocus(ExpressionEditSession::Focus focus) {
    switch (focus) {
    case ExpressionEditSession::Focus::Foreign: foreignEdit_->setFocus(); break;
    case ExpressionEditSession::Focus::Czech: czechEdit_->setFocus(); break;
    case ExpressionEditSession::Focus::Pronunciation: pronunciationEdit_->setFocus(); break;
    case ExpressionEditSession::Focus::Sound: soundEdit_->setFocus(); break;
    case ExpressionEditSession::Focus::Confirm: confirmButton_->setFocus(); break;
    case ExpressionEditSession::Focus::Stop: stopButton_->setFocus(); break;
    }
}

void EditDialog::confirm() {
    if (!session_.isOpen()) return;
    if (session_.confirm() == ExpressionEditSession::ConfirmResult::Refused) {
        czechEdit_->setFocus();
        return;
    }
    leave();
}

void EditDialog::cancel() {
    if (!session_.isOpen()) {
        if (isVisible()) hide();
        return;
    }
    session_.cancel();
    showFields();
    leave();
}

void EditDialog::reject() { cancel(); }

void EditDialog::leave() {
    hide();
    emit returnedToEditor();
}

void EditDialog::openSoundFile() {
    const QString path = soundFileChooser_ ? soundFileChooser_() : QString();
    if (path.isEmpty()) return;
    // The dialog offers the folders chosen before in this run. Not lower-cased as on
    // Windows: here that would name another folder.
    const QString folder = QFileInfo(path).absolutePath();
    soundHistory_.removeAll(folder);
    soundHistory_.prepend(folder);
    soundEdit_->setText(path);
}

void EditDialog::play() { session_.play(); }

void EditDialog::startRecording() {
    if (session_.startRecording()) moveFocus(ExpressionEditSession::kFocusAfterStart);
}

void EditDialog::stopRecording() {
    if (session_.stopRecording()) moveFocus(ExpressionEditSession::kFocusAfterStop);
}

void EditDialog::restartRecording() {
    if (session_.restartRecording()) moveFocus(ExpressionEditSession::kFocusAfterStart);
}

QString EditDialog::chooseWithDialog() {
    QString folder;
    const QFileInfo current(soundEdit_->text());
    if (current.exists()) folder = current.absolutePath();
    QFileDialog dialog(this, QStringLiteral("Otevřít soubor se zvukem"), folder,
                       QStringLiteral("Zvukový soubor (*.wav)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setHistory(soundHistory_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace lexo
