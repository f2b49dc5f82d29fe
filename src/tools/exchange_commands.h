#pragma once

#include <filesystem>
#include <optional>

#include "tools/exchange.h"
#include "tools/tool_commands.h"

namespace lexo {

// lexo-tool import: a CSV, TSV or kvtml file into a dictionary. Every entry that does not
// come over as it stood is listed with its number; nothing is written when the input
// cannot be read or holds no entry. `format` overrides the extension of `input`.
CommandResult importCommand(const std::filesystem::path& input, const std::filesystem::path& output,
                            std::optional<ExchangeFormat> format = std::nullopt);

// lexo-tool export: a dictionary into a CSV, TSV or kvtml file (format by the extension of
// `output` unless given).
CommandResult exportCommand(const std::filesystem::path& input, const std::filesystem::path& output,
                            std::optional<ExchangeFormat> format = std::nullopt);

}  // namespace lexo
