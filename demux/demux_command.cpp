#include "demux/demux_command.h"

#include "demux/demux_drawing.h"
#include "drawing/document_host.h"
#include "demux/frmDemuxOpt.h"
#include "common/prompts.h"

void runDemuxCommand(const CommandContext& context, const FunctionView& function) {
    if (function.numVars > kDemuxMaxVars) {
        context.prompts.message("DEMUX of size larger than 1:64 not possible");
        return;
    }
    // Without a simplified function the command stays disabled; nothing to do.
    if (function.numVars < kDemuxMinVars) return;
    showOptionsDialog(new frmDemuxOpt(context.dialogParent), context.workForm, context.prompts,
                      [&host = context.host, function](int din) {
                          drawDemux(host.LoadNewDoc(DocumentKind::Demux), function, din);
                      });
}
