#include "drawing/canvas.h"

namespace quendal::drawing {

PrintItem PrintItem::number(long long n) {
    std::string text = n < 0 ? std::string() : std::string(" ");
    text += std::to_string(n);
    text += ' ';
    return PrintItem(std::move(text));
}

void Canvas::line(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) {
    renderLine(x1, y1, x2, y2, colour);
    currentX_ = x2;
    currentY_ = y2;
}

void Canvas::box(int x, int y, int w, int h) {
    renderBox(x, y, w, h);
    currentX_ = x + w;
    currentY_ = y + h;
}

void Canvas::circle(int x, int y, int r, std::optional<Rgb> colour) {
    renderCircle(x, y, r, colour, fillStyle_ == FillStyle::Solid);
    currentX_ = x;
    currentY_ = y;
}

void Canvas::arc(int x, int y, int r, std::optional<Rgb> colour, double start, double end) {
    renderArc(x, y, r, colour, start, end);
    currentX_ = x;
    currentY_ = y;
}

void Canvas::cls() {
    currentX_ = 0;
    currentY_ = 0;
    circuit_.reset();
    cleared();
}

void Canvas::setFillStyle(FillStyle style) {
    fillStyle_ = style;
    fillStyleChanged();
}

void Canvas::print(const std::vector<PrintItem>& items, std::optional<Rgb> colour) {
    std::string text;
    for (const PrintItem& item : items) text += item.text;
    if (!text.empty()) renderText(currentX_, currentY_, text, colour);
    currentX_ = 0;
    currentY_ += lineHeight();
}

void Canvas::printAt(int x, int y, const std::vector<PrintItem>& items, std::optional<Rgb> colour) {
    currentX_ = x;
    currentY_ = y;
    print(items, colour);
}

void Canvas::setSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    sizeChanged();
}

void Canvas::setHScrollMax(int value) {
    hScrollMax_ = value;
    scrollMaxChanged(true);
}

void Canvas::setVScrollMax(int value) {
    vScrollMax_ = value;
    scrollMaxChanged(false);
}

void junctionDot(Canvas& canvas, int x, int y) {
    canvas.setFillStyle(FillStyle::Solid);
    canvas.circle(x, y, 25, colours::black);
    canvas.setFillStyle(FillStyle::Transparent);
}

}  // namespace quendal::drawing
