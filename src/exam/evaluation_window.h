#pragma once

#include <functional>

#include <QPalette>
#include <QStringList>
#include <QWidget>

#include "exam/evaluation_session.h"

class QButtonGroup;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;

namespace lexo {

class AppSignals;
class WrongAnswersModel;

// "Vyhodnocení": the results of the test just ended and its wrong answers, to tick and then
// test again, save as a dictionary or print. Both tests share it; the session knows which
// one it serves. Built once and then shown and hidden.
class EvaluationWindow : public QWidget {
    Q_OBJECT
public:
    EvaluationWindow(EvaluationSession& session, AppSignals& appSignals, QWidget* parent = nullptr);
    ~EvaluationWindow() override;

    // Where the user goes next. The window hides itself before calling them. Without a
    // print handler "Vytisknout" leaves the evaluation where it is.
    void setShowTestOneHandler(std::function<void()> handler) { showTestOne_ = std::move(handler); }
    void setShowTestTwoHandler(std::function<void()> handler) { showTestTwo_ = std::move(handler); }
    void setShowPrintHandler(std::function<void()> handler) { showPrint_ = std::move(handler); }
    // The save dialog of "Uložit do nového slovníku", replaceable so tests need not answer
    // a real one; nullopt on Cancel. An empty function restores the dialog.
    void setSavePathChooser(EvaluationSession::SavePathChooser chooser);

    EvaluationSession& session() { return session_; }

    // Everything from the session afresh: labels, list, ticks, the action. The tests change
    // the session while the window is hidden, so this runs whenever it is shown.
    void refresh();

    // "Vybrat", "Zpět", "Vybrat vše", "Zrušit vybraní".
    void choose();
    void goBack();
    void tickAll();
    void untickAll();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildResults();
    QWidget* buildActions();
    QWidget* buildList();
    void applyExpressionFont(const QFont& font);
    void showLabels();
    void follow(EvaluationSession::Next next);
    std::optional<std::filesystem::path> saveDialog();

    EvaluationSession& session_;
    EvaluationSession::SavePathChooser savePathChooser_;
    std::function<void()> showTestOne_;
    std::function<void()> showTestTwo_;
    std::function<void()> showPrint_;
    QStringList saveFolders_;
    QPalette gradePalette_;
    bool centred_ = false;

    WrongAnswersModel* model_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* wrong_ = nullptr;
    QLabel* success_ = nullptr;
    QLabel* grade_ = nullptr;
    QListView* list_ = nullptr;
    QButtonGroup* actions_ = nullptr;
    QRadioButton* retest_ = nullptr;
    QRadioButton* save_ = nullptr;
    QRadioButton* print_ = nullptr;
    QPushButton* choose_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* tickAll_ = nullptr;
    QPushButton* untickAll_ = nullptr;
};

}  // namespace lexo
