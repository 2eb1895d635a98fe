#pragma once

#include "drawing/document_host.h"
#include "drawing/recording_canvas.h"

#include <memory>
#include <string>
#include <vector>

// A DocumentHost that opens each document as a RecordingCanvas and keeps it,
// numbering the documents of each kind as the main window captions them.
class RecordingDocumentHost : public DocumentHost {
public:
    Canvas& LoadNewDoc(int opt) override;

    std::vector<std::unique_ptr<RecordingCanvas>> canvases;
    std::vector<std::string> captions;  // "Mux 1", "Mux 2", …
    int counters[4] = {0, 0, 0, 0};
};
