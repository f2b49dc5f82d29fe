#include "tools/exchange_commands.h"

#include <string>

#include "dictionary/dictionary_file.h"
#include "platform/atomic_file.h"
#include "tools/csv_exchange.h"
#include "tools/kvtml_exchange.h"

namespace lexo {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxExchangeFileBytes = std::size_t{1} << 30;
// More notes than this are counted, not listed.
constexpr std::size_t kMaxListedNotes = 50;

constexpr std::string_view kUnknownFormat =
    "neznámý formát; použijte příponu .csv, .tsv nebo .kvtml, nebo --format csv|tsv|kvtml";

CommandResult failure(std::string message) { return {1, {}, std::move(message) + "\n"}; }

void listNotes(std::string& out, const std::vector<ExchangeNote>& notes, std::string_view unit,
               std::string_view what) {
    for (std::size_t i = 0; i < notes.size() && i < kMaxListedNotes; ++i)
        out += std::string(unit) + " " + std::to_string(notes[i].number) + " " + std::string(what) + ": " +
               notes[i].text + "\n";
    if (notes.size() > kMaxListedNotes)
        out += "… a dalších " + std::to_string(notes.size() - kMaxListedNotes) + "\n";
}

}  // namespace

CommandResult importCommand(const fs::path& input, const fs::path& output, std::optional<ExchangeFormat> format) {
    if (!format) format = exchangeFormatOf(input);
    if (!format) return failure(input.string() + ": " + std::string(kUnknownFormat));
    ExchangeImport import;
    if (*format == ExchangeFormat::Kvtml) {
        // The XML reader copies as it goes: the file is mapped, not read into memory first.
        const MappedFile mapped = MappedFile::open(input, kMaxExchangeFileBytes);
        if (mapped.status() != ReadStatus::Ok)
            return failure("Soubor " + input.string() + " nelze otevřít: " +
                           (mapped.status() == ReadStatus::TooLarge ? std::string("soubor je příliš velký")
                                                                    : mapped.error()));
        import = parseKvtml(mapped.bytes());
    } else {
        ReadResult read = readWholeFile(input, kMaxExchangeFileBytes);
        if (read.status != ReadStatus::Ok)
            return failure("Soubor " + input.string() + " nelze otevřít: " +
                           (read.status == ReadStatus::TooLarge ? std::string("soubor je příliš velký") : read.error));
        // A CSV file's separator is guessed from its first row.
        import = parseDelimited(std::move(read.data), *format == ExchangeFormat::Tsv ? '\t' : '\0');
    }
    if (!import.ok) return failure("Soubor " + input.string() + " nelze načíst: " + import.error);

    const bool entries = *format == ExchangeFormat::Kvtml;
    CommandResult result;
    for (const std::string& remark : import.remarks) result.err += remark + "\n";
    listNotes(result.err, import.skipped, entries ? "položka" : "řádek", entries ? "vynechána" : "vynechán");
    listNotes(result.err, import.changed, entries ? "položka" : "řádek", entries ? "upravena" : "upraven");
    if (import.table.empty()) {
        result.exitCode = 1;
        result.err += "Soubor " + input.string() + " neobsahuje žádný výraz; nic se neuložilo.\n";
        return result;
    }
    const SaveResult saved = saveDictionary(import.table, output);
    if (!saved.ok) {
        result.exitCode = 1;
        result.err += "Slovník se nepodařilo uložit do souboru " + output.string() + ": " + saved.error + "\n";
        return result;
    }
    result.out = "Uloženo výrazů: " + std::to_string(import.table.size()) + " do " + output.string() + "\n";
    if (!import.skipped.empty()) result.out += "Vynecháno: " + std::to_string(import.skipped.size()) + "\n";
    if (!import.changed.empty()) result.out += "Upraveno: " + std::to_string(import.changed.size()) + "\n";
    return result;
}

CommandResult exportCommand(const fs::path& input, const fs::path& output, std::optional<ExchangeFormat> format) {
    if (!format) format = exchangeFormatOf(output);
    if (!format) return failure(output.string() + ": " + std::string(kUnknownFormat));
    DictionaryLoad loaded = loadDictionary(input);
    switch (loaded.status) {
    case LoadStatus::CannotOpen: return failure("Slovník " + input.string() + " nelze otevřít: " + loaded.error);
    case LoadStatus::TooLarge: return failure(input.string() + ": " + std::string(kTooLargeDictionaryMessage));
    case LoadStatus::Empty: return failure(input.string() + ": " + std::string(kEmptyDictionaryMessage));
    case LoadStatus::Loaded: break;
    }

    CommandResult result;
    std::string bytes;
    switch (*format) {
    case ExchangeFormat::Csv: bytes = buildDelimited(loaded.table, ','); break;
    case ExchangeFormat::Tsv: bytes = buildDelimited(loaded.table, '\t'); break;
    case ExchangeFormat::Kvtml: {
        KvtmlExport kvtml = buildKvtml(loaded.table, output.stem().string());
        listNotes(result.err, kvtml.changed, "výraz", "upraven");
        bytes = std::move(kvtml.bytes);
        break;
    }
    }
    const FileResult written = writeFileAtomically(output, bytes);
    if (!written.ok) {
        result.exitCode = 1;
        result.err += "Soubor " + output.string() + " se nepodařilo uložit: " + written.error + "\n";
        return result;
    }
    std::size_t withSound = 0;
    for (std::size_t row = 0; row < loaded.table.size(); ++row)
        if (loaded.table.sound(row) != kNoSound) ++withSound;
    result.out = "Uloženo výrazů: " + std::to_string(loaded.table.size()) + " do " + output.string() + "\n";
    if (withSound > 0)
        result.err += "Nahrávky se nepřenášejí (výrazů se zvukem: " + std::to_string(withSound) + ").\n";
    return result;
}

}  // namespace lexo
