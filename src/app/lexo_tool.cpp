// Command-line access to the program's files, for scripts, benchmarks and people who live
// in a terminal. Output is Czech like the rest of the program.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_folder.h"
#include "dictionary/dictionary_file.h"
#include "platform/atomic_file.h"
#include "statistics/statistics_file.h"
#include "statistics/statistics_report.h"
#include "statistics/statistics_row.h"
#include "tools/exchange_commands.h"
#include "tools/tool_commands.h"

namespace {

constexpr std::size_t kMaxListed = 10;

void printLineList(const char* label, const std::vector<std::size_t>& numbers) {
    std::printf("%s: %zu", label, numbers.size());
    if (!numbers.empty()) {
        std::printf(" (");
        for (std::size_t i = 0; i < numbers.size() && i < kMaxListed; ++i)
            std::printf("%s%zu", i ? ", " : "", numbers[i]);
        if (numbers.size() > kMaxListed) std::printf(", …");
        std::printf(")");
    }
    std::printf("\n");
}

int info(const char* path) {
    lexo::DictionaryLoad load = lexo::loadDictionary(path);
    switch (load.status) {
    case lexo::LoadStatus::CannotOpen:
        std::fprintf(stderr, "Soubor %s nelze otevřít: %s\n", path, load.error.c_str());
        return 1;
    case lexo::LoadStatus::TooLarge:
        std::fprintf(stderr, "%s: %s\n", path, lexo::kTooLargeDictionaryMessage.data());
        return 1;
    case lexo::LoadStatus::Empty:
        std::fprintf(stderr, "%s: %s\n", path, lexo::kEmptyDictionaryMessage.data());
        return 1;
    case lexo::LoadStatus::Loaded:
        break;
    }
    std::vector<std::size_t> manyAlternatives;
    for (std::size_t row = 0; row < load.table.size(); ++row) {
        if (lexo::alternativeCount(load.table.foreign(row)) > 4 || lexo::alternativeCount(load.table.czech(row)) > 4)
            manyAlternatives.push_back(row + 1);
    }
    std::printf("Soubor: %s\n", path);
    std::printf("Počet výrazů: %zu\n", load.table.size());
    std::printf("Kódování: %s\n", lexo::encodingName(load.encoding));
    printLineList("Řádky s méně než čtyřmi poli", load.shortLines);
    printLineList("Řádky s více než čtyřmi poli", load.longLines);
    printLineList("Výrazy s více než čtyřmi překlady", manyAlternatives);
    return 0;
}

// Without a file, the statistics of the program folder this tool belongs to.
std::filesystem::path defaultStatisticsFile() {
    std::error_code ec;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path folder =
        lexo::resolveProgramFolder(lexo::programFolderInputsFromEnvironment(ec ? "." : executable.parent_path()));
    return folder / lexo::kStatisticsFileName;
}

int stats(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        std::fprintf(stderr, "Soubor statistik %s neexistuje.\n", path.c_str());
        return 1;
    }
    lexo::ReadResult read = lexo::readWholeFile(path, std::size_t{1} << 30);
    if (read.status != lexo::ReadStatus::Ok) {
        const std::string reason = read.status == lexo::ReadStatus::TooLarge ? "soubor je příliš velký" : read.error;
        std::fprintf(stderr, "Soubor statistik %s nelze otevřít: %s\n", path.c_str(), reason.c_str());
        return 1;
    }
    const lexo::StatisticsText text = lexo::parseStatisticsText(std::move(read.data));
    std::printf("Soubor: %s\n\n%s", path.c_str(), lexo::formatStatisticsReport(text.rows).c_str());
    return 0;
}

int report(const lexo::CommandResult& result) {
    std::fputs(result.out.c_str(), stdout);
    std::fputs(result.err.c_str(), stderr);
    return result.exitCode;
}

// import/export: IN OUT with an optional --format F before, between or after them.
int exchange(bool importing, int argc, char** argv) {
    std::vector<std::string> files;
    std::optional<lexo::ExchangeFormat> format;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--format") == 0 && i + 1 < argc) {
            format = lexo::exchangeFormatNamed(argv[++i]);
            if (!format) {
                std::fprintf(stderr, "Neznámý formát %s (csv, tsv, kvtml).\n", argv[i]);
                return 2;
            }
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (files.size() != 2) return -1;
    return report(importing ? lexo::importCommand(files[0], files[1], format)
                            : lexo::exportCommand(files[0], files[1], format));
}

void usage() {
    std::fprintf(stderr,
                 "Použití:\n"
                 "  lexo-tool info SOUBOR.slv   počet výrazů, kódování a vadné řádky slovníku\n"
                 "  lexo-tool stats [SOUBOR]    výsledky zkoušení a souhrn podle slovníků\n"
                 "                              (bez SOUBORU statistiky.dat ze složky programu)\n"
                 "  lexo-tool convert ČESKÝ.cz CIZÍ.ang VÝSLEDEK.slv\n"
                 "                              dva seznamy slov (řádek po řádku) do jednoho slovníku\n"
                 "  lexo-tool merge VÝSLEDEK.slv SLOVNÍK1.slv [SLOVNÍK2.slv …]\n"
                 "                              všechny výrazy slovníků za sebou do nového slovníku\n"
                 "  lexo-tool import [--format csv|tsv|kvtml] VSTUP VÝSLEDEK.slv\n"
                 "                              seznam slov z tabulky (CSV, TSV) nebo z KDE (kvtml)\n"
                 "  lexo-tool export [--format csv|tsv|kvtml] SLOVNÍK.slv VÝSTUP\n"
                 "                              slovník do CSV/TSV (UTF-8; cizí, český, výslovnost)\n"
                 "                              nebo do kvtml 2; formát podle přípony, není-li dán\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "info") == 0) return info(argv[2]);
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "stats") == 0)
        return stats(argc == 3 ? std::filesystem::path(argv[2]) : defaultStatisticsFile());
    if (argc == 5 && std::strcmp(argv[1], "convert") == 0)
        return report(lexo::convertCommand(argv[2], argv[3], argv[4]));
    if (argc >= 4 && std::strcmp(argv[1], "merge") == 0)
        return report(lexo::mergeCommand(argv[2], std::vector<std::filesystem::path>(argv + 3, argv + argc)));
    if (argc >= 4 && (std::strcmp(argv[1], "import") == 0 || std::strcmp(argv[1], "export") == 0)) {
        const int code = exchange(std::strcmp(argv[1], "import") == 0, argc, argv);
        if (code >= 0) return code;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage();
        return 0;
    }
    usage();
    return 2;
}
