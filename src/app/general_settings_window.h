#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QWidget>

#include "common/general_settings.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

namespace lexo {

class AppSignals;
class Prompter;
class SettingsStore;
class Speaker;

inline constexpr std::string_view kSettingsWriteFailedMessage = "Nastavení se nepodařilo uložit.";

// "Obecné nastavení": edits the general settings. The controls and `live` always agree:
// every change goes to `live` at once, so the rest of the program sees it during the run;
// only "Potvrdit" makes it lasting. The window is built once and then shown and hidden.
class GeneralSettingsWindow : public QWidget {
    Q_OBJECT
public:
    // The standard dialogs, replaceable so tests need not answer real ones; nullopt on Cancel.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& current, QWidget* parent)>;
    using FontChooser = std::function<std::optional<QFont>(const QFont& current, QWidget* parent)>;

    // `live` must already hold the loaded settings. Selects the voice and speed, and gives
    // the expression font and the chart colour to the program.
    GeneralSettingsWindow(GeneralSettings& live, SettingsStore& store, std::string versionString, Speaker& speaker,
                          Prompter& prompter, AppSignals& appSignals, QWidget* parent = nullptr);
    ~GeneralSettingsWindow() override;

    void setColourChooser(ColourChooser chooser);
    void setFontChooser(FontChooser chooser);

    // False after the speech engine refused the voice or speed, until it accepts one.
    bool speechOn() const;
    // The font the font dialog holds; its family is what "FontName" stores.
    const QFont& chosenFont() const { return chosenFont_; }

    // The speech engine may list its voices only after the window was built: fill the list
    // again and select `voice` (the stored "Jazyk") when it is there now.
    void refreshVoices(int voice);

    // "Potvrdit": store everything, select voice and speed, restyle the program, hide.
    // Stays open (and returns false) when the store refuses the write.
    bool confirm();
    // "Zpět": throw the changes away by reading the store again, hide.
    void goBack();

signals:
    void confirmed();
    void cancelled();
    void closedByTitleBar();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildGradingPage();
    QWidget* buildStatisticsPage();
    QWidget* buildSpeechPage();
    void connectControls();

    // Puts `live` into the controls, then reads back what they could show.
    void showLive();
    void thresholdChanged(std::size_t index, int value);
    void showChartColour(const QColor& colour);
    void chooseColour();
    void chooseFont();
    void selectVoiceAndSpeed();
    void applyExpressionFont();

    GeneralSettings& live_;
    SettingsStore& store_;
    std::string versionString_;
    Speaker& speaker_;
    Prompter& prompter_;
    AppSignals& appSignals_;
    ColourChooser colourChooser_;
    FontChooser fontChooser_;
    QFont chosenFont_;

    QTabWidget* pages_ = nullptr;
    QCheckBox* upperCase_ = nullptr;
    QCheckBox* tips_ = nullptr;
    QCheckBox* temp_ = nullptr;
    QCheckBox* wrongExpressions_ = nullptr;
    std::array<QSpinBox*, 4> thresholds_{};
    QCheckBox* finishedTests_ = nullptr;
    QCheckBox* interruptedTests_ = nullptr;
    QFrame* colourSample_ = nullptr;
    QPushButton* changeColour_ = nullptr;
    QComboBox* voices_ = nullptr;
    QScrollBar* speed_ = nullptr;
    QPushButton* defaultSpeed_ = nullptr;
    QLineEdit* fontName_ = nullptr;
    QPushButton* chooseFont_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPushButton* back_ = nullptr;
};

}  // namespace lexo
