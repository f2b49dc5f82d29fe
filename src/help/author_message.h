#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace lexo {

inline constexpr std::string_view kMailSubject = "Zprava od uživatele";
inline constexpr std::string_view kDefaultMailSubject = "Export souboru";
inline constexpr std::string_view kMailErrorCaption = "Chyba";
inline constexpr std::string_view kMailErrorMessage =
    "Nepodařilo se poslat zprávu elektronickou poštou.\n\n"
    "Pokud používáte Outlook expres, zkontrolujte, zda je nastaven jako výchozí klient MAPI.";
inline constexpr std::string_view kMailProgram = "xdg-email";

// WorkDir/Zprava.txt in the program folder.
std::filesystem::path noteFilePath(const std::filesystem::path& programFolder);

// The note box's lines, each ended with CR LF, in Windows-1250 (UTF-8 when a character
// does not fit); an empty note is an empty file. Line breaks may come as LF or CR LF.
std::string noteFileBytes(std::string_view note);
FileResult saveNote(const std::filesystem::path& path, std::string_view note);

// The mail program's arguments: a new mail to `address` with the file attached. Handed
// over as a list, never through a shell, so no text in them is interpreted.
std::vector<std::string> mailArguments(const std::filesystem::path& attachment, std::string_view address,
                                       std::string_view subject);

}  // namespace lexo
