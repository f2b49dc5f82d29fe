#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace lexo::testing {

// The control of that name below `root`; a missing one fails the test loudly instead of
// crashing it on a null pointer.
template <class Widget>
Widget* findWidget(const QObject& root, const char* name) {
    auto* widget = root.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return widget;
}

}  // namespace lexo::testing
