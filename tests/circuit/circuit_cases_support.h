#pragma once

#include <string>
#include <vector>

#include "circuit/netlist.h"
#include "drawing/drawn_circuit.h"
#include "logic/function.h"

// The circuits Quendal draws for a function, as models, for the tests of the
// model and its exports.

struct CircuitCase {
    std::string label;  // "basic", "mux 4:1 max", "demux Din=0 min", ...
    quendal::circuit::Netlist netlist;
    quendal::drawing::DrawnCircuit drawn;  // the whole drawing, when asked for
};

// Every drawing of the function with its minimum: the three gate circuits,
// every multiplexer size offered and the demultiplexer (up to six
// variables) with either data input, the last two in both term modes.
std::vector<CircuitCase> everyDrawing(const logic::Function& function, bool whole = false);

// A function of `width` variables whose rows are 1 where ones has a 1 bit
// and don't-cares where dontCares has one.
logic::Function functionOfBits(int width, unsigned long long ones,
                               unsigned long long dontCares = 0);

// What the function asks of row r: '1', '0' or '-' (free).
char expected(const logic::Function& function, int row);
