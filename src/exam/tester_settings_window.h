#pragma once

#include <functional>
#include <string_view>

#include <QWidget>

#include "exam/tester_settings.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace lexo {

// "Nastavení zkoušeče" of Test I or of Test II, by the model's kind. The controls show the
// model and every change goes through it, so a refused change puts the previous choice back.
// The tests read the model, not the store: a change counts at once, "Potvrdit" makes it
// lasting. Built once and then shown and hidden.
class TesterSettingsWindow : public QWidget {
    Q_OBJECT
public:
    // Given the caption of the test window's question, "Cizí výraz" or "Český výraz".
    using QuestionLabelHandler = std::function<void(std::string_view questionLabel)>;

    // `model` must already be loaded; its test-loaded query decides the locks. The window
    // belongs to `parent` (the test window): when that goes away, this one goes as "Zpět"
    // would, without returning to it.
    explicit TesterSettingsWindow(TesterSettingsModel& model, QWidget* parent = nullptr);
    ~TesterSettingsWindow() override;

    void setQuestionLabelHandler(QuestionLabelHandler handler) { questionLabelHandler_ = std::move(handler); }
    // Called whenever the window is left (both buttons, and Test I's close button), to show
    // the test window again.
    void setReturnHandler(std::function<void()> handler) { returnHandler_ = std::move(handler); }

    TesterSettingsModel& model() { return model_; }

    // "Potvrdit": the question label, the store, hide. Stays open (false) when the store
    // refused the write; the model has reported it.
    bool confirm();
    // "Zpět": the stored values come back into the controls, hide.
    void goBack();
    // Puts the model's state into the controls.
    void showSettings();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void connectControls();
    void leave();

    TesterSettingsModel& model_;
    QuestionLabelHandler questionLabelHandler_;
    std::function<void()> returnHandler_;
    bool centred_ = false;

    QRadioButton* foreignToCzech_ = nullptr;
    QRadioButton* czechToForeign_ = nullptr;
    QRadioButton* sequential_ = nullptr;
    QRadioButton* random_ = nullptr;
    QRadioButton* byPattern_ = nullptr;
    QRadioButton* show_ = nullptr;
    QRadioButton* hide_ = nullptr;
    QRadioButton* showAlways_ = nullptr;  // Test II only
    QCheckBox* pronounce_ = nullptr;
    QCheckBox* extended_ = nullptr;       // Test I only
    QCheckBox* waitForCorrect_ = nullptr; // Test I only
    QComboBox* delay_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* confirm_ = nullptr;
};

}  // namespace lexo
