#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quendal::circuit {

// A circuit as Quendal draws it: its parts (terminals, constants, gates,
// multiplexer and demultiplexer blocks) with their pins, the nets that join
// the pins, and where everything stands on the drawing, in twips (origin top
// left, y down). The drawings are rendered from it, the simulation and the
// exports read it; it knows nothing of colours or fonts.

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// A rectangle: top-left corner, width and height.
struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    friend constexpr bool operator==(const Box&, const Box&) = default;
};

using NetId = int;
inline constexpr NetId kNoNet = -1;

enum class PartKind {
    Input,     // a variable's terminal: one Out pin; name is the letter
    Constant,  // Vcc (value 1) or ground (value 0): one Out pin
    Output,    // the output Y: one In pin
    Not,       // one In pin
    And,       // gates: one In pin per input (two pins on one net for an
    Or,        //   inverter made of a two-input gate)
    Nand,
    Nor,
    Mux,    // Select pins (most significant first), 2^n Data pins, an
            //   optional active-low Strobe, one Out pin
    Demux,  // Select pins (most significant first), one Data pin, an
            //   active-low Strobe, 2^n Out pins
};

// How a part is drawn: the renderer picks the figure by kind and look.
enum class Look {
    Terminal,  // an input letter, a constant or Y: drawn by labels and wires
    Gate,      // a two-input gate pointing right; `at` is (gateX, gateY)
    Inverter,  // pointing down, its input at the top centre `at`
    Combiner,  // the demultiplexer's gate: every lead meets its input bar
    Block,     // a multiplexer or demultiplexer block; `at` is its top-left corner
};

enum class PinRole { In, Select, Data, Strobe, Out };

struct Pin {
    PinRole role = PinRole::In;
    NetId net = kNoNet;
    Point at;  // where the wire meets the part
};

struct Part {
    PartKind kind = PartKind::Input;
    Look look = Look::Terminal;
    // Input: the letter; Constant: "Vcc" or "GND"; Output: "Y"; others an
    // id unique in the netlist ("g1", "u2", "mux1").
    std::string name;
    int column = -1;  // Input: the variable's column (0 for the first letter)
    int value = 0;    // Constant: 0 or 1
    // Demux: the unselected outputs rest at 1 and the selected one carries
    // the data input (a data input of 0 makes them active low).
    bool activeLowOutputs = false;
    Point at;  // the anchor the figure is drawn from (see Look)
    Box box;   // the body, without its wires
    std::vector<Pin> pins;

    // The pins of one role, in order.
    std::vector<Pin> pinsOf(PinRole role) const;
    // Inputs of any role (In, Select, Data, Strobe), in order.
    std::vector<Pin> inputs() const;
    // The first Out pin's net (kNoNet when the part has none).
    NetId output() const;
};

// A pin of a part: part index into Netlist::parts, pin index into its pins.
struct PinRef {
    int part = -1;
    int pin = -1;
    friend constexpr bool operator==(PinRef, PinRef) = default;
};

// How a wire is stroked: in the wire colour, or in the foreground colour
// (the multiplexer and demultiplexer drawings draw their wires so).
enum class Stroke { Wire, Plain };

// One straight wire of a net.
struct Wire {
    NetId net = kNoNet;
    Point from, to;
    Stroke stroke = Stroke::Wire;
};

// A connection mark on a net: the gate circuits' black junction dot, the
// multiplexer tree's filled dot, the single multiplexer's open circle.
enum class DotKind { Junction, Filled, Open };
struct Dot {
    NetId net = kNoNet;
    Point at;
    DotKind kind = DotKind::Junction;
};

struct Net {
    std::string name;  // "A", "A_n", "n7", "Y", ...
    PinRef driver;     // part -1: nothing drives it (an unused pin's stub)
    std::vector<PinRef> sinks;
    std::vector<int> wires;  // indices into Netlist::wires, in drawing order
    std::vector<int> dots;   // indices into Netlist::dots
};

// An output port: its name and the net it shows.
struct NamedOutput {
    std::string name;
    NetId net = kNoNet;
    friend bool operator==(const NamedOutput&, const NamedOutput&) = default;
};

// The drawing a netlist was made for.
enum class Style { Basic, Nand, Nor, Mux, Demux };
const char* styleName(Style style);  // "basic", "nand", "nor", "mux", "demux"

struct Netlist {
    Style style = Style::Basic;
    // The function's letters, first column first: the ports, whether or not
    // the circuit uses each.
    std::vector<std::string> letters;
    std::vector<Part> parts;
    std::vector<Net> nets;
    std::vector<Wire> wires;
    std::vector<Dot> dots;
    NetId output = kNoNet;  // the net of Y; with named outputs, the first one's
    // A circuit of several outputs (a design) names each; empty for the
    // drawings of one function, whose one output is Y on `output`.
    std::vector<NamedOutput> outputs;

    // Building. addPart records each pin's net as driven (Out) or read by
    // the part; a net driven twice is a fault the caller never makes.
    NetId addNet(std::string name);
    int addPart(Part part);
    int addWire(NetId net, Point from, Point to, Stroke stroke = Stroke::Wire);
    int addDot(NetId net, Point at, DotKind kind);

    int width() const { return static_cast<int>(letters.size()); }
    const Net& net(NetId id) const { return nets[static_cast<std::size_t>(id)]; }
    const Part& part(int index) const { return parts[static_cast<std::size_t>(index)]; }
    // The Input part of a letter's column, -1 when the circuit has none.
    int inputPart(int column) const;
};

// Every net's value (0 or 1) for the input row, whose bit width-1-c is the
// value of column c, as the truth table numbers its rows. A net that nothing
// drives reads 0, as a select line left open does in the drawings' blocks.
std::vector<std::uint8_t> evaluate(const Netlist& netlist, std::uint64_t row);

// Y for the row.
bool outputValue(const Netlist& netlist, std::uint64_t row);

// The outputs, first to last: the named ones, or Y on `output` when there are
// none.
std::vector<NamedOutput> outputPorts(const Netlist& netlist);

}  // namespace quendal::circuit
