#pragma once

#include "tests/support/recording_canvas.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// Reads a multiplexer drawing back as a circuit, from its recorded
// operations only: wires are joined where an end meets another wire (a
// four-way meeting without a dot is a crossing), blocks are the boxes with
// their pins where the block geometry puts them, and the nets are named by
// the texts next to them ("Vcc", variable letters, "Y"), the ground symbol,
// the inverters and the OR gate. The result computes Y for an assignment of
// the variables, so a test can compare the drawing with its function.
class MuxNetlist {
public:
    explicit MuxNetlist(const std::vector<RecordingCanvas::Op>& ops);

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
    struct Segment {
        int x1, y1, x2, y2;
    };
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

    int find(int i) const;
    void join(int a, int b);
    int netAt(int x, int y) const;
    int netNear(int x, int y, int maxDistance) const;
    std::optional<int> value(int net, const std::map<std::string, int>& values,
                             std::vector<signed char>& memo, int depth, std::string* why) const;
    void resolveDrivers();

    std::vector<Segment> wires_;
    mutable std::vector<int> parent_;
    std::vector<Block> blocks_;
    std::vector<Inverter> inverters_;
    std::vector<OrGate> ors_;
    std::map<int, std::vector<Driver>> drivers_;  // by net (root segment)
    // Per wire's net: its one driver, or nothing with why it has none.
    std::vector<std::optional<Driver>> driverOf_;
    std::vector<std::string> noDriverReason_;
    int outputNet_ = -1;
    std::vector<std::string> problems_;
};
