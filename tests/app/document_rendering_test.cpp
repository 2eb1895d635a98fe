// The document canvas renders its picture from its operations in any part
// and at any scale: strips and tiles join into the whole picture, zooming
// keeps the drawing in place.

#include <gtest/gtest.h>

#include <QPainter>

#include <functional>

#include "demux/demux_drawing.h"
#include "drawing/canvas_document.h"
#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "mux/mux_drawing.h"

#include "tests/support/whole_picture.h"
#include "tests/drawing/circuit_function_support.h"

using namespace quendal::drawing;
using namespace quendal::mux;
using namespace quendal::demux;

namespace {

// A circuit function of `n` letters that also carries its term numbers, for the multiplexer
// and demultiplexer drawings.
FunctionView function(int n, const std::string& minSop, std::vector<int> terms) {
    std::vector<std::string> letters;
    for (int i = 0; i < n; ++i) letters.push_back(std::string(1, char('A' + i)));
    FunctionView f = circuitFunction(minSop, letters);
    f.function = logic::functionOfTerms(n, terms, logic::TermMode::Minterms);
    for (size_t i = 0; i < terms.size(); ++i)
        f.termsText += (i ? "," : "") + std::to_string(terms[i]);
    return f;
}

using Draw = std::function<void(Canvas&)>;

struct Kind {
    const char* name;
    Draw draw;
};

const std::string kEight = "AB'CD'+A'BE'F+C'DEF'GH'+GH+A'B'C'D'E'F'G'H'+ACEG+B'D'F'H+E'FG'H";

std::vector<Kind> kinds() {
    const FunctionView small = function(3, "AB'+C", {1, 3, 4, 5, 7});
    const FunctionView eight = function(8, kEight, {});
    std::vector<int> terms;
    for (int t = 0; t < 64; t += 5) terms.push_back(t);
    const FunctionView six = function(6, "A", terms);
    return {
        {"basic", [=](Canvas& c) { drawBasicCircuit(c, small); }},
        {"nand", [=](Canvas& c) { drawUniversalNandCircuit(c, small); }},
        {"nor", [=](Canvas& c) { drawUniversalNorCircuit(c, small); }},
        {"basic8", [=](Canvas& c) { drawBasicCircuit(c, eight); }},
        {"nand8", [=](Canvas& c) { drawUniversalNandCircuit(c, eight); }},
        {"nor8", [=](Canvas& c) { drawUniversalNorCircuit(c, eight); }},
        {"mux8to1", [=](Canvas& c) { drawMuxImplementation(c, small, 3); }},
        {"muxTree", [=](Canvas& c) { drawMuxImplementation(c, six, 4); }},
        {"demux", [=](Canvas& c) { drawDemux(c, six, 1); }},
        // The canvas shrinks and grows again around what was drawn.
        {"resized",
         [](Canvas& c) {
             c.line(100, 100, 9000, 7000, colours::red);
             c.setSize(3000, 2000);
             c.printAt(1500, 1500, {"cut", PrintItem::number(-12)});
             c.setSize(12000, 9000);
             c.box(2000, 2000, 8000, 5000);
             junctionDot(c, 2000, 2000);
             c.arc(5000, 5000, 600, colours::blue, -0.5, 2.5);
         }},
    };
}

class Rendering : public ::testing::TestWithParam<Kind> {};

}  // namespace

TEST_P(Rendering, AtActualSizeStripsAndTilesJoinIntoTheWholePicture) {
    DocumentCanvas document;
    GetParam().draw(document);
    ASSERT_TRUE(document.hasDrawing());
    const QImage want = wholePicture(document);
    ASSERT_EQ(document.pixelSize(), want.size());

    // As the file writer renders it, strip by strip, and as the window
    // renders what is exposed: tiles at any offset, over the edge too.
    std::vector<QRect> tiles;
    for (int top = 0; top < want.height(); top += 41)
        tiles.emplace_back(0, top, want.width(), std::min(41, want.height() - top));
    tiles.emplace_back(131, 211, 97, 89);
    tiles.emplace_back(want.width() - 60, want.height() - 45, 90, 70);
    for (const QRect& tile : tiles) {
        QImage strip = blankStrip(tile.size());
        document.paintStrip(strip, tile.topLeft());
        QImage expected = blankStrip(tile.size());
        QPainter(&expected).drawImage(0, 0, want.copy(tile.intersected(want.rect())));
        ASSERT_EQ(strip, expected) << "tile at " << tile.x() << "," << tile.y();
    }
}

TEST_P(Rendering, ZoomedRenderingsKeepTheDrawingInPlace) {
    DocumentCanvas document;
    GetParam().draw(document);
    const QImage actual = wholePicture(document);
    // At 200 % each ink pixel of 100 % has ink within its 2 x 2 block's
    // neighbourhood, and the zoomed picture is no emptier than the original.
    QImage zoomed = blankStrip(actual.size() * 2);
    document.paintStrip(zoomed, QPoint(0, 0), 2.0);
    int missing = 0, ink = 0;
    for (int y = 0; y < actual.height(); y += 3) {
        for (int x = 0; x < actual.width(); x += 3) {
            if (actual.pixel(x, y) == qRgb(255, 255, 255)) continue;
            ++ink;
            bool found = false;
            for (int dy = -2; dy <= 3 && !found; ++dy)
                for (int dx = -2; dx <= 3 && !found; ++dx) {
                    const QPoint p(2 * x + dx, 2 * y + dy);
                    found = zoomed.rect().contains(p) && zoomed.pixel(p) != qRgb(255, 255, 255);
                }
            missing += !found;
        }
    }
    EXPECT_GT(ink, 0);
    EXPECT_LE(missing, ink / 50) << missing << " of " << ink << " ink pixels lost at 200 %";
}

INSTANTIATE_TEST_SUITE_P(EveryDrawingKind, Rendering, ::testing::ValuesIn(kinds()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentCanvasPicture, AnOpenedPictureIsShownTopLeftOnWhiteAndReplacesTheDrawing) {
    QImage photo(700, 300, QImage::Format_Indexed8);
    photo.setColorCount(256);
    for (int i = 0; i < 256; ++i) photo.setColor(i, qRgb(i, 255 - i, (i * 7) & 255));
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, (x + 3 * y) & 255);
    DocumentCanvas document;
    document.line(0, 0, 9000, 9000);
    EXPECT_TRUE(document.setPicture(photo));
    EXPECT_FALSE(document.hasDrawing());
    EXPECT_EQ(document.picture().format(), QImage::Format_Indexed8);  // held as read
    QImage want = blankStrip(document.pixelSize());
    QPainter(&want).drawImage(0, 0, photo);
    EXPECT_EQ(wholePicture(document), want);
    EXPECT_FALSE(
        document.setPicture(QImage(DocumentCanvas::kMaxPixels + 1, 1, QImage::Format_Mono)));
}
