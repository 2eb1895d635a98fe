#pragma once

#include <QImage>

#include "drawing/canvas_document.h"

namespace quendal::drawing {

// The whole picture of a drawing at 100 %, rendered by the document canvas
// as the document window, saving, printing and export render it. Costs the
// whole picture's memory: for the tests, the picture program and small
// drawings, never for the program's own windows or files.
inline QImage wholePicture(const DocumentCanvas& canvas) {
    QImage picture = blankStrip(canvas.pixelSize());
    canvas.paintStrip(picture, QPoint(0, 0));
    return picture;
}

}  // namespace quendal::drawing
