#pragma once

namespace quendal::drawing {

class Canvas;

// A window that is not a drawing but prints and exports as one: it draws a
// page of what it shows on demand, and File > Print and File > Export take
// that page the way they take a document's drawing.
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual void drawPage(Canvas& canvas) const = 0;
};

}  // namespace quendal::drawing
