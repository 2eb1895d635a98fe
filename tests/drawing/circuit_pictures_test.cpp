#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include "drawing/circuit_layout.h"
#include "drawing/picture_canvas.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"

using namespace quendal::drawing;

namespace {

QColor pixelAt(const PictureCanvas& c, int x, int y) {
    return c.image().pixelColor(PictureCanvas::toPixel(x), PictureCanvas::toPixel(y));
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

// AB'+C as the work form describes it after ticking minterms 1, 3, 4, 5, 7.
FunctionView example() {
    FunctionView f = circuitFunction("AB'+C");
    f.userName = "STUDENT";
    f.sopText = "A'B'C+A'BC+AB'C'+AB'C+ABC";
    f.ipPosText = "((A+B+C')(A+B'+C')(A'+B+C)(A'+B+C')(A'+B'+C'))'";
    f.minPosText = "((A'+B)(C'))'";
    return f;
}

}  // namespace

TEST(CircuitPictures, WiresAndDotsLandOnTheirPixels) {
    PictureCanvas c;
    drawBasicCircuit(c, circuitFunction("AB'+C"));
    EXPECT_EQ(pixelAt(c, 400, 5000), kGreen);              // A's line, below the gates
    EXPECT_EQ(pixelAt(c, 1650, 7200), kGreen);             // C's complement line, near the bottom
    EXPECT_EQ(pixelAt(c, 1000, 2550), kGreen);             // A's tap wire
    EXPECT_EQ(pixelAt(c, 2720, 2750), QColor(Qt::black));  // the output dot
    EXPECT_EQ(pixelAt(c, 2000, 2500), QColor(0, 0, 128));  // the AND body's top edge
}

TEST(CircuitPictures, AGrownCanvasKeepsTheLowestGateOnThePicture) {
    PictureCanvas c;
    const FunctionView f = eightVariables();
    drawUniversalNorCircuit(c, f);
    ASSERT_GT(c.height(), Canvas::kDefaultHeight);
    EXPECT_EQ(c.image().height(), PictureCanvas::pixelsFor(c.height()));
    // The variable lines reach the bottom row of the picture.
    EXPECT_EQ(pixelAt(c, 400, c.height() - 10), kGreen);
}

// Writes the pictures for a look (and for the documentation) when asked:
// QUENDAL_PICTURES_DIR=<folder> drawing_tests --gtest_filter=CircuitPictures.*
TEST(CircuitPictures, WritesPicturesWhenAsked) {
    const QString dir = qEnvironmentVariable("QUENDAL_PICTURES_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "QUENDAL_PICTURES_DIR not set";
    QDir().mkpath(dir);
    using Draw = void (*)(Canvas&, const FunctionView&);
    const std::pair<const char*, Draw> styles[] = {{"basic", drawBasicCircuit},
                                                   {"nand", drawUniversalNandCircuit},
                                                   {"nor", drawUniversalNorCircuit}};
    for (const auto& [name, draw] : styles) {
        PictureCanvas example;
        draw(example, ::example());
        EXPECT_TRUE(example.image().save(dir + "/circuit-" + name + ".png", "PNG"));
        PictureCanvas big;
        draw(big, eightVariables());
        EXPECT_TRUE(big.image().save(dir + "/circuit-" + name + "-8vars.png", "PNG"));
    }
}
