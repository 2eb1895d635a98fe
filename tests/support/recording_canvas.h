#pragma once

#include "drawing/operation_canvas.h"

#include <string>
#include <vector>

namespace quendal::drawing {

// A canvas that records every operation with its exact arguments, so a test
// can state a worked example as the list of shapes and texts it must produce.
// Text metrics are fixed constants, so the lists do not depend on fonts.
class RecordingCanvas : public OperationCanvas {
public:
    static constexpr int kCharWidth = 90;
    static constexpr int kLineHeight = 195;

    int textWidth(const std::string& text) const override {
        return kCharWidth * static_cast<int>(text.size());
    }
    int lineHeight() const override { return kLineHeight; }

    // The operations as readable lines, for example
    //   "line 100,1500-100,10000 green", "box 4000,700 1600,1800",
    //   "circle 350,1600 25 black filled", "arc 500,500 100 red 3.1416 0.0000",
    //   "text 0,195 'Y'", "text 0,390 'AB' #dc143c" (coloured text), "fill solid",
    //   "size 9396,8296", "hscroll 100", "vscroll 200".
    std::vector<std::string> lines() const;
    static std::string describe(const Op& op);
};

// Names the program's colours ("green", "navy", "blue", "red", "black");
// the foreground is "fg", anything else "#rrggbb".
std::string colourName(std::optional<Rgb> colour);

}  // namespace quendal::drawing
