#pragma once

#include "drawing/function_view.h"

class DocumentHost;
class Prompts;
class QWidget;

// The Mux command after the work form's click: opens frmMuxOpt (modeless,
// over dialogParent) offering the sizes allowed for the function's number of
// variables, with workForm disabled while it is open. Ok enables workForm,
// asks the host for a new "Mux" document and draws; Cancel only enables it.
// A drawing that fails is reported through prompts.
void runMuxCommand(QWidget* dialogParent, QWidget* workForm, DocumentHost& host, Prompts& prompts,
                   const FunctionView& function);
