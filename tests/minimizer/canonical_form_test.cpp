// The canonical form under permuting and complementing inputs: one representative per class
// (random transforms, and the classes of all 3-input functions against brute force), the maps'
// algebra, and minimize() proving a hard function's minimum on it.

#include "minimizer/canonical_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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
    Function f{width, {}, {}};
    for (int r = 0; r < (1 << width); ++r) {
        const double x = draw(random);
        if (x < on) f.on.set(r);
        if (x >= on && x < on + dc) f.dc.set(r);
    }
    return f;
}

bool sameFunction(const Function& a, const Function& b) {
    return a.width == b.width && a.on == b.on && a.dc == b.dc;
}

Function symmetric(unsigned on, unsigned dc) {
    return qm_bench::symmetricFunction(8, on, dc);
}

// The covered rows' validity and the cover's literals.
int validCoverLiterals(const std::vector<Cube>& cover, const Function& f) {
    logic::RowSet covered;
    int literals = 0;
    for (const Cube& c : cover) {
        EXPECT_TRUE(c.rows(f.width).subsetOf(f.on | f.dc));
        covered |= c.rows(f.width);
        literals += c.literals(f.width);
    }
    EXPECT_TRUE(f.on.subsetOf(covered));
    return literals;
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
// when some of the 48 maps of the inputs takes one to the other, and the form is in the class.
TEST(CanonicalForm, SplitsAllThreeInputFunctionsIntoTheirClasses) {
    std::vector<InputTransform> maps;
    std::array<std::uint8_t, 3> order{0, 1, 2};
    do {
        for (int flip = 0; flip < 8; ++flip) {
            InputTransform t = InputTransform::identity(3);
            std::copy(order.begin(), order.end(), t.to.begin());
            t.flip = static_cast<std::uint8_t>(flip);
            maps.push_back(t);
        }
    } while (std::next_permutation(order.begin(), order.end()));
    const auto code = [](const Function& f) {  // base 3: off, on, don't-care per row
        int c = 0;
        for (int r = 7; r >= 0; --r) c = c * 3 + (f.on.test(r) ? 1 : f.dc.test(r) ? 2 : 0);
        return c;
    };
    const auto leastImage = [&](const Function& f) {
        int least = code(f);
        for (const InputTransform& t : maps) least = std::min(least, code(t.function(f)));
        return least;
    };
    std::set<int> orbits, forms, orbitsWithoutDontCares;
    for (int c = 0; c < 6561; ++c) {
        Function f{3, {}, {}};
        for (int r = 0, rest = c; r < 8; ++r, rest /= 3) {
            if (rest % 3 == 1) f.on.set(r);
            if (rest % 3 == 2) f.dc.set(r);
        }
        const auto form = qm::canonicalForm(f);
        ASSERT_TRUE(form);
        const int orbit = leastImage(f);
        EXPECT_EQ(leastImage(form->function), orbit);
        orbits.insert(orbit);
        forms.insert(code(form->function));
        if (f.dc.empty()) orbitsWithoutDontCares.insert(orbit);
    }
    EXPECT_EQ(forms.size(), orbits.size());
    EXPECT_EQ(orbitsWithoutDontCares.size(), 22U);  // the known count for 3-input functions
}

// A function whose proof outgrows the first short search is proven on its canonical form: the
// written cover is still the one the single search writes (its choice finished within its
// budget), and a transform of the function gets a cover of the same cost.
TEST(CanonicalForm, ProvesHardFunctionsOnTheFormAndKeepsTheWrittenCover) {
    const auto families = qm_bench::wideFamilies();
    const auto family = std::find_if(families.begin(), families.end(),
                                     [](const auto& f) { return f.name == "symmetric dc count sets"; });
    ASSERT_NE(family, families.end());
    // One that the search as given does not settle within its first 2,000 nodes.
    const Function f = family->members.at(43);
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
    EXPECT_EQ(validCoverLiterals(other, g), validCoverLiterals(written, f));
    // Stopped at any point, by the first search or on the form, the answer is a valid cover of
    // the function's own primes, no smaller than the bound proven.
    for (const int ms : {50, 300, 600}) {
        const qm::BestCover best =
            qm::minimizeWithin(g, std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
        validCoverLiterals(best.cover, g);
        EXPECT_LE(best.lowerBound, static_cast<int>(best.cover.size())) << ms;
        EXPECT_GE(best.cover.size(), written.size()) << ms;
    }
}

}  // namespace
}  // namespace qm_test
