#pragma once

#include "drawing/function_view.h"

class DocumentHost;
class Prompts;
class QWidget;

// The Demux command after the work form's click: refuses functions too large
// for a 1 : 64 demultiplexer with a message, else opens frmDemuxOpt (a
// separate top-level window) with workForm disabled while it is open. Ok
// enables workForm, asks the host for a new "Demux" document and draws;
// Cancel only enables it.
void runDemuxCommand(QWidget* dialogParent, QWidget* workForm, DocumentHost& host, Prompts& prompts,
                     const FunctionView& function);
