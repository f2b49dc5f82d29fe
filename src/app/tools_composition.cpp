// The dictionary tools: the merger and the converter, both opened from the editor, which
// steps aside for them and comes back when they close.
#include <memory>

#include "app/composition.h"
#include "common/program_context.h"
#include "editor/editor_window.h"
#include "platform/qt_widgets.h"
#include "tools/converter_window.h"
#include "tools/merger_window.h"

namespace lexo {
namespace {

struct ToolsPart final : ComposedPart {
    explicit ToolsPart(Composition& c)
        : merger(c.prompter), converter(c.prompter, c.context.appSignals) {
        EditorWindow& editor = c.editor;
        editor.setMergeHandler([this, &editor] {
            stepAside(editor);
            merger.open();
        });
        editor.setConvertHandler([this, &editor] {
            stepAside(editor);
            converter.open();
        });
        const auto backToEditor = [&editor] {
            bringForward(editor);
        };
        merger.setCloseHandler(backToEditor);
        converter.setCloseHandler(backToEditor);
    }

    MergerWindow merger;
    ConverterWindow converter;
};

}  // namespace

std::unique_ptr<ComposedPart> composeTools(Composition& c) { return std::make_unique<ToolsPart>(c); }

}  // namespace lexo
