#include "app/splash_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/program_info.h"
#include "common/speech.h"
#include "platform/ports.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

SplashWindow::SplashWindow(bool speechFound, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form22"));
    setFixedSize(615, 151);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#Form22 { background: #f4f6fb; border: 1px solid #7d8fb3; }"));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QPixmap(QStringLiteral(":/pictures/splash.jpg")));
    image->setFixedSize(351, 151);

    auto* info = new QGroupBox(QStringLiteral("Informace:"), this);
    info->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(info);
    grid->setVerticalSpacing(4);
    const auto addRow = [&](int row, const QString& caption, QLabel* value) {
        auto* label = new QLabel(caption, info);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        grid->addWidget(label, row, 0);
        grid->addWidget(value, row, 1);
    };
    addRow(0, QStringLiteral("Autor:"), new QLabel(qs(program_info::kAuthor), info));
    addRow(1, QStringLiteral("E-mail:"), new QLabel(qs(program_info::kAuthorMail), info));
    auto* web = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(qs(program_info::kWebSite)), info);
    web->setObjectName(QStringLiteral("Label7"));
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    web->setCursor(Qt::PointingHandCursor);
    connect(web, &QLabel::linkActivated, this, &SplashWindow::webSiteRequested);
    addRow(2, QStringLiteral("WWW:"), web);
    addRow(3, QStringLiteral("Verze:"), new QLabel(qs(program_info::kAboutVersion), info));
    grid->setColumnStretch(1, 1);

    closeButton_ = new QToolButton(this);
    closeButton_->setObjectName(QStringLiteral("SpeedButton1"));
    closeButton_->setAutoRaise(true);
    closeButton_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton_->setToolTip(QStringLiteral("Zavřít"));
    connect(closeButton_, &QToolButton::clicked, this, &SplashWindow::finish);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(8, 2, 6, 8);
    right->addWidget(closeButton_, 0, Qt::AlignRight);
    right->addWidget(info, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(image);
    layout->addLayout(right, 1);

    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SplashWindow::onTick);

    speechFound_ = speechFound;
    if (speechFound_) {
        closeButton_->hide();
    } else {
        // Without the countdown the button is the way on to the main window.
        prompter.error(kNoSpeechMessage);
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    QWidget::paintEvent(event);
    if (painted_) return;
    painted_ = true;
    sincePaint_.start();
    if (speechFound_) {
        countdown_.start();
        if (countdown_.running()) scheduleTick();
    }
    emit firstPainted();
}

// Each tick is due a whole second after the paint, counted from the paint itself: a tick
// that comes late (a busy start) does not push the next one a second further.
void SplashWindow::scheduleTick() {
    const qint64 due = 1000 * (ticks_ + 1) - sincePaint_.elapsed();
    timer_.start(static_cast<int>(std::max<qint64>(0, due)));
}

void SplashWindow::onTick() {
    ++ticks_;
    if (!countdown_.tick()) {
        if (countdown_.running()) scheduleTick();
        return;
    }
    emit handOver();
    hide();
    closeButton_->show();
}

void SplashWindow::finish() {
    hide();
    emit handOver();
}

void SplashWindow::showAsAboutBox() {
    bringForward(*this);
    countdown_.stop();
    timer_.stop();
    closeButton_->show();
}

void SplashWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace lexo
