#pragma once

#include <string>
#include <vector>

#include "circuit/cost.h"
#include "drawing/canvas.h"
#include "drawing/function_view.h"

namespace quendal::explain {

// One way the drawing commands implement the function, and what it costs.
struct Implementation {
    std::string name;       // "AND/OR/NOT", "NAND only", "One 8 : 1 multiplexer", ...
    bool modelled = false;  // the drawing carried its circuit model (else no cost)
    circuit::Cost cost;
};

// Every implementation the drawing commands offer for the function, in
// their order: the Circuit command's three styles, each multiplexer size
// the Mux dialog offers, and the demultiplexer with Din 1 and Din 0 (up to
// 6 variables). Each is drawn as its command draws it and costed from the
// circuit drawn, so the table and the drawings cannot disagree.
std::vector<Implementation> implementationsOf(const drawing::FunctionView& function);

// The cost table: one row per implementation (gates by kind and inputs,
// blocks, gate inputs, levels, 74-series packages and their total), then
// the mapping onto 74-series parts it assumes.
void drawCostTable(drawing::Canvas& canvas, const std::vector<Implementation>& implementations,
                   const std::string& letters, const std::string& minimumText);

}  // namespace quendal::explain
