#pragma once

// Independent checks for the minimizer, written on plain truth tables and code strings so that
// they share no code with the library.

#include <optional>
#include <string>
#include <vector>

namespace qm_test {

enum RowState : char { kOff = 0, kOn = 1, kDontCare = 2 };

// A function as a truth table: rows[r] for r in 0 .. 2^width - 1, column 1 = most significant.
struct TruthTable {
    int width = 0;
    std::vector<char> rows;
};

// How many functions of `width` variables there are with don't-cares (3^(2^width)), and the
// n-th of them: row r's state is the r-th base-3 digit of n.
int functionCount(int width);
TruthTable nthFunction(int width, int n);

bool codeCovers(const std::string& code, int row);

// The output order: codes compared column by column, "0" before "1" before "-".
bool codeLess(const std::string& a, const std::string& b);

// Total literal count of a cover.
int literalCount(const std::vector<std::string>& cover);

// Empty when the cover is a valid, prime and irredundant cover of `table`, given in the output
// order without repeats; otherwise a description of the first fault found.
std::string coverFault(const TruthTable& table, const std::vector<std::string>& cover);

// The exact answer by exhaustive search over every set of implicants (not only primes), in the
// output order. Meant for up to 3 variables.
std::vector<std::string> bruteForceMinimum(const TruthTable& table);

// The exact answer by a plain search over all primes (found by pairwise merging) without any
// reduction, in the output order; nothing when it needs more than `nodeLimit` steps.
std::optional<std::vector<std::string>> referenceMinimum(const TruthTable& table, long nodeLimit);

}  // namespace qm_test
