#include "drawing/circuit_command.h"

#include "drawing/document_host.h"
#include "drawing/frmCktOpt.h"
#include "drawing/universal_circuits.h"

namespace quendal::drawing {

void runCircuitCommand(const CommandContext& context, const FunctionView& function) {
    showOptionsDialog(new frmCktOpt(context.dialogParent), context.workForm, context.prompts,
                      [&host = context.host, function](CircuitKind kind) {
                          drawCircuit(host.LoadNewDoc(DocumentKind::Circuit), function, kind);
                      });
}

}  // namespace quendal::drawing
