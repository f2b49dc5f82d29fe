#pragma once

#include <QObject>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <optional>

#include "help/update_check.h"

class QTimer;

namespace lexo {

class HttpDownload;
class Prompter;
class UpdateProgressWindow;
class UpdateWindow;

// The update from the menu to the installer: fetch the version file into WorkDir, show what
// it offers, download the installer into Aktualizace/ with a gauge, and open it only when
// the user says Yes.
class UpdateFlow : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> showMainWindow;
        std::function<void()> hideMainWindow;
        std::function<void(const std::filesystem::path&)> openInstaller;
        std::function<void()> endProgram;
    };

    UpdateFlow(std::filesystem::path programFolder, QUrl address, Prompter& prompter, UpdateWindow& window,
               UpdateProgressWindow& progress, Hooks hooks, QObject* parent = nullptr);
    ~UpdateFlow() override;

    // "Zkontrolovat aktualizace".
    void startCheck();
    // "Stáhnout".
    void download();
    // The progress timer's tick: the size of what has arrived so far.
    void pollProgress();

    HttpDownload& versionDownload() { return *versionDownload_; }
    HttpDownload& installerDownload() { return *installerDownload_; }
    const std::optional<VersionInfo>& offered() const { return offered_; }
    std::filesystem::path versionFile() const;

private:
    void versionFileArrived();
    void versionFileFailed();
    void installerArrived(const QString& fileName);
    void installerFailed();
    void checkCancelled();
    void downloadCancelled();
    void backToMainWindow();

    std::filesystem::path programFolder_;
    QUrl address_;
    Prompter& prompter_;
    UpdateWindow& window_;
    UpdateProgressWindow& progress_;
    Hooks hooks_;
    HttpDownload* versionDownload_ = nullptr;
    HttpDownload* installerDownload_ = nullptr;
    QTimer* timer_ = nullptr;
    std::optional<VersionInfo> offered_;
    std::optional<InstallerPaths> installer_;
};

}  // namespace lexo
