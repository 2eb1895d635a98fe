#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "minimizer/cover_solver.h"
#include "minimizer/cube.h"

namespace qm {

// Everything a student needs to follow one minimization, computed once: the teaching views of
// Quendal read it in-process and "Qm.exe --explain IN" prints it as JSON.

// One column of the combining table: the cubes with a given number of free columns, grouped by
// their number of ones. Filled for functions of up to kMaxTableWidth variables.
struct CombiningStep {
    struct Entry {
        Cube cube;
        int ones = 0;                 // number of 1 columns (the group)
        std::vector<int> mergedFrom;  // the first pair of the previous step that gave this cube
        bool merged = false;          // combined into a larger cube in the next step
        bool prime = false;           // never merged and covers at least one 1-row
    };
    std::vector<Entry> entries;  // ordered by group, then output order
};

// One reduction of the prime-implicant chart (primes are its rows, the 1-rows of the function
// its columns), in the order it was applied.
struct Reduction {
    enum class Kind {
        Essential,        // primes that alone cover some column are taken
        RowDominance,     // a prime whose columns another no dearer prime also covers is dropped
        ColumnDominance,  // a column covered whenever another column is covered is dropped
        Search,           // what was left had no essential prime: a search chose the rest
    };
    Kind kind = Kind::Essential;
    std::vector<Cube> primesTaken;     // primes added to the cover at this step
    std::vector<Cube> primesRemoved;   // primes dropped (dominated, or left covering nothing)
    std::vector<Cube> dominatedBy;     // RowDominance: the prime that dominates each one
    std::vector<int> mintermsCovered;  // columns settled by the primes taken
    std::vector<int> mintermsRemoved;  // ColumnDominance: columns dropped
};

// The cost of a two-level form: products (or sums) first, then literals.
struct FormCost {
    int terms = 0;
    int literals = 0;
    friend bool operator==(const FormCost&, const FormCost&) = default;
};

FormCost costOf(const std::vector<Cube>& cover, int width);

// How much explain() works out: everything, or only what the views of the minimum sum of
// products need (the list of the other minimum covers and the product of sums left out), which
// costs little more than the minimization itself.
enum class ExplainScope { Everything, MinimumSop };

struct Explanation {
    static constexpr int kMaxTableWidth = 6;
    static constexpr int kMaxCovers = 32;
    // The search for every minimum cover stops after this long (then coversComplete is false).
    static constexpr int kCoverSearchMilliseconds = 50;

    ExplainScope scope = ExplainScope::Everything;
    Function function;
    std::vector<CombiningStep> combining;  // empty above kMaxTableWidth variables
    std::vector<Cube> primes;              // every prime covering at least one 1-row, output order
    std::vector<int> chartColumns;         // the 1-rows (care minterms), ascending
    std::vector<Cube> essential;           // output order
    std::vector<Reduction> reductions;
    std::vector<std::vector<Cube>> covers;  // every minimum cover up to kMaxCovers; covers[0] is
                                            // what "Qm.exe IN OUT" writes; {{}} with no 1-row
    bool coversComplete = true;             // covers holds every minimum cover
    std::optional<long> coverCount;         // number of minimum covers when all were found
    FormCost sopCost;
    // A minimum cover of the 0-rows with the don't-cares: each cube of zeros stands for one sum.
    // Nothing when that search ran out of time.
    std::optional<std::vector<Cube>> pos;
    FormCost posCost;
};

// Throws TooHard when the minimum sum of products is not found before `deadline`; the other
// searches stop at the deadline and say so (coversComplete, pos). With the minimum sum of
// products' scope, covers holds that one cover (coversComplete false, no coverCount) and pos is
// empty. `minimum`, when given, is the minimum sum of products found before (what "Qm.exe IN
// OUT" wrote for the function): it is taken as covers[0] without minimizing again when it is a
// cover of the function by prime implicants. Once `cancelled` is set (from another thread: the
// explanation is no longer wanted) every search stops as at the deadline; what is returned or
// thrown then is to be dropped.
Explanation explain(const Function& function, Deadline deadline = Deadline::max(),
                    ExplainScope scope = ExplainScope::Everything,
                    const std::vector<Cube>* minimum = nullptr,
                    const CancelFlag* cancelled = nullptr);

// Variable letters used where the function has no names of its own.
inline constexpr std::string_view kDefaultLetters = "ABCDEFGH";

// "A'B" for 01 (column 1 named by letters[0]); "1" for a cube without literals.
std::string productText(const Cube& cube, int width, std::string_view letters = kDefaultLetters);
// The sum a cube of zeros stands for: "A'+C" for 1-0-, "0" for a cube without literals.
std::string sumText(const Cube& zeros, int width, std::string_view letters = kDefaultLetters);
// "A'B'+CD"; "0" for an empty cover.
std::string sopText(const std::vector<Cube>& cover, int width,
                    std::string_view letters = kDefaultLetters);
// "D(A'+C)"; "1" for an empty cover of the zeros.
std::string posText(const std::vector<Cube>& zeros, int width,
                    std::string_view letters = kDefaultLetters);

// The JSON text printed by "Qm.exe --explain IN": variables, primes, essential, covers,
// coversComplete, pos and the rest of the explanation, cubes written as in the output file.
std::string toJson(const Explanation& explanation);

}  // namespace qm
