#include "app/general_settings_window.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/app_signals.h"
#include "common/speech.h"
#include "platform/ports.h"
#include "platform/settings_store.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

Rgb toRgb(const QColor& colour) {
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())};
}

// The percentages change only by steps, so that every change passes through the ordering.
class ArrowOnlySpinBox : public QSpinBox {
public:
    explicit ArrowOnlySpinBox(QWidget* parent) : QSpinBox(parent) {
        lineEdit()->setReadOnly(true);
        setAlignment(Qt::AlignRight);
    }
};

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* result = new QPushButton(QString::fromUtf8(caption), parent);
    result->setObjectName(QString::fromUtf8(name));
    result->setAutoDefault(false);
    return result;
}

std::optional<QColor> colourFromDialog(const QColor& current, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

std::optional<QFont> fontFromDialog(const QFont& current, QWidget* parent) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, parent);
    if (!ok) return std::nullopt;
    return chosen;
}

}  // namespace

GeneralSettingsWindow::GeneralSettingsWindow(GeneralSettings& live, SettingsStore& store, std::string versionString,
                                             Speaker& speaker, Prompter& prompter, AppSignals& appSignals,
                                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      live_(live),
      store_(store),
      versionString_(std::move(versionString)),
      speaker_(speaker),
      prompter_(prompter),
      appSignals_(appSignals),
      colourChooser_(colourFromDialog),
      fontChooser_(fontFromDialog) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Obecné nastavení"));

    pages_ = new QTabWidget(this);
    // All four captions stay in sight; the window is as wide as they need.
    pages_->setUsesScrollButtons(false);
    pages_->setElideMode(Qt::ElideNone);
    pages_->addTab(buildGeneralPage(), QStringLiteral("Obecné nastavení"));
    pages_->addTab(buildGradingPage(), QStringLiteral("Nastavení hodnocení   "));
    pages_->addTab(buildStatisticsPage(), QStringLiteral("Statistiky a Grafy"));
    pages_->addTab(buildSpeechPage(), QStringLiteral("Výslovnost"));

    confirm_ = button("BitBtn1", "Potvrdit", this);
    confirm_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    confirm_->setDefault(true);
    back_ = button("BitBtn2", "Zpět", this);
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addWidget(back_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // Nothing on the pages grows, so the window keeps the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (const std::string& entry : voiceListEntries(speaker_)) voices_->addItem(qs(entry));
    showLive();
    connectControls();

    selectVoiceAndSpeed();
    applyExpressionFont();
    appSignals_.setChartColour(toQColor(colourFromText(live_.chartColour)));
}

GeneralSettingsWindow::~GeneralSettingsWindow() = default;

bool GeneralSettingsWindow::speechOn() const { return speaker_.speechOn(); }

void GeneralSettingsWindow::setColourChooser(ColourChooser chooser) { colourChooser_ = std::move(chooser); }

void GeneralSettingsWindow::setFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }

QWidget* GeneralSettingsWindow::buildGeneralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* group = new QGroupBox(page);
    upperCase_ = checkBox("chbvelke", "Psát vše velkými písmeny", group);
    tips_ = checkBox("chbtip", "Zobrazovat Tip dne", group);
    temp_ = checkBox("chbtemp", "Při ukončení vymazat TEMP programu", group);
    // Kept only so its stored value survives; nothing in the program offers it.
    wrongExpressions_ = checkBox("chbspatne", "Vždy uložit špatné výrazy", group);
    wrongExpressions_->setVisible(false);

    auto* options = new QVBoxLayout(group);
    options->addWidget(upperCase_);
    options->addWidget(tips_);
    options->addWidget(temp_);
    options->addWidget(wrongExpressions_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* GeneralSettingsWindow::buildGradingPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* group = new QGroupBox(page);
    auto* grid = new QGridLayout(group);
    static constexpr std::array<const char*, 4> kCaptions{
        "Na 1 je třeba uhádnout:", "Na 2 je třeba uhádnout: ", "Na 3 je třeba uhádnout:", "Na 4 je třeba uhádnout:"};
    for (std::size_t i = 0; i < thresholds_.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* spin = new ArrowOnlySpinBox(group);
        spin->setObjectName(QStringLiteral("sp%1").arg(row + 1));
        spin->setRange(kThresholdBounds[i].minimum, kThresholdBounds[i].maximum);
        spin->setMinimumWidth(70);
        thresholds_[i] = spin;
        auto* caption = new QLabel(QString::fromUtf8(kCaptions[i]), group);
        caption->setBuddy(spin);
        grid->addWidget(caption, row, 0);
        grid->addWidget(spin, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("%"), group), row, 2);
    }
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* GeneralSettingsWindow::buildStatisticsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));

    auto* recordGroup = new QGroupBox(QStringLiteral("Hodnoty ukládat do statistik po:"), page);
    finishedTests_ = checkBox("chbkompletnidokonceni", "Kompletním dokončení zkoušení", recordGroup);
    interruptedTests_ = checkBox("chbprerusenizkouseni", "Úmyslném přerušení zkoušení", recordGroup);
    auto* recordLayout = new QVBoxLayout(recordGroup);
    recordLayout->addWidget(finishedTests_);
    recordLayout->addWidget(interruptedTests_);

    auto* colourGroup = new QGroupBox(QStringLiteral("Nastavit barvu grafu:"), page);
    colourSample_ = new QFrame(colourGroup);
    colourSample_->setObjectName(QStringLiteral("Panel1"));
    colourSample_->setFrameShape(QFrame::Panel);
    colourSample_->setFrameShadow(QFrame::Sunken);
    colourSample_->setLineWidth(1);
    colourSample_->setAutoFillBackground(true);
    colourSample_->setFixedSize(64, 24);
    changeColour_ = button("SpeedButton1", "změnit..", colourGroup);
    auto* colourLayout = new QHBoxLayout(colourGroup);
    colourLayout->addWidget(new QLabel(QStringLiteral("Barva grafu je:"), colourGroup));
    colourLayout->addWidget(colourSample_);
    colourLayout->addWidget(changeColour_);
    colourLayout->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(recordGroup);
    layout->addWidget(colourGroup);
    layout->addStretch();
    return page;
}

QWidget* GeneralSettingsWindow::buildSpeechPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));

    auto* speechGroup = new QGroupBox(QStringLiteral("Mluvená výslovnost:"), page);
    voices_ = new QComboBox(speechGroup);
    voices_->setObjectName(QStringLiteral("cbmluv"));
    voices_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    voices_->setMinimumContentsLength(24);
    speed_ = new QScrollBar(Qt::Horizontal, speechGroup);
    speed_->setObjectName(QStringLiteral("ScrollBar1"));
    speed_->setRange(kMinSpeechSpeed, kMaxSpeechSpeed);
    speed_->setPageStep(10);
    // Keys and wheel move it like a slider: left and down are slower.
    speed_->setInvertedControls(false);
    speed_->setToolTip(QStringLiteral("Nastavujeme vlevo nejpomalejší v pravo nejrychlejší"));
    defaultSpeed_ = button("SpeedButton2", "výchozí", speechGroup);
    defaultSpeed_->setToolTip(QStringLiteral("Nastaví výchozí hodnotu"));

    auto* voiceLabel = new QLabel(QStringLiteral("Jazyk:"), speechGroup);
    voiceLabel->setBuddy(voices_);
    auto* speedLabel = new QLabel(QStringLiteral("Rychlost čtení:"), speechGroup);
    speedLabel->setBuddy(speed_);
    auto* speechLayout = new QGridLayout(speechGroup);
    speechLayout->addWidget(voiceLabel, 0, 0);
    speechLayout->addWidget(voices_, 0, 1, 1, 2);
    speechLayout->addWidget(speedLabel, 1, 0);
    speechLayout->addWidget(speed_, 1, 1);
    speechLayout->addWidget(defaultSpeed_, 1, 2);
    speechLayout->setColumnStretch(1, 1);

    auto* fontGroup = new QGroupBox(QStringLiteral("Font psané výslovnosti"), page);
    fontName_ = new QLineEdit(fontGroup);
    fontName_->setObjectName(QStringLiteral("edtfonts"));
    fontName_->setReadOnly(true);
    chooseFont_ = button("SpeedButton3", "vybrat", fontGroup);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fontName_, 1);
    fontRow->addWidget(chooseFont_);
    auto* fontLabel = new QLabel(QStringLiteral("Zvol si libovolný font:"), fontGroup);
    fontLabel->setBuddy(fontName_);
    auto* fontLayout = new QVBoxLayout(fontGroup);
    fontLayout->addWidget(fontLabel);
    fontLayout->addLayout(fontRow);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(speechGroup);
    layout->addWidget(fontGroup);
    layout->addStretch();
    return page;
}

void GeneralSettingsWindow::connectControls() {
    const auto follow = [this](QCheckBox* box, bool GeneralSettings::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) { live_.*field = on; });
    };
    follow(upperCase_, &GeneralSettings::upperCaseEntry);
    follow(tips_, &GeneralSettings::showTips);
    follow(temp_, &GeneralSettings::clearTempOnExit);
    follow(wrongExpressions_, &GeneralSettings::alwaysSaveWrongExpressions);
    follow(finishedTests_, &GeneralSettings::recordFinishedTests);
    follow(interruptedTests_, &GeneralSettings::recordInterruptedTests);

    for (std::size_t i = 0; i < thresholds_.size(); ++i) {
        connect(thresholds_[i], &QSpinBox::valueChanged, this, [this, i](int value) { thresholdChanged(i, value); });
    }
    connect(speed_, &QScrollBar::valueChanged, this, [this](int value) { live_.speechSpeed = value; });
    connect(defaultSpeed_, &QPushButton::clicked, this, [this] { speed_->setValue(kDefaultSpeechSpeed); });
    connect(voices_, &QComboBox::currentIndexChanged, this,
            [this](int index) { live_.voiceIndex = std::max(index, 0); });
    connect(changeColour_, &QPushButton::clicked, this, &GeneralSettingsWindow::chooseColour);
    connect(chooseFont_, &QPushButton::clicked, this, &GeneralSettingsWindow::chooseFont);
    connect(confirm_, &QPushButton::clicked, this, &GeneralSettingsWindow::confirm);
    connect(back_, &QPushButton::clicked, this, &GeneralSettingsWindow::goBack);
}

void GeneralSettingsWindow::showLive() {
    const QSignalBlocker blockUpperCase(upperCase_), blockTips(tips_), blockTemp(temp_),
        blockWrong(wrongExpressions_), blockFinished(finishedTests_), blockInterrupted(interruptedTests_),
        blockSpeed(speed_), blockVoices(voices_);
    upperCase_->setChecked(live_.upperCaseEntry);
    tips_->setChecked(live_.showTips);
    temp_->setChecked(live_.clearTempOnExit);
    wrongExpressions_->setChecked(live_.alwaysSaveWrongExpressions);
    finishedTests_->setChecked(live_.recordFinishedTests);
    interruptedTests_->setChecked(live_.recordInterruptedTests);

    GradeThresholds shown = live_.gradeThresholds;
    for (std::size_t i = 0; i < shown.size(); ++i) shown = changeThreshold(shown, i, shown[i]);
    live_.gradeThresholds = shown;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const QSignalBlocker block(thresholds_[i]);
        thresholds_[i]->setValue(shown[i]);
    }

    showChartColour(toQColor(colourFromText(live_.chartColour)));

    speed_->setValue(live_.speechSpeed);
    live_.speechSpeed = speed_->value();

    // A voice stored when more voices were installed selects nothing, which counts as none;
    // an empty selection is kept for as long as no voice is chosen.
    if (std::max(voices_->currentIndex(), 0) != live_.voiceIndex) {
        const bool listed = live_.voiceIndex >= 0 && live_.voiceIndex < voices_->count();
        voices_->setCurrentIndex(listed ? live_.voiceIndex : -1);
        live_.voiceIndex = std::max(voices_->currentIndex(), 0);
    }

    const QString family = QString::fromStdString(live_.fontName);
    if (chosenFont_.family() != family) chosenFont_ = QFont(family);
    fontName_->setText(chosenFont_.family());
}

void GeneralSettingsWindow::thresholdChanged(std::size_t index, int value) {
    live_.gradeThresholds = changeThreshold(live_.gradeThresholds, index, value);
    for (std::size_t i = 0; i < thresholds_.size(); ++i) {
        const QSignalBlocker block(thresholds_[i]);
        thresholds_[i]->setValue(live_.gradeThresholds[i]);
    }
}

void GeneralSettingsWindow::showChartColour(const QColor& colour) {
    QPalette palette = colourSample_->palette();
    palette.setColor(QPalette::Window, colour);
    colourSample_->setPalette(palette);
}

void GeneralSettingsWindow::chooseColour() {
    const QColor current = colourSample_->palette().color(QPalette::Window);
    const std::optional<QColor> chosen = colourChooser_(current, this);
    if (!chosen) return;
    // Reduced to what the store can hold, so the run shows what the next start will.
    const QColor colour = toQColor(toRgb(*chosen));
    live_.chartColour = colourToText(toRgb(colour));
    showChartColour(colour);
    appSignals_.setChartColour(colour);
}

void GeneralSettingsWindow::chooseFont() {
    const std::optional<QFont> chosen = fontChooser_(chosenFont_, this);
    if (!chosen) return;
    chosenFont_ = *chosen;
    fontName_->setText(chosenFont_.family());
    live_.fontName = chosenFont_.family().toStdString();
}

void GeneralSettingsWindow::refreshVoices(int voice) {
    {
        const QSignalBlocker block(voices_);
        voices_->clear();
        for (const std::string& entry : voiceListEntries(speaker_)) voices_->addItem(qs(entry));
    }
    live_.voiceIndex = voice;
    showLive();
    selectVoiceAndSpeed();
}

// Tried every time: after a refusal, a voice the engine accepts turns speech on again.
void GeneralSettingsWindow::selectVoiceAndSpeed() {
    lexo::applyVoiceAndSpeed(speaker_, voiceOfEntry(voices_->currentText().toStdString()), speed_->value(),
                             prompter_);
}

// Only the name is stored, so the run uses the name alone too: a size or style picked in
// the dialog would be gone at the next start.
void GeneralSettingsWindow::applyExpressionFont() { appSignals_.setExpressionFont(QFont(chosenFont_.family())); }

bool GeneralSettingsWindow::confirm() {
    if (!writeGeneralSettings(store_, versionString_, live_)) {
        prompter_.error(kSettingsWriteFailedMessage);
        return false;
    }
    selectVoiceAndSpeed();
    applyExpressionFont();
    emit confirmed();
    hide();
    return true;
}

void GeneralSettingsWindow::goBack() {
    const GeneralSettingsReload reload = reloadGeneralSettings(store_, versionString_, live_);
    if (reload.writeFailed) prompter_.error(kSettingsWriteFailedMessage);
    showLive();
    // The chart took a changed colour at once; discarding the change takes it back too.
    const QColor stored = toQColor(colourFromText(live_.chartColour));
    if (appSignals_.chartColour() != stored) appSignals_.setChartColour(stored);
    emit cancelled();
    hide();
}

// Other windows may change a value meanwhile (the tip window keeps "Tipy" in step).
void GeneralSettingsWindow::showEvent(QShowEvent* event) {
    showLive();
    QWidget::showEvent(event);
}

void GeneralSettingsWindow::closeEvent(QCloseEvent* event) {
    if (isVisible()) emit closedByTitleBar();
    QWidget::closeEvent(event);
}

}  // namespace lexo
