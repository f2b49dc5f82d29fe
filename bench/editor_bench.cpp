// The expression editor with a 1,000,000-expression dictionary, offscreen: open it, scroll
// to the last row, add one expression, save. Each step is timed with the window painting
// what it shows; the reference is `lexo-tool info` reading the same file in the same run.
// Then F1 with the dictionary named on the command line, in a process of its own so that
// its peak memory is the editor's alone.
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_signals.h"
#include "common/program_context.h"
#include "bench_util.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/sound_folder.h"
#include "dictionary/recent_files_menu.h"
#include "editor/editor_window.h"
#include "editor/sound_recording.h"
#include "platform/qt_timers.h"
#include "platform/settings_store.h"

namespace fs = std::filesystem;
using namespace lexo;
using namespace lexo::bench;

namespace {

class SilentRecorder final : public Recorder {
public:
    bool start(const std::string&) override { return false; }
    bool stop() override { return false; }
    bool recording() const override { return false; }
    std::string lastError() const override { return "no device"; }
};

class SilentPlayer final : public SoundPlayer {
public:
    bool play(const std::string&) override { return false; }
    void stop() override {}
    bool check(const std::string&) override { return false; }
};

double seconds(const std::function<void()>& work) { return bestOf(1, work); }

// Lets the window lay out and paint what changed, as the user would see it.
void settle(QWidget& window) {
    QApplication::processEvents();
    window.repaint();
    QApplication::processEvents();
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// What the editor needs of the program, with silent sound and message boxes.
struct EditorServices {
    explicit EditorServices(const fs::path& programFolder)
        : prompter(Prompter::Answer::No, true), recording(recorder, prompter, programFolder) {
        context.programFolder = programFolder;
        context.settings = std::make_unique<MemorySettingsStore>();
        context.prompter = &prompter;
        context.soundPlayer = &player;
        context.appSignals = &appSignals;
    }
    SilentPrompter prompter;
    SilentPlayer player;
    SilentRecorder recorder;
    QtTimers timers;
    AppSignals appSignals;
    AppContext context;
    RecordingSession recording;
};

// The child: the editor shown as F1 shows it, the dictionary named on the command line;
// writes how long the window took to show it filled.
int commandLineFill(char* program, const fs::path& file, const fs::path& result) {
    int qtArgc = 1;
    QApplication app(qtArgc, &program);
    EditorServices services(result.parent_path() / "program");
    services.context.startup = StartupState({file.string()});
    EditorWindow window(services.context, services.recording, services.timers);
    window.resize(520, 620);
    settle(window);
    const double fill = seconds([&] {
        window.show();
        settle(window);
    });
    if (window.session().size() == 0) return 1;
    std::ofstream(result) << fill;
    return 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::string_view(argv[1]) == "--command-line-fill") return commandLineFill(argv[0], argv[2], argv[3]);
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    const fs::path dir = fs::temp_directory_path() / "lexo-bench-editor";
    fs::remove_all(dir);
    fs::create_directories(dir / "program");
    const fs::path file = dir / "velky.slv";
    const std::string bytes = generateDictionary(count);
    writeFile(file, bytes);
    std::printf("dictionary: %zu expressions, %.1f MB (Windows-1250)\n\n", count, static_cast<double>(bytes.size()) / 1e6);

    EditorServices services(dir / "program");
    SilentPrompter& prompter = services.prompter;

    EditorWindow window(services.context, services.recording, services.timers);
    window.resize(520, 620);
    window.show();
    settle(window);
    window.recentFiles().setFileChooser([&file] { return QString::fromStdString(file.string()); });
    auto* list = window.findChild<QTableView*>(QStringLiteral("stg"));
    auto* foreign = window.findChild<QLineEdit*>(QStringLiteral("edtang"));
    auto* czech = window.findChild<QLineEdit*>(QStringLiteral("edtcz"));

    // Best of three rounds, each on a fresh copy of the file: Save rewrites it.
    double bestOpen = 1e100, bestScroll = 1e100, bestAdd = 1e100, bestSave = 1e100, bestTotal = 1e100;
    bool correct = true;
    for (int round = 0; round < 3; ++round) {
        writeFile(file, bytes);
        fs::remove_all(dir / "velky");
        const double open = seconds([&] {
            if (!window.openDictionary()) std::abort();
            settle(window);
        });
        const double scroll = seconds([&] {
            list->scrollToBottom();
            settle(window);
        });
        const QModelIndex last = list->indexAt(QPoint(2, list->viewport()->height() - 3));
        correct = correct && last.row() == static_cast<int>(count) - 1;
        const double add = seconds([&] {
            foreign->setText(QStringLiteral("benchmark"));
            czech->setText(QStringLiteral("měření"));
            window.addExpression();
            settle(window);
        });
        const double save = seconds([&] {
            if (!window.save()) std::abort();
            settle(window);
        });
        correct = correct && window.session().size() == count + 1 && !window.session().modified();
        bestOpen = std::min(bestOpen, open);
        bestScroll = std::min(bestScroll, scroll);
        bestAdd = std::min(bestAdd, add);
        bestSave = std::min(bestSave, save);
        bestTotal = std::min(bestTotal, open + scroll + add + save);
    }

    // Where the time of Open, Add and Save goes outside the window: loading, the first
    // growth of the table, gathering the sounds, writing the file.
    writeFile(file, bytes);
    fs::remove_all(dir / "velky");
    DictionaryLoad load;
    const double loadOnly = seconds([&] { load = loadDictionary(file); });
    const double growOnly = seconds([&] { load.table.append("benchmark", "měření", "[]", "NENÍ"); });
    const double moveOnly = seconds([&] { moveSoundFiles(load.table, file); });
    const double writeOnly = seconds([&] {
        if (!saveDictionary(load.table, file, load.encoding).ok) std::abort();
    });

    writeFile(file, bytes);
    const double tool = bestChildOf(3, {LEXO_TOOL_PATH, "info", file.string()});
    printRow("open in the editor", bestOpen, "lexo-tool info", tool);
    printRow("scroll to the last row", bestScroll, "lexo-tool info", tool);
    printRow("add one expression", bestAdd, "lexo-tool info", tool);
    printRow("save (sounds moved, atomic)", bestSave, "lexo-tool info", tool);
    printRow("all four steps", bestTotal, "3 x lexo-tool info", 3 * tool);
    std::printf("\nwithout the window, on the same file:\n");
    printRow("  loading the table", loadOnly, "lexo-tool info", tool);
    printRow("  first row appended to it", growOnly, "lexo-tool info", tool);
    printRow("  moving the sounds", moveOnly, "lexo-tool info", tool);
    printRow("  writing the file", writeOnly, "lexo-tool info", tool);

    // F1 with the dictionary on the command line, each start a process of its own.
    writeFile(file, bytes);
    std::vector<double> fills;
    long peakKilobytes = 0;
    const fs::path result = dir / "fill.txt";
    for (int run = 0; run < 5; ++run) {
        const ChildRun child = runChild({argv[0], "--command-line-fill", file.string(), result.string()});
        double fill = 0;
        if (child.exitCode != 0 || !(std::ifstream(result) >> fill)) {
            std::fprintf(stderr, "the editor did not fill from the command line\n");
            return 1;
        }
        fills.push_back(fill);
    }
    peakKilobytes = peakKilobytesOf({argv[0], "--command-line-fill", file.string(), result.string()});
    const double fill = median(fills);
    printRow("F1, command-line dictionary", fill, "budget", 0.2);
    const double megabytes = static_cast<double>(bytes.size()) / 1e6;
    const double peakMb = static_cast<double>(peakKilobytes) / 1024.0;
    const double memoryBudget = 2 * megabytes + 60;
    std::printf("%-34s %9.1f MB  budget (2 x file + 60 MB) %6.1f MB\n", "peak memory with it open", peakMb,
                memoryBudget);

    const bool met = tool > 0 && bestTotal <= 3 * tool;
    const bool fillMet = fill <= 0.2 && peakMb <= memoryBudget;
    std::printf("\nlast row shown after scrolling, table and file agree: %s\n", correct ? "yes" : "NO");
    std::printf("budget: the window steps within 3x of lexo-tool info: %s (%.2fx); F1 filled within 0.2 s and "
                "memory: %s\n",
                met ? "met" : "MISSED", tool > 0 ? bestTotal / tool : 0.0, fillMet ? "met" : "MISSED");
    fs::remove_all(dir);
    return met && fillMet && correct && prompter.messages == 0 ? 0 : 1;
}
