#pragma once

#include <QImage>
#include <QRect>

#include <stdexcept>

class QPagedPaintDevice;

namespace quendal::drawing {
class DocumentCanvas;
}

namespace quendal::app {

// The place of a picture on the printable area: as large as the area allows
// (its full width or its full height) with the picture's proportions, at
// the top left.
QRect fitOnPage(QSize picture, QSize printable);

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints the picture on one page of the device (a printer or a PDF file).
// Throws PrintError when the device cannot be printed on.
void printPicture(QPagedPaintDevice& device, const QImage& picture);

enum class PrintScale {
    FitToPage,   // one page, as large as it fits, proportions kept
    ActualSize,  // as on the screen at 100 % (8-point text), over as many pages as it takes
};

// The pages a drawing takes at actual size: columns across, rows down.
struct PageGrid {
    int columns = 1;
    int rows = 1;
    int pages() const { return columns * rows; }
};

// How a picture of `picture` 100 % pixels is cut into pages whose drawing
// area is `area` device pixels, at `dpi` device pixels per inch.
PageGrid pageGrid(QSize picture, QSize area, int dpi);
// The grid for the device's printable area, less the band that marks each
// page with its row and column.
PageGrid pageGrid(const QPagedPaintDevice& device, QSize picture);

// Prints the document at the device's own resolution: a drawing from its
// operations (lines and text stay sharp, text stays text), an opened
// picture as that picture. At actual size each page is marked with its row
// and column. Throws PrintError when the device cannot be printed on.
void printDocument(QPagedPaintDevice& device, const drawing::DocumentCanvas& canvas,
                   PrintScale scale);

}  // namespace quendal::app
