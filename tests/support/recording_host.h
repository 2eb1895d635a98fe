#pragma once

#include <memory>
#include <string>
#include <vector>

#include "drawing/document_host.h"
#include "drawing/recording_canvas.h"

// A DocumentHost for tests: each LoadNewDoc opens a "document" with a
// recording canvas and keeps it, captioned and numbered per kind as the main
// window numbers its windows.
class RecordingHost : public DocumentHost {
public:
    Canvas& LoadNewDoc(DocumentKind kind) override;

    struct Document {
        DocumentKind kind;
        std::string caption;
        std::unique_ptr<RecordingCanvas> canvas;
    };
    std::vector<Document> documents;

    std::vector<DocumentKind> kinds() const;
    std::vector<std::string> captions() const;
    // How many documents of the kind were opened.
    int count(DocumentKind kind) const;
};
