#pragma once

#include "drawing/function_view.h"

class DocumentHost;
class Prompts;
class QWidget;

// The Circuit command after the work form's click: opens frmCktOpt (a
// modeless dialog over dialogParent) with workForm disabled while it is open.
// Ok enables workForm, asks the host for a new "Circuit" document and draws
// the chosen circuit of the function; Cancel only enables workForm. A drawing
// that fails is reported through prompts.
void runCircuitCommand(QWidget* dialogParent, QWidget* workForm, DocumentHost& host,
                       Prompts& prompts, const FunctionView& function);
