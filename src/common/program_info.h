#pragma once

#include <string_view>

// Facts about the program shown to the user and used to reach its web site; kept in one
// place so a mirror or a new address is one edit.
namespace lexo::program_info {

inline constexpr std::string_view kAuthor = "Tým programu Lexo";
inline constexpr std::string_view kAuthorMail = "autor@lexo.example";
inline constexpr std::string_view kWebSite = "https://lexo.example/";
// The about box shows this build number; settings live under the version string.
inline constexpr std::string_view kAboutVersion = "2.96";
// Overridden by the environment variable LEXO_UPDATE_URL (mirrors, tests).
inline constexpr std::string_view kUpdateUrl = "https://lexo.example/aktualizace/";

}  // namespace lexo::program_info

namespace lexo {

inline constexpr std::string_view kApplicationTitle = "Lexo";

}  // namespace lexo
