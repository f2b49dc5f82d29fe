#include "exam/tester_settings_window.h"
#include "platform/qt_widgets.h"

#include <QCheckBox>
#include <QEvent>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace lexo {
namespace {

QRadioButton* radio(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    return button;
}

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

QGroupBox* group(const char* caption, QWidget* parent) {
    return new QGroupBox(QString::fromUtf8(caption), parent);
}

}  // namespace

TesterSettingsWindow::TesterSettingsWindow(TesterSettingsModel& model, QWidget* parent)
    : QWidget(parent, Qt::Dialog), model_(model) {
    if (parent != nullptr) parent->installEventFilter(this);
    const bool testOne = model_.kind() == TesterKind::TestOne;
    setObjectName(testOne ? QStringLiteral("Form10") : QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Nastavení zkoušeče"));
    // Test II's window is left only through its two buttons.
    setWindowFlags(testOne ? Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowCloseButtonHint
                           : Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    build();
    connectControls();
    showSettings();
}

TesterSettingsWindow::~TesterSettingsWindow() {
    // The delay box's edit reports losing the focus while the children are destroyed, when
    // this window is no longer one.
    if (delay_ != nullptr) delay_->lineEdit()->disconnect(this);
}

void TesterSettingsWindow::build() {
    const bool testOne = model_.kind() == TesterKind::TestOne;

    auto* direction = group("Zkoušet výrazy:", this);
    foreignToCzech_ = radio("rbangcj", "Z CIZ do CZ", direction);
    czechToForeign_ = radio("rbcjang", "Z CZ do CIZ", direction);
    auto* directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(foreignToCzech_);
    directionLayout->addWidget(czechToForeign_);
    directionLayout->addStretch();

    auto* order = group("Způsob zkoušení:", this);
    sequential_ = radio("rbpostupne", "Postupné", order);
    random_ = radio("rbnahodne", "Náhodné", order);
    auto* orderLayout = new QVBoxLayout(order);
    orderLayout->addWidget(sequential_);
    orderLayout->addWidget(random_);
    if (testOne) {
        // Offered, never available.
        byPattern_ = radio("rbsystematicky", "Podle vzorce", order);
        byPattern_->setEnabled(false);
        orderLayout->addWidget(byPattern_);
    }
    orderLayout->addStretch();

    auto* display = group("Zobrazovat špatné odpovědi:", this);
    show_ = radio("rbzobrazit", "Zobrazovat", display);
    hide_ = radio("rbnezobrazit", "Nezobrazovat", display);
    auto* displayLayout = new QVBoxLayout(display);
    displayLayout->addWidget(show_);
    displayLayout->addWidget(hide_);
    if (!testOne) {
        showAlways_ = radio("rbobe", "Odpověď zobrazovat pokaždé", display);
        displayLayout->addWidget(showAlways_);
    }
    displayLayout->addStretch();

    auto* delayGroup = group("Zpoždění výslovnosti", this);
    delay_ = pronunciationDelayBox(kMaxPronunciationDelay, delayGroup);
    auto* delayLabel = new QLabel(QStringLiteral("Výslovnost opozdit o:"), delayGroup);
    delayLabel->setBuddy(delay_);
    auto* delayLayout = new QHBoxLayout(delayGroup);
    delayLayout->addWidget(delayLabel);
    delayLayout->addWidget(delay_);
    delayLayout->addWidget(new QLabel(QStringLiteral("s"), delayGroup));
    delayLayout->addStretch();

    auto* options = new QGroupBox(this);
    pronounce_ = testOne ? checkBox("CheckBox1", "Použít zvuk při zobrazování výrazu", options)
                         : checkBox("CheckBox1", "Použit výslovnost při zobrazení výrazu", options);
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(pronounce_);
    if (testOne) {
        extended_ = checkBox("chbrozsirene", "Použít rozšířené zkoušení", options);
        waitForCorrect_ = checkBox("chbspravnaodpoved", "Čekat na správnou odpověď", options);
        optionsLayout->addWidget(extended_);
        optionsLayout->addWidget(waitForCorrect_);
    }

    confirm_ = iconButton("BitBtn2", "Potvrdit", QStyle::SP_DialogOkButton, this);
    confirm_->setDefault(true);
    back_ = iconButton("BitBtn1", "Zpět", QStyle::SP_ArrowBack, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm_);
    buttons->addWidget(back_);

    auto* grid = new QGridLayout;
    grid->addWidget(direction, 0, 0);
    grid->addWidget(display, 0, 1);
    grid->addWidget(order, 1, 0);
    grid->addWidget(delayGroup, 1, 1, Qt::AlignTop);
    grid->addWidget(options, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TesterSettingsWindow::connectControls() {
    // `clicked` comes only from the user (mouse, space, arrow keys), never from showSettings.
    const auto choose = [this](QRadioButton* button, auto select) {
        connect(button, &QRadioButton::clicked, this, [this, select] {
            select();
            showSettings();
        });
    };
    choose(foreignToCzech_, [this] { model_.selectDirection(TestDirection::ForeignToCzech); });
    choose(czechToForeign_, [this] { model_.selectDirection(TestDirection::CzechToForeign); });
    choose(sequential_, [this] { model_.selectOrder(TestOrder::Sequential); });
    choose(random_, [this] { model_.selectOrder(TestOrder::Random); });
    choose(show_, [this] { model_.selectDisplay(WrongAnswerDisplay::Show); });
    choose(hide_, [this] { model_.selectDisplay(WrongAnswerDisplay::Hide); });
    if (showAlways_ != nullptr) choose(showAlways_, [this] { model_.selectDisplay(WrongAnswerDisplay::ShowAlways); });

    connect(pronounce_, &QCheckBox::clicked, this, [this](bool on) {
        model_.setPronounce(on);
        showSettings();
    });
    if (extended_ != nullptr) {
        connect(extended_, &QCheckBox::clicked, this, [this](bool on) {
            model_.setExtendedTesting(on);
            showSettings();
        });
    }
    if (waitForCorrect_ != nullptr) {
        connect(waitForCorrect_, &QCheckBox::clicked, this, [this](bool on) {
            model_.setWaitForCorrect(on);
            showSettings();
        });
    }

    connect(delay_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { model_.setPronunciationDelayText(text.toStdString()); });
    connect(delay_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (delay_->currentText().isEmpty()) showSettings();
    });

    connect(confirm_, &QPushButton::clicked, this, &TesterSettingsWindow::confirm);
    connect(back_, &QPushButton::clicked, this, &TesterSettingsWindow::goBack);
}

void TesterSettingsWindow::showSettings() {
    const TesterSettings& settings = model_.settings();
    const QSignalBlocker blockDelay(delay_);
    (settings.direction == TestDirection::ForeignToCzech ? foreignToCzech_ : czechToForeign_)->setChecked(true);
    (settings.order == TestOrder::Sequential ? sequential_ : random_)->setChecked(true);
    switch (settings.display) {
    case WrongAnswerDisplay::Show: show_->setChecked(true); break;
    case WrongAnswerDisplay::Hide: hide_->setChecked(true); break;
    case WrongAnswerDisplay::ShowAlways:
        // Test I never holds it; Test I's model refuses it, so this stays defensive.
        (showAlways_ != nullptr ? showAlways_ : show_)->setChecked(true);
        break;
    }
    pronounce_->setChecked(settings.pronounce);
    if (extended_ != nullptr) extended_->setChecked(settings.extendedTesting);
    if (waitForCorrect_ != nullptr) waitForCorrect_->setChecked(settings.waitForCorrect);
    showDelayText(*delay_, QString::fromStdString(model_.pronunciationDelayText()));
}

bool TesterSettingsWindow::confirm() {
    if (questionLabelHandler_) questionLabelHandler_(questionLabel(model_.settings().direction));
    if (!model_.confirm()) return false;
    hide();
    leave();
    return true;
}

void TesterSettingsWindow::goBack() {
    model_.discard();
    showSettings();
    hide();
    leave();
}

bool TesterSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    // A minimised test window stays visible; only one really hidden or closed counts.
    if (watched == parentWidget() && event->type() == QEvent::Hide && isVisible() && !parentWidget()->isVisible()) {
        model_.discard();
        showSettings();
        hide();
    }
    return QWidget::eventFilter(watched, event);
}

void TesterSettingsWindow::leave() {
    if (returnHandler_) returnHandler_();
}

// Other code may change the model meanwhile (a test reloading, "Zpět" refused in part).
void TesterSettingsWindow::showEvent(QShowEvent* event) {
    showSettings();
    if (!centred_) {
        centred_ = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

void TesterSettingsWindow::closeEvent(QCloseEvent* event) {
    if (model_.kind() == TesterKind::TestTwo && event->spontaneous()) {
        // No title-bar buttons: a close the window system still sends is refused.
        event->ignore();
        return;
    }
    // Test I's close button only hides: the values in effect stay, nothing is stored.
    const bool wasVisible = isVisible();
    QWidget::closeEvent(event);
    if (wasVisible) leave();
}

}  // namespace lexo
