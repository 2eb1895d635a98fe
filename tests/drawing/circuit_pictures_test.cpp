#include <QImage>

#include <gtest/gtest.h>

#include "drawing/canvas_document.h"
#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"

using namespace quendal::drawing;

namespace {

// The picture's pixel at a point in twips, rendered alone as the window renders what it shows.
QColor pixelAt(const DocumentCanvas& c, int x, int y) {
    QImage pixel = blankStrip(QSize(1, 1));
    c.paintStrip(pixel, QPoint(DocumentCanvas::toPixel(x), DocumentCanvas::toPixel(y)));
    return pixel.pixelColor(0, 0);
}

const QColor kGreen(0, 128, 0);

std::vector<std::string> letters(int n) {
    std::vector<std::string> out;
    for (int k = 0; k < n; ++k) out.push_back(std::string(1, static_cast<char>('A' + k)));
    return out;
}

// An eight-variable function with many terms of mixed lengths.
FunctionView eightVariables() {
    std::vector<bool> truth(256);
    unsigned state = 12345;
    for (int r = 0; r < 256; ++r) {
        state = state * 1103515245u + 12345u;
        truth[r] = ((state >> 16) % 3) == 0;
    }
    return circuitFunction(sopFor(truth, letters(8)), letters(8));
}

}  // namespace

TEST(CircuitPictures, WiresAndDotsLandOnTheirPixels) {
    DocumentCanvas c;
    drawBasicCircuit(c, circuitFunction("AB'+C"));
    EXPECT_EQ(pixelAt(c, 400, 5000), kGreen);              // A's line, below the gates
    EXPECT_EQ(pixelAt(c, 1650, 7200), kGreen);             // C's complement line, near the bottom
    EXPECT_EQ(pixelAt(c, 1000, 2550), kGreen);             // A's tap wire
    EXPECT_EQ(pixelAt(c, 2720, 2750), QColor(Qt::black));  // the output dot
    EXPECT_EQ(pixelAt(c, 2000, 2500), QColor(0, 0, 128));  // the AND body's top edge
}

TEST(CircuitPictures, AGrownCanvasKeepsTheLowestGateOnThePicture) {
    DocumentCanvas c;
    const FunctionView f = eightVariables();
    drawUniversalNorCircuit(c, f);
    ASSERT_GT(c.height(), Canvas::kDefaultHeight);
    // The variable lines reach the bottom row of the picture.
    EXPECT_EQ(pixelAt(c, 400, c.height() - 10), kGreen);
}
