#include "tests/support/recording_host.h"

#include <algorithm>

using namespace quendal::drawing;

Canvas& RecordingHost::LoadNewDoc(DocumentKind kind) {
    std::string caption;
    switch (kind) {
        case DocumentKind::Circuit: caption = "Circuit "; break;
        case DocumentKind::Mux: caption = "Mux "; break;
        case DocumentKind::Demux: caption = "Demux "; break;
        case DocumentKind::Opened:
        case DocumentKind::Explain: break;
    }
    if (!caption.empty()) caption += std::to_string(count(kind) + 1);
    documents.push_back({kind, caption, std::make_unique<RecordingCanvas>()});
    return *documents.back().canvas;
}

std::vector<DocumentKind> RecordingHost::kinds() const {
    std::vector<DocumentKind> out;
    for (const Document& d : documents) out.push_back(d.kind);
    return out;
}

std::vector<std::string> RecordingHost::captions() const {
    std::vector<std::string> out;
    for (const Document& d : documents) out.push_back(d.caption);
    return out;
}

int RecordingHost::count(DocumentKind kind) const {
    return static_cast<int>(std::count_if(documents.begin(), documents.end(),
                                          [kind](const Document& d) { return d.kind == kind; }));
}
