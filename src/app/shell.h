#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_info.h"
#include "common/startup_state.h"

namespace lexo {

// The windows the main window starts, one at a time.
enum class WorkingWindow { Editor, Learning, TestOne, TestTwo, Translator, Statistics };

// The application title while that window is open ("Lexo - …").
std::string_view applicationTitleFor(WorkingWindow window);
std::string mainWindowCaption(std::string_view versionString);

// The splash window's hand-over: two one-second ticks after it is first activated.
class SplashCountdown {
public:
    void start() { running_ = remaining_ > 0; }
    void stop() { running_ = false; }
    bool running() const { return running_; }
    // True on the tick that hands over to the main window.
    bool tick();

private:
    int remaining_ = 2;
    bool running_ = false;
};

struct TempCleanup {
    std::size_t deleted = 0;
    std::size_t kept = 0;  // could not be deleted; left alone
};

// Deletes the files of the scratch folder; subfolders stay.
TempCleanup clearTempFolder(const std::filesystem::path& folder);

// Registers the program and its dictionary file type for the user in the freedesktop way
// when nothing registers them yet. All text comes from the caller.
struct DesktopIntegration {
    std::string desktopEntry;  // template; its Exec and TryExec lines get the executable
    std::string mimeXml;
    std::string iconPng;
};

enum class RegistrationResult { AlreadyRegistered, Registered, Failed };

// `icon`, when given, replaces the template's icon name.
std::string desktopEntryFor(std::string_view templateText, const std::filesystem::path& executable,
                            const std::filesystem::path& icon = {});

// dataHome is $XDG_DATA_HOME (~/.local/share); systemDataDirs are $XDG_DATA_DIRS.
RegistrationResult registerDesktopIntegration(const std::filesystem::path& dataHome,
                                              const std::vector<std::filesystem::path>& systemDataDirs,
                                              const std::filesystem::path& executable,
                                              const DesktopIntegration& files);

}  // namespace lexo
