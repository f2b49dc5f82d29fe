// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "exam/evaluation_session.h"

#include "app/composition.h"

#include "common/program_context.h"
#include "exam/evaluation_window.h"
#include "tools/print_window.h"
#include "platform/qt_widgets.h"

namespace lexo {
namespace {

struct PrintingPart final : ComposedPart {
    explicit PrintingPart(Composition& c) : window(c.prompter, c.context.appSignals) {}

    PrintWindow window;
};

}  // namespace

std::unique_ptr<ComposedPart> composePrinting(Composition& c) {
    auto part = std::make_unique<PrintingPart>(c);
    PrintWindow& print = part->window;
    EvaluationWindow& evaluationWindow = c.evaluationWindow;
    EvaluationSession& evaluation = c.evaluation;
    print.setSource([&evaluation] { return evaluation.tickedExpressions(); });
    evaluationWindow.setShowPrintHandler([&print, &evaluation] { print.openWith(evaluation.printLines()); });
    print.setReturnHandler([&evaluationWindow] {
        evaluationWindow.refresh();
        bringForward(evaluationWindow);
    });
    return part;
}

}  // namespace lexo
