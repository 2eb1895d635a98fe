#pragma once

#include "drawing/document_host.h"
#include "drawing/recording_canvas.h"

#include <memory>
#include <vector>

// A DocumentHost that opens each document as a RecordingCanvas and keeps it,
// with the option it was asked for.
class RecordingDocumentHost : public DocumentHost {
public:
    Canvas& LoadNewDoc(int opt) override;

    std::vector<int> opts;
    std::vector<std::unique_ptr<RecordingCanvas>> canvases;
};
