#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "logic/function.h"
#include "minimizer/cover_solver.h"

namespace qm {

// One product of a multi-output sum of products and the outputs whose OR gate takes it
// (bit j: output j).
struct SharedProduct {
    logic::Cube cube;
    std::uint32_t outputs = 0;
    friend bool operator==(const SharedProduct&, const SharedProduct&) = default;
};

// The cost of a two-level multi-output circuit: its products (AND gates) first, then its gate
// inputs, the literals of the products (AND inputs) plus the products each output takes (OR
// inputs). Every product counts as an AND gate, even of one literal.
struct MultiCost {
    int products = 0;
    int andInputs = 0;
    int orInputs = 0;
    int gateInputs() const { return andInputs + orInputs; }
    friend bool operator==(const MultiCost&, const MultiCost&) = default;
};
MultiCost multiCost(const std::vector<SharedProduct>& products, int width);

// The multi-output primes of the outputs (all of one width): every cube that lies inside the
// on-set and don't-cares of each output of a set and touches each one's on-set, and that no
// larger cube does for the same outputs. `outputs` says which outputs it may serve. Every
// minimum multi-output cover can be made of these. In the output order of their cubes.
std::vector<SharedProduct> multiOutputPrimes(const std::vector<logic::Function>& outputs);

// True when every output's on-set is covered by the products it takes, and no product lies
// outside an output's on-set and don't-cares while that output takes it.
bool coversAll(const std::vector<SharedProduct>& products,
               const std::vector<logic::Function>& outputs);

// An exact minimum multi-output cover (MultiCost: fewest products, then fewest gate inputs), or,
// when the deadline passes or the search is cancelled, the cheapest cover found and what is
// proven of it, as BestCover says of one output.
struct MultiCover {
    std::vector<SharedProduct> products;  // in the output order of their cubes
    bool proven = true;                   // a proven minimum
    int productBound = 0;                 // products every cover needs
    bool countProven = true;              // the cover has the fewest products
    int inputBound = 0;                   // gate inputs a cover of that many products needs
    bool costProven = true;               // the cover is a minimum, not the documented choice
};

// Among minimum covers the result is the one whose list of candidates comes first (products in
// the output order of their cubes, each with its output sets in ascending order of their bits)
// when the covering search settles the problem whole. Problems of more rows than it holds are
// solved over growing subsets of the rows, then by a plain branch and bound over wide bit sets
// (the first minimum it meets) and a neighbourhood search; products serving so many outputs that
// their weights span more than the covering search takes get the fewest products proven and
// their gate inputs improved, not proven. The answer depends only on the function and, when
// unproven, on the time. Throws std::invalid_argument for no outputs, more than 32, or outputs of
// different widths.
MultiCover minimizeMultiOutput(const std::vector<logic::Function>& outputs,
                               Deadline deadline = Deadline::max(),
                               const SolveOptions& options = {});

// The line (after "Qm.exe: ") that says what is proven of an unproven multi-output answer.
std::string multiNotProvenNote(const MultiCover& cover, int width, const std::string& inPath);

}  // namespace qm
