#include "platform/qt_prompter.h"

#include <QApplication>

namespace lexo {

QMessageBox::StandardButton QtPrompter::show(QMessageBox::Icon icon, std::string_view text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton) {
    const QString title =
        titleSource_ ? QString::fromStdString(titleSource_()) : QApplication::applicationDisplayName();
    QMessageBox box(icon, title, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), buttons,
                    parent_);
    // Paths and typed expressions may hold "<" and "&"; they are not markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtPrompter::information(std::string_view text) {
    show(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::warning(std::string_view text) {
    show(QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::error(std::string_view text) {
    show(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::askYesNo(std::string_view text) {
    return show(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

Prompter::Answer QtPrompter::askYesNoCancel(std::string_view text) {
    switch (show(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                 QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

}  // namespace lexo
