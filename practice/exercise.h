#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "logic/function.h"
#include "minimizer/explanation.h"

namespace quendal::practice {

// How a function's minimum is reached, read from the chart reductions of its explanation:
// 1, the essential primes cover every 1-row; 2, essentials and dominance settle it; 3, a cyclic
// rest remains that only a search (or Petrick's method) settles.
int levelOf(const qm::Explanation& explanation);

// What an exercise is asked for; with its seed it names one function on every machine.
struct ExerciseRequest {
    static constexpr int kMinWidth = 2;
    static constexpr int kMaxWidth = 6;
    static constexpr std::uint32_t kSeedLimit = 1u << 20;  // four base-32 characters
    int level = 1;
    int width = 4;
    bool dontCares = false;
    std::uint32_t seed = 0;  // below kSeedLimit
    friend bool operator==(const ExerciseRequest&, const ExerciseRequest&) = default;
};

// A code or a request that names no exercise; the message says why, for the user.
class ExerciseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "L2-4V-D-8K3Q": level, variables, D (don't-cares) or N (none), the seed in Crockford's
// base 32.
std::string exerciseCode(const ExerciseRequest& request);
// Reads a code in any case, with spaces round it, O read as 0 and I or L as 1. Throws
// ExerciseError.
ExerciseRequest parseExerciseCode(std::string_view text);

// Whether any function of that many variables has that level (none of 2 variables is cyclic).
bool levelPossible(int level, int width, bool dontCares);

struct Exercise {
    ExerciseRequest request;
    std::string code;
    logic::Function function;
};

// The exercise a request names. The generator: a splitmix64 stream started from
// (seed << 12 | level << 8 | width << 4 | dontCares) draws, for every attempt, one 64-bit word
// per row, rows in ascending order; its top four bits v make the row a don't-care when v < d
// (d = 3 with don't-cares, 0 without), else a one when v < d + the level's share (4, 7 or 8 for
// levels 1, 2, 3), else a zero. The first attempt that has a one, a zero, a don't-care when
// asked for, and the level asked for is the exercise. Only integer arithmetic, so every
// platform draws the same. Throws ExerciseError for an impossible request.
Exercise generateExercise(const ExerciseRequest& request);

// The splitmix64 step the generator uses, for the tests.
std::uint64_t splitmix64(std::uint64_t& state);

}  // namespace quendal::practice
