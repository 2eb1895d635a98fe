#pragma once

#include "drawing/command_context.h"
#include "drawing/function_view.h"

namespace quendal::drawing {

// The Circuit command after the work form's click: opens frmCktOpt (a
// modeless dialog) with the work form disabled while it is open. Ok enables
// the work form, asks the host for a new "Circuit" document and draws the
// chosen circuit of the function; Cancel only enables the work form. A
// drawing that fails is reported through the prompts.
void runCircuitCommand(const CommandContext& context, const FunctionView& function);

}  // namespace quendal::drawing
