// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/self_assessed_exam_session.h"

#include "app/composition.h"

#include "app/main_window.h"
#include "common/program_context.h"
#include "exam/evaluation_window.h"
#include "exam/self_assessed_exam_window.h"
#include "exam/statistics_sink.h"
#include "exam/tester_settings.h"
#include "exam/tester_settings_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

// Test II's settings are created and loaded at start with the other windows, so a first
// start writes every value of their key.
struct LoadedTestTwoSettings {
    explicit LoadedTestTwoSettings(Composition& c) : settings(TesterKind::TestTwo, *c.context.settings, c.prompter) {
        settings.load();
    }
    TesterSettingsModel settings;
};

struct ExamTwoPart final : ComposedPart, LoadedTestTwoSettings {
    explicit ExamTwoPart(Composition& c)
        : LoadedTestTwoSettings(c),
          window(c.context, c.timers, c.random, settings, c.evaluation, c.statisticsSink),
          settingsWindow(settings, &window) {}

    SelfAssessedExamWindow window;
    TesterSettingsWindow settingsWindow;
};

}  // namespace

std::unique_ptr<ComposedPart> composeExamTwo(Composition& c) {
    auto part = std::make_unique<ExamTwoPart>(c);
    SelfAssessedExamWindow& testTwo = part->window;
    TesterSettingsWindow& settingsWindow = part->settingsWindow;

    c.mainWindow.setWorkingWindow(WorkingWindow::TestTwo, &testTwo);
    testTwo.setSettingsOpener([&settingsWindow] {
        bringForward(settingsWindow);
    });
    settingsWindow.setQuestionLabelHandler([&testTwo](std::string_view text) { testTwo.setQuestionLabel(text); });
    settingsWindow.setReturnHandler([&testTwo] {
        testTwo.raise();
        testTwo.activateWindow();
    });
    EvaluationWindow& evaluationWindow = c.evaluationWindow;
    testTwo.setEvaluationOpener([&evaluationWindow] {
        evaluationWindow.refresh();
        bringForward(evaluationWindow);
    });
    evaluationWindow.setShowTestTwoHandler([&testTwo] { testTwo.showAfterEvaluation(); });
    return part;
}

}  // namespace lexo
