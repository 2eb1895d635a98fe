#include "drawing/operation_canvas.h"

namespace quendal::drawing {

namespace {

OperationCanvas::Op make(OperationCanvas::Kind kind, int x1 = 0, int y1 = 0, int x2 = 0,
                         int y2 = 0) {
    OperationCanvas::Op op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}

}  // namespace

void OperationCanvas::renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) {
    Op op = make(Kind::Line, x1, y1, x2, y2);
    op.colour = colour;
    record(op);
}

void OperationCanvas::renderBox(int x, int y, int w, int h) {
    record(make(Kind::Box, x, y, w, h));
}

void OperationCanvas::renderCircle(int x, int y, int r, std::optional<Rgb> colour, bool filled) {
    Op op = make(Kind::Circle, x, y);
    op.r = r;
    op.colour = colour;
    op.filled = filled;
    record(op);
}

void OperationCanvas::renderArc(int x, int y, int r, std::optional<Rgb> colour, double start,
                                double end) {
    Op op = make(Kind::Arc, x, y);
    op.r = r;
    op.colour = colour;
    op.start = start;
    op.end = end;
    record(op);
}

void OperationCanvas::renderText(int x, int y, const std::string& text, std::optional<Rgb> colour) {
    Op op = make(Kind::Text, x, y);
    op.text = text;
    op.colour = colour;
    record(op);
}

void OperationCanvas::sizeChanged() {
    record(make(Kind::Size, width(), height()));
}

void OperationCanvas::scrollMaxChanged(bool horizontal) {
    Op op = make(Kind::ScrollMax, horizontal ? hScrollMax() : vScrollMax());
    op.text = horizontal ? "hscroll" : "vscroll";
    record(op);
}

void OperationCanvas::fillStyleChanged() {
    Op op = make(Kind::FillStyle);
    op.fill = fillStyle();
    record(op);
}

}  // namespace quendal::drawing
