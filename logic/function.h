#pragma once

#include <vector>

#include "logic/cube.h"
#include "logic/row_set.h"

namespace logic {

// A Boolean function given by its on-set and don't-care set.
struct Function {
    int width = 0;  // number of variables, 1..kMaxWidth
    RowSet on;      // rows where the function is 1
    RowSet dc;      // don't-care rows; never overlaps `on`
};

// The cost of a two-level form: products (or sums) first, then literals.
struct FormCost {
    int terms = 0;
    int literals = 0;
    friend bool operator==(const FormCost&, const FormCost&) = default;
};

// What a list of term numbers stands for: the rows where the function is 1, or those where it
// is 0.
enum class TermMode { Minterms, Maxterms };

// The function of a list of term numbers over `width` columns: the ones (min-term mode) or the
// zeros (max-term mode, every row neither listed nor a don't-care is a one), and the
// don't-cares. A row both listed and a don't-care stays a one; numbers outside the table are
// ignored.
Function functionOfTerms(int width, const std::vector<int>& terms, TermMode mode,
                         const std::vector<int>& dontCares = {});

}  // namespace logic
