#pragma once

namespace quendal::drawing {

class Canvas;

// The kinds of document window the main window opens: one per drawing
// command, each numbered in its own series ("Circuit n", "Mux n",
// "Demux n"), an untitled one for Open, and an untitled one for an Explain
// view, which its menu names and which is never unsaved work (it is made
// again from the function at will).
enum class DocumentKind { Circuit, Mux, Demux, Opened, Explain };

// The main window hands out document windows without the drawing code
// knowing about it: LoadNewDoc opens a document of the given kind, makes it
// the current document and returns its empty canvas.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual Canvas& LoadNewDoc(DocumentKind kind) = 0;
    // How many open drawings were never saved or changed since they were;
    // Logout and Exit ask before losing them.
    virtual int unsavedDocumentCount() const { return 0; }
};

}  // namespace quendal::drawing
