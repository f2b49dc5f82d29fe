#include "tools/tool_commands.h"

#include "dictionary/dictionary_file.h"
#include "platform/atomic_file.h"
#include "tools/converter_session.h"
#include "tools/merger_session.h"

namespace lexo {
namespace fs = std::filesystem;

namespace {

CommandResult failure(std::string message) { return {1, {}, std::move(message) + "\n"}; }

}  // namespace

CommandResult convertCommand(const fs::path& czechList, const fs::path& foreignList, const fs::path& output) {
    const PlainWordList czech = readWordList(czechList);
    if (!czech.ok) return failure("Soubor " + czechList.string() + " nelze otevřít: " + czech.error);
    const PlainWordList foreign = readWordList(foreignList);
    if (!foreign.ok) return failure("Soubor " + foreignList.string() + " nelze otevřít: " + foreign.error);
    if (czech.lines.empty()) return failure(std::string(kNoCzechListMessage));
    if (foreign.lines.empty()) return failure(std::string(kNoForeignListMessage));

    const std::vector<std::string> lines = convertWordLists(czech.lines, foreign.lines);
    const FileResult written = writeFileAtomically(output, dictionaryTextOfLines(lines));
    if (!written.ok) return failure("Slovník se nepodařilo uložit do souboru " + output.string() + ": " + written.error);

    CommandResult result;
    result.out = "Uloženo výrazů: " + std::to_string(lines.size()) + " do " + output.string() + "\n";
    if (foreign.lines.size() < czech.lines.size())
        result.err = "Cizích výrazů je méně (" + std::to_string(foreign.lines.size()) + "): posledních " +
                     std::to_string(czech.lines.size() - foreign.lines.size()) + " výrazů nemá cizí text.\n";
    else if (foreign.lines.size() > czech.lines.size())
        result.err = "Cizích výrazů je více (" + std::to_string(foreign.lines.size()) + "): posledních " +
                     std::to_string(foreign.lines.size() - czech.lines.size()) + " vynecháno.\n";
    return result;
}

CommandResult mergeCommand(const fs::path& output, const std::vector<fs::path>& inputs) {
    ExpressionTable merged;
    for (const fs::path& input : inputs) {
        DictionaryLoad loaded = loadDictionary(input);
        switch (loaded.status) {
        case LoadStatus::CannotOpen:
            return failure("Slovník " + input.string() + " nelze otevřít: " + loaded.error);
        case LoadStatus::TooLarge:
            return failure(input.string() + ": " + std::string(kTooLargeDictionaryMessage));
        case LoadStatus::Empty:
            return failure(input.string() + ": " + std::string(kEmptyDictionaryMessage));
        case LoadStatus::Loaded:
            break;
        }
        if (merged.empty())
            merged = std::move(loaded.table);
        else
            appendExpressions(merged, loaded.table);
    }
    if (merged.empty()) return failure("Nelze uložit prázdný slovník.");
    const SaveResult saved = saveDictionary(merged, output);
    if (!saved.ok) return failure("Slovník se nepodařilo uložit do souboru " + output.string() + ": " + saved.error);
    return {0, "Uloženo výrazů: " + std::to_string(merged.size()) + " do " + output.string() + "\n", {}};
}

}  // namespace lexo
