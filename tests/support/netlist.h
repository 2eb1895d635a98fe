#pragma once

// Reads a recorded drawing back as the circuit it describes, from the canvas
// operations alone, so that a test checks what is drawn rather than what the
// layout meant to draw. One wire engine and one set of symbol recognisers
// serve every drawing; each kind of drawing adds what only it has:
// - gate circuits (readNetlist): two-input gates pointing right, inverters
//   pointing down, variable lines under their letters, Vcc and ground, the
//   output dot with "Y";
// - multiplexer drawings (MuxNetlist): blocks with their pins where the
//   block geometry puts them, rails, inverters, the OR gate, labels;
// - demultiplexer drawings (readDemuxNetlist): the block's numbered outputs,
//   Din, and the one gate that combines the outputs.
//
// Usage:
//   netlist::Netlist n = netlist::readNetlist(canvas.operations());
//   ASSERT_TRUE(n.problems.empty()) << n.describe();
//   std::optional<bool> y = n.evaluate({{"A", true}, {"B", false}});

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "circuit/netlist.h"
#include "drawing/drawn_circuit.h"
#include "drawing/gates.h"
#include "tests/support/recording_canvas.h"

namespace netlist {

using Op = quendal::drawing::RecordingCanvas::Op;

// A straight wire between two points, in twips.
struct Segment {
    int x1, y1, x2, y2;
};

// Where wires meet: an end of one that lies within tolerance of another
// joins it. With crossingNeedsDot, wires that meet the middle of a wire from
// both sides without a dot there cross it instead of joining it.
struct JoinRule {
    int tolerance = 0;
    bool crossingNeedsDot = false;
};

// The wires of a drawing and the nets they form. Add every wire, then
// connect; a net is named by one of its wires.
class Wires {
public:
    explicit Wires(JoinRule rule = {}) : rule_(rule) {}

    int add(const Segment& segment);
    // Joins the wires where they meet; dots are the drawing's connection
    // marks. Call once, after the last add.
    void connect(const std::vector<quendal::drawing::Point>& dots = {});

    int size() const { return static_cast<int>(segments_.size()); }
    const Segment& operator[](int wire) const { return segments_[static_cast<std::size_t>(wire)]; }
    bool endsAt(int wire, quendal::drawing::Point p) const;
    int net(int wire) const;
    // The wires that pass within tolerance of p.
    std::vector<int> at(quendal::drawing::Point p) const;
    // The net of the first wire with an end at p; -1 when none has.
    int netWithEndAt(quendal::drawing::Point p) const;
    // The net of the wire nearest to p within reach; -1 when none is.
    int netNear(quendal::drawing::Point p, int reach) const;

private:
    bool touches(int wire, quendal::drawing::Point p) const;
    void index();
    const std::vector<int>* candidates(quendal::drawing::Point p) const;
    void join(int a, int b);

    JoinRule rule_;
    std::vector<Segment> segments_;
    std::vector<int> all_;
    std::map<std::pair<int, int>, std::vector<int>> cells_;
    mutable std::vector<int> parent_;
};

// Gates, recognised by their bodies.
enum class GateKind { Not, And, Nand, Or, Nor };
const char* kindName(GateKind kind);

struct Gate {
    GateKind kind;
    quendal::drawing::Point at;  // two-input gates: (gateX, gateY); inverters: top centre
    std::vector<quendal::drawing::Point> pins;  // input pins (an inverter made of a two-input gate
                                                // lists its joined input twice)
    quendal::drawing::Point outPin;
    std::vector<int> inputs;  // the net of each input pin, -1 when nothing touches it
    int output = -1;          // the net of the output pin
};

// Two-input gates pointing right, by their bodies: the round front of
// AND/NAND (arc of radius 150 from 3pi/2 to pi/2) and the concave back of
// OR/NOR (arc of radius 180 around the input side); a bubble (circle of
// radius 25 at the front) makes them NAND/NOR. Pins: inputs where the leads
// meet the body, output at the front (after the bubble). Inverters pointing
// down: the triangle with its bubble (NOT), and the NAND/NOR with joined
// inputs (round lower half of radius 100 plus bubble; a concave back makes
// it a NOR). Both inputs are the top centre.
std::vector<Gate> recogniseGates(const std::vector<Op>& ops);

// The ground symbol: three bars drawn one after another, centred on one x,
// each shorter and lower than the one before. top is the top bar's middle.
struct Ground {
    quendal::drawing::Point top;
    std::size_t firstOp;  // the top bar
};
std::vector<Ground> findGrounds(const std::vector<Op>& ops);

// ---- Gate circuits ------------------------------------------------------

// Wires are green lines, and navy lines outside AND bodies (the AND gate's
// leads and output). Two wires join where an end of one lies on the other;
// wires that only cross are not joined. A vertical wire whose top end lies
// just below a one-letter text carries that variable. "Vcc" above a bar is
// logic 1; the ground symbol logic 0. The output is the filled dot with "Y"
// printed at its upper right.
struct Netlist {
    int netCount = 0;
    std::map<std::string, int> variables;  // letter -> net of its true line
    int vccNet = -1;
    int groundNet = -1;
    std::vector<Gate> gates;
    int outputNet = -1;  // -1 when no output dot with "Y" was found
    // Everything that makes the drawing unreadable as a circuit: a pin that
    // touches no wire, a net with two drivers or none, a missing output.
    std::vector<std::string> problems;

    // Y for the given variable values (letters not given are false), or
    // nothing when the output does not settle to a value.
    std::optional<bool> evaluate(const std::map<std::string, bool>& values) const;
    int count(GateKind kind) const;
    // One line per gate, "NAND(A, n3) -> n4", and the output, for messages.
    std::string describe() const;
};

Netlist readNetlist(const std::vector<Op>& ops);

}  // namespace netlist

// ---- Multiplexer drawings -------------------------------------------------

// Wires are joined where an end meets another wire (a four-way meeting
// without a dot is a crossing), blocks are the boxes with their pins where
// the block geometry puts them, and the nets are named by the texts next to
// them ("Vcc", variable letters, "Y"), the ground symbol, the inverters and
// the OR gate. The result computes Y for an assignment of the variables, so
// a test can compare the drawing with its function.
class MuxNetlist {
public:
    explicit MuxNetlist(const std::vector<quendal::drawing::RecordingCanvas::Op>& ops);

    struct Block {
        int x = 0, y = 0, v = 0;
        std::vector<int> data;    // net per data input, -1 where nothing is attached
        std::vector<int> select;  // net per select line, left to right
        int strobe = -1;          // active-low strobe, -1 where the block has none
        int output = -1;
    };

    // Problems found while reading (a block of a wrong size, a label with no
    // wire near it); empty for a well-formed drawing.
    const std::vector<std::string>& problems() const { return problems_; }
    const std::vector<Block>& blocks() const { return blocks_; }

    // The rail (1 for Vcc, 0 for ground) that a net is tied to, if it is.
    std::optional<int> railOf(int net) const;
    // The variable a net carries, if it is labelled with one.
    std::optional<std::string> variableOf(int net) const;

    // Y for the given variable values; nothing (with the reason in why) when
    // Y depends on a net that is floating or driven twice.
    std::optional<int> evaluate(const std::map<std::string, int>& values,
                                std::string* why = nullptr) const;

private:
    struct Driver {
        enum Kind { Vcc, Ground, Variable, MuxOut, InverterOut, OrOut } kind;
        int index = 0;     // block, inverter or OR gate
        std::string name;  // variable
    };
    struct Inverter {
        int in, out;
    };
    struct OrGate {
        int in1, in2, out;
    };

    std::optional<int> value(int net, const std::map<std::string, int>& values,
                             std::vector<signed char>& memo, int depth, std::string* why) const;
    void resolveDrivers();

    netlist::Wires wires_;
    std::vector<Block> blocks_;
    std::vector<Inverter> inverters_;
    std::vector<OrGate> ors_;
    std::map<int, std::vector<Driver>> drivers_;  // by net
    // Per wire's net: its one driver, or nothing with why it has none.
    std::vector<std::optional<Driver>> driverOf_;
    std::vector<std::string> noDriverReason_;
    int outputNet_ = -1;
    std::vector<std::string> problems_;
};

// ---- Demultiplexer drawings ---------------------------------------------

// The block's outputs (numbered by their printed labels, active low where a
// bubble sits on them), the Din value, the combining gate's kind, and which
// outputs reach the gate's inputs through drawn wires. Without a gate, what
// the output Y is tied to.
struct DemuxNetlist {
    enum class Gate { None, And, Nand, Or, Nor };

    int din = -1;
    int numOutputs = 0;
    std::vector<bool> activeLow;  // per output number
    Gate gate = Gate::None;
    std::vector<int> feeding;     // output numbers wired to the gate, ascending
    std::optional<int> constant;  // 0 for ground, 1 for Vcc, when there is no gate

    // Y for the select value `row`: each output carries Din while selected
    // and its inactive level otherwise; the gate combines those it is fed.
    int evaluate(int row) const;
};

// Throws std::runtime_error with a description when the drawing cannot be
// read (no block, unlabelled outputs, a gate without a recognisable body).
DemuxNetlist readDemuxNetlist(const quendal::drawing::RecordingCanvas& canvas);

std::string gateName(DemuxNetlist::Gate gate);

// ---- The picture against the model ----------------------------------------

// Whether a drawing read back and the circuit model it was rendered from
// agree: the same gates or blocks in the same places, every pin of the one
// on the net that corresponds to its pin's net in the other (one picture net
// per model net and back), the variables, rails and Y on corresponding nets,
// and the same Y on every row. Returns what differs; empty when nothing does.
namespace netlist {
std::string disagreement(const quendal::circuit::Netlist& model, const Netlist& picture);
std::string disagreement(const quendal::circuit::Netlist& model, const MuxNetlist& picture);
std::string disagreement(const quendal::circuit::Netlist& model, const DemuxNetlist& picture);
}  // namespace netlist
