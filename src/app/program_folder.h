#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace lexo {

// Where the program keeps its own files (statistics, word list, tips, recent lists,
// scratch sounds). See docs/architecture.md for the rules.
struct ProgramFolderInputs {
    std::optional<std::string> lexoHome;     // $LEXO_HOME
    std::filesystem::path executableFolder;  // folder of the running binary
    std::optional<std::string> xdgDataHome;  // $XDG_DATA_HOME
    std::optional<std::string> home;         // $HOME
};

// A folder holds the shipped data when the template sound is there.
bool holdsShippedData(const std::filesystem::path& folder);

std::filesystem::path resolveProgramFolder(const ProgramFolderInputs& in);

// The folder the shipped data is copied from: the executable's own folder in a build tree
// or portable copy, else <prefix>/share/lexo beside <prefix>/bin.
std::filesystem::path shippedDataFolder(const std::filesystem::path& executableFolder);

struct SeedReport {
    std::size_t copied = 0;
    std::size_t failed = 0;
};

// Copies every shipped file missing from the program folder; never overwrites a file the
// user has. Executables are not shipped data (a build tree holds both). Also makes the scratch folders the program expects.
SeedReport seedProgramFolder(const std::filesystem::path& programFolder,
                             const std::filesystem::path& shippedFolder);

ProgramFolderInputs programFolderInputsFromEnvironment(const std::filesystem::path& executableFolder);

}  // namespace lexo
