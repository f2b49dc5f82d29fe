#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexo {

// The version this program compares the offered one with: any other text is an update.
inline constexpr std::string_view kOwnUpdateVersion = "2.70";
inline constexpr std::string_view kVersionFileName = "N-VERZE.TXT";
inline constexpr std::string_view kUpdateFolderName = "Aktualizace";
// The ending of a download that is not complete yet.
inline constexpr std::string_view kPartialDownloadSuffix = ".part";

inline constexpr std::string_view kUpdateFailedMessage = "Aktualizace se nepovedla.";
inline constexpr std::string_view kUpdateErrorMessage = "Chyba při vykonávání aktualizace!";
inline constexpr std::string_view kNoNewVersionMessage = "Žádná nová verze programu nebyla nalezena.";
inline constexpr std::string_view kInstallQuestion =
    "Aktualizace byla provedena úspěšně. Přejete si nyní nainstalovat novou verzi?";

// The six lines of the version file.
struct VersionInfo {
    std::string version;
    std::string sizeText;
    std::uint64_t size = 0;
    std::string date;
    std::string installerUrl;
    std::string installerName;  // as the file says; see safeInstallerName
    std::vector<std::string> news;
};

// Lines 1 to 6 (CR, LF or CR LF ends); nullopt when a line is missing or the size on line 2
// is not a whole number of bytes. The news line is cut at ";", and an empty item ends it.
std::optional<VersionInfo> parseVersionFile(std::string bytes);

std::vector<std::string> newsItems(std::string_view line);

// "Stáhnout" is offered for any version but our own.
inline bool offersDownload(const VersionInfo& info) { return info.version != kOwnUpdateVersion; }

// What a value label shows: the text, or "-" when it is empty.
inline std::string shownValue(std::string_view text) { return text.empty() ? std::string("-") : std::string(text); }

// The installer is stored under a plain file name inside Aktualizace/, whatever line 5
// says: folders (either slash) are dropped, control characters removed; nothing usable
// (empty, ".", "..") gives nullopt.
std::optional<std::string> safeInstallerName(std::string_view name);

struct InstallerPaths {
    std::filesystem::path folder;    // ProgramFolder/Aktualizace
    std::filesystem::path target;    // the installer once complete
};
std::optional<InstallerPaths> installerPaths(const std::filesystem::path& programFolder, std::string_view name);

// The folder holding the version file, from the built-in address or LEXO_UPDATE_URL when
// set and not empty; always ends with "/".
std::string updateAddress(const char* environmentValue);
std::string versionFileUrl(std::string_view address);

}  // namespace lexo
