#pragma once

#include <optional>
#include <string>
#include <vector>

#include "minimizer/cover_solver.h"
#include "minimizer/cube.h"

namespace qm {

// Everything a student needs to follow one minimization, computed once: the teaching views of
// Quendal read it in-process and "Qm.exe --explain IN" prints it as JSON.

// One column of the combining table: the cubes with a given number of literals, grouped by their
// number of ones. Filled for functions of up to kMaxTableWidth variables.
struct CombiningStep {
    struct Entry {
        Cube cube;
        int ones = 0;                   // number of 1 columns (the group)
        std::vector<int> mergedFrom;    // indices into the previous step's entries; empty in step 0
        bool merged = false;            // combined into a larger cube in the next step
        bool prime = false;             // never merged and covers at least one 1-row
    };
    std::vector<Entry> entries;         // ordered by group, then output order
};

// One reduction of the prime-implicant chart, in the order it was applied.
struct Reduction {
    enum class Kind { Essential, RowDominance, ColumnDominance };
    Kind kind = Kind::Essential;
    std::vector<Cube> primesTaken;      // essential primes chosen at this step
    std::vector<Cube> primesRemoved;    // dominated primes dropped
    std::vector<int> rowsCovered;       // minterms settled by the primes taken
    std::vector<int> rowsRemoved;       // minterms dropped as dominated
};

struct Explanation {
    static constexpr int kMaxTableWidth = 6;
    static constexpr int kMaxCovers = 32;

    Function function;
    std::vector<CombiningStep> combining;      // empty above kMaxTableWidth variables
    std::vector<Cube> primes;                  // every prime covering at least one 1-row, output order
    std::vector<int> chartRows;                // the 1-rows (care minterms), ascending
    std::vector<Cube> essential;               // output order
    std::vector<Reduction> reductions;
    std::vector<std::vector<Cube>> covers;     // every minimum cover up to kMaxCovers; covers[0] is
                                               // what "Qm.exe IN OUT" writes; {{}} with no 1-row
    bool coversComplete = true;                // covers holds every minimum cover
    std::optional<long> coverCount;            // total number of minimum covers when counted
    std::vector<Cube> pos;                     // minimum cover of the 0-rows with the don't-cares:
                                               // each cube of zeros stands for one sum
    bool proven = true;                        // false when the deadline cut a search short
};

Explanation explain(const Function& function, Deadline deadline = Deadline::max());

// The JSON text printed by "Qm.exe --explain IN" (keys: variables, primes, essential, covers,
// coversComplete, pos and the rest of Explanation).
std::string toJson(const Explanation& explanation);

}  // namespace qm
