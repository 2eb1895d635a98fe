#include "tests/support/recording_canvas.h"

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
    out.reserve(operations().size());
    for (const Op& op : operations()) out.push_back(describe(op));
    return out;
}

}  // namespace quendal::drawing
