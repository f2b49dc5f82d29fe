#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexo {

// Decisions of the program's start that several windows share.
class StartupState {
public:
    // The program's arguments, without the program's own name.
    explicit StartupState(std::vector<std::string> arguments);

    bool soundWorks = false;

    // A dictionary named on the command line waits for the first of the editor, learning
    // and test windows to be shown; only that one gets it.
    bool openFromCommandLine() const { return openFromCommandLine_; }
    std::optional<std::string> takeCommandLineDictionary();

    // The tip of the day comes once, at the first activation of the main window while tips
    // are wanted; leaving the settings window also uses the chance up.
    bool takeTipOnActivation(bool tipsWanted);
    void settingsWindowLeft() { firstActivation_ = false; }
    bool firstActivation() const { return firstActivation_; }

private:
    std::vector<std::string> arguments_;
    bool openFromCommandLine_ = false;
    bool firstActivation_ = true;
};

// A dictionary named on the command line: absolute as it stands; a relative name is
// looked for in the current folder, then in the program folder. When neither holds it,
// the current-folder path is returned, so a message names the file the user meant.
std::filesystem::path resolveCommandLineDictionary(std::string_view argument,
                                                   const std::filesystem::path& currentFolder,
                                                   const std::filesystem::path& programFolder);

}  // namespace lexo
