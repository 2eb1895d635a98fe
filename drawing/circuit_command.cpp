#include "circuit_command.h"

#include <QWidget>

#include <exception>

#include "circuit_layout.h"
#include "document_host.h"
#include "frmCktOpt.h"
#include "prompts.h"
#include "universal_circuits.h"

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
    showOptionsDialog(new frmCktOpt(dialogParent), workForm,
                      [&host, function, dialogParent](int style) {
                          Canvas& canvas = host.LoadNewDoc(0);
                          try {
                              drawCircuit(canvas, function, style);
                          } catch (const std::exception& e) {
                              // Only an exhausted memory gets here (a huge
                              // canvas); say so rather than end the program.
                              MessageBoxPrompts(dialogParent)
                                  .message(QString("The circuit could not be drawn: %1")
                                               .arg(QString::fromLocal8Bit(e.what())),
                                           PromptIcon::Critical);
                          }
                      });
}
