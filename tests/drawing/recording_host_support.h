#pragma once

#include <memory>
#include <string>
#include <vector>

#include "drawing/document_host.h"
#include "drawing/recording_canvas.h"

// A DocumentHost for tests: each LoadNewDoc opens a "document" with a
// recording canvas, captioned and numbered per kind as the main window
// numbers its windows.
class RecordingHost : public DocumentHost {
public:
    Canvas& LoadNewDoc(int opt) override;

    struct Document {
        int opt;
        std::string caption;
        std::unique_ptr<RecordingCanvas> canvas;
    };
    std::vector<Document> documents;
    int circuitCount = 0, muxCount = 0, demuxCount = 0;
};
