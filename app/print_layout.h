#pragma once

#include <QImage>
#include <QRect>

#include <stdexcept>

class QPagedPaintDevice;

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
