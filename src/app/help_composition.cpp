#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <cstdlib>

#include "app/composition.h"
#include "app/general_settings_window.h"
#include "app/main_window.h"
#include "common/program_context.h"
#include "common/program_info.h"
#include "editor/editor_window.h"
#include "help/legend_window.h"
#include "help/message_window.h"
#include "help/tip_window.h"
#include "help/tips.h"
#include "help/update_flow.h"
#include "help/update_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

struct HelpPart final : ComposedPart {
    TipsBook tips;
    std::unique_ptr<TipWindow> tipWindow;
    std::unique_ptr<LegendWindow> legend;
    std::unique_ptr<MessageWindow> message;
    std::unique_ptr<UpdateWindow> updateWindow;
    std::unique_ptr<UpdateProgressWindow> updateProgress;
    std::unique_ptr<UpdateFlow> update;
    bool tipShown = false;
};

void showMain(MainWindow& main) {
    bringForward(main);
}

}  // namespace

std::unique_ptr<ComposedPart> composeHelp(Composition& c) {
    auto part = std::make_unique<HelpPart>();
    HelpPart& help = *part;
    MainWindow& main = c.mainWindow;

    // Tips are read once, at start; the program cannot go on without them.
    const std::filesystem::path tipsFile = c.context.programFolder / std::string(kTipsFileName);
    TipsLoad load = loadTips(tipsFile);
    if (!load.conversionErrors.empty()) c.prompter.error(load.conversionErrors.front());
    if (load.broken()) {
        c.prompter.information(kTipsBrokenMessage);
        QTimer::singleShot(0, qApp, [] { QApplication::exit(EXIT_FAILURE); });
        return part;
    }
    help.tips = TipsBook(std::move(load.tips), load.encoding);
    help.tipWindow = std::make_unique<TipWindow>(help.tips, tipsFile, c.random, c.prompter);
    help.tipWindow->setClosedHandler([&c, &main](bool showAtStart) {
        c.context.general.showTips = showAtStart;
        c.settingsWindow.confirm();
        // The keyboard goes back to the window the tip was shown over.
        if (main.isVisible()) showMain(main);
    });
    main.setCommand(MainWindow::Command::TipOfTheDay, [&help, &c] {
        // With tips wanted, the first call is the one at the main window's first activation.
        const int lower = !help.tipShown && c.context.general.showTips ? 80 : 0;
        help.tipShown = true;
        help.tipWindow->showTip(c.context.general.showTips, lower);
    });

    help.legend = std::make_unique<LegendWindow>();
    c.editor.setLegendToggler([&help] { help.legend->toggle(); });

    help.message = std::make_unique<MessageWindow>(c.context.programFolder, std::string(program_info::kAuthorMail));
    help.message->setClosedHandler([&main] { showMain(main); });
    main.setCommand(MainWindow::Command::MessageToAuthor, [&help, &main] {
        centreOnScreen(*help.message);
        bringForward(*help.message);
        main.hide();
    });

    help.updateWindow = std::make_unique<UpdateWindow>();
    help.updateProgress = std::make_unique<UpdateProgressWindow>();
    UpdateFlow::Hooks hooks;
    hooks.showMainWindow = [&main] { showMain(main); };
    hooks.hideMainWindow = [&main] { main.hide(); };
    hooks.openInstaller = [](const std::filesystem::path& installer) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(installer.string().c_str())));
    };
    hooks.endProgram = [&main] { main.close(); };
    const std::string address = updateAddress(std::getenv("LEXO_UPDATE_URL"));
    help.update = std::make_unique<UpdateFlow>(c.context.programFolder, QUrl(QString::fromStdString(address)),
                                               c.prompter, *help.updateWindow, *help.updateProgress, std::move(hooks));
    main.setCommand(MainWindow::Command::UpdateCheck, [&help] { help.update->startCheck(); });
    return part;
}

}  // namespace lexo
