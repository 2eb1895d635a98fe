#pragma once

#include <string>
#include <vector>

#include "design/design.h"
#include "minimizer/minimize.h"
#include "minimizer/multi_output.h"

namespace quendal::design {

// A design minimized both ways: the outputs sharing products, and each output on its own.
struct DesignMinimum {
    qm::MultiCover shared;
    std::vector<qm::BestCover> separate;
};

// Both minima within the deadline (an unproven answer says so); `cancelled` stops the work as
// the deadline would.
DesignMinimum minimizeDesign(const Design& design, qm::Deadline deadline,
                             const qm::CancelFlag* cancelled = nullptr);

// The gates of a two-level circuit: an AND gate per product, an OR gate per output taking two
// products or more, and their inputs.
struct GateCount {
    int andGates = 0;
    int orGates = 0;
    int gateInputs = 0;
};
GateCount sharedGates(const qm::MultiCover& cover, int width);
GateCount separateGates(const std::vector<qm::BestCover>& covers, int width);

// A product in the design's input names: AB'C, or A1*B0' when a name is longer than a letter.
std::string productText(const logic::Cube& cube, const Design& design);

// The result as HTML: the shared products (those taken by several outputs marked), each
// output's sum in the shared solution and on its own, and the gate counts of both.
std::string resultHtml(const Design& design, const DesignMinimum& minimum);

// Up to this many inputs the result shows a Karnaugh map per output (beyond four inputs, one
// four-input map per value of the first inputs).
inline constexpr int kMaxMapInputs = 6;

// A Karnaugh map per output as HTML tables (rows and columns in Gray order), each cell its value
// and the shared products covering it, coloured by the first of them: a product has one colour
// on every map. For more than kMaxMapInputs inputs, a line saying so.
std::string karnaughMapsHtml(const Design& design, const qm::MultiCover& cover);

}  // namespace quendal::design
