#include "tests/mux/mux_host_support.h"

Canvas& RecordingDocumentHost::LoadNewDoc(int opt) {
    static const char* const kinds[] = {"Circuit ", "Mux ", "Demux ", ""};
    const int kind = opt >= 0 && opt <= 3 ? opt : 3;
    captions.push_back(kinds[kind] + std::to_string(++counters[kind]));
    canvases.push_back(std::make_unique<RecordingCanvas>());
    return *canvases.back();
}
