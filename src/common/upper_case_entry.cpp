#include "common/upper_case_entry.h"

#include <QLineEdit>

namespace lexo {

void keepUpperCase(QLineEdit* edit, std::function<bool()> wanted) {
    // textEdited comes for every change the user makes (keys, paste, drop, dead keys, an
    // input method's commit) and never for the program's own setText: an expression
    // opened for editing keeps its case until the user touches it.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, wanted = std::move(wanted)](const QString& text) {
        if (wanted && !wanted()) return;
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int caret = edit->cursorPosition();
        edit->setText(upper);
        // Upper-casing may lengthen the text ("ß" → "SS"); the caret stays behind the same letter.
        edit->setCursorPosition(static_cast<int>(text.left(caret).toUpper().size()));
        edit->setModified(true);
    });
}

}  // namespace lexo
