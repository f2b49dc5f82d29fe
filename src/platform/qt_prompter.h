#pragma once

#include <functional>
#include <string>

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "platform/ports.h"

namespace lexo {

// Modal message boxes captioned with the application's title of the moment ("Lexo - Editor
// výrazů" while the editor is open), or its display name when nobody gives one. The texts
// are shown as plain text, never as rich text.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    // Asked for the caption each time a box is shown.
    void setTitleSource(std::function<std::string()> source) { titleSource_ = std::move(source); }
    QWidget* parent() const { return parent_; }

    void information(std::string_view text) override;
    void warning(std::string_view text) override;
    void error(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    Answer askYesNoCancel(std::string_view text) override;

private:
    QMessageBox::StandardButton show(QMessageBox::Icon icon, std::string_view text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton);

    QPointer<QWidget> parent_;
    std::function<std::string()> titleSource_;
};

}  // namespace lexo
