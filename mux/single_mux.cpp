#include "mux/single_mux.h"

#include "drawing/drawing_kit.h"
#include "mux/mux_block.h"
#include "mux/mux_terms.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace quendal::mux {

namespace {

// Room left after the header's last character when the canvas grows for it.
constexpr int kHeaderMargin = 200;

}  // namespace

drawing::DrawnCircuit build1Mux(const drawing::Canvas& canvas,
                                const drawing::FunctionView& function) {
    using circuit::NetId;
    const int xin = drawing::kBlockOrigin.x, yin = drawing::kBlockOrigin.y;
    const int width = function.function.width;
    const MuxBlock b{width, xin, yin};
    const int N = b.N();
    const int xV = xin - kVccRailLeft;
    const int xG = xin - kGroundRailLeft;
    const int yG = b.bottom() + kGroundBelowBlock;
    drawing::CircuitBuilder c(canvas, circuit::Style::Mux, function);

    // A long term list must not be cut off at the canvas edge; growing first
    // lets the scroll maxima below account for it.
    const std::string header = drawing::implementationHeader(function);
    const int headerWidth = c.textWidth(header) + kHeaderMargin;
    if (c.width() < headerWidth) c.resize(headerWidth, c.height());

    enlargeForBlock(c, b);

    c.printAt(0, 0, {});
    c.print(header);

    const std::vector<int> terms = drawing::termsBelow(function, N);
    const int T = static_cast<int>(terms.size());
    const auto listed = [&](int m) { return std::binary_search(terms.begin(), terms.end(), m); };
    const bool minterms = function.mode == logic::TermMode::Minterms;

    // Each data input hangs on the rail its truth-table row asks for; a rail
    // is a part only when some input hangs on it.
    NetId vcc = circuit::kNoNet, ground = circuit::kNoNet;
    std::vector<NetId> data;
    for (int m = 0; m < N; ++m) {
        if (listed(m) == minterms) {
            if (vcc == circuit::kNoNet) vcc = c.constant(1, {xV, yin});
            data.push_back(vcc);
        } else {
            if (ground == circuit::kNoNet) ground = c.constant(0, {xG, yG});
            data.push_back(ground);
        }
    }
    std::vector<NetId> select;
    for (int i = 1; i <= width; ++i) select.push_back(c.variableNet(i - 1));
    const NetId out = c.net("Y");
    addBlock(c, b, select, data, circuit::kNoNet, out);

    for (int i = 1; i <= width; ++i) {
        const int x = xin + i * 400;
        c.wire(select[static_cast<std::size_t>(i - 1)], {x, b.bottom()}, {x, b.bottom() + 400},
               circuit::Stroke::Plain);
        c.printAt(x - 50, b.bottom() + 500, drawing::varName(function, i));
        c.variable(i - 1, {x - 50, b.bottom() + 500}, {x, b.bottom() + 400});
    }
    c.wire(out, {b.right(), b.yOut()}, {b.right() + 400, b.yOut()}, circuit::Stroke::Plain);
    c.printAt(b.right() + 430, b.yOut() - 90, " Y ");
    c.output(out, {b.right() + 400, b.yOut()});
    c.printAt(xV - 100, yin - 200, "Vcc");

    int zeroInputs = 0;
    const auto wire = [&](NetId net, int x1, int y1, int x2, int y2) {
        c.wire(net, {x1, y1}, {x2, y2}, circuit::Stroke::Plain);
    };
    // The connection marks of this drawing are open circles: it never fills.
    const auto openDot = [&](NetId net, int x, int y) {
        c.dot(net, {x, y}, circuit::DotKind::Open);
    };

    // The Vcc rail runs from the block's top edge to the lowest input on it;
    // the ground rail from the highest input on it down to the ground symbol.
    // Every input but the rail's end gets a mark where it leaves the rail.
    const auto tieToGround = [&](int m) {
        ++zeroInputs;
        wire(ground, xG, b.yIn(m), xG, yG);
        if (zeroInputs > 1) openDot(ground, xG, b.yIn(m));
        wire(ground, xG, b.yIn(m), xin, b.yIn(m));
    };

    if (minterms) {
        // With no minterm at all (only don't-cares were ticked) the function
        // is 0: there is no Vcc rail, every input goes to ground.
        for (int i = 1; i <= T; ++i) {
            const int t = terms[static_cast<std::size_t>(i - 1)];
            wire(vcc, xV, yin, xV, b.yIn(terms.back()));
            if (i != T) openDot(vcc, xV, b.yIn(t));
            wire(vcc, xV, b.yIn(t), xin, b.yIn(t));
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
            wire(vcc, xV, yin, xV, b.yIn(m));
            if (oneInputs != N - T) openDot(vcc, xV, b.yIn(m));
            wire(vcc, xV, b.yIn(m), xin, b.yIn(m));
        }
    }

    if (zeroInputs > 0) c.ground(xG, yG, false, true, ground);
    return c.take();
}

void draw1Mux(drawing::Canvas& canvas, const drawing::FunctionView& function) {
    auto drawn = std::make_shared<drawing::DrawnCircuit>(build1Mux(canvas, function));
    drawing::renderCircuit(canvas, *drawn);
    canvas.setCircuit(std::move(drawn));
}

}  // namespace quendal::mux
