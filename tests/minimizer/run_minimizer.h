#pragma once

#include <random>
#include <string>
#include <vector>

#include "logic/function.h"
#include "minimizer/minimize.h"
#include "tests/minimizer/reference_minimizer.h"

namespace qm_test {

inline logic::Function toFunction(const TruthTable& table) {
    logic::Function function;
    function.width = table.width;
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOn) function.on.set(row);
        if (table.rows[row] == kDontCare) function.dc.set(row);
    }
    return function;
}

inline std::vector<std::string> minimizeCodes(const TruthTable& table) {
    std::vector<std::string> codes;
    for (const logic::Cube& cube : qm::minimize(toFunction(table))) {
        codes.push_back(logic::codeOf(cube, table.width));
    }
    return codes;
}

// Each row on with probability `on`, else don't-care with probability `dontCare`.
inline TruthTable randomTable(int width, double on, double dontCare, std::mt19937& random) {
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    TruthTable table{width, std::vector<char>(static_cast<std::size_t>(1) << width, kOff)};
    for (char& row : table.rows) {
        if (uniform(random) < on) {
            row = kOn;
        } else if (uniform(random) < dontCare) {
            row = kDontCare;
        }
    }
    return table;
}

}  // namespace qm_test
