#include "help/update_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "help/qt_text.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

using help::qs;

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}

}  // namespace

UpdateWindow::UpdateWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Aktualizace z Internetu"));

    QFont bold = font();
    bold.setBold(true);
    auto* grid = new QGridLayout;
    const char* captions[] = {"Verze programu:", "Velikost:", "Datum aktualizace:"};
    const char* names[] = {"lbverze", "lbvelikost", "lbdatum"};
    QLabel** values[] = {&version_, &size_, &date_};
    for (int i = 0; i < 3; ++i) {
        auto* caption = label("", QString::fromUtf8(captions[i]), this);
        caption->setFont(bold);
        *values[i] = label(names[i], QStringLiteral("-"), this);
        grid->addWidget(caption, i, 0);
        grid->addWidget(*values[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* newsCaption = label("", QStringLiteral("Novinky:"), this);
    newsCaption->setFont(bold);
    news_ = new QPlainTextEdit(this);
    news_->setObjectName(QStringLiteral("Memo1"));
    news_->setReadOnly(true);

    download_ = iconButton("BitBtn1", "Stáhnout", QStyle::SP_ArrowDown, this);
    download_->setEnabled(false);
    back_ = iconButton("BitBtn2", "Zpět", QStyle::SP_ArrowBack, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(download_);
    buttons->addWidget(back_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(newsCaption);
    layout->addWidget(news_, 1);
    layout->addLayout(buttons);

    connect(download_, &QPushButton::clicked, this, &UpdateWindow::downloadRequested);
    connect(back_, &QPushButton::clicked, this, &QWidget::close);
    resize(360, 300);
}

void UpdateWindow::showInfo(const VersionInfo& info) {
    version_->setText(qs(shownValue(info.version)));
    size_->setText(qs(shownValue(info.sizeText)));
    date_->setText(qs(shownValue(info.date)));
    news_->clear();
    for (const std::string& item : info.news) news_->appendPlainText(qs(item));
    download_->setEnabled(offersDownload(info));
    (download_->isEnabled() ? download_ : back_)->setFocus();
}

void UpdateWindow::showNothingNew() {
    download_->setEnabled(false);
    version_->setText(QStringLiteral("-"));
    size_->setText(QStringLiteral("-"));
    date_->setText(QStringLiteral("-"));
    news_->clear();
    back_->setFocus();
}

void UpdateWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

UpdateProgressWindow::UpdateProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Aktualizace"));

    checking_ = label("Label1", QStringLiteral("Stahují se informace o aktuální verzi, prosím počkejte....."), this);
    checking_->setWordWrap(true);
    cancelCheck_ = iconButton("BitBtn1", "Zrušit", QStyle::SP_DialogCancelButton, this);
    downloadingCaption_ = label("Label2", QStringLiteral("Stahuji:"), this);
    fileName_ = label("Label3", QString(), this);
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("Gauge1"));
    cancelDownload_ = iconButton("BitBtn2", "Zrušit", QStyle::SP_DialogCancelButton, this);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(downloadingCaption_);
    nameRow->addWidget(fileName_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(checking_);
    layout->addLayout(nameRow);
    layout->addWidget(gauge_);
    layout->addWidget(cancelCheck_, 0, Qt::AlignHCenter);
    layout->addWidget(cancelDownload_, 0, Qt::AlignHCenter);

    connect(cancelCheck_, &QPushButton::clicked, this, &UpdateProgressWindow::checkCancelled);
    connect(cancelDownload_, &QPushButton::clicked, this, &UpdateProgressWindow::downloadCancelled);
    showChecking();
}

void UpdateProgressWindow::showChecking() {
    checking_->show();
    cancelCheck_->show();
    downloadingCaption_->hide();
    fileName_->hide();
    gauge_->hide();
    cancelDownload_->hide();
    setFixedSize(260, 110);
}

void UpdateProgressWindow::showDownloading(const QString& fileName, std::uint64_t size) {
    checking_->hide();
    cancelCheck_->hide();
    downloadingCaption_->show();
    fileName_->setText(fileName);
    fileName_->show();
    // The gauge counts in an int; a huge installer is shown in coarser steps.
    scale_ = 1;
    while (size / scale_ > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) scale_ *= 1024;
    gauge_->setRange(0, static_cast<int>(size / scale_));
    gauge_->setValue(0);
    gauge_->show();
    cancelDownload_->show();
    setFixedSize(219, 143);
}

void UpdateProgressWindow::setPosition(std::uint64_t bytes) {
    const std::uint64_t value = std::min<std::uint64_t>(bytes / scale_, static_cast<std::uint64_t>(gauge_->maximum()));
    gauge_->setValue(static_cast<int>(value));
}

int UpdateProgressWindow::gaugeValue() const { return gauge_->value(); }

}  // namespace lexo
