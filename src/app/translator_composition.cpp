#include <memory>

#include "app/composition.h"
#include "app/main_window.h"
#include "common/program_context.h"
#include "translator/translator_session.h"
#include "translator/translator_window.h"

namespace lexo {
namespace {

// The translator is built the first time it is opened; an opening that did not find the
// word list is followed by another reading at the next one.
struct TranslatorPart final : ComposedPart {
    std::unique_ptr<TranslatorSession> session;
    std::unique_ptr<TranslatorWindow> window;
};

}  // namespace

std::unique_ptr<ComposedPart> composeTranslator(Composition& c) {
    auto part = std::make_unique<TranslatorPart>();
    TranslatorPart* self = part.get();
    AppContext& context = c.context;
    Prompter& prompter = c.prompter;
    c.mainWindow.setWorkingWindowFactory(WorkingWindow::Translator, [self, &context, &prompter]() -> QWidget* {
        if (!self->window) {
            self->session = std::make_unique<TranslatorSession>(*context.settings, prompter, context.programFolder);
            self->window = std::make_unique<TranslatorWindow>(*self->session, prompter);
        } else if (!self->session->loaded()) {
            self->window->reload();
        }
        return self->window.get();
    });
    // The direction and instant-search choice outlive a run that ends with the window open.
    c.mainWindow.addExitAction([self] {
        if (self->session) self->session->close();
    });
    return part;
}

}  // namespace lexo
