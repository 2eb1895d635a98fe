#include "tests/drawing/recording_host_support.h"

Canvas& RecordingHost::LoadNewDoc(int opt) {
    std::string caption;
    switch (opt) {
        case 0: caption = "Circuit " + std::to_string(++circuitCount); break;
        case 1: caption = "Mux " + std::to_string(++muxCount); break;
        case 2: caption = "Demux " + std::to_string(++demuxCount); break;
        default: break;
    }
    documents.push_back({opt, caption, std::make_unique<RecordingCanvas>()});
    return *documents.back().canvas;
}
