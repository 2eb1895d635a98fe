#include "drawing/recording_canvas.h"

#include <cstdio>

namespace quendal::drawing {

std::string colourName(std::optional<Rgb> colour) {
    if (!colour) return "fg";
    if (*colour == colours::green) return "green";
    if (*colour == colours::navy) return "navy";
    if (*colour == colours::blue) return "blue";
    if (*colour == colours::red) return "red";
    if (*colour == colours::black) return "black";
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", colour->r, colour->g, colour->b);
    return buf;
}

std::string RecordingCanvas::describe(const Op& op) {
    char buf[160];
    switch (op.kind) {
        case Kind::Line:
            std::snprintf(buf, sizeof buf, "line %d,%d-%d,%d %s", op.x1, op.y1, op.x2, op.y2,
                          colourName(op.colour).c_str());
            return buf;
        case Kind::Box:
            std::snprintf(buf, sizeof buf, "box %d,%d %d,%d", op.x1, op.y1, op.x2, op.y2);
            return buf;
        case Kind::Circle:
            std::snprintf(buf, sizeof buf, "circle %d,%d %d %s%s", op.x1, op.y1, op.r,
                          colourName(op.colour).c_str(), op.filled ? " filled" : "");
            return buf;
        case Kind::Arc:
            std::snprintf(buf, sizeof buf, "arc %d,%d %d %s %.4f %.4f", op.x1, op.y1, op.r,
                          colourName(op.colour).c_str(), op.start, op.end);
            return buf;
        case Kind::Text:
            // Text in the foreground names no colour, as it always did.
            return "text " + std::to_string(op.x1) + "," + std::to_string(op.y1) + " '" + op.text +
                   "'" + (op.colour ? " " + colourName(op.colour) : std::string());
        case Kind::FillStyle:
            return op.fill == FillStyle::Solid ? "fill solid" : "fill transparent";
        case Kind::Size: std::snprintf(buf, sizeof buf, "size %d,%d", op.x1, op.y1); return buf;
        case Kind::ScrollMax:
            std::snprintf(buf, sizeof buf, "%s %d", op.text.c_str(), op.x1);
            return buf;
    }
    return {};
}

std::vector<std::string> RecordingCanvas::lines() const {
    std::vector<std::string> out;
    out.reserve(ops_.size());
    for (const Op& op : ops_) out.push_back(describe(op));
    return out;
}

namespace {

RecordingCanvas::Op make(RecordingCanvas::Kind kind, int x1 = 0, int y1 = 0, int x2 = 0,
                         int y2 = 0) {
    RecordingCanvas::Op op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}

}  // namespace

void RecordingCanvas::renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) {
    Op op = make(Kind::Line, x1, y1, x2, y2);
    op.colour = colour;
    record(op);
}

void RecordingCanvas::renderBox(int x, int y, int w, int h) {
    record(make(Kind::Box, x, y, w, h));
}

void RecordingCanvas::renderCircle(int x, int y, int r, std::optional<Rgb> colour, bool filled) {
    Op op = make(Kind::Circle, x, y);
    op.r = r;
    op.colour = colour;
    op.filled = filled;
    record(op);
}

void RecordingCanvas::renderArc(int x, int y, int r, std::optional<Rgb> colour, double start,
                                double end) {
    Op op = make(Kind::Arc, x, y);
    op.r = r;
    op.colour = colour;
    op.start = start;
    op.end = end;
    record(op);
}

void RecordingCanvas::renderText(int x, int y, const std::string& text, std::optional<Rgb> colour) {
    Op op = make(Kind::Text, x, y);
    op.text = text;
    op.colour = colour;
    record(op);
}

void RecordingCanvas::sizeChanged() {
    record(make(Kind::Size, width(), height()));
}

void RecordingCanvas::scrollMaxChanged(bool horizontal) {
    Op op = make(Kind::ScrollMax, horizontal ? hScrollMax() : vScrollMax());
    op.text = horizontal ? "hscroll" : "vscroll";
    record(op);
}

void RecordingCanvas::fillStyleChanged() {
    Op op = make(Kind::FillStyle);
    op.fill = fillStyle();
    record(op);
}

}  // namespace quendal::drawing
