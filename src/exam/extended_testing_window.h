#pragma once

#include <array>
#include <functional>

#include <QWidget>

class QFont;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lexo {

// The engine is only declared here: a Qt keyword macro must not meet its names.
struct GeneralSettings;
class EntryLineEdit;
class ExtendedTestingSession;

// "Rozšířené zkoušení": the further translations of the expression just answered in
// Test I, found one by one or revealed. The rules are ExtendedTestingSession's; the window
// shows it. Test I opens it and gets the return (second press of the button, or closing).
class ExtendedTestingWindow : public QWidget {
    Q_OBJECT
public:
    ExtendedTestingWindow(ExtendedTestingSession& session, const GeneralSettings& general, QWidget* parent = nullptr);
    ~ExtendedTestingWindow() override;

    // Runs when the user goes back to the test; the window is hidden first.
    void setReturnHandler(std::function<void()> handler) { returnHandler_ = std::move(handler); }

    // Shows the prepared session with the focus in the edit.
    void open();
    // "btclose": reveals the translations, or returns to the test.
    void pressButton();

    void applyExpressionFont(const QFont& font);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool editKey(QKeyEvent* event);
    void refresh();
    void fitSize();
    void leave();

    ExtendedTestingSession& session_;
    const GeneralSettings& general_;
    std::function<void()> returnHandler_;

    QPlainTextEdit* question_ = nullptr;
    EntryLineEdit* edit_ = nullptr;
    std::array<QLabel*, 4> rowLabels_{};
    std::array<QLabel*, 4> marks_{};
    QLabel* allFound_ = nullptr;
    QPushButton* button_ = nullptr;
};

}  // namespace lexo
