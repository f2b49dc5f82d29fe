#include "learning/learning_settings.h"

#include <memory>

#include "app/composition.h"
#include "app/main_window.h"
#include "common/program_context.h"
#include "learning/learning_settings_window.h"
#include "learning/learning_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

// The settings are loaded before the learning window, which reads them as it is built.
LearningSettingsModel loadedSettings(Composition& c) {
    LearningSettingsModel settings(*c.context.settings, c.prompter);
    settings.load();
    return settings;
}

struct LearningPart final : ComposedPart {
    explicit LearningPart(Composition& c)
        : settings(loadedSettings(c)), window(c.context, c.timers, settings), settingsWindow(settings, &window) {}

    LearningSettingsModel settings;
    LearningWindow window;
    LearningSettingsWindow settingsWindow;
};

}  // namespace

std::unique_ptr<ComposedPart> composeLearning(Composition& c) {
    auto part = std::make_unique<LearningPart>(c);
    LearningWindow& window = part->window;
    LearningSettingsWindow& settingsWindow = part->settingsWindow;
    c.mainWindow.setWorkingWindow(WorkingWindow::Learning, &window);
    window.setSettingsOpener([&settingsWindow] {
        bringForward(settingsWindow);
    });
    settingsWindow.setConfirmHandler([&window] { window.settingsConfirmed(); });
    settingsWindow.setReturnHandler([&window] {
        window.raise();
        window.activateWindow();
    });
    return part;
}

}  // namespace lexo
