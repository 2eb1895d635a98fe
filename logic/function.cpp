#include "logic/function.h"

namespace logic {

Function functionOfTerms(int width, const std::vector<int>& terms, TermMode mode,
                         const std::vector<int>& dontCares) {
    Function f;
    f.width = width;
    const int rows = 1 << width;
    RowSet listed;
    for (int t : terms) {
        if (t >= 0 && t < rows) listed.set(t);
    }
    for (int t : dontCares) {
        if (t >= 0 && t < rows) f.dc.set(t);
    }
    if (mode == TermMode::Minterms) {
        f.on = listed;
    } else {
        for (int row = 0; row < rows; ++row) {
            if (!listed.test(row) && !f.dc.test(row)) f.on.set(row);
        }
    }
    f.dc -= f.on;
    return f;
}

}  // namespace logic
