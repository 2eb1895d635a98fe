#include "drawing/drawing_kit.h"

namespace quendal::drawing {

namespace {

struct GroundBars {
    int halfWidth[3];
    int below[3];  // each bar's distance below the top one
};

constexpr GroundBars kSmallGround{{100, 50, 30}, {0, 50, 100}};
constexpr GroundBars kLargeGround{{150, 100, 50}, {0, 60, 110}};

}  // namespace

void drawGround(Canvas& canvas, int x, int y, GroundSize size, bool fromRight) {
    const GroundBars& bars = size == GroundSize::Small ? kSmallGround : kLargeGround;
    for (int i = 0; i < 3; ++i) {
        const int w = fromRight ? -bars.halfWidth[i] : bars.halfWidth[i];
        canvas.line(x - w, y + bars.below[i], x + w, y + bars.below[i]);
    }
}

void drawVccBar(Canvas& canvas, int x, int y) {
    canvas.line(x - 100, y, x + 100, y);
    canvas.printAt(x - canvas.textWidth("Vcc") / 2, y - 30 - canvas.lineHeight(), {"Vcc"});
}

void printVccLabel(Canvas& canvas, int x, int y) {
    canvas.printAt(x - 100, y - 200, {"Vcc"});
}

void drawMuxBlockFigure(Canvas& canvas, int x, int y, int v) {
    const int n = 1 << v;
    canvas.box(x, y, (v + 1) * 400, (n + 1) * 200);
    const int labelX = x + (v + 1) * 200;
    const int labelY = y + (n + 1) * 100;
    canvas.printAt(labelX, labelY, {PrintItem::number(n), ": 1"});
    canvas.printAt(labelX, labelY + 200, {" MUX "});
    // Printed 100 above each input so that a number sits on its input's height.
    for (int i = 1; i <= n; ++i) canvas.printAt(x, y + i * 200 - 100, {PrintItem::number(i - 1)});
}

std::string implementationHeader(const FunctionView& f) {
    std::string header =
        "     User  :  " + f.userName + "   Date  :  " + f.dateText + "   Time  :  " + f.timeText;
    header += f.mode == logic::TermMode::Minterms ? "     Min Terms  :  " : "     Max Terms  :  ";
    // A typed equation may reach us without a term text; its covered terms
    // are what the drawing implements, so they are what the header lists.
    header += headerTermsText(f);
    if (!f.dontCareText.empty()) header += "     DontCare Terms  :  " + f.dontCareText;
    return header;
}

void printImplementationHeader(Canvas& canvas, const std::string& header) {
    canvas.setCurrentX(0);
    canvas.setCurrentY(0);
    canvas.print();
    canvas.print({header});
}

}  // namespace quendal::drawing
