#pragma once

class Canvas;

// The main window hands out document windows without the drawing code
// knowing about it: LoadNewDoc(0) opens "Circuit n", 1 "Mux n", 2 "Demux n"
// (3 an untitled one for Open), makes it the current document and returns
// its empty canvas.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual Canvas& LoadNewDoc(int opt) = 0;
    // How many open drawings were never saved or changed since they were;
    // Logout and Exit ask before losing them.
    virtual int unsavedDocumentCount() const { return 0; }
};
