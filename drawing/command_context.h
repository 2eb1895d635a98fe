#pragma once

class QWidget;

namespace quendal::common {
class Prompts;
}

namespace quendal::drawing {

class DocumentHost;

// What a drawing command (Circuit, Mux, Demux) needs from the work form that
// runs it: the window its options dialog opens over, the work form to
// disable while the dialog is open, the host that opens the new document and
// the prompts that report.
struct CommandContext {
    QWidget* dialogParent;
    QWidget* workForm;
    DocumentHost& host;
    common::Prompts& prompts;
};

}  // namespace quendal::drawing
