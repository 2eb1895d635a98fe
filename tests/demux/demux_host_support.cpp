#include "tests/demux/demux_host_support.h"

Canvas& RecordingDocumentHost::LoadNewDoc(int opt) {
    opts.push_back(opt);
    canvases.push_back(std::make_unique<RecordingCanvas>());
    return *canvases.back();
}
