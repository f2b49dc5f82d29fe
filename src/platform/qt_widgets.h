#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace lexo {

// Marks a working window that steps aside for a window of its own (Test I behind its
// evaluation): the main window comes back only when a working window really goes away.
inline constexpr char kSteppingAsideProperty[] = "lexoSteppingAside";

inline void stepAside(QWidget& window) {
    window.setProperty(kSteppingAsideProperty, true);
    window.hide();
    window.setProperty(kSteppingAsideProperty, false);
}

inline bool steppingAside(const QObject& window) { return window.property(kSteppingAsideProperty).toBool(); }

// Shows a window in front of the others, with the keyboard.
inline void bringForward(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

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

// The editable delay box "cb_vyslovnost" of the settings windows: the items "0" … maxDelay,
// and one digit or nothing while typing (an empty box shows the delay in effect once left).
inline QComboBox* pronunciationDelayBox(int maxDelay, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cb_vyslovnost"));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int seconds = 0; seconds <= maxDelay; ++seconds) box->addItem(QString::number(seconds));
    box->lineEdit()->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]?")), box));
    box->setMinimumContentsLength(2);
    return box;
}

// Shows `text` in a delay box, selecting its item when it has one.
inline void showDelayText(QComboBox& box, const QString& text) {
    if (box.currentText() == text) return;
    const int index = box.findText(text);
    if (index >= 0) box.setCurrentIndex(index);
    box.setEditText(text);
}

}  // namespace lexo
