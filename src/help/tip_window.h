#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

#include "help/tips.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace lexo {

class Prompter;
class Random;

// "Tip dne programu Lexo": a random tip, "Další", "OK" and whether tips come at start.
// Typing t, i, p while "Další" has the focus opens the editing mode of the tips file.
class TipWindow : public QWidget {
    Q_OBJECT
public:
    TipWindow(TipsBook& book, std::filesystem::path tipsFile, Random& random, Prompter& prompter,
              QWidget* parent = nullptr);
    ~TipWindow() override;

    // The main window's way of showing it: centred, `lower` pixels below the middle.
    void showTip(bool showAtStart, int lower = 0);
    // "Další".
    void nextTip();
    bool editing() const { return editing_; }
    void openEditing();
    // "zpět bez uložení" / "Zpět s uložením".
    void closeEditing();
    void saveAndCloseEditing();
    void addTip();
    void removeTip();

    // Runs when the window closes, with the check box's state.
    void setClosedHandler(std::function<void(bool showAtStart)> handler) { closed_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillList();
    void showSelected();

    TipsBook& book_;
    std::filesystem::path tipsFile_;
    Random& random_;
    Prompter& prompter_;
    SecretSequence secret_;
    bool editing_ = false;
    QPoint beforeEditing_;
    std::function<void(bool)> closed_;

    QTextEdit* tipBox_ = nullptr;
    QCheckBox* showAtStart_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* ok_ = nullptr;
    QWidget* editPanel_ = nullptr;
    QListWidget* numbers_ = nullptr;
    QLineEdit* heading_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace lexo
