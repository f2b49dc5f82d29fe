#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTranslator>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "app/main_window.h"
#include "app/program_folder.h"

namespace lexo {
namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// A desktop session ends programs with SIGTERM: quit through the event loop so that the
// usual exit work (lists, statistics) still runs.
void quitOnTerminationSignals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        notifier->setEnabled(false);
        char byte;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        QApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

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

}  // namespace

int runLexo(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexo"));
    installCzech(app);
    quitOnTerminationSignals(app);

    AppContext context;
    const std::filesystem::path executableFolder = QApplication::applicationDirPath().toStdString();
    context.programFolder = resolveProgramFolder(programFolderInputsFromEnvironment(executableFolder));
    seedProgramFolder(context.programFolder, shippedDataFolder(executableFolder));

    context.settings = std::make_unique<FileSettingsStore>(defaultSettingsFile());
    context.general = loadGeneralSettings(*context.settings).settings;

    MainWindow window(context);
    window.show();
    return QApplication::exec();
}

}  // namespace lexo
