#pragma once

#include <string>
#include <vector>

#include "circuit/netlist.h"

namespace quendal::circuit {

// What an implementation costs: its gates and blocks, the gate inputs, the
// levels from input to output, and the 74-series packages it takes. A pure
// reading of a netlist, so every drawing kind is costed by one rule. Only
// the parts Y depends on count: an inverter the drawing gives a variable
// that no product uses is no cost.

// Gates (or blocks) of one kind and size. For a gate `inputs` is its input
// pins (an inverter made of a two-input gate has two); for a multiplexer its
// select lines k (a 2^k : 1 block), for a demultiplexer its select lines n
// (a 1 : 2^n block).
struct PartCount {
    PartKind kind = PartKind::And;
    int inputs = 0;
    int count = 0;
    friend bool operator==(const PartCount&, const PartCount&) = default;
};

// One 74-series part and how many of it the implementation takes.
struct PackageCount {
    std::string part;         // "7400"
    std::string description;  // "quad 2-input NAND"
    int perPackage = 0;       // gates or blocks in one package
    int used = 0;             // gates or blocks of the implementation mapped onto it
    int packages = 0;         // packages needed: used / perPackage, rounded up
    friend bool operator==(const PackageCount&, const PackageCount&) = default;
};

struct Cost {
    std::vector<PartCount> gates;   // NOT, AND, OR, NAND, NOR; by kind, then inputs
    std::vector<PartCount> blocks;  // multiplexers, then demultiplexers; by size
    int gateCount = 0;
    int gateInputs = 0;  // input pins of all gates (blocks not included)
    // The most parts (gates and blocks, inverters included) on a path from
    // an input terminal or constant to Y; 0 when Y is a wire from an input.
    int levels = 0;
    std::vector<PackageCount> packages;  // in the order of kMappingLines
    int packageTotal = 0;
};

Cost costOf(const Netlist& netlist);

// The mapping onto 74-series parts, one line each, as the cost table
// writes it under the table.
std::vector<std::string> packageMappingLines();

// The cost as a JSON object (the netlist export's "cost" key).
std::string costJson(const Cost& cost);

// A part kind's name as the table writes it ("NOT", "AND", ..., "MUX", "DEMUX").
const char* kindName(PartKind kind);

}  // namespace quendal::circuit
