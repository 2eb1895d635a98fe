#include "demux/demux_command.h"

#include "demux/demux_drawing.h"
#include "drawing/document_host.h"
#include "demux/frmDemuxOpt.h"
#include "common/prompts.h"

void runDemuxCommand(QWidget* dialogParent, QWidget* workForm, DocumentHost& host, Prompts& prompts,
                     const FunctionView& function) {
    if (function.numVars > kDemuxMaxVars) {
        prompts.message("DEMUX of size larger than 1:64 not possible");
        return;
    }
    // Without a simplified function the command stays disabled; nothing to do.
    if (function.numVars < kDemuxMinVars) return;
    showOptionsDialog(new frmDemuxOpt(dialogParent), workForm, prompts, [&host, function](int din) {
        drawDemux(host.LoadNewDoc(DocumentKind::Demux), function, din);
    });
}
