#include "mux/mux_tree.h"

#include "drawing/drawing_kit.h"
#include "drawing/gates.h"
#include "mux/mux_block.h"
#include "mux/mux_terms.h"

#include <vector>

namespace quendal::mux {

namespace {

// The first-level blocks stand in a column at this x, the first one at kY0.
constexpr int kX0 = drawing::kBlockOrigin.x;
constexpr int kY0 = 1000;
constexpr int kVccX = kX0 - kVccRailLeft;
constexpr int kGroundX = kX0 - kGroundRailLeft;
// The rails start this far below the top of the canvas.
constexpr int kRailTop = 800;

// This drawing's connection marks are filled discs in the foreground colour.
void filledDot(drawing::Canvas& canvas, int x, int y) {
    canvas.setFillStyle(drawing::FillStyle::Solid);
    canvas.circle(x, y, 25);
    canvas.setFillStyle(drawing::FillStyle::Transparent);
}

}  // namespace

int selectTieX(int xin, int s, int selectLines, int numVars) {
    const int pitch = (numVars - selectLines == 2 && selectLines >= 5) ? 200 : 400;
    return xin - 3000 + pitch * s;
}

void drawMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines,
             int muxNo, int noOfMux, int xin, int yin) {
    const int v = selectLines;
    const int numVars = function.function.width;
    const MuxBlock b{v, xin, yin};
    const int N = b.N();
    enlargeForBlock(canvas, b);
    drawBlockBody(canvas, b);

    if (numVars - v == 1) {
        canvas.line(xin + 200, b.bottom() + 25, xin + 200, b.bottom() + 125);
        canvas.circle(xin + 200, b.bottom() + 12, 25);
    }

    // An even block sits 800 below the odd one and takes its select lines
    // through its top edge, so only odd blocks draw them.
    if (muxNo % 2 == 1) {
        for (int s = 1; s <= v; ++s) {
            const int x = b.xSel(s);
            canvas.line(x, b.bottom(), x, b.bottom() + 800);
            if (noOfMux > 1) {
                const int y = b.bottom() + 100 * s + 120;
                canvas.line(x, y, selectTieX(xin, s, v, numVars), y);
                filledDot(canvas, x, y);
            }
            canvas.printAt(x + 50, b.bottom(), {drawing::varName(function, numVars - v + s)});
        }
    }

    drawOutputLine(canvas, b);

    const std::vector<bool> vcc = tiedToVcc(function, N * noOfMux);
    const int first = (muxNo - 1) * N;
    const auto tie = [&](int m, int rail) {
        filledDot(canvas, rail, b.yIn(m));
        canvas.line(rail, b.yIn(m), xin, b.yIn(m));
    };
    if (function.mode == logic::TermMode::Minterms) {
        for (int m = 0; m < N; ++m)
            if (vcc[static_cast<std::size_t>(first + m)]) tie(m, xin - kVccRailLeft);
        for (int m = 0; m < N; ++m)
            if (!vcc[static_cast<std::size_t>(first + m)]) tie(m, xin - kGroundRailLeft);
    } else {
        for (int m = 0; m < N; ++m)
            tie(m, vcc[static_cast<std::size_t>(first + m)] ? xin - kVccRailLeft
                                                            : xin - kGroundRailLeft);
    }
}

void drawMulMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines) {
    const int numVars = function.function.width;
    const int k = selectLines;
    const int numTerms = 1 << numVars;
    const int P = 1 << k;
    const int M = numTerms / P;
    const int h = P * 200 + 1000;

    for (int q = 1; q <= M; ++q) drawMux(canvas, function, k, q, M, kX0, (q - 1) * h + kY0);

    // A rail is drawn only where some input hangs on it: a function that is 0
    // everywhere has no Vcc rail, one that is 1 everywhere no ground rail.
    const std::vector<bool> vcc = tiedToVcc(function, numTerms);
    bool anyVcc = false, anyGround = false;
    for (bool one : vcc) (one ? anyVcc : anyGround) = true;

    const int railEnd = M * h + 500;
    drawing::printVccLabel(canvas, kVccX, kRailTop);
    if (anyVcc) canvas.line(kVccX, kRailTop, kVccX, railEnd);
    if (anyGround) {
        canvas.line(kGroundX, kRailTop, kGroundX, railEnd);
        drawing::drawGround(canvas, kGroundX, railEnd, drawing::GroundSize::Small, true);
    }

    const int outputEndX = kX0 + (k + 1) * 400 + 400;
    if (numVars - k == 1) {
        // Each drawing has its own gate area, so the OR gate always stands at
        // the end of the output lines, whatever was drawn before.
        drawing::GateArea area;
        const drawing::Point out = drawing::drawOrGate(
            canvas, area, outputEndX, kY0 + (P + 1) * 100, outputEndX, h + kY0 + (P + 1) * 100);
        for (int q = 1; q <= M; ++q) canvas.line(4200, q * h + 325, 2000, q * h + 325);
        canvas.line(2000, h + 325, 1000, h + 325);
        canvas.printAt(900, h + 150, {drawing::varName(function, 1)});
        for (int s = 1; s <= k; ++s) {
            const int y = h + 320 + 100 * s;
            canvas.line(1000, y, selectTieX(kX0, s, k, numVars), y);
        }
        filledDot(canvas, 2000, h + 325);
        const int yN = M * h / 4 + h + 400;
        canvas.line(2000, h + 325, 2000, yN);
        drawing::drawNotGate(canvas, 2000, yN);
        canvas.line(2000, yN + 200, 2000, M * h + 325);
        canvas.printAt(out.x + 50, out.y - 50, {"Y"});
    } else if (numVars - k == 2) {
        const int yS = (M - 1) * h / 2 + 500 + (P + 1) * 100 - 40 * P;
        const int xS = kX0 + (k + 1) * 400 + 1500;
        simpleMux(canvas, function, k, xS, yS);
        for (int q = 1; q <= M; ++q) {
            const int yFrom = (q - 1) * h + 600 + h / 2;
            const int yTo = yS + 200 * q;
            if (k == 2) {
                canvas.line(outputEndX, yFrom, xS - 500, yTo);
                continue;
            }
            // A larger second-level block has unused inputs below input 3; a
            // slanted tie would run along their open ends, so the ties go
            // square. The outer two keep to the outer column, so no tie
            // crosses another.
            const int column = outputEndX + ((q == 1 || q == M) ? 400 : 200);
            canvas.line(outputEndX, yFrom, column, yFrom);
            canvas.line(column, yFrom, column, yTo);
            canvas.line(column, yTo, xS - 500, yTo);
        }
        for (int s = 1; s <= k; ++s) {
            const int xs = selectTieX(kX0, s, k, numVars);
            const int y = h + 100 * s + 325;
            canvas.line(xs, (M - 1) * h + 100 * s + 325, xs, y);
            canvas.line(xs, y, 1000, y);
            filledDot(canvas, xs, y);
        }
    }
}

}  // namespace quendal::mux
