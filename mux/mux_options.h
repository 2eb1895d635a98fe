#pragma once

namespace quendal::mux {

// The multiplexer sizes offered for a function of numVars variables, as
// numbers of select lines k (a 2^k : 1 multiplexer): from max(numVars - 2, 2)
// up to min(numVars, 6),
// and only 2 : 1 for one variable, so a tree never needs more than four
// first-level blocks. The preset is the largest size offered.
struct MuxOptionSet {
    int lowestK = 0;  // 0 when nothing is offered
    int highestK = 0;

    bool offers(int k) const { return lowestK > 0 && k >= lowestK && k <= highestK; }
    int presetK() const { return highestK; }
};

MuxOptionSet muxOptionsFor(int numVars);

// A size draws as a single multiplexer when it has a select line per variable.
inline bool isSingleMux(int numVars, int k) {
    return numVars == k;
}

}  // namespace quendal::mux
