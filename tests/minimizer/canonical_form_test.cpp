// The canonical form under permuting and complementing inputs: one representative per class
// (random transforms, and an exhaustive count of the classes at 3 inputs against brute force),
// the maps' algebra, and minimum costs that do not depend on the representative.

#include "minimizer/canonical_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <numeric>
#include <random>
#include <set>

#include "minimizer/minimize.h"
#include "tests/minimizer/function_families.h"

namespace qm_test {
namespace {

using logic::Cube;
using logic::Function;
using qm::InputTransform;

InputTransform randomTransform(int width, std::mt19937& random) {
    InputTransform t = InputTransform::identity(width);
    std::shuffle(t.to.begin(), t.to.begin() + width, random);
    t.flip = static_cast<std::uint8_t>(random() & ((1U << width) - 1));
    return t;
}

// Each row on with probability `on`, else a don't-care with probability `dc`.
Function randomFunction(int width, double on, double dc, std::mt19937& random) {
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    Function f;
    f.width = width;
    for (int r = 0; r < (1 << width); ++r) {
        const double x = draw(random);
        if (x < on) {
            f.on.set(r);
        } else if (x < on + dc) {
            f.dc.set(r);
        }
    }
    return f;
}

bool sameFunction(const Function& a, const Function& b) {
    return a.width == b.width && a.on == b.on && a.dc == b.dc;
}

// The totally symmetric function of 8 inputs whose rows with k ones are on for k in `on` and
// don't-cares for k in `dc`.
Function symmetric(unsigned on, unsigned dc) {
    Function f;
    f.width = 8;
    for (int r = 0; r < 256; ++r) {
        const unsigned bit = 1U << std::popcount(static_cast<unsigned>(r));
        if (on & bit) f.on.set(r);
        if (dc & bit) f.dc.set(r);
    }
    return f;
}

TEST(InputTransform, ComposesInvertsAndMapsCubesAsItMapsRows) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        const int width = 1 + trial % 8;
        const InputTransform t = randomTransform(width, random);
        const InputTransform u = randomTransform(width, random);
        EXPECT_TRUE(t.inverse().after(t).isIdentity());
        EXPECT_TRUE(t.after(t.inverse()).isIdentity());
        const InputTransform both = t.after(u);
        for (int r = 0; r < (1 << width); ++r) EXPECT_EQ(both.row(r), t.row(u.row(r)));
        // A product's image covers exactly the images of its rows.
        Cube c;
        c.free = static_cast<std::uint8_t>(random() & ((1U << width) - 1));
        c.value = static_cast<std::uint8_t>(random() & ((1U << width) - 1) & ~c.free);
        logic::RowSet images;
        c.rows(width).forEach([&](int r) { images.set(t.row(r)); });
        EXPECT_EQ(t.cube(c).rows(width), images);
        EXPECT_EQ(t.cube(c).literals(width), c.literals(width));
    }
}

TEST(CanonicalForm, IsTheSameForRandomTransformsOfAFunction) {
    std::mt19937 random(11);
    std::vector<Function> functions;
    for (int width = 1; width <= 8; ++width) {
        functions.push_back(randomFunction(width, 0.4, 0.1, random));
        functions.push_back(randomFunction(width, 0.5, 0.0, random));
    }
    // Ties everywhere: symmetric functions, with and without don't-cares, and one symmetric in
    // six of its eight inputs.
    functions.push_back(symmetric(0b000111000, 0));
    functions.push_back(symmetric(0b010101010, 0b000000100));
    functions.push_back(symmetric(0b000011100, 0b100000001));
    Function partly = symmetric(0b000110000, 0b000001000);
    partly.on.forEach([&](int r) {
        if ((r & 3) == 1) partly.on.reset(r);
    });
    functions.push_back(partly);
    for (const Function& f : functions) {
        const auto form = qm::canonicalForm(f);
        ASSERT_TRUE(form) << f.width;
        EXPECT_TRUE(sameFunction(form->toCanonical.function(f), form->function));
        for (int trial = 0; trial < 12; ++trial) {
            const Function g = randomTransform(f.width, random).function(f);
            const auto other = qm::canonicalForm(g);
            ASSERT_TRUE(other);
            EXPECT_TRUE(sameFunction(other->function, form->function)) << f.width;
            EXPECT_TRUE(sameFunction(other->toCanonical.function(g), other->function));
        }
    }
}

TEST(CanonicalForm, SymmetricFunctionsAreCheapAndTiesAreBounded) {
    // Any order of the inputs gives the same function: only complementing them is compared.
    EXPECT_TRUE(qm::canonicalForm(symmetric(0b000010000, 0b000101000), 256));
    EXPECT_TRUE(qm::canonicalForm(symmetric(0b101010101, 0), 256));
    // Within a bound too small for the ties left, the answer is nothing, never a wrong form.
    EXPECT_FALSE(qm::canonicalForm(symmetric(0b101010101, 0), 8));
    Function empty;
    EXPECT_FALSE(qm::canonicalForm(empty));
}

// Every function of 3 inputs, with don't-cares too: two functions get one canonical form exactly
// when some map of the inputs takes one to the other, found by trying all 48.
TEST(CanonicalForm, SplitsAllThreeInputFunctionsIntoTheirClasses) {
    constexpr int kWidth = 3;
    std::vector<InputTransform> maps;
    std::array<std::uint8_t, kWidth> order{0, 1, 2};
    do {
        for (int flip = 0; flip < 8; ++flip) {
            InputTransform t = InputTransform::identity(kWidth);
            std::copy(order.begin(), order.end(), t.to.begin());
            t.flip = static_cast<std::uint8_t>(flip);
            maps.push_back(t);
        }
    } while (std::next_permutation(order.begin(), order.end()));
    ASSERT_EQ(maps.size(), 48U);
    const auto code = [](const Function& f) {  // base 3: off, on, don't-care per row
        int c = 0;
        for (int r = 7; r >= 0; --r) c = c * 3 + (f.on.test(r) ? 1 : f.dc.test(r) ? 2 : 0);
        return c;
    };
    const auto classCount = [&](bool withDontCares) {
        std::set<int> orbits, forms;
        for (int c = 0; c < 6561; ++c) {
            Function f;
            f.width = kWidth;
            bool hasDontCare = false;
            for (int r = 0, rest = c; r < 8; ++r, rest /= 3) {
                if (rest % 3 == 1) f.on.set(r);
                if (rest % 3 == 2) {
                    f.dc.set(r);
                    hasDontCare = true;
                }
            }
            if (hasDontCare && !withDontCares) continue;
            int least = c;
            for (const InputTransform& t : maps) least = std::min(least, code(t.function(f)));
            const auto form = qm::canonicalForm(f);
            EXPECT_TRUE(form);
            if (!form) continue;
            orbits.insert(least);
            forms.insert(code(form->function));
            // The form is in the function's own class.
            int formLeast = code(form->function);
            for (const InputTransform& t : maps) {
                formLeast = std::min(formLeast, code(t.function(form->function)));
            }
            EXPECT_EQ(formLeast, least);
        }
        EXPECT_EQ(forms.size(), orbits.size());
        return orbits.size();
    };
    EXPECT_EQ(classCount(false), 22U);  // the known count of classes of 3-input functions
    classCount(true);
}

// The minimum cost found through the canonical form is the function's own: a function and its
// transforms get covers of equal cost, each a valid cover of its own function.
TEST(CanonicalForm, TransformedFunctionsGetMinimaOfEqualCost) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 12; ++trial) {
        const int width = 4 + trial % 4;
        const Function f = randomFunction(width, 0.45, 0.15, random);
        const auto costOf = [&](const Function& g) {
            const auto cover = qm::minimize(g);
            logic::RowSet covered;
            int literals = 0;
            for (const Cube& c : cover) {
                EXPECT_TRUE(c.rows(width).subsetOf(g.on | g.dc));
                covered |= c.rows(width);
                literals += c.literals(width);
            }
            EXPECT_TRUE(g.on.subsetOf(covered));
            return std::pair{cover.size(), literals};
        };
        const auto cost = costOf(f);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(costOf(randomTransform(width, random).function(f)), cost);
        }
    }
}

// A function whose proof outgrows the first short search is proven on its canonical form: the
// written cover is still the one the single search writes (its choice finished within its
// budget), and a transform of the function gets a cover of the same cost.
TEST(CanonicalForm, ProvesHardFunctionsOnTheFormAndKeepsTheWrittenCover) {
    const auto families = qm_bench::wideFamilies();
    const auto family = std::find_if(families.begin(), families.end(), [](const auto& f) {
        return f.name == "symmetric in 6 of 8";
    });
    ASSERT_NE(family, families.end());
    const Function f = family->members.at(113);
    qm::SolveStats single, routed;
    const auto written = qm::searchMinimum(f, qm::Deadline::max(), nullptr, &single);
    ASSERT_EQ(single.choiceCutShort, 0);
    EXPECT_EQ(qm::minimize(f, qm::Deadline::max(), nullptr, &routed), written);
    EXPECT_GT(routed.nodes, 2000);
    EXPECT_EQ(routed.choiceCutShort, 0);
    std::mt19937 random(3);
    const Function g = randomTransform(8, random).function(f);
    const auto other = qm::minimize(g);
    ASSERT_EQ(other.size(), written.size());
    int literals = 0, writtenLiterals = 0;
    logic::RowSet covered;
    for (const Cube& c : other) {
        EXPECT_TRUE(c.rows(8).subsetOf(g.on | g.dc));
        covered |= c.rows(8);
        literals += c.literals(8);
    }
    for (const Cube& c : written) writtenLiterals += c.literals(8);
    EXPECT_TRUE(g.on.subsetOf(covered));
    EXPECT_EQ(literals, writtenLiterals);
    // Stopped at any point, by the first search or on the form, the answer is a valid cover of
    // the function's own primes, no smaller than the bound proven.
    for (const int ms : {50, 300, 600}) {
        const qm::BestCover best =
            qm::minimizeWithin(g, std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
        logic::RowSet rows;
        for (const Cube& c : best.cover) {
            EXPECT_TRUE(c.rows(8).subsetOf(g.on | g.dc)) << ms;
            rows |= c.rows(8);
        }
        EXPECT_TRUE(g.on.subsetOf(rows)) << ms;
        EXPECT_LE(best.lowerBound, static_cast<int>(best.cover.size())) << ms;
        EXPECT_GE(static_cast<int>(best.cover.size()), static_cast<int>(written.size())) << ms;
    }
}

}  // namespace
}  // namespace qm_test
