#include "common/upper_case_entry.h"

#include <QLineEdit>

namespace lexo {

void keepUpperCase(QLineEdit* edit, std::function<bool()> wanted) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, wanted = std::move(wanted)](const QString& text) {
        if (wanted && !wanted()) return;
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int caret = edit->cursorPosition();
        const bool modified = edit->isModified();
        edit->setText(upper);
        // Upper-casing may lengthen the text ("ß" → "SS"); the caret stays behind the same letter.
        edit->setCursorPosition(static_cast<int>(text.left(caret).toUpper().size()));
        edit->setModified(modified);
    });
}

}  // namespace lexo
