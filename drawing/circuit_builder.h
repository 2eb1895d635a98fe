#pragma once

#include <string>
#include <vector>

#include "drawing/drawn_circuit.h"
#include "drawing/function_view.h"

namespace quendal::drawing {

// Builds a DrawnCircuit the way a drawing used to draw: each call adds the
// element it stands for, in order, and the parts and wires to the netlist.
// It follows the size of the canvas the circuit will be rendered on (and
// borrows its text metrics), so that a layout can ask for them as it did of
// the canvas.
class CircuitBuilder {
public:
    CircuitBuilder(const Canvas& target, circuit::Style style, const FunctionView& function);

    circuit::Netlist& netlist() { return drawn_.netlist; }
    DrawnCircuit take() { return std::move(drawn_); }

    int width() const { return width_; }
    int height() const { return height_; }
    int textWidth(const std::string& text) const { return metrics_.textWidth(text); }
    int lineHeight() const { return metrics_.lineHeight(); }

    circuit::NetId net(std::string name) { return drawn_.netlist.addNet(std::move(name)); }
    int part(circuit::Part part) { return drawn_.netlist.addPart(std::move(part)); }
    // The figure of a part, here in the drawing order.
    void body(int part);
    void wire(circuit::NetId net, circuit::Point from, circuit::Point to,
              circuit::Stroke stroke = circuit::Stroke::Wire);
    void dot(circuit::NetId net, circuit::Point at, circuit::DotKind kind);

    void print(const std::string& text = {});
    void printAt(int x, int y, const std::string& text);
    void line(int x1, int y1, int x2, int y2, std::optional<Rgb> colour = std::nullopt,
              circuit::NetId net = circuit::kNoNet);
    void circle(int x, int y, int r, circuit::NetId net = circuit::kNoNet);
    void ground(int x, int y, bool large, bool fromRight, circuit::NetId net);
    void vccBar(int x, int y, circuit::NetId net);
    // As Canvas::setSize: nothing when the size stays.
    void resize(int width, int height);
    void scrollMax(bool horizontal, int value);

    // The net of the variable of column `column`. Its input terminal is made
    // by the first call of `variable`, at the column's first label (at),
    // its net leaving it at `pin`; the label itself is the caller's to print.
    circuit::NetId variableNet(int column);
    circuit::NetId variable(int column, circuit::Point at, circuit::Point pin);
    // A new constant (1: Vcc, 0: ground) whose net leaves it at `pin`.
    circuit::NetId constant(int value, circuit::Point pin);
    // Y on the net, its pin at `pin` (the label is the caller's).
    void output(circuit::NetId net, circuit::Point pin);

private:
    DrawnCircuit::Element& add(DrawnCircuit::Element::Kind kind);

    const Canvas& metrics_;
    const FunctionView& function_;
    DrawnCircuit drawn_;
    std::vector<circuit::NetId> variables_;  // per column; kNoNet until asked for
    std::vector<bool> terminals_;            // per column: the terminal is made
    int width_, height_;
};

}  // namespace quendal::drawing
