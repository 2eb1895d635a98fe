#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "logic/pla.h"
#include "minimizer/multi_output.h"

namespace qm {

// The PLA of a multi-output cover: the header of `source` (.i, .o, .ilb, .ob) and one row per
// product, its output part 1 for the outputs that take it and 0 for the others.
logic::Pla coverPla(const logic::Pla& source, const std::vector<SharedProduct>& products);

// A product as text in the PLA's input names (default A, B, ...): AB'C, or x1*x2'*x3 when a name
// is longer than one character; "1" for a product without literals.
std::string namedProductText(const logic::Cube& cube, const logic::Pla& pla);

// "Qm.exe --pla IN OUT" and "Qm.exe --pla --explain IN": `args` are what follows "--pla".
// The statuses and messages are those of "Qm.exe IN OUT".
int runPla(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qm
