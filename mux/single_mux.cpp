#include "mux/single_mux.h"

#include "drawing/drawing_kit.h"
#include "mux/mux_block.h"
#include "mux/mux_terms.h"

#include <algorithm>
#include <vector>

namespace quendal::mux {

namespace {

// Room left after the header's last character when the canvas grows for it.
constexpr int kHeaderMargin = 200;

// The connection marks of this drawing are open circles: it never fills.
void openDot(drawing::Canvas& canvas, int x, int y) {
    canvas.circle(x, y, 25);
}

}  // namespace

void draw1Mux(drawing::Canvas& canvas, const drawing::FunctionView& function) {
    const int xin = drawing::kBlockOrigin.x, yin = drawing::kBlockOrigin.y;
    const MuxBlock b{function.function.width, xin, yin};
    const int N = b.N();
    const int xV = xin - kVccRailLeft;
    const int xG = xin - kGroundRailLeft;
    const int yG = b.bottom() + kGroundBelowBlock;

    // A long term list must not be cut off at the canvas edge; growing first
    // lets the scroll maxima below account for it.
    const std::string header = drawing::implementationHeader(function);
    const int headerWidth = canvas.textWidth(header) + kHeaderMargin;
    if (canvas.width() < headerWidth) canvas.setSize(headerWidth, canvas.height());

    enlargeForBlock(canvas, b);

    drawing::printImplementationHeader(canvas, header);

    drawBlockBody(canvas, b);
    for (int i = 1; i <= function.function.width; ++i) {
        canvas.line(xin + i * 400, b.bottom(), xin + i * 400, b.bottom() + 400);
        canvas.printAt(xin + i * 400 - 50, b.bottom() + 500, {drawing::varName(function, i)});
    }
    drawOutputLine(canvas, b);
    printOutputText(canvas, b);
    drawing::printVccLabel(canvas, xV, yin);

    const std::vector<int> terms = drawing::termsBelow(function, N);
    const int T = static_cast<int>(terms.size());
    const auto listed = [&](int m) { return std::binary_search(terms.begin(), terms.end(), m); };
    int zeroInputs = 0;

    // The Vcc rail runs from the block's top edge to the lowest input on it;
    // the ground rail from the highest input on it down to the ground symbol.
    // Every input but the rail's end gets a mark where it leaves the rail.
    const auto tieToGround = [&](int m) {
        ++zeroInputs;
        canvas.line(xG, b.yIn(m), xG, yG);
        if (zeroInputs > 1) openDot(canvas, xG, b.yIn(m));
        canvas.line(xG, b.yIn(m), xin, b.yIn(m));
    };

    if (function.mode == logic::TermMode::Minterms) {
        // With no minterm at all (only don't-cares were ticked) the function
        // is 0: there is no Vcc rail, every input goes to ground.
        for (int i = 1; i <= T; ++i) {
            const int t = terms[static_cast<std::size_t>(i - 1)];
            canvas.line(xV, yin, xV, b.yIn(terms.back()));
            if (i != T) openDot(canvas, xV, b.yIn(t));
            canvas.line(xV, b.yIn(t), xin, b.yIn(t));
        }
        for (int m = 0; m < N; ++m)
            if (!listed(m)) tieToGround(m);
    } else {
        int oneInputs = 0;
        for (int m = 0; m < N; ++m) {
            if (listed(m)) {
                tieToGround(m);
                continue;
            }
            ++oneInputs;
            canvas.line(xV, yin, xV, b.yIn(m));
            if (oneInputs != N - T) openDot(canvas, xV, b.yIn(m));
            canvas.line(xV, b.yIn(m), xin, b.yIn(m));
        }
    }

    if (zeroInputs > 0) drawing::drawGround(canvas, xG, yG, drawing::GroundSize::Small, true);
}

}  // namespace quendal::mux
