#pragma once

#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace lexo {

// Puts a window in the middle of the screen it is on.
inline void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
}

// A push button with its control name and a standard icon; it never takes Enter for itself,
// so Enter stays with the edit that has the focus.
inline QPushButton* iconButton(const char* name, const char* caption, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoDefault(false);
    return button;
}

}  // namespace lexo
