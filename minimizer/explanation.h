#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/function.h"
#include "minimizer/cover_solver.h"
#include "minimizer/minimize.h"

namespace qm {

// Everything a student needs to follow one minimization, computed once: the teaching views of
// Quendal read it in-process and "Qm.exe --explain IN" prints it as JSON.

// One column of the combining table: the cubes with a given number of free columns, grouped by
// their number of ones. Filled for functions of up to kMaxTableWidth variables.
struct CombiningStep {
    struct Entry {
        logic::Cube cube;
        int ones = 0;                 // number of 1 columns (the group)
        std::vector<int> mergedFrom;  // the first pair of the previous step that gave this cube
        bool merged = false;          // combined into a larger cube in the next step
        bool prime = false;           // never merged and covers at least one 1-row
    };
    std::vector<Entry> entries;  // ordered by group, then output order
};

// Petrick's method on a cyclic rest: one sum per column left (the primes that cover it), and
// their product multiplied out, absorbed products dropped, each product a cover of the rest.
struct Petrick {
    std::vector<std::vector<logic::Cube>> sums;
    std::vector<std::vector<logic::Cube>> products;  // cheapest first, then output order
};

// How the search split a cyclic rest too large for Petrick's method: on the column with the
// fewest primes, the i-th branch takes the i-th of them and leaves out the ones before it.
struct Branching {
    int column = 0;
    std::vector<logic::Cube> primes;
    // The cheapest cover of the rest in each branch; nothing when it was not settled in time
    // or the branch has no cover.
    std::vector<std::optional<logic::FormCost>> costs;
};

// One reduction of the prime-implicant chart (primes are its rows, the 1-rows of the function
// its columns), in the order it was applied.
struct Reduction {
    enum class Kind {
        Essential,        // primes that alone cover some column are taken
        RowDominance,     // a prime whose columns another no dearer prime also covers is dropped
        ColumnDominance,  // a column covered whenever another column is covered is dropped
        Search,           // a cyclic rest (nothing above applies): a search chose the rest
    };
    Kind kind = Kind::Essential;
    std::vector<logic::Cube> primesTaken;    // primes added to the cover at this step
    std::vector<logic::Cube> primesRemoved;  // primes dropped (dominated, or left covering nothing)
    std::vector<logic::Cube> dominatedBy;    // RowDominance: the prime that dominates each one
    std::vector<int> mintermsCovered;        // columns settled by the primes taken
    std::vector<int> mintermsRemoved;        // ColumnDominance: columns dropped
    std::vector<int> dominatedColumns;       // ColumnDominance: the column each one dominates
    // Dominance: for each prime (column) removed, whether it equals the one kept in its rows
    // (primes) and literals, so that either could go and the later one went.
    std::vector<bool> tied;
    // Search: the cyclic rest, and how it was settled.
    std::vector<int> columnsLeft;
    std::vector<logic::Cube> primesLeft;
    std::optional<Petrick> petrick;      // for a rest of up to kMaxPetrick rows and columns
    std::optional<Branching> branching;  // else
    static constexpr int kMaxPetrick = 8;
};

logic::FormCost costOf(const std::vector<logic::Cube>& cover, int width);

// How much explain() works out: everything, or only what the views of the minimum sum of
// products need (the list of the other minimum covers and the product of sums left out), which
// costs little more than the minimization itself.
enum class ExplainScope { Everything, MinimumSop };

// What explain() does when the minimum sum of products is not proven by the deadline: throw
// TooHard, or explain the best cover found, saying what was proven of it.
enum class WhenUnproven { Throw, Explain };

struct Explanation {
    static constexpr int kMaxTableWidth = 6;
    static constexpr int kMaxCovers = 32;
    // Listing the minimum covers, counting them and showing a search's branches each stop after
    // this long (then coversComplete is false, coverCount nothing, a branch's cost nothing).
    static constexpr int kCoverSearchMilliseconds = 50;

    ExplainScope scope = ExplainScope::Everything;
    logic::Function function;
    std::vector<CombiningStep> combining;  // empty above kMaxTableWidth variables
    std::vector<logic::Cube> primes;       // every prime covering at least one 1-row, output order
    std::vector<int> chartColumns;         // the 1-rows (care minterms), ascending
    std::vector<logic::Cube> essential;    // output order
    std::vector<Reduction> reductions;
    std::vector<std::vector<logic::Cube>>
        covers;                      // every minimum cover up to kMaxCovers; covers[0] is
                                     // what "Qm.exe IN OUT" writes; {{}} with no 1-row
    bool coversComplete = true;      // covers holds every minimum cover
    std::optional<long> coverCount;  // number of minimum covers, when the count finished
    logic::FormCost sopCost;
    // A minimum cover of the 0-rows with the don't-cares: each cube of zeros stands for one sum.
    // Nothing when that search ran out of time.
    std::optional<std::vector<logic::Cube>> pos;
    logic::FormCost posCost;
    // Set when the minimum was not proven in time (WhenUnproven::Explain): covers holds only the
    // best cover found, and this says what was proven of it.
    std::optional<BestCover> unproven;
};

// Throws TooHard when the minimum sum of products is not found before `deadline`; the other
// searches stop at the deadline and say so (coversComplete, pos). With the minimum sum of
// products' scope, covers holds that one cover (coversComplete false, no coverCount) and pos is
// empty. `minimum`, when given, is the minimum sum of products found before (what "Qm.exe IN
// OUT" wrote for the function): it is taken as covers[0] without minimizing again when it is a
// cover of the function by prime implicants. Once `cancelled` is set (from another thread: the
// explanation is no longer wanted) every search stops as at the deadline; what is returned or
// thrown then is to be dropped. With WhenUnproven::Explain a minimum not proven by the deadline
// is explained all the same, marked as unproven.
Explanation explain(const logic::Function& function, Deadline deadline = Deadline::max(),
                    ExplainScope scope = ExplainScope::Everything,
                    const std::vector<logic::Cube>* minimum = nullptr,
                    const CancelFlag* cancelled = nullptr,
                    WhenUnproven whenUnproven = WhenUnproven::Throw);

// The JSON text printed by "Qm.exe --explain IN": variables, primes, essential, covers,
// coversComplete, pos and the rest of the explanation, cubes written as in the output file.
std::string toJson(const Explanation& explanation);

}  // namespace qm
