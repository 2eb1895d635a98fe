#include "drawing/circuit_command.h"

#include <QWidget>

#include "drawing/circuit_layout.h"
#include "drawing/document_host.h"
#include "drawing/frmCktOpt.h"
#include "drawing/universal_circuits.h"

namespace {

void drawCircuit(Canvas& canvas, const FunctionView& function, int style) {
    switch (style) {
        case frmCktOpt::Nand: drawUniversalNandCircuit(canvas, function); break;
        case frmCktOpt::Nor: drawUniversalNorCircuit(canvas, function); break;
        default: drawBasicCircuit(canvas, function); break;
    }
}

}  // namespace

void runCircuitCommand(QWidget* dialogParent, QWidget* workForm, DocumentHost& host,
                       const FunctionView& function) {
    showOptionsDialog(new frmCktOpt(dialogParent), workForm, [&host, function](int style) {
        drawCircuit(host.LoadNewDoc(0), function, style);
    });
}
