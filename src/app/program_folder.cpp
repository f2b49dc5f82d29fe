#include "app/program_folder.h"

#include <cstdlib>
#include <unistd.h>

namespace lexo {
namespace fs = std::filesystem;

namespace {
constexpr const char* kMarker = "WorkDir/sound.wav";
constexpr const char* kScratchFolders[] = {"Temp", "WorkDir", "Aktualizace"};

std::optional<std::string> env(const char* name) {
    const char* v = std::getenv(name);
    if (v == nullptr || *v == '\0') return std::nullopt;
    return std::string(v);
}

bool isExecutable(const fs::file_status& status) {
    return (status.permissions() & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
           fs::perms::none;
}
}  // namespace

bool holdsShippedData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kMarker, ec);
}

fs::path resolveProgramFolder(const ProgramFolderInputs& in) {
    if (in.lexoHome) return fs::path(*in.lexoHome);
    if (holdsShippedData(in.executableFolder) && ::access(in.executableFolder.c_str(), W_OK) == 0)
        return in.executableFolder;
    // A relative XDG_DATA_HOME is invalid and ignored: it would move the folder with the
    // working directory, and the user's files would seem lost at the next start.
    if (in.xdgDataHome && fs::path(*in.xdgDataHome).is_absolute()) return fs::path(*in.xdgDataHome) / "lexo";
    return fs::path(in.home.value_or(".")) / ".local" / "share" / "lexo";
}

fs::path shippedDataFolder(const fs::path& executableFolder) {
    if (holdsShippedData(executableFolder)) return executableFolder;
    return executableFolder.parent_path() / "share" / "lexo";
}

SeedReport seedProgramFolder(const fs::path& programFolder, const fs::path& shippedFolder) {
    SeedReport report;
    std::error_code ec;
    fs::create_directories(programFolder, ec);
    for (const char* sub : kScratchFolders) fs::create_directories(programFolder / sub, ec);
    if (fs::equivalent(programFolder, shippedFolder, ec)) return report;

    ec.clear();
    for (fs::recursive_directory_iterator it(shippedFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path relative = fs::relative(it->path(), shippedFolder, ec);
        if (ec) break;
        const fs::path target = programFolder / relative;
        std::error_code local;
        if (it->is_directory(local)) {
            fs::create_directories(target, local);
        } else if (isExecutable(it->status(local))) {
            // A build tree keeps the programs beside the data; no shipped file is one.
            continue;
        } else if (!fs::exists(target, local)) {
            fs::create_directories(target.parent_path(), local);
            if (fs::copy_file(it->path(), target, fs::copy_options::skip_existing, local) && !local)
                ++report.copied;
            else if (local)
                ++report.failed;
        }
    }
    return report;
}

ProgramFolderInputs programFolderInputsFromEnvironment(const fs::path& executableFolder) {
    return ProgramFolderInputs{env("LEXO_HOME"), executableFolder, env("XDG_DATA_HOME"), env("HOME")};
}

}  // namespace lexo
