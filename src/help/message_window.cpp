#include "help/message_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "help/qt_text.h"
#include "help/author_message.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

using help::qs;

}  // namespace

MessageWindow::MessageWindow(std::filesystem::path programFolder, std::string address, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      programFolder_(std::move(programFolder)),
      address_(std::move(address)),
      mail_(new QProcess(this)) {
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Zpráva autorovi programu:"));
    errorBox_ = [this](std::string_view caption, std::string_view text) {
        QMessageBox::critical(isVisible() ? this : nullptr, qs(caption), qs(text));
    };

    auto* text = new QLabel(
        QStringLiteral("Vzkaz Autorovi programu ( přpomínky, chyby v programu, tipy na vylepšení programu, atd...)"),
        this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(true);
    note_ = new QPlainTextEdit(this);
    note_->setObjectName(QStringLiteral("Memo1"));
    note_->setTabChangesFocus(true);
    auto* send = iconButton("BitBtn1", "Odeslat", QStyle::SP_DialogYesButton, this);
    auto* back = iconButton("BitBtn2", "Zpět", QStyle::SP_ArrowBack, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(send);
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(note_, 1);
    layout->addLayout(buttons);
    setFixedSize(238, 232);

    connect(send, &QPushButton::clicked, this, &MessageWindow::send);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    connect(mail_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) mailFailed();
    });
    connect(mail_, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || exitCode != 0)
            mailFailed();
        else
            emit mailFinished(true);
    });
}

MessageWindow::~MessageWindow() {
    // The mail program belongs to the user now; it is not ended with us.
    if (mail_->state() != QProcess::NotRunning) {
        mail_->disconnect(this);
        mail_->setParent(nullptr);
    }
}

void MessageWindow::send() {
    const std::filesystem::path notePath = noteFilePath(programFolder_);
    const FileResult saved = saveNote(notePath, note_->toPlainText().toStdString());
    const QString program = QStandardPaths::findExecutable(qs(kMailProgram));
    if (!saved.ok || program.isEmpty() || mail_->state() != QProcess::NotRunning) {
        mailFailed();
    } else {
        QStringList arguments;
        for (const std::string& argument : mailArguments(notePath, address_, kMailSubject))
            arguments << QString::fromStdString(argument);
        mail_->setProgram(program);
        mail_->setArguments(arguments);
        mail_->setProcessChannelMode(QProcess::ForwardedChannels);
        mail_->start();
    }
    close();
}

void MessageWindow::mailFailed() {
    if (errorBox_) errorBox_(kMailErrorCaption, kMailErrorMessage);
    emit mailFinished(false);
}

void MessageWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    note_->setFocus();
}

void MessageWindow::closeEvent(QCloseEvent* event) {
    note_->clear();
    QWidget::closeEvent(event);
    if (closed_) closed_();
}

}  // namespace lexo
