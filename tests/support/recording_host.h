#pragma once

#include <memory>
#include <string>
#include <vector>

#include "drawing/document_host.h"
#include "tests/support/recording_canvas.h"

// A DocumentHost for tests: each LoadNewDoc opens a "document" with a
// recording canvas and keeps it, captioned and numbered per kind as the main
// window numbers its windows.
class RecordingHost : public quendal::drawing::DocumentHost {
public:
    quendal::drawing::Canvas& LoadNewDoc(quendal::drawing::DocumentKind kind) override;

    struct Document {
        quendal::drawing::DocumentKind kind;
        std::string caption;
        std::unique_ptr<quendal::drawing::RecordingCanvas> canvas;
    };
    std::vector<Document> documents;

    std::vector<quendal::drawing::DocumentKind> kinds() const;
    std::vector<std::string> captions() const;
    // How many documents of the kind were opened.
    int count(quendal::drawing::DocumentKind kind) const;
};
