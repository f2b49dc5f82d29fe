#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lexo {

// A dictionary named on the command line: an absolute path as it stands; a relative one
// is looked for in the current folder, then in the program folder (where the Windows
// version looked). When neither holds it, the program-folder path is returned, so the
// message names the place the program looked last.
std::filesystem::path resolveTestDictionaryArgument(std::string_view argument,
                                                    const std::filesystem::path& currentFolder,
                                                    const std::filesystem::path& programFolder);

// The file to play for a sound reference: the reference itself when the file exists, else
// a file of that name in the sound folder of the dictionary (one copied from another
// computer keeps its sounds there). nullopt for "NENÍ" or when nothing is there.
std::optional<std::filesystem::path> findExpressionSound(std::string_view reference,
                                                         const std::filesystem::path& dictionaryPath);

// Lower case for the letters of Czech and Western file names (ASCII, Latin-1, Latin
// Extended-A); other characters stay.
std::string toLowerUtf8(std::string_view utf8);

}  // namespace lexo
