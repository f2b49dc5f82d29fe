#include "app/shell.h"

#include <sstream>
#include <system_error>

#include "platform/atomic_file.h"

namespace lexo {
namespace fs = std::filesystem;

std::string_view applicationTitleFor(WorkingWindow window) {
    switch (window) {
    case WorkingWindow::Editor: return "Lexo - Editor výrazů";
    // The learning window has always carried this title, whatever its caption says.
    case WorkingWindow::Learning: return "Lexo - Zkoušení nepravidelných sloves";
    case WorkingWindow::TestOne: return "Lexo - Zkoušení výrazů I";
    case WorkingWindow::TestTwo: return "Lexo - Zkoušení výrazů II";
    case WorkingWindow::Translator: return "Lexo - Translator";
    case WorkingWindow::Statistics: return "Lexo - Statistiky";
    }
    return kApplicationTitle;
}

std::string mainWindowCaption(std::string_view versionString) {
    return std::string(kApplicationTitle) + " " + std::string(versionString);
}

bool SplashCountdown::tick() {
    if (!running_) return false;
    if (--remaining_ > 0) return false;
    running_ = false;
    return true;
}

TempCleanup clearTempFolder(const fs::path& folder) {
    TempCleanup result;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code local;
        if (it->is_directory(local)) continue;
        if (fs::remove(it->path(), local) && !local)
            ++result.deleted;
        else
            ++result.kept;
    }
    return result;
}

std::string desktopEntryFor(std::string_view templateText, const fs::path& executable, const fs::path& icon) {
    std::istringstream in{std::string(templateText)};
    std::string out;
    std::string line;
    // Quoted, so a path with spaces still starts the program.
    const std::string quoted = "\"" + executable.string() + "\"";
    while (std::getline(in, line)) {
        if (line.starts_with("Exec="))
            line = "Exec=" + quoted + " %f";
        else if (line.starts_with("TryExec="))
            line = "TryExec=" + executable.string();
        else if (line.starts_with("Icon=") && !icon.empty())
            line = "Icon=" + icon.string();
        out += line + "\n";
    }
    return out;
}

RegistrationResult registerDesktopIntegration(const fs::path& dataHome, const std::vector<fs::path>& systemDataDirs,
                                              const fs::path& executable, const DesktopIntegration& files) {
    std::error_code ec;
    const fs::path desktopFile = dataHome / "applications" / "lexo.desktop";
    if (fs::exists(desktopFile, ec)) return RegistrationResult::AlreadyRegistered;
    for (const fs::path& dir : systemDataDirs)
        if (fs::exists(dir / "applications" / "lexo.desktop", ec)) return RegistrationResult::AlreadyRegistered;

    const fs::path mimeFile = dataHome / "mime" / "packages" / "lexo.xml";
    // Named by its full path rather than put into a theme: a user icon theme folder without
    // a theme index sends every icon look-up of every Qt program through its folders.
    const fs::path iconFile = dataHome / "icons" / "lexo.png";
    for (const fs::path& p : {desktopFile, mimeFile, iconFile}) {
        fs::create_directories(p.parent_path(), ec);
        if (ec) return RegistrationResult::Failed;
    }
    if (!writeFileAtomically(mimeFile, files.mimeXml).ok) return RegistrationResult::Failed;
    bool haveIcon = fs::exists(iconFile, ec);
    if (!files.iconPng.empty() && !haveIcon) haveIcon = writeFileAtomically(iconFile, files.iconPng).ok;
    // Last, so that a half-done registration is tried again at the next start.
    if (!writeFileAtomically(desktopFile, desktopEntryFor(files.desktopEntry, executable, haveIcon ? iconFile : fs::path()))
             .ok)
        return RegistrationResult::Failed;
    return RegistrationResult::Registered;
}

}  // namespace lexo
