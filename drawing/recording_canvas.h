#pragma once

#include "drawing/canvas.h"

#include <string>
#include <vector>

namespace quendal::drawing {

// A canvas that records every operation with its exact arguments, so a test
// can state a worked example as the list of shapes and texts it must produce.
// Text metrics are fixed constants, so the lists do not depend on fonts.
class RecordingCanvas : public Canvas {
public:
    static constexpr int kCharWidth = 90;
    static constexpr int kLineHeight = 195;

    enum class Kind { Line, Box, Circle, Arc, Text, FillStyle, Size, ScrollMax };
    struct Op {
        Kind kind;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; box corner and size; centre in x1, y1
        int r = 0;
        std::optional<Rgb> colour;
        double start = 0, end = 0;
        bool filled = false;
        std::string text;
        FillStyle fill = FillStyle::Transparent;
    };

    int textWidth(const std::string& text) const override {
        return kCharWidth * static_cast<int>(text.size());
    }
    int lineHeight() const override { return kLineHeight; }

    const std::vector<Op>& operations() const { return ops_; }
    // The operations as readable lines, for example
    //   "line 100,1500-100,10000 green", "box 4000,700 1600,1800",
    //   "circle 350,1600 25 black filled", "arc 500,500 100 red 3.1416 0.0000",
    //   "text 0,195 'Y'", "text 0,390 'AB' #dc143c" (coloured text), "fill solid",
    //   "size 9396,8296", "hscroll 100", "vscroll 200".
    std::vector<std::string> lines() const;
    static std::string describe(const Op& op);
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
    // Called after each operation is recorded, for a canvas that shows them.
    virtual void recorded(const Op& /*op*/) {}

private:
    void record(const Op& op) {
        ops_.push_back(op);
        recorded(op);
    }

    std::vector<Op> ops_;
};

// Names the program's colours ("green", "navy", "blue", "red", "black");
// the foreground is "fg", anything else "#rrggbb".
std::string colourName(std::optional<Rgb> colour);

}  // namespace quendal::drawing
