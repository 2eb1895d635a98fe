#pragma once

#include "drawing/canvas.h"

namespace quendal::drawing {

// A canvas that draws nothing and only accumulates the extent of what would
// be drawn, so a layout can size its canvas before drawing for real. Text
// extents use the metrics of the canvas that will be drawn on.
class BoundsCanvas : public Canvas {
public:
    explicit BoundsCanvas(const Canvas& metrics) : metrics_(metrics) {}

    int textWidth(const std::string& text) const override { return metrics_.textWidth(text); }
    int lineHeight() const override { return metrics_.lineHeight(); }

    bool empty() const { return empty_; }
    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return right_; }
    int bottom() const { return bottom_; }

protected:
    void renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb>) override {
        include(x1, y1);
        include(x2, y2);
    }
    void renderBox(int x, int y, int w, int h) override {
        include(x, y);
        include(x + w, y + h);
    }
    void renderCircle(int x, int y, int r, std::optional<Rgb>, bool) override {
        include(x - r, y - r);
        include(x + r, y + r);
    }
    void renderArc(int x, int y, int r, std::optional<Rgb>, double, double) override {
        // The whole circle: a slight overestimate that never cuts an arc off.
        include(x - r, y - r);
        include(x + r, y + r);
    }
    void renderText(int x, int y, const std::string& text, std::optional<Rgb>) override {
        include(x, y);
        include(x + textWidth(text), y + lineHeight());
    }

    void cleared() override { empty_ = true; }

private:
    void include(int x, int y) {
        if (empty_) {
            left_ = right_ = x;
            top_ = bottom_ = y;
            empty_ = false;
            return;
        }
        if (x < left_) left_ = x;
        if (x > right_) right_ = x;
        if (y < top_) top_ = y;
        if (y > bottom_) bottom_ = y;
    }

    const Canvas& metrics_;
    bool empty_ = true;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace quendal::drawing
