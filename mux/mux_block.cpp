#include "mux/mux_block.h"

#include "drawing/drawing_kit.h"

namespace quendal::mux {

void enlargeForBlock(drawing::Canvas& canvas, const MuxBlock& b) {
    int height = canvas.height();
    int width = canvas.width();
    if (height < b.H() + b.yin + 1000) height = b.H() + b.yin + 1000;
    if (width < b.W() + b.xin + 1000) width = b.W() + b.xin + 1000;
    canvas.setSize(width, height);
    canvas.setVScrollMax(canvas.height() + b.H() - b.yin + 1000);
    canvas.setHScrollMax(canvas.width() + b.W() - b.xin + 1000);
}

void drawBlockBody(drawing::Canvas& canvas, const MuxBlock& b) {
    drawing::drawMuxBlockFigure(canvas, b.xin, b.yin, b.v);
}

void drawOutputLine(drawing::Canvas& canvas, const MuxBlock& b) {
    canvas.line(b.right(), b.yOut(), b.right() + 400, b.yOut());
}

void printOutputText(drawing::Canvas& canvas, const MuxBlock& b) {
    canvas.printAt(b.right() + 430, b.yOut() - 90, {" Y "});
}

void simpleMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines,
               int xin, int yin) {
    const MuxBlock b{selectLines, xin, yin};
    enlargeForBlock(canvas, b);
    drawBlockBody(canvas, b);
    for (int s = 1; s <= selectLines; ++s)
        canvas.line(b.xSel(s), b.bottom(), b.xSel(s), b.bottom() + 500);
    const int lettersBelow = function.function.width - selectLines;
    for (int i = 1; i <= lettersBelow; ++i)
        canvas.printAt(xin + (i + selectLines - lettersBelow) * 400, b.bottom() + 600,
                       {drawing::varName(function, i)});
    drawOutputLine(canvas, b);
    printOutputText(canvas, b);
    for (int m = 0; m < b.N(); ++m) canvas.line(xin - 500, b.yIn(m), xin, b.yIn(m));
}

}  // namespace quendal::mux
