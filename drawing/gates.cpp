#include "drawing/gates.h"

#include "drawing/circuit_builder.h"

#include <algorithm>
#include <cmath>
#include <string>

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

Point drawAndBody(Canvas& c, Point at) {
    const int X = at.x, Y = at.y;
    andBody(c, X, Y, colours::navy, colours::navy);
    c.line(X + 350, Y, X + 450, Y, colours::navy);
    return {X + 450, Y};
}

Point drawNandBody(Canvas& c, Point at) {
    const int X = at.x, Y = at.y;
    andBody(c, X, Y, colours::green, colours::blue);
    c.circle(X + 375, Y, 25, colours::blue);
    c.line(X + 400, Y, X + 500, Y, colours::green);
    return {X + 500, Y};
}

Point drawOrBody(Canvas& c, Point at) {
    const int X = at.x, Y = at.y;
    orBody(c, X, Y);
    c.line(X + 370, Y, X + 470, Y, colours::green);
    c.line(X + 370, Y - 20, X + 370, Y + 30, colours::red);
    return {X + 470, Y};
}

Point drawNorBody(Canvas& c, Point at) {
    const int X = at.x, Y = at.y;
    orBody(c, X, Y);
    c.circle(X + 375, Y, 25, colours::red);
    c.line(X + 400, Y, X + 500, Y, colours::green);
    return {X + 500, Y};
}

Point drawAndGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    return drawAndBody(c, {a.gateX, a.gateY});
}

Point drawNandGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    return drawNandBody(c, {a.gateX, a.gateY});
}

Point drawOrGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    return drawOrBody(c, {a.gateX, a.gateY});
}

Point drawNorGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    placeGate(c, a, xin1, yin1, xin2, yin2);
    return drawNorBody(c, {a.gateX, a.gateY});
}

Point drawAndUsingNandGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    const Point first = drawNandGate(c, a, xin1, yin1, xin2, yin2);
    return drawNandGate(c, a, first.x, first.y, first.x, first.y);
}

Point drawOrUsingNorGate(Canvas& c, GateArea& a, int xin1, int yin1, int xin2, int yin2) {
    const Point first = drawNorGate(c, a, xin1, yin1, xin2, yin2);
    return drawNorGate(c, a, first.x, first.y, first.x, first.y);
}

namespace {

int outputReach(circuit::PartKind kind) {
    switch (kind) {
        case circuit::PartKind::And: return 450;
        case circuit::PartKind::Or: return 470;
        default: return 500;
    }
}

std::string partId(CircuitBuilder& b) {
    return "g" + std::to_string(b.netlist().parts.size());
}

}  // namespace

Tap addGate(CircuitBuilder& b, GateArea& a, circuit::PartKind kind, Tap in1, Tap in2,
            circuit::NetId out) {
    using circuit::PinRole;
    // As placeGate: the same wires, in the same order.
    a.gateX = std::max({in1.at.x, in2.at.x, a.gateAreaX});
    a.gateY = roundHalfToEven((static_cast<double>(in1.at.y) + in2.at.y) / 2.0);
    const int X = a.gateX, Y = a.gateY;
    b.wire(in1.net, {in1.at.x, in1.at.y}, {X, in1.at.y});
    b.wire(in2.net, {in2.at.x, in2.at.y}, {X, in2.at.y});
    if (in1.at.x < a.gateAreaX) b.dot(in1.net, {in1.at.x, in1.at.y}, circuit::DotKind::Junction);
    if (in2.at.x < a.gateAreaX) b.dot(in2.net, {in2.at.x, in2.at.y}, circuit::DotKind::Junction);
    b.wire(in1.net, {X, in1.at.y}, {X, Y - 100});
    b.wire(in2.net, {X, in2.at.y}, {X, Y + 100});

    const int reach = outputReach(kind);
    if (out == circuit::kNoNet) out = b.net({});
    circuit::Part p;
    p.kind = kind;
    p.look = circuit::Look::Gate;
    p.name = partId(b);
    p.at = {X, Y};
    p.box = {X, Y - 150, reach, 300};
    p.pins = {{PinRole::In, in1.net, {X, Y - 100}},
              {PinRole::In, in2.net, {X, Y + 100}},
              {PinRole::Out, out, {X + reach, Y}}};
    b.body(b.part(std::move(p)));
    return {{X + reach, Y}, out};
}

Tap addInverter(CircuitBuilder& b, InverterKind kind, Tap in, circuit::NetId out) {
    using circuit::PinRole;
    const int x = in.at.x, y = in.at.y;
    const int below = kind == InverterKind::Not ? 200 : 250;
    if (out == circuit::kNoNet) out = b.net({});
    circuit::Part p;
    p.kind = kind == InverterKind::Not    ? circuit::PartKind::Not
             : kind == InverterKind::Nand ? circuit::PartKind::Nand
                                          : circuit::PartKind::Nor;
    p.look = circuit::Look::Inverter;
    p.name = partId(b);
    p.at = {x, y};
    p.box = {x - 100, y, 200, below};
    p.pins.push_back({PinRole::In, in.net, {x, y}});
    // A NAND or NOR gate with its two inputs joined.
    if (kind != InverterKind::Not) p.pins.push_back({PinRole::In, in.net, {x, y}});
    p.pins.push_back({PinRole::Out, out, {x, y + below}});
    b.body(b.part(std::move(p)));
    return {{x, y + below}, out};
}

}  // namespace quendal::drawing
