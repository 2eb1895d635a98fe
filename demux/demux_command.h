#pragma once

#include "drawing/command_context.h"
#include "drawing/function_view.h"

namespace quendal::demux {

// The Demux command after the work form's click: refuses functions too large
// for a 1 : 64 demultiplexer with a message, else opens frmDemuxOpt (a
// separate top-level window) with the work form disabled while it is open.
// Ok enables the work form, asks the host for a new "Demux" document and
// draws; Cancel only enables it.
void runDemuxCommand(const drawing::CommandContext& context, const drawing::FunctionView& function);

}  // namespace quendal::demux
