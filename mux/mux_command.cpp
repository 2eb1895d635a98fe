#include "mux/mux_command.h"

#include "drawing/document_host.h"
#include "mux/frmMuxOpt.h"
#include "mux/mux_drawing.h"
#include "mux/mux_options.h"

namespace quendal::mux {

void runMuxCommand(const drawing::CommandContext& context, const drawing::FunctionView& function) {
    // The work form enables Mux only after a simplification of 1 to 8
    // variables; anything else offers no size, so there is nothing to ask.
    if (muxOptionsFor(function.function.width).lowestK == 0) return;
    auto* dialog = new frmMuxOpt(context.dialogParent);
    drawing::showOptionsDialog(
        dialog, context.workForm, context.prompts, [&host = context.host, function](int k) {
            drawMuxImplementation(host.LoadNewDoc(drawing::DocumentKind::Mux), function, k);
        });
    dialog->offerOptions(function.function.width);
}

}  // namespace quendal::mux
