#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "dictionary/expression_table.h"

namespace lexo {

// The file-name part of a stored sound reference; Windows references ("C:\a\b.wav")
// are understood too, since dictionaries travel between systems.
std::string_view soundFileName(std::string_view reference);

// The folder a dictionary's sounds live in: beside the dictionary, named after its file
// name up to the first "." (the dictionary's own folder when that stem is empty). An
// existing folder whose name differs only in case is that folder.
std::filesystem::path soundFolderFor(const std::filesystem::path& dictionaryPath);

struct SoundMoveReport {
    std::size_t moved = 0;    // files moved into the sound folder
    std::size_t missing = 0;  // references whose file was not there
    std::size_t renamed = 0;  // files that got a numbered name to keep another sound
    std::size_t failed = 0;   // files that could not be moved; their references stay
};

// Gathers every referenced sound into the sound folder of `savePath` and rewrites the
// references. A sound another row still refers to is never deleted or overwritten: two
// different sounds of one name keep both files, the later under a numbered name, and
// rows sharing one file end up sharing its moved copy.
SoundMoveReport moveSoundFiles(ExpressionTable& table, const std::filesystem::path& savePath);

}  // namespace lexo
