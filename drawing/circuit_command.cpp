#include "drawing/circuit_command.h"

#include "drawing/document_host.h"
#include "drawing/frmCktOpt.h"
#include "drawing/universal_circuits.h"

void runCircuitCommand(QWidget* dialogParent, QWidget* workForm, DocumentHost& host,
                       Prompts& prompts, const FunctionView& function) {
    showOptionsDialog(new frmCktOpt(dialogParent), workForm, prompts,
                      [&host, function](CircuitKind kind) {
                          drawCircuit(host.LoadNewDoc(DocumentKind::Circuit), function, kind);
                      });
}
