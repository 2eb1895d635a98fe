#include "demux/demux_command.h"

#include "common/prompts.h"
#include "demux/demux_drawing.h"
#include "demux/frmDemuxOpt.h"
#include "drawing/document_host.h"

namespace quendal::demux {

void runDemuxCommand(const drawing::CommandContext& context,
                     const drawing::FunctionView& function) {
    if (function.function.width > kDemuxMaxVars) {
        context.prompts.message("DEMUX of size larger than 1:64 not possible");
        return;
    }
    // Without a simplified function the command stays disabled; nothing to do.
    if (function.function.width < kDemuxMinVars) return;
    drawing::showOptionsDialog(new frmDemuxOpt(context.dialogParent), context.workForm,
                               context.prompts, [&host = context.host, function](int din) {
                                   drawDemux(host.LoadNewDoc(drawing::DocumentKind::Demux),
                                             function, din);
                               });
}

}  // namespace quendal::demux
