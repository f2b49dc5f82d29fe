#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lexo {

// What a lexo-tool command prints and returns; the tool itself only parses arguments.
struct CommandResult {
    int exitCode = 0;
    std::string out;  // for stdout
    std::string err;  // for stderr
};

// The converter from a terminal: two word lists into one dictionary.
CommandResult convertCommand(const std::filesystem::path& czechList, const std::filesystem::path& foreignList,
                             const std::filesystem::path& output);

// The merger from a terminal: every expression of the inputs, in order, duplicates kept.
// Nothing is written unless every input can be read.
CommandResult mergeCommand(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

}  // namespace lexo
