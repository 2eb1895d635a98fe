#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "practice/exercise.h"

namespace quendal::practice {
namespace {

using logic::Cube;
using logic::Function;

// The level of a function worked out from first principles: every implicant by brute force,
// then the textbook chart reductions, one at a time, until nothing applies.
int bruteForceLevel(const Function& f) {
    const int rows = 1 << f.width;
    std::vector<Cube> primes;
    auto implicant = [&](const Cube& c) {
        for (int r = 0; r < rows; ++r) {
            if (c.contains(r) && !f.on.test(r) && !f.dc.test(r)) return false;
        }
        return true;
    };
    for (int free = 0; free < rows; ++free) {
        for (int value = 0; value < rows; ++value) {
            if (value & free) continue;
            const Cube c{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(free)};
            if (!implicant(c) || !c.rows(f.width).intersects(f.on)) continue;
            bool prime = true;
            for (int bit = 1; bit < rows; bit <<= 1) {
                if (!(free & bit) && implicant(Cube{static_cast<std::uint8_t>(value & ~bit),
                                                    static_cast<std::uint8_t>(free | bit)}))
                    prime = false;
            }
            if (prime) primes.push_back(c);
        }
    }
    std::vector<int> columns;
    f.on.forEach([&](int r) { columns.push_back(r); });
    std::vector<Cube> active = primes;
    auto reach = [&](const Cube& p) {
        std::vector<int> out;
        for (int c : columns) {
            if (p.contains(c)) out.push_back(c);
        }
        return out;
    };
    auto primesOf = [&](int column) {
        std::vector<int> out;
        for (std::size_t i = 0; i < active.size(); ++i) {
            if (active[i].contains(column)) out.push_back(static_cast<int>(i));
        }
        return out;
    };
    bool first = true;
    while (!columns.empty()) {
        std::vector<Cube> taken;
        for (int c : columns) {
            const auto ps = primesOf(c);
            if (ps.size() == 1 &&
                std::find(taken.begin(), taken.end(), active[ps[0]]) == taken.end())
                taken.push_back(active[ps[0]]);
        }
        if (!taken.empty()) {
            std::erase_if(columns, [&](int c) {
                return std::any_of(taken.begin(), taken.end(),
                                   [&](const Cube& p) { return p.contains(c); });
            });
            std::erase_if(active, [&](const Cube& p) { return reach(p).empty(); });
            if (first && columns.empty()) return 1;
            first = false;
            continue;
        }
        first = false;
        bool reduced = false;
        for (std::size_t p = 0; p < active.size() && !reduced; ++p) {
            for (std::size_t q = 0; q < active.size() && !reduced; ++q) {
                const auto rp = reach(active[p]), rq = reach(active[q]);
                if (p != q && active[q].literals(f.width) <= active[p].literals(f.width) &&
                    std::includes(rq.begin(), rq.end(), rp.begin(), rp.end())) {
                    active.erase(active.begin() + static_cast<long>(p));
                    reduced = true;
                }
            }
        }
        for (std::size_t a = 0; a < columns.size() && !reduced; ++a) {
            for (std::size_t b = 0; b < columns.size() && !reduced; ++b) {
                const auto pa = primesOf(columns[a]), pb = primesOf(columns[b]);
                if (a != b && std::includes(pa.begin(), pa.end(), pb.begin(), pb.end())) {
                    columns.erase(columns.begin() + static_cast<long>(a));
                    reduced = true;
                }
            }
        }
        if (!reduced) return 3;
    }
    return 2;
}

TEST(ExerciseCode, RoundTripsEveryFieldAndReadsLooseSpellings) {
    for (int level = 1; level <= 3; ++level) {
        for (int width = 2; width <= 6; ++width) {
            for (bool dc : {false, true}) {
                for (std::uint32_t seed : {0u, 1u, 31u, 32u, 299831u, 1048575u}) {
                    const ExerciseRequest r{level, width, dc, seed};
                    const std::string code = exerciseCode(r);
                    ASSERT_EQ(code.size(), 12u) << code;
                    EXPECT_EQ(parseExerciseCode(code), r) << code;
                    std::string loose = "  " + code + "\t";
                    std::transform(loose.begin(), loose.end(), loose.begin(), ::tolower);
                    EXPECT_EQ(parseExerciseCode(loose), r) << loose;
                }
            }
        }
    }
    EXPECT_EQ(exerciseCode({2, 4, true, parseExerciseCode("L2-4V-D-8K3Q").seed}), "L2-4V-D-8K3Q");
    EXPECT_EQ(parseExerciseCode("L1-3V-N-OIL0").seed, parseExerciseCode("L1-3V-N-0110").seed);
}

TEST(ExerciseCode, RefusesWhatIsNoCodeWithAMessage) {
    for (const char* bad : {"", "L2-4V-D-8K3", "L2-4V-D-8K3QQ", "L4-4V-D-8K3Q", "L0-4V-D-8K3Q",
                            "L2-7V-D-8K3Q", "L2-1V-D-8K3Q", "L2-4V-X-8K3Q", "L2-4V-D-8K3U",
                            "X2-4V-D-8K3Q", "L2_4V_D_8K3Q", "L2-4W-D-8K3Q"}) {
        try {
            parseExerciseCode(bad);
            ADD_FAILURE() << bad;
        } catch (const ExerciseError& error) {
            const std::string message = error.what();
            EXPECT_TRUE(message.find("code") != std::string::npos ||
                        message.find("variables") != std::string::npos)
                << message;
        }
    }
    EXPECT_THROW(exerciseCode({1, 4, false, ExerciseRequest::kSeedLimit}), ExerciseError);
}

// splitmix64's published first outputs from a zero state: the generator is that one.
TEST(ExerciseGenerator, UsesSplitmix64) {
    std::uint64_t state = 0;
    EXPECT_EQ(splitmix64(state), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(splitmix64(state), 0x6E789E6AA1B965F4ULL);
}

// A code handed to a class must give every machine this very function.
TEST(ExerciseGenerator, AKnownCodeGivesItsKnownFunction) {
    const Function f = generateExercise(parseExerciseCode("L2-4V-D-8K3Q")).function;
    EXPECT_EQ(f.on, logic::functionOfTerms(4, {5, 6, 8, 10, 15}, logic::TermMode::Minterms).on);
    EXPECT_EQ(f.dc, logic::functionOfTerms(4, {1, 4, 7, 11, 14}, logic::TermMode::Minterms).on);
}

TEST(ExerciseGenerator, EveryExerciseHasItsLevelByBruteForce) {
    for (int width = 2; width <= 4; ++width) {
        for (bool dc : {false, true}) {
            for (int level = 1; level <= 3; ++level) {
                if (!levelPossible(level, width, dc)) {
                    EXPECT_THROW(generateExercise({level, width, dc, 0}), ExerciseError);
                    continue;
                }
                for (std::uint32_t seed = 0; seed < 12; ++seed) {
                    const Exercise e = generateExercise({level, width, dc, seed * 7919});
                    const Function& f = e.function;
                    SCOPED_TRACE(e.code);
                    EXPECT_EQ(bruteForceLevel(f), level);
                    EXPECT_EQ(f.width, width);
                    EXPECT_FALSE(f.on.empty());
                    EXPECT_LT(f.on.count() + f.dc.count(), 1 << width);
                    EXPECT_EQ(!f.dc.empty(), dc);
                    EXPECT_FALSE(f.on.intersects(f.dc));
                }
            }
        }
    }
}

// Which levels exist is settled by trying every function of 2 and 3 variables.
TEST(ExerciseGenerator, LevelsPossibleMatchEveryFunctionOfFewVariables) {
    for (int width = 2; width <= 3; ++width) {
        std::array<std::array<bool, 4>, 2> seen{};
        const int rows = 1 << width;
        int total = 1;
        for (int r = 0; r < rows; ++r) total *= 3;
        for (int n = 0; n < total; ++n) {
            Function f;
            f.width = width;
            for (int r = 0, k = n; r < rows; ++r, k /= 3) {
                if (k % 3 == 1) f.on.set(r);
                if (k % 3 == 2) f.dc.set(r);
            }
            if (f.on.empty() || f.on.count() + f.dc.count() == rows) continue;
            const int level = levelOf(qm::explain(f));
            EXPECT_EQ(level, bruteForceLevel(f));
            seen[f.dc.empty() ? 0 : 1][static_cast<std::size_t>(level)] = true;
        }
        for (int dc = 0; dc < 2; ++dc) {
            for (int level = 1; level <= 3; ++level)
                EXPECT_EQ(seen[static_cast<std::size_t>(dc)][static_cast<std::size_t>(level)],
                          levelPossible(level, width, dc == 1))
                    << width << " variables, level " << level << ", don't-cares " << dc;
        }
    }
}

TEST(ExerciseGenerator, LargerExercisesHaveTheirLevelAndACodeNamesOneFunction) {
    for (int width = 5; width <= 6; ++width) {
        for (int level = 1; level <= 3; ++level) {
            const Exercise e = generateExercise({level, width, true, 4242});
            EXPECT_EQ(levelOf(qm::explain(e.function)), level) << e.code;
            const Exercise again = generateExercise(parseExerciseCode(e.code));
            EXPECT_EQ(again.function.on, e.function.on);
            EXPECT_EQ(again.function.dc, e.function.dc);
        }
    }
}

}  // namespace
}  // namespace quendal::practice
