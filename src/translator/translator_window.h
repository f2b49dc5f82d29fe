#pragma once

#include <QMainWindow>

#include "translator/translator_session.h"

class QAction;
class QLabel;
class QPushButton;
class QTableView;

namespace lexo {

class EntryLineEdit;
class TranslatorModel;

// "Translator (ANJ -> CZ)": the word list of one direction in a table, found as the user
// types or on Enter, copied to the clipboard, swapped to the other direction. Built on the
// first opening; closing hides it with its contents kept.
class TranslatorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TranslatorWindow(TranslatorSession& session, Prompter& prompter, QWidget* parent = nullptr);
    ~TranslatorWindow() override;

    // Reads the word list again (after an opening that did not find it).
    void reload();

    void searchExactly();
    void copyTranslation();
    void swapDirection();
    void toggleInstantSearch();
    void showInfo();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCentral();
    void buildMenus();
    void showDirection();
    void showSelection(TranslatorScroll scroll);

    TranslatorSession& session_;
    Prompter& prompter_;
    TranslatorModel* model_ = nullptr;
    EntryLineEdit* search_ = nullptr;
    QTableView* table_ = nullptr;
    QAction* czechToForeign_ = nullptr;
    QAction* foreignToCzech_ = nullptr;
    QAction* instant_ = nullptr;
    QString searchedText_;  // the text of the last incremental search
    bool showingSelection_ = false;
};

}  // namespace lexo
