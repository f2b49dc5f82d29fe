#include "learning/learning_settings.h"

#include "learning/learning_settings_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "exam/tester_settings.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

// Moved by its arrows (buttons, keys, wheel) only: nothing can be typed into it.
class ArrowSpinBox final : public QSpinBox {
public:
    ArrowSpinBox(const char* name, int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
        setObjectName(QString::fromLatin1(name));
        setRange(minimum, maximum);
        lineEdit()->setReadOnly(true);
        setContextMenuPolicy(Qt::NoContextMenu);
    }
};

QLabel* label(const char* name, const char* text, QWidget* parent) {
    auto* result = new QLabel(QString::fromUtf8(text), parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

QGroupBox* group(const char* name, const char* caption, QWidget* parent) {
    auto* result = new QGroupBox(QString::fromUtf8(caption), parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

}  // namespace

LearningSettingsWindow::LearningSettingsWindow(LearningSettingsModel& model, QWidget* parent)
    : QWidget(parent, Qt::Dialog), model_(model) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Nastavení výuky výrazů"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    build();
    connectControls();
    showSettings();
}

LearningSettingsWindow::~LearningSettingsWindow() {
    // The delay box's edit reports losing the focus while the children are destroyed.
    if (delay_ != nullptr) delay_->lineEdit()->disconnect(this);
}

void LearningSettingsWindow::build() {
    auto* advance = group("GroupBox1", "Automatické posouvání výrazů:", this);
    QFont bold = advance->font();
    bold.setBold(true);
    advance->setFont(bold);
    autoAdvance_ = new QCheckBox(QStringLiteral("Zapnout"), advance);
    autoAdvance_->setObjectName(QStringLiteral("chbautposuv"));
    interval_ = new ArrowSpinBox("SpinEdit1", kMinAdvanceInterval, kMaxAdvanceInterval, advance);
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(label("Label1", "Při výuce posouvat po:", advance));
    intervalRow->addWidget(interval_);
    intervalRow->addWidget(label("Label2", "sekundách", advance));
    intervalRow->addStretch();
    auto* advanceLayout = new QVBoxLayout(advance);
    advanceLayout->addWidget(autoAdvance_);
    advanceLayout->addLayout(intervalRow);
    // Only the caption is bold: the children set their weight themselves, or they inherit it.
    QFont normal = bold;
    normal.setBold(false);
    for (QWidget* child : advance->findChildren<QWidget*>()) child->setFont(normal);

    auto* size = group("GroupBox2", "Velikost písma zobrazovaných výrazů:", this);
    fontSize_ = new ArrowSpinBox("spedtvyskapisma", kMinLearningFontSize, kMaxLearningFontSize, size);
    auto* sizeLayout = new QHBoxLayout(size);
    sizeLayout->addWidget(label("Label3", "Nastavit velikost na:", size));
    sizeLayout->addWidget(fontSize_);
    sizeLayout->addStretch();

    auto* delayGroup = group("GroupBox4", "Zpoždění výslovnosti", this);
    delay_ = pronunciationDelayBox(kMaxPronunciationDelay, delayGroup);
    auto* delayLayout = new QHBoxLayout(delayGroup);
    auto* delayLabel = label("Label4", "Výslovnost opozdit o:", delayGroup);
    delayLabel->setBuddy(delay_);
    delayLayout->addWidget(delayLabel);
    delayLayout->addWidget(delay_);
    delayLayout->addWidget(label("Label5", "s", delayGroup));
    delayLayout->addStretch();

    pronounce_ = new QCheckBox(QStringLiteral("Přehrávat výslovnost"), this);
    pronounce_->setObjectName(QStringLiteral("chbzvuk"));

    confirm_ = iconButton("BitBtn1", "Potvrdit", QStyle::SP_DialogOkButton, this);
    confirm_->setDefault(true);
    back_ = iconButton("BitBtn2", "Zpět", QStyle::SP_ArrowBack, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addWidget(back_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(advance);
    layout->addWidget(size);
    layout->addWidget(delayGroup);
    layout->addWidget(pronounce_);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(245, 273)));
}

void LearningSettingsWindow::connectControls() {
    // `clicked` and the value changes of the spin boxes come from the user; showSettings
    // blocks the signals while it fills the controls.
    connect(autoAdvance_, &QCheckBox::clicked, this, [this](bool on) {
        model_.setAutoAdvance(on);
        showSettings();
    });
    connect(pronounce_, &QCheckBox::clicked, this, [this](bool on) { model_.setPronounce(on); });
    connect(interval_, &QSpinBox::valueChanged, this, [this](int value) { model_.setAdvanceInterval(value); });
    connect(fontSize_, &QSpinBox::valueChanged, this, [this](int value) { model_.setFontSize(value); });
    connect(delay_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { model_.setPronunciationDelayText(text.toStdString()); });
    connect(delay_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (delay_->currentText().isEmpty()) showSettings();
    });
    connect(confirm_, &QPushButton::clicked, this, &LearningSettingsWindow::confirm);
    connect(back_, &QPushButton::clicked, this, &LearningSettingsWindow::goBack);
}

void LearningSettingsWindow::showSettings() {
    const LearningSettings& settings = model_.settings();
    const QSignalBlocker blockInterval(interval_);
    const QSignalBlocker blockSize(fontSize_);
    const QSignalBlocker blockDelay(delay_);
    autoAdvance_->setChecked(settings.autoAdvance);
    interval_->setEnabled(settings.autoAdvance);
    interval_->setValue(settings.advanceInterval);
    fontSize_->setValue(settings.fontSize);
    pronounce_->setChecked(settings.pronounce);
    showDelayText(*delay_, QString::fromStdString(model_.pronunciationDelayText()));
}

bool LearningSettingsWindow::confirm() {
    if (confirmHandler_) confirmHandler_();
    if (!model_.confirm()) return false;
    hide();
    leave();
    return true;
}

void LearningSettingsWindow::goBack() {
    hide();
    model_.discard();
    showSettings();
    leave();
}

void LearningSettingsWindow::leave() {
    if (returnHandler_) returnHandler_();
}

void LearningSettingsWindow::showEvent(QShowEvent* event) {
    showSettings();
    if (!centred_) {
        centred_ = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

// The close button only hides: the values in effect stay, nothing is stored.
void LearningSettingsWindow::closeEvent(QCloseEvent* event) {
    const bool wasVisible = isVisible();
    QWidget::closeEvent(event);
    if (wasVisible) leave();
}

}  // namespace lexo
