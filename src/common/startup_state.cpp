#include "common/startup_state.h"

#include <system_error>

namespace lexo {

StartupState::StartupState(std::vector<std::string> arguments)
    : arguments_(std::move(arguments)), openFromCommandLine_(!arguments_.empty()) {}

std::filesystem::path resolveCommandLineDictionary(std::string_view argument,
                                                   const std::filesystem::path& currentFolder,
                                                   const std::filesystem::path& programFolder) {
    const std::filesystem::path given(argument);
    if (given.is_absolute()) return given;
    std::error_code ec;
    const std::filesystem::path here = currentFolder / given;
    if (std::filesystem::exists(here, ec)) return here;
    const std::filesystem::path inProgramFolder = programFolder / given;
    if (!programFolder.empty() && std::filesystem::exists(inProgramFolder, ec)) return inProgramFolder;
    return here;
}

std::optional<std::string> StartupState::takeCommandLineDictionary() {
    if (!openFromCommandLine_) return std::nullopt;
    openFromCommandLine_ = false;
    return arguments_.front();
}

bool StartupState::takeTipOnActivation(bool tipsWanted) {
    if (!firstActivation_ || !tipsWanted) return false;
    firstActivation_ = false;
    return true;
}

}  // namespace lexo
