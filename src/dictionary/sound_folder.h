#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"

namespace lexo {

// The file-name part of a stored sound reference; Windows references ("C:\a\b.wav")
// are understood too, since dictionaries travel between systems.
std::string_view soundFileName(std::string_view reference);

// The folder a dictionary's sounds live in: beside the dictionary, named after its file
// name up to the first "." (the dictionary's own folder when the name has no stem before a
// "."). An existing folder whose name differs only in case is that folder.
std::filesystem::path soundFolderFor(const std::filesystem::path& dictionaryPath);

// "?" → "1", "!" → "2", "*" → "3"; everything else stays. Recordings are named this way,
// and a stored reference is looked up this way too before it is played or deleted.
std::string fixSoundPathCharacters(std::string_view path);

// The file an expression's sound reference plays, or nothing for "NENÍ" and for a
// reference whose file is not there. A missing file is also looked for with the character
// rule applied and, for a dictionary brought from another computer, under its name in the
// dictionary's sound folder (when dictionaryPath is given).
std::optional<std::filesystem::path> playableSound(std::string_view reference,
                                                   const std::filesystem::path& dictionaryPath = {});

struct SoundMoveReport {
    std::size_t moved = 0;    // files moved into the sound folder
    std::size_t missing = 0;  // references whose file was not there
    std::size_t renamed = 0;  // files that got a numbered name to keep another sound
    std::size_t failed = 0;   // files that could not be moved; their references stay
    std::size_t respelled = 0;  // files already in place whose references took the folder's spelling
};

// Gathers every referenced sound into the sound folder of `savePath` and rewrites the
// references. A sound another row still refers to is never deleted or overwritten: two
// different sounds of one name keep both files, the later under a numbered name, and
// rows sharing one file end up sharing its moved copy. Files lying directly in
// `keepFolder` (the sound folder of a dictionary still on disk, when saving under a new
// name) are copied instead, so that dictionary keeps its sounds.
SoundMoveReport moveSoundFiles(ExpressionTable& table, const std::filesystem::path& savePath,
                               const std::filesystem::path& keepFolder = {});

}  // namespace lexo
