#pragma once

#include <functional>

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace lexo {

class LearningSettingsModel;

// "Nastavení výuky výrazů". The controls show the model and every change goes into it at
// once, so the learning window works with it before "Potvrdit" stores it; "Zpět" brings
// the stored values back. Built once and then shown and hidden.
class LearningSettingsWindow : public QWidget {
    Q_OBJECT
public:
    // `model` must already be loaded.
    explicit LearningSettingsWindow(LearningSettingsModel& model, QWidget* parent = nullptr);
    ~LearningSettingsWindow() override;

    // "Potvrdit" hands the confirmed settings to the learning window (pause button,
    // interval, text size) before they are stored.
    void setConfirmHandler(std::function<void()> handler) { confirmHandler_ = std::move(handler); }
    // Called whenever the window is left, to show the learning window again.
    void setReturnHandler(std::function<void()> handler) { returnHandler_ = std::move(handler); }

    LearningSettingsModel& model() { return model_; }

    // "Potvrdit": stays open (false) when the store refused the write; the model has
    // reported it.
    bool confirm();
    // "Zpět".
    void goBack();
    // Puts the model's state into the controls.
    void showSettings();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void connectControls();
    void leave();

    LearningSettingsModel& model_;
    std::function<void()> confirmHandler_;
    std::function<void()> returnHandler_;
    bool centred_ = false;

    QCheckBox* autoAdvance_ = nullptr;
    QSpinBox* interval_ = nullptr;
    QSpinBox* fontSize_ = nullptr;
    QComboBox* delay_ = nullptr;
    QCheckBox* pronounce_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPushButton* back_ = nullptr;
};

}  // namespace lexo
