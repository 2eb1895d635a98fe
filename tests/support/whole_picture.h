#pragma once

#include <QImage>

#include "drawing/canvas_document.h"

// The whole picture of a drawing at 100 %, rendered by the document canvas
// as the document window, saving, printing and export render it. Costs the
// whole picture's memory: for tests and small drawings.
inline QImage wholePicture(const quendal::drawing::DocumentCanvas& canvas) {
    QImage picture = quendal::drawing::blankStrip(canvas.pixelSize());
    canvas.paintStrip(picture, QPoint(0, 0));
    return picture;
}
