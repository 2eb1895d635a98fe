#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logic/cube.h"
#include "logic/expression_text.h"
#include "logic/function.h"
#include "minimizer/explanation.h"

namespace quendal::practice {

// What a student's loop (or typed product) is, on its own.
struct LoopVerdict {
    bool implicant = false;
    int zeroRow = -1;  // not an implicant: the first 0-row inside
    bool coversOne = false;
    bool prime = false;
    int freeColumn = -1;  // an implicant not prime: the first column whose literal can go
    int growRow = -1;     // and the first row the loop takes in when it grows that way
    bool essential = false;
    int essentialRow = -1;  // an essential prime: the first 1-row no other prime covers
};

// Judges one loop against the function and its prime implicants (`primes`: every prime that
// covers a 1-row, as the explanation lists them).
LoopVerdict judgeLoop(const logic::Function& function, const std::vector<logic::Cube>& primes,
                      const logic::Cube& loop);
std::string loopVerdictText(const LoopVerdict& verdict, const logic::Cube& loop, int width,
                            std::string_view letters = logic::kDefaultLetters);

// What a set of loops or products is as a sum of products, the first fault a student should
// mend first.
struct CoverVerdict {
    int notImplicant = -1;  // index of a product that is 1 on a 0-row, and that row
    int zeroRow = -1;
    int missingRow = -1;  // a 1-row no product covers
    int notPrime = -1;    // index of a product with a literal that can go, and its column
    int freeColumn = -1;
    int redundant = -1;  // index of a product whose 1-rows the others cover
    logic::FormCost cost;
    logic::FormCost minimum;
    bool correct() const { return notImplicant < 0 && missingRow < 0; }
    bool minimal() const { return correct() && cost == minimum; }
};

// `checkPrime`: whether a product that is not prime is a fault (typed answers), or only the
// cost tells (loops, each judged already when drawn).
CoverVerdict judgeCover(const qm::Explanation& explanation,
                        const std::vector<logic::Cube>& products, bool checkPrime = true);
// The verdict as hints that never show the minimum itself: what is wrong and where, or how many
// products or literals are too many.
std::string coverVerdictText(const CoverVerdict& verdict, const std::vector<logic::Cube>& products,
                             int width, std::string_view letters = logic::kDefaultLetters,
                             std::string_view what = "products");

// A typed answer checked in practice: a sum of products gets the hints of judgeCover, a product
// of sums a row where it differs or how far it is from minimal. Throws logic::SyntaxError.
std::string practiceCheckText(std::string_view answer, const qm::Explanation& explanation,
                              std::string_view letters = logic::kDefaultLetters);

// The steps of the minimization as hints, one at a time and in order: how many primes there
// are, each essential prime by the row only it covers, each dominance, the cyclic rest.
std::vector<std::string> stepHints(const qm::Explanation& explanation,
                                   std::string_view letters = logic::kDefaultLetters);

}  // namespace quendal::practice
