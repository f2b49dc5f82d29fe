#pragma once

#include <functional>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace lexo {

// A line edit whose owner decides about keys and reacts to focus changes after the edit
// has done its own part (a Tab into a QLineEdit selects everything; the owner may want
// the caret somewhere else).
class EntryLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    // True when the key was handled and the edit must not see it.
    std::function<bool(QKeyEvent*)> keyHandler;
    std::function<void(QFocusEvent*)> focusInHandler;
    std::function<void(QFocusEvent*)> focusOutHandler;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (keyHandler && keyHandler(event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (focusInHandler) focusInHandler(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (focusOutHandler) focusOutHandler(event);
    }
};

// The text a key press would type, or an empty text for keys that type nothing
// (shortcuts, navigation, control characters).
inline QString typedText(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return {};
    const QString text = event->text();
    if (text.isEmpty()) return {};
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control) return {};
    return text;
}

}  // namespace lexo
