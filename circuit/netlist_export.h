#pragma once

#include <optional>
#include <string>
#include <vector>

#include "circuit/netlist.h"

namespace quendal::circuit {

// The texts a netlist is exported as. Ports are the letters (inputs, first
// column first) and Y (a design: its outputs' names); gates map one to one onto the netlist's
// gates, and multiplexer and demultiplexer blocks become behavioural blocks with the same pins. A
// pin whose net nothing drives is tied to 0.

inline constexpr const char* kDefaultModuleName = "quendal_f";

// The input ports, first column first: each column's letter (or a design's
// input name), with the column's number added ("Y_3") where it is no name
// both languages take, is the name of a net or gate inside the module, or
// meets the one output Y or an earlier input without regard to case (VHDL
// ignores case).
std::vector<std::string> portNames(const Netlist& netlist);

// The output ports, first to last: Y for one function; for a design each
// output's name where both languages take it and nothing else in the module
// has it (without regard to case), else out_1, out_2, ... by its place.
std::vector<std::string> outputPortNames(const Netlist& netlist);

// Why a module or entity name cannot be used in both Verilog and VHDL, or
// nothing when it can: a letter, then letters, digits or single underscores,
// not ending in one, no keyword of either language, and none of the port
// names.
std::optional<std::string> moduleNameProblem(const std::string& name, const Netlist& netlist);

// A structural Verilog module: one gate primitive (not, and, or, nand, nor)
// per gate, one always block per multiplexer or demultiplexer block.
std::string toVerilog(const Netlist& netlist, const std::string& module);

// A VHDL entity and architecture of concurrent assignments, one per gate,
// one process per block.
std::string toVhdl(const Netlist& netlist, const std::string& entity);

// The JSON netlist (documented in the README): module name, style, ports,
// parts with their pins and positions, nets with their drivers, sinks and
// wires, the output, and the cost object, given as JSON text ("{}" when the
// caller has none).
std::string toJson(const Netlist& netlist, const std::string& module,
                   const std::string& costObject = "{}");

}  // namespace quendal::circuit
