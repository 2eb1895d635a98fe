#pragma once

#include "drawing/command_context.h"
#include "drawing/function_view.h"

namespace quendal::mux {

// The Mux command after the work form's click: opens frmMuxOpt (modeless)
// offering the sizes allowed for the function's number of variables, with
// the work form disabled while it is open. Ok enables the work form, asks the
// host for a new "Mux" document and draws; Cancel only enables it. A drawing
// that fails is reported through the prompts.
void runMuxCommand(const drawing::CommandContext& context, const drawing::FunctionView& function);

}  // namespace quendal::mux
