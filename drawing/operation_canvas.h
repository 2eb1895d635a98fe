#pragma once

#include "drawing/canvas.h"

#include <string>
#include <vector>

namespace quendal::drawing {

// A canvas that keeps what is drawn on it as the list of its operations, each
// with its exact arguments, so that the drawing can be rendered later, in
// parts and at any scale. The text metrics are the subclass's.
class OperationCanvas : public Canvas {
public:
    enum class Kind { Line, Box, Circle, Arc, Text, FillStyle, Size, ScrollMax };
    struct Op {
        Kind kind;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; box corner and size; centre in x1, y1
        int r = 0;
        std::optional<Rgb> colour;
        double start = 0, end = 0;
        bool filled = false;
        std::string text;  // the text printed; "hscroll" or "vscroll" for a scroll maximum
        FillStyle fill = FillStyle::Transparent;
    };

    const std::vector<Op>& operations() const { return ops_; }
    void clear() { ops_.clear(); }

protected:
    void renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) override;
    void renderBox(int x, int y, int w, int h) override;
    void renderCircle(int x, int y, int r, std::optional<Rgb> colour, bool filled) override;
    void renderArc(int x, int y, int r, std::optional<Rgb> colour, double start,
                   double end) override;
    void renderText(int x, int y, const std::string& text, std::optional<Rgb> colour) override;
    void sizeChanged() override;
    void scrollMaxChanged(bool horizontal) override;
    void fillStyleChanged() override;
    // What was drawn before no longer shows: the list starts again.
    void cleared() override { ops_.clear(); }
    // Called after each operation is kept, for a canvas that shows them.
    virtual void recorded(const Op& /*op*/) {}

private:
    void record(const Op& op) {
        ops_.push_back(op);
        recorded(op);
    }

    std::vector<Op> ops_;
};

}  // namespace quendal::drawing
