#pragma once

#include <QWidget>
#include <cstdint>

#include "help/update_check.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace lexo {

// "Aktualizace z Internetu": what the version file offers.
class UpdateWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdateWindow(QWidget* parent = nullptr);

    void showInfo(const VersionInfo& info);
    // Our own version: nothing to download, the values back to "-".
    void showNothingNew();
    QPushButton& downloadButton() { return *download_; }

signals:
    void downloadRequested();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* version_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* date_ = nullptr;
    QPlainTextEdit* news_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* back_ = nullptr;
};

// "Aktualizace": waiting for the version file, or the installer's download with a gauge.
class UpdateProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdateProgressWindow(QWidget* parent = nullptr);

    void showChecking();
    void showDownloading(const QString& fileName, std::uint64_t size);
    void setPosition(std::uint64_t bytes);
    int gaugeValue() const;

signals:
    void checkCancelled();
    void downloadCancelled();

private:
    QLabel* checking_ = nullptr;
    QPushButton* cancelCheck_ = nullptr;
    QLabel* downloadingCaption_ = nullptr;
    QLabel* fileName_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QPushButton* cancelDownload_ = nullptr;
    std::uint64_t scale_ = 1;
};

}  // namespace lexo
