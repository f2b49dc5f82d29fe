#pragma once

#include <functional>

class QLineEdit;

namespace lexo {

// Keeps an edit's text in capitals whenever `wanted` says so, however the text arrived:
// keys, paste, dead keys or an input method (text the program sets itself stays as it
// is). The caret stays where it was.
void keepUpperCase(QLineEdit* edit, std::function<bool()> wanted);

}  // namespace lexo
