#include "app/application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTextToSpeech>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>

#include "common/app_signals.h"
#include "app/composition.h"
#include "app/general_settings_window.h"
#include "app/main_window.h"
#include "app/program_folder.h"
#include "app/splash_window.h"
#include "app/termination_signals.h"
#include "editor/edit_dialog.h"
#include "editor/editor_window.h"
#include "editor/sound_recording.h"
#include "editor/sound_window.h"
#include "platform/qt_prompter.h"
#include "platform/qt_recorder.h"
#include "platform/qt_sound_player.h"
#include "platform/qt_speaker.h"
#include "platform/qt_timers.h"
#include "platform/system_clock.h"
#include "platform/system_random.h"
#include "statistics/statistics_row.h"
#include "statistics/statistics_store.h"
#include "statistics/statistics_window.h"
#include "exam/evaluation_session.h"
#include "exam/evaluation_window.h"
#include "exam/statistics_sink.h"
#include "exam/typed_exam_window.h"
#include "exam/tester_settings.h"
#include "exam/tester_settings_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

// The program speaks Czech whatever the machine's locale, standard dialogs included.
void installCzech(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_cs", "qtmultimedia_cs"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
}

// Nothing heavy runs before a person can see the splash: its two seconds count from there.
void waitForFirstPaint(const SplashWindow& splash) {
    constexpr int kLongestWaitMs = 400;
    QElapsedTimer waited;
    waited.start();
    QTimer wake;  // returns from the wait below even when the window system sends nothing
    wake.start(10);
    while (!splash.painted() && waited.elapsed() < kLongestWaitMs)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::string resourceBytes(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Lets the desktop open *.slv files with this program; quietly gives up when it cannot.
void registerWithDesktop() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path userData = dataHome != nullptr && *dataHome != '\0'
                                               ? std::filesystem::path(dataHome)
                                           : home != nullptr ? std::filesystem::path(home) / ".local" / "share"
                                                             : std::filesystem::path();
    if (userData.empty()) return;
    std::vector<std::filesystem::path> systemDirs;
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    const QString dirList = dirs != nullptr && *dirs != '\0' ? QString::fromLocal8Bit(dirs)
                                                             : QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirList.split(u':', Qt::SkipEmptyParts)) systemDirs.emplace_back(dir.toStdString());

    const DesktopIntegration files{resourceBytes(QStringLiteral(":/desktop/lexo.desktop")),
                                   resourceBytes(QStringLiteral(":/desktop/lexo-mime.xml")),
                                   resourceBytes(QStringLiteral(":/pictures/lexo.png"))};
    if (files.desktopEntry.empty() || files.mimeXml.empty()) return;
    const auto result = registerDesktopIntegration(userData, systemDirs,
                                                   QApplication::applicationFilePath().toStdString(), files);
    if (result != RegistrationResult::Registered) return;
    // The caches are rebuilt in the background; a missing tool only means a later pick-up.
    for (const auto& [tool, folder] : {std::pair{"update-mime-database", "mime"},
                                       std::pair{"update-desktop-database", "applications"}}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!program.isEmpty())
            QProcess::startDetached(program, {QString::fromStdString((userData / folder).string())});
    }
}

}  // namespace

int runLexo(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
    // Working windows hide the main window; the program ends only through the main window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/lexo.png")));
    installCzech(app);
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LexoFont.ttf"));

    AppContext context;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    context.startup = StartupState(std::move(arguments));

    QtPrompter prompter(nullptr);
    context.prompter = &prompter;
    prompter.setTitleSource([&context] { return context.applicationTitle; });

    // The splash goes up first, so the user sees the program at once.
    SplashWindow splash(!chooseSpeechEngine(QTextToSpeech::availableEngines()).isEmpty(), prompter);
    splash.show();
    waitForFirstPaint(splash);

    const std::filesystem::path executableFolder = QApplication::applicationDirPath().toStdString();
    context.programFolder = resolveProgramFolder(programFolderInputsFromEnvironment(executableFolder));
    seedProgramFolder(context.programFolder, shippedDataFolder(executableFolder));

    AppSignals appSignals;
    // Never waits: speech-dispatcher takes seconds to list its voices, and the settings
    // window fills them in when they come.
    QtSpeaker speaker(std::chrono::milliseconds(0));
    QtSoundPlayer soundPlayer;
    context.appSignals = &appSignals;
    context.speaker = &speaker;
    context.soundPlayer = &soundPlayer;

    context.settings = std::make_unique<FileSettingsStore>(defaultSettingsFile());
    context.general = loadGeneralSettings(*context.settings).settings;

    MainWindow mainWindow(context);
    context.startup.soundWorks = soundPlayer.check((context.programFolder / "WorkDir" / "sound.wav").string());
    registerWithDesktop();
    mainWindow.setSplashWindow(&splash);

    const int storedVoice = context.general.voiceIndex;
    GeneralSettingsWindow settingsWindow(context.general, *context.settings, std::string(kVersionString), speaker,
                                         prompter, appSignals);
    // speech-dispatcher may take seconds to list its voices; the stored voice is chosen then.
    speaker.setReadyHandler([&settingsWindow, storedVoice] { settingsWindow.refreshVoices(storedVoice); });
    mainWindow.setSettingsWindow(&settingsWindow);

    QtTimers timers;
    QtRecorder recorder;
    RecordingSession recording(recorder, prompter, context.programFolder);
    EditorWindow editor(context, recording, timers);
    SoundWindow soundWindow(recording, soundPlayer, prompter, timers, &editor);
    editor.setSoundWindowOpener(
        [&soundWindow](const std::string& foreignText) { soundWindow.openFor(QString::fromStdString(foreignText)); });
    soundWindow.setSoundChosenHandler([&editor](const std::string& path) { editor.setSoundPath(path); });
    soundWindow.setAcceptHandler([&editor](const std::string& path) { editor.addWithSound(path); });
    editor.editDialog().setSoundFileChooser(
        [&soundWindow, &editor] { return soundWindow.fileChooser().choose(&editor.editDialog()); });
    mainWindow.setWorkingWindow(WorkingWindow::Editor, &editor);
    // The editor asks about unsaved changes before anything of the exit is done.
    mainWindow.addExitCheck([&editor] { return editor.confirmLeave(); });
    mainWindow.addExitCheck([&recording] {
        if (recording.recording()) recording.discard();
        return true;
    });

    SystemClock clock;
    StatisticsStore statistics(context.programFolder / std::string(kStatisticsFileName), clock, &prompter);
    statistics.load();
    StatisticsWindow statisticsWindow(statistics, appSignals, prompter);
    mainWindow.setWorkingWindow(WorkingWindow::Statistics, &statisticsWindow,
                                [&statisticsWindow] { statisticsWindow.refreshDictionaries(); });
    mainWindow.addExitAction([&statistics] { statistics.save(); });

    SystemRandom random;
    StatisticsSink statisticsSink(statistics);
    TesterSettingsModel testOneSettings(TesterKind::TestOne, *context.settings, prompter);
    testOneSettings.load();
    EvaluationSession evaluation(prompter, context.programFolder);
    EvaluationWindow evaluationWindow(evaluation, appSignals);
    TypedExamWindow testOne(context, timers, random, testOneSettings, evaluation, statisticsSink);
    TesterSettingsWindow testOneSettingsWindow(testOneSettings, &testOne);
    mainWindow.setWorkingWindow(WorkingWindow::TestOne, &testOne);
    testOne.setSettingsOpener([&testOneSettingsWindow] {
        bringForward(testOneSettingsWindow);
    });
    testOneSettingsWindow.setQuestionLabelHandler([&testOne](std::string_view text) { testOne.setQuestionLabel(text); });
    testOneSettingsWindow.setReturnHandler([&testOne] {
        testOne.raise();
        testOne.activateWindow();
    });
    testOne.setEvaluationOpener([&evaluationWindow] {
        evaluationWindow.refresh();
        bringForward(evaluationWindow);
    });
    evaluationWindow.setShowTestOneHandler([&testOne] { testOne.showAfterEvaluation(); });

    Composition composition{context,   mainWindow,      settingsWindow, prompter,  timers,
                            random,    clock,           speaker,        soundPlayer, recording,
                            editor,    statistics,      statisticsSink, evaluation, evaluationWindow,
                            testOne};
    // Destroyed before everything above, which their windows use.
    std::vector<std::unique_ptr<ComposedPart>> parts;
    parts.push_back(composeTranslator(composition));
    parts.push_back(composeLearning(composition));
    parts.push_back(composeHelp(composition));
    parts.push_back(composeExamTwo(composition));
    parts.push_back(composePrinting(composition));
    parts.push_back(composeTools(composition));

    closeOnTerminationSignals(mainWindow);
    return QApplication::exec();
}

}  // namespace lexo
