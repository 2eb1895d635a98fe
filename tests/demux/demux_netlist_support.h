#pragma once

#include "tests/support/recording_canvas.h"

#include <optional>
#include <string>
#include <vector>

// A demultiplexer drawing read back as a circuit, from its shapes and texts
// alone: the block's outputs (numbered by their printed labels, active low
// where a bubble sits on them), the Din value, the combining gate's kind, and
// which outputs reach the gate's inputs through drawn wires. Without a gate,
// what the output Y is tied to.
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
DemuxNetlist readDemuxNetlist(const RecordingCanvas& canvas);

std::string gateName(DemuxNetlist::Gate gate);
