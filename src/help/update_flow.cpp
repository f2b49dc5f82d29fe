#include "help/update_flow.h"

#include <QFile>
#include <QTimer>

#include "help/qt_text.h"
#include "help/http_download.h"
#include "help/update_window.h"
#include "platform/atomic_file.h"
#include "platform/ports.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

QString qpath(const std::filesystem::path& path) { return QFile::decodeName(path.string().c_str()); }
using help::qs;

constexpr std::size_t kMaxVersionFileBytes = 1u << 20;

void call(const std::function<void()>& hook) {
    if (hook) hook();
}

}  // namespace

UpdateFlow::UpdateFlow(std::filesystem::path programFolder, QUrl address, Prompter& prompter, UpdateWindow& window,
                       UpdateProgressWindow& progress, Hooks hooks, QObject* parent)
    : QObject(parent),
      programFolder_(std::move(programFolder)),
      address_(std::move(address)),
      prompter_(prompter),
      window_(window),
      progress_(progress),
      hooks_(std::move(hooks)),
      versionDownload_(new HttpDownload(this)),
      installerDownload_(new HttpDownload(this)),
      timer_(new QTimer(this)) {
    installerDownload_->binaryData = true;
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &UpdateFlow::pollProgress);
    connect(versionDownload_, &HttpDownload::doneFile, this, &UpdateFlow::versionFileArrived);
    connect(versionDownload_, &HttpDownload::error, this, &UpdateFlow::versionFileFailed);
    connect(installerDownload_, &HttpDownload::doneFile, this, &UpdateFlow::installerArrived);
    connect(installerDownload_, &HttpDownload::error, this, &UpdateFlow::installerFailed);
    connect(&progress_, &UpdateProgressWindow::checkCancelled, this, &UpdateFlow::checkCancelled);
    connect(&progress_, &UpdateProgressWindow::downloadCancelled, this, &UpdateFlow::downloadCancelled);
    connect(&window_, &UpdateWindow::downloadRequested, this, &UpdateFlow::download);
    connect(&window_, &UpdateWindow::closed, this, [this] {
        if (!installerDownload_->running()) call(hooks_.showMainWindow);
    });
}

UpdateFlow::~UpdateFlow() = default;

std::filesystem::path UpdateFlow::versionFile() const {
    return programFolder_ / "WorkDir" / std::string(kVersionFileName);
}

void UpdateFlow::startCheck() {
    if (versionDownload_->running() || installerDownload_->running()) {
        progress_.show();
        progress_.raise();
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(versionFile().parent_path(), ec);
    versionDownload_->url = QUrl(qs(versionFileUrl(address_.toString().toStdString())));
    versionDownload_->fileName = qpath(versionFile());
    if (!versionDownload_->start()) {
        prompter_.information(kUpdateFailedMessage);
        return;
    }
    progress_.showChecking();
    centreOnScreen(progress_);
    progress_.show();
    progress_.raise();
}

void UpdateFlow::versionFileArrived() {
    progress_.hide();
    ReadResult read = readWholeFile(versionFile(), kMaxVersionFileBytes);
    offered_ = read.status == ReadStatus::Ok ? parseVersionFile(std::move(read.data)) : std::nullopt;
    if (!offered_) {
        window_.hide();
        call(hooks_.showMainWindow);
        prompter_.error(kUpdateErrorMessage);
        return;
    }
    call(hooks_.hideMainWindow);
    window_.showInfo(*offered_);
    centreOnScreen(window_);
    bringForward(window_);
    if (!offersDownload(*offered_)) {
        window_.showNothingNew();
        prompter_.information(kNoNewVersionMessage);
    }
}

void UpdateFlow::versionFileFailed() {
    progress_.hide();
    call(hooks_.showMainWindow);
    prompter_.information(kUpdateFailedMessage);
}

void UpdateFlow::download() {
    if (!offered_ || !offersDownload(*offered_) || installerDownload_->running()) return;
    installer_ = installerPaths(programFolder_, offered_->installerName);
    // The installer's address may be given relative to the version file.
    const QUrl url = address_.resolved(QUrl(qs(offered_->installerUrl)));
    const QString scheme = url.scheme().toLower();
    std::error_code ec;
    if (!installer_ || !url.isValid() || (scheme != u"http" && scheme != u"https") ||
        (std::filesystem::create_directories(installer_->folder, ec), ec)) {
        window_.hide();
        call(hooks_.showMainWindow);
        prompter_.error(kUpdateErrorMessage);
        return;
    }
    installerDownload_->url = url;
    installerDownload_->fileName = qpath(installer_->target);
    progress_.showDownloading(qpath(installer_->target.filename()), offered_->size);
    timer_->start();
    window_.hide();
    centreOnScreen(progress_);
    progress_.show();
    progress_.raise();
    if (!installerDownload_->start()) installerFailed();
}

void UpdateFlow::pollProgress() {
    if (!installer_) return;
    std::error_code ec;
    for (const std::filesystem::path& file :
         {std::filesystem::path(installer_->target.string() + std::string(kPartialDownloadSuffix)), installer_->target}) {
        const std::uintmax_t size = std::filesystem::file_size(file, ec);
        if (!ec) {
            progress_.setPosition(size);
            return;
        }
    }
}

void UpdateFlow::installerArrived(const QString&) {
    timer_->stop();
    pollProgress();
    if (prompter_.askYesNo(kInstallQuestion)) {
        if (hooks_.openInstaller) hooks_.openInstaller(installer_->target);
        call(hooks_.endProgram);
        return;
    }
    backToMainWindow();
}

void UpdateFlow::installerFailed() {
    timer_->stop();
    prompter_.information(kUpdateFailedMessage);
    backToMainWindow();
}

void UpdateFlow::checkCancelled() {
    versionDownload_->stop();
    progress_.hide();
    call(hooks_.showMainWindow);
}

void UpdateFlow::downloadCancelled() { installerDownload_->stop(); }

void UpdateFlow::backToMainWindow() {
    progress_.hide();
    window_.hide();
    call(hooks_.showMainWindow);
}

}  // namespace lexo
