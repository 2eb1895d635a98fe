#include "drawing/gates.h"

#include <algorithm>
#include <cmath>

namespace quendal::drawing {

namespace {

// The angles as the gate tables fix them, so arcs land on the same pixels.
constexpr double kPi = 3.14159265358979;
constexpr double kThreeHalfPi = 9.42477795 / 2;
constexpr double kHalfPi = kPi / 2;
constexpr double kTwoPi = 6.2831853;

// Steps common to every two-input gate: place it, wire its inputs, dot the
// inputs that tap a variable line and bring both inputs to its leads.
void placeGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    a.gateX = std::max({xin1, xin2, a.gateAreaX});
    a.gateY = roundHalfToEven((static_cast<double>(yin1) + yin2) / 2.0);
    c.line(xin1, yin1, a.gateX, yin1, colours::green);
    c.line(xin2, yin2, a.gateX, yin2, colours::green);
    if (xin1 < a.gateAreaX) junctionDot(c, xin1, yin1);
    if (xin2 < a.gateAreaX) junctionDot(c, xin2, yin2);
    c.line(a.gateX, yin1, a.gateX, a.gateY - 100, colours::green);
    c.line(a.gateX, yin2, a.gateX, a.gateY + 100, colours::green);
}

// The flat back and round front shared by AND and NAND.
void andBody(Canvas& c, int X, int Y, Rgb leads, Rgb body) {
    c.line(X, Y - 100, X + 100, Y - 100, leads);
    c.line(X, Y + 100, X + 100, Y + 100, leads);
    c.line(X + 100, Y - 150, X + 100, Y + 150, body);
    c.line(X + 100, Y - 150, X + 200, Y - 150, body);
    c.line(X + 100, Y + 150, X + 200, Y + 150, body);
    c.arc(X + 200, Y, 150, body, kThreeHalfPi, kHalfPi);
}

// Steps 1 to 7 shared by OR and NOR: the curved body and the input leads.
void orBody(Canvas& c, int X, int Y) {
    const int r1 = static_cast<int>(std::lround(std::sqrt(150.0 * 150.0 + 100.0 * 100.0)));
    const int r2 = static_cast<int>(std::lround(std::sqrt(100000.0)));
    const double a1 = std::atan(150.0 / 100.0);
    const double a2 = std::atan(150.0 / 250.0);
    const double a3 = std::atan(300.0 / 100.0);
    c.line(X + 100, Y - 150, X + 200, Y - 150, colours::red);
    c.line(X + 100, Y + 150, X + 200, Y + 150, colours::red);
    c.arc(X, Y, r1, colours::red, kTwoPi - a1, a1);
    c.arc(X + 100, Y + 150, r2, colours::red, a2, a3);
    c.arc(X + 100, Y - 150, r2, colours::red, kTwoPi - a3, kTwoPi - a2);
    c.line(X, Y - 100, X + 150, Y - 100, colours::green);
    c.line(X, Y + 100, X + 150, Y + 100, colours::green);
}

}  // namespace

int roundHalfToEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

void drawNotGate(Canvas& c, int x, int y) {
    c.line(x - 100, y, x + 100, y);
    c.line(x - 100, y, x, y + 150);
    c.line(x + 100, y, x, y + 150);
    c.circle(x, y + 175, 25);
}

void drawNotUsingNandGate(Canvas& c, int x, int y) {
    const Rgb b = colours::blue;
    c.line(x - 50, y, x - 50, y + 50, b);
    c.line(x + 50, y, x + 50, y + 50, b);
    c.line(x - 50, y, x + 50, y, b);
    c.line(x - 100, y + 50, x + 100, y + 50, b);
    c.line(x - 100, y + 50, x - 100, y + 100, b);
    c.line(x + 100, y + 50, x + 100, y + 100, b);
    c.arc(x, y + 100, 100, b, kPi, 0);
    c.circle(x, y + 225, 25, b);
}

void drawNotUsingNorGate(Canvas& c, int x, int y) {
    const Rgb r = colours::red;
    c.line(x - 50, y, x - 50, y + 70, r);
    c.line(x + 50, y, x + 50, y + 75, r);
    c.line(x - 50, y, x + 50, y, r);
    c.arc(x, y - 100, 180, r, kThreeHalfPi - 0.59, kThreeHalfPi + 0.59);
    c.line(x - 100, y + 50, x - 100, y + 100, r);
    c.line(x + 100, y + 50, x + 100, y + 100, r);
    c.arc(x, y + 100, 100, r, kPi, 0);
    c.circle(x, y + 225, 25, r);
}

int drawInverter(Canvas& c, InverterKind kind, int x, int y) {
    switch (kind) {
        case InverterKind::Not: drawNotGate(c, x, y); return 200;
        case InverterKind::Nand: drawNotUsingNandGate(c, x, y); return 250;
        case InverterKind::Nor: drawNotUsingNorGate(c, x, y); return 250;
    }
    return 250;
}

Point drawAndGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    const int X = a.gateX, Y = a.gateY;
    andBody(c, X, Y, colours::navy, colours::navy);
    c.line(X + 350, Y, X + 450, Y, colours::navy);
    return {X + 450, Y};
}

Point drawNandGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    const int X = a.gateX, Y = a.gateY;
    andBody(c, X, Y, colours::green, colours::blue);
    c.circle(X + 375, Y, 25, colours::blue);
    c.line(X + 400, Y, X + 500, Y, colours::green);
    return {X + 500, Y};
}

Point drawOrGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    const int X = a.gateX, Y = a.gateY;
    orBody(c, X, Y);
    c.line(X + 370, Y, X + 470, Y, colours::green);
    c.line(X + 370, Y - 20, X + 370, Y + 30, colours::red);
    return {X + 470, Y};
}

Point drawNorGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    const int X = a.gateX, Y = a.gateY;
    orBody(c, X, Y);
    c.circle(X + 375, Y, 25, colours::red);
    c.line(X + 400, Y, X + 500, Y, colours::green);
    return {X + 500, Y};
}

Point drawAndUsingNandGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    const Point first = drawNandGate(c, a, xin1, yin1, xin2, yin2);
    return drawNandGate(c, a, first.x, first.y, first.x, first.y);
}

Point drawOrUsingNorGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    const Point first = drawNorGate(c, a, xin1, yin1, xin2, yin2);
    return drawNorGate(c, a, first.x, first.y, first.x, first.y);
}

}  // namespace quendal::drawing
