// Totally symmetric functions, the hardest covering problems for their size: at 4 and 5
// variables every one code for code against the independent search, at 6 variables every one and
// at 8 a sample against optima computed offline by a general MILP solver
// (tests/minimizer/offline_optima.py), as products and literals.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

#include "minimizer/cover_solver.h"
#include "minimizer/prime_implicants.h"
#include "minimizer/symmetric_minima.h"
#include "tests/minimizer/function_families.h"
#include "tests/minimizer/run_minimizer.h"

namespace qm_test {
namespace {

int literalsOf(const std::vector<logic::Cube>& cover, int width) {
    int literals = 0;
    for (const logic::Cube& cube : cover) literals += cube.literals(width);
    return literals;
}

TruthTable toTable(const logic::Function& function) {
    TruthTable table{function.width, std::vector<char>(std::size_t{1} << function.width, kOff)};
    for (int row = 0; row < (1 << function.width); ++row) {
        if (function.on.test(row)) table.rows[row] = kOn;
        if (function.dc.test(row)) table.rows[row] = kDontCare;
    }
    return table;
}

// The minimum with the relaxation, the bound-first search and the symmetry pruning at work from
// the start: the plain search's first try settles most small functions on its own.
std::vector<std::string> minimizeWithSymmetry(const TruthTable& table) {
    const logic::Function function = toFunction(table);
    const std::vector<logic::Cube> primes = qm::primeImplicants(function);
    qm::CoverProblem problem;
    problem.rows = function.on;
    problem.function = function;
    problem.cubes = primes;
    for (const logic::Cube& prime : primes) {
        problem.columns.push_back(prime.rows(table.width));
        problem.literals.push_back(prime.literals(table.width));
    }
    qm::SolveOptions options;
    options.plainSearchNodes = 0;
    const auto chosen = qm::solveCover(problem, qm::Deadline::max(), options);
    std::vector<std::string> codes;
    // Primes come in the output order, and the indices ascend.
    for (int index : chosen.value_or(std::vector<int>{})) {
        codes.push_back(logic::codeOf(primes[static_cast<std::size_t>(index)], table.width));
    }
    return codes;
}

class SymmetricFamilies : public ::testing::TestWithParam<int> {};

// At 6 variables the plain reference search cannot settle the members with the most primes
// within its step limit; those are checked against the offline optima below.
TEST_P(SymmetricFamilies, MatchReferenceSearchCodeForCode) {
    const int width = GetParam();
    int compared = 0, members = 0;
    for (const auto& family :
         {qm_bench::symmetricFamily(width, false), qm_bench::symmetricFamily(width, true),
          qm_bench::bandFamily(width)}) {
        for (std::size_t m = 0; m < family.members.size(); ++m) {
            const TruthTable table = toTable(family.members[m]);
            const auto result = minimizeCodes(table);
            ASSERT_EQ(coverFault(table, result), "") << family.name << " " << m;
            ++members;
            const auto reference = referenceMinimum(table, width < 6 ? 1000000 : 20000);
            ASSERT_TRUE(reference || width == 6) << family.name << " " << m;
            if (!reference) continue;
            ++compared;
            ASSERT_EQ(result, *reference) << family.name << " " << m;
            ASSERT_EQ(minimizeWithSymmetry(table), *reference) << family.name << " " << m;
        }
    }
    RecordProperty("compared", compared);
    EXPECT_GE(compared * 2, members);  // the search's limit still settles most of them
}

INSTANTIATE_TEST_SUITE_P(Widths, SymmetricFamilies, ::testing::Values(4, 5, 6));

// Functions symmetric in only some of their inputs, so that the search prunes with smaller and
// less regular groups (some with complemented inputs): the row's state depends on the number
// of ones among the first three columns and, at random, on the other columns.
TEST(PartlySymmetricFunctions, MatchReferenceSearchCodeForCode) {
    std::mt19937 random(31);
    std::uniform_int_distribution<int> state(0, 5);
    for (int trial = 0; trial < 150; ++trial) {
        const int width = 5 + trial % 2;
        const int rest = width - 3;
        std::vector<char> byKey(std::size_t{4} << rest);
        for (char& s : byKey)
            s = static_cast<char>(state(random) < 3 ? kOn : (state(random) < 2 ? kDontCare : kOff));
        TruthTable table{width, std::vector<char>(std::size_t{1} << width, kOff)};
        const unsigned flip = trial % 3 == 0 ? 0x5U : 0U;  // complemented inputs keep a symmetry
        for (int row = 0; row < (1 << width); ++row) {
            const unsigned high = (static_cast<unsigned>(row) ^ (flip << rest)) >> rest;
            const int key = std::popcount(high) << rest | (row & ((1 << rest) - 1));
            table.rows[row] = byKey[static_cast<std::size_t>(key)];
        }
        const auto reference = referenceMinimum(table, 1000000);
        if (!reference) continue;
        ASSERT_EQ(minimizeCodes(table), *reference) << trial;
        ASSERT_EQ(minimizeWithSymmetry(table), *reference) << trial;
    }
}

// The same families with their inputs permuted and some complemented: the symmetry is then no
// longer in the order the primes come in, which the tie-break's isomorphism pruning must respect.
TEST(TransformedSymmetricFunctions, MatchReferenceSearchCodeForCode) {
    std::mt19937 random(41);
    int compared = 0;
    for (int width : {5, 6}) {
        for (bool oneDontCare : {false, true}) {
            for (const logic::Function& member :
                 qm_bench::symmetricFamily(width, oneDontCare).members) {
                const TruthTable table = toTable(qm_bench::transformed(member, random));
                const auto reference = referenceMinimum(table, 20000);
                if (!reference) continue;
                ++compared;
                ASSERT_EQ(minimizeCodes(table), *reference) << compared;
                ASSERT_EQ(minimizeWithSymmetry(table), *reference) << compared;
            }
        }
    }
    EXPECT_GE(compared, 200);
}

struct KnownOptimum {
    unsigned onCounts;        // bit k: the rows with k ones are on
    unsigned dontCareCounts;  // bit k: the rows with k ones are don't-cares
    int products;
    int literals;
};

void expectOptimum(int width, const KnownOptimum& known) {
    const TruthTable table =
        toTable(qm_bench::symmetricFunction(width, known.onCounts, known.dontCareCounts));
    const auto result = minimizeCodes(table);
    ASSERT_EQ(coverFault(table, result), "");
    EXPECT_EQ(static_cast<int>(result.size()), known.products);
    EXPECT_EQ(literalCount(result), known.literals);
}

// Printed by offline_optima.py, never by this minimizer: every symmetric function of 6 variables
// (each set of ones-counts; again with the count below the lowest, else above the highest, as
// don't-cares; the bands with don't-care edges).
const KnownOptimum kSixVariables[] = {
    {0x1, 0x0, 1, 6},     {0x2, 0x0, 6, 36},     {0x3, 0x0, 6, 30},    {0x4, 0x0, 15, 90},
    {0x5, 0x0, 16, 96},   {0x6, 0x0, 15, 75},    {0x7, 0x0, 15, 60},   {0x8, 0x0, 20, 120},
    {0x9, 0x0, 21, 126},  {0xa, 0x0, 26, 156},   {0xb, 0x0, 26, 150},  {0xc, 0x0, 20, 100},
    {0xd, 0x0, 21, 106},  {0xe, 0x0, 20, 80},    {0xf, 0x0, 20, 60},   {0x10, 0x0, 15, 90},
    {0x11, 0x0, 16, 96},  {0x12, 0x0, 21, 126},  {0x13, 0x0, 21, 120}, {0x14, 0x0, 30, 180},
    {0x15, 0x0, 31, 186}, {0x16, 0x0, 30, 165},  {0x17, 0x0, 30, 150}, {0x18, 0x0, 20, 100},
    {0x19, 0x0, 21, 106}, {0x1a, 0x0, 26, 136},  {0x1b, 0x0, 26, 130}, {0x1c, 0x0, 15, 60},
    {0x1d, 0x0, 16, 66},  {0x1e, 0x0, 15, 45},   {0x1f, 0x0, 15, 30},  {0x20, 0x0, 6, 36},
    {0x21, 0x0, 7, 42},   {0x22, 0x0, 12, 72},   {0x23, 0x0, 12, 66},  {0x24, 0x0, 21, 126},
    {0x25, 0x0, 22, 132}, {0x26, 0x0, 21, 111},  {0x27, 0x0, 21, 96},  {0x28, 0x0, 26, 156},
    {0x29, 0x0, 27, 162}, {0x2a, 0x0, 32, 192},  {0x2b, 0x0, 32, 186}, {0x2c, 0x0, 26, 136},
    {0x2d, 0x0, 27, 142}, {0x2e, 0x0, 26, 116},  {0x2f, 0x0, 26, 96},  {0x30, 0x0, 15, 75},
    {0x31, 0x0, 16, 81},  {0x32, 0x0, 21, 111},  {0x33, 0x0, 21, 105}, {0x34, 0x0, 30, 165},
    {0x35, 0x0, 31, 171}, {0x36, 0x0, 30, 150},  {0x37, 0x0, 30, 135}, {0x38, 0x0, 20, 80},
    {0x39, 0x0, 21, 86},  {0x3a, 0x0, 26, 116},  {0x3b, 0x0, 26, 110}, {0x3c, 0x0, 15, 45},
    {0x3d, 0x0, 16, 51},  {0x3e, 0x0, 6, 12},    {0x3f, 0x0, 6, 6},    {0x40, 0x0, 1, 6},
    {0x41, 0x0, 2, 12},   {0x42, 0x0, 7, 42},    {0x43, 0x0, 7, 36},   {0x44, 0x0, 16, 96},
    {0x45, 0x0, 17, 102}, {0x46, 0x0, 16, 81},   {0x47, 0x0, 16, 66},  {0x48, 0x0, 21, 126},
    {0x49, 0x0, 22, 132}, {0x4a, 0x0, 27, 162},  {0x4b, 0x0, 27, 156}, {0x4c, 0x0, 21, 106},
    {0x4d, 0x0, 22, 112}, {0x4e, 0x0, 21, 86},   {0x4f, 0x0, 21, 66},  {0x50, 0x0, 16, 96},
    {0x51, 0x0, 17, 102}, {0x52, 0x0, 22, 132},  {0x53, 0x0, 22, 126}, {0x54, 0x0, 31, 186},
    {0x55, 0x0, 32, 192}, {0x56, 0x0, 31, 171},  {0x57, 0x0, 31, 156}, {0x58, 0x0, 21, 106},
    {0x59, 0x0, 22, 112}, {0x5a, 0x0, 27, 142},  {0x5b, 0x0, 27, 136}, {0x5c, 0x0, 16, 66},
    {0x5d, 0x0, 17, 72},  {0x5e, 0x0, 16, 51},   {0x5f, 0x0, 16, 36},  {0x60, 0x0, 6, 30},
    {0x61, 0x0, 7, 36},   {0x62, 0x0, 12, 66},   {0x63, 0x0, 12, 60},  {0x64, 0x0, 21, 120},
    {0x65, 0x0, 22, 126}, {0x66, 0x0, 21, 105},  {0x67, 0x0, 21, 90},  {0x68, 0x0, 26, 150},
    {0x69, 0x0, 27, 156}, {0x6a, 0x0, 32, 186},  {0x6b, 0x0, 32, 180}, {0x6c, 0x0, 26, 130},
    {0x6d, 0x0, 27, 136}, {0x6e, 0x0, 26, 110},  {0x6f, 0x0, 26, 90},  {0x70, 0x0, 15, 60},
    {0x71, 0x0, 16, 66},  {0x72, 0x0, 21, 96},   {0x73, 0x0, 21, 90},  {0x74, 0x0, 30, 150},
    {0x75, 0x0, 31, 156}, {0x76, 0x0, 30, 135},  {0x77, 0x0, 30, 120}, {0x78, 0x0, 20, 60},
    {0x79, 0x0, 21, 66},  {0x7a, 0x0, 26, 96},   {0x7b, 0x0, 26, 90},  {0x7c, 0x0, 15, 30},
    {0x7d, 0x0, 16, 36},  {0x7e, 0x0, 6, 6},     {0x7f, 0x0, 1, 0},    {0x1, 0x2, 1, 5},
    {0x2, 0x1, 6, 30},    {0x3, 0x4, 3, 12},     {0x4, 0x2, 15, 75},   {0x5, 0x8, 16, 81},
    {0x6, 0x1, 15, 60},   {0x7, 0x8, 6, 18},     {0x8, 0x4, 20, 100},  {0x9, 0x10, 21, 106},
    {0xa, 0x1, 26, 150},  {0xb, 0x10, 26, 130},  {0xc, 0x2, 20, 80},   {0xd, 0x10, 16, 66},
    {0xe, 0x1, 20, 60},   {0xf, 0x10, 6, 12},    {0x10, 0x8, 15, 75},  {0x11, 0x20, 16, 81},
    {0x12, 0x1, 21, 120}, {0x13, 0x20, 21, 105}, {0x14, 0x2, 30, 165}, {0x15, 0x20, 31, 171},
    {0x16, 0x1, 30, 150}, {0x17, 0x20, 30, 135}, {0x18, 0x4, 15, 60},  {0x19, 0x20, 21, 86},
    {0x1a, 0x1, 26, 130}, {0x1b, 0x20, 26, 110}, {0x1c, 0x2, 15, 45},  {0x1d, 0x20, 16, 51},
    {0x1e, 0x1, 15, 30},  {0x1f, 0x20, 5, 5},    {0x20, 0x10, 6, 30},  {0x21, 0x40, 7, 36},
    {0x22, 0x1, 12, 66},  {0x23, 0x40, 12, 60},  {0x24, 0x2, 21, 111}, {0x25, 0x40, 22, 126},
    {0x26, 0x1, 21, 96},  {0x27, 0x40, 21, 90},  {0x28, 0x4, 26, 136}, {0x29, 0x40, 27, 156},
    {0x2a, 0x1, 32, 186}, {0x2b, 0x40, 32, 180}, {0x2c, 0x2, 26, 116}, {0x2d, 0x40, 27, 136},
    {0x2e, 0x1, 26, 96},  {0x2f, 0x40, 26, 90},  {0x30, 0x8, 8, 32},   {0x31, 0x40, 16, 66},
    {0x32, 0x1, 21, 105}, {0x33, 0x40, 21, 90},  {0x34, 0x2, 30, 150}, {0x35, 0x40, 31, 156},
    {0x36, 0x1, 30, 135}, {0x37, 0x40, 30, 120}, {0x38, 0x4, 8, 24},   {0x39, 0x40, 21, 66},
    {0x3a, 0x1, 26, 110}, {0x3b, 0x40, 26, 90},  {0x3c, 0x2, 6, 12},   {0x3d, 0x40, 16, 36},
    {0x3e, 0x1, 6, 6},    {0x3f, 0x40, 1, 0},    {0x40, 0x20, 1, 5},   {0x42, 0x1, 7, 36},
    {0x44, 0x2, 16, 81},  {0x46, 0x1, 16, 66},   {0x48, 0x4, 21, 106}, {0x4a, 0x1, 27, 156},
    {0x4c, 0x2, 21, 86},  {0x4e, 0x1, 21, 66},   {0x50, 0x8, 16, 81},  {0x52, 0x1, 22, 126},
    {0x54, 0x2, 31, 171}, {0x56, 0x1, 31, 156},  {0x58, 0x4, 16, 66},  {0x5a, 0x1, 27, 136},
    {0x5c, 0x2, 16, 51},  {0x5e, 0x1, 16, 36},   {0x60, 0x10, 3, 12},  {0x62, 0x1, 12, 60},
    {0x64, 0x2, 21, 105}, {0x66, 0x1, 21, 90},   {0x68, 0x4, 26, 130}, {0x6a, 0x1, 32, 180},
    {0x6c, 0x2, 26, 110}, {0x6e, 0x1, 26, 90},   {0x70, 0x8, 6, 18},   {0x72, 0x1, 21, 90},
    {0x74, 0x2, 30, 135}, {0x76, 0x1, 30, 120},  {0x78, 0x4, 6, 12},   {0x7a, 0x1, 26, 90},
    {0x7c, 0x2, 5, 5},    {0x7e, 0x1, 1, 0},     {0x2, 0x5, 3, 12},    {0x6, 0x9, 6, 18},
    {0xe, 0x11, 6, 12},   {0x1e, 0x21, 5, 5},    {0x3e, 0x41, 1, 0},   {0x4, 0xa, 8, 32},
    {0xc, 0x12, 8, 24},   {0x1c, 0x22, 5, 10},   {0x3c, 0x42, 5, 5},   {0x8, 0x14, 10, 40},
    {0x18, 0x24, 8, 24},  {0x38, 0x44, 6, 12},   {0x10, 0x28, 8, 32},  {0x30, 0x48, 6, 18},
    {0x20, 0x50, 3, 12}};

TEST(SymmetricSixVariables, ReachOfflineOptima) {
    for (const KnownOptimum& known : kSixVariables) {
        SCOPED_TRACE(::testing::Message()
                     << "on counts " << known.onCounts << " dc counts " << known.dontCareCounts);
        expectOptimum(6, known);
    }
}

// A sample at 8 variables: bands, single counts, alternating counts, with and without
// don't-care counts (the band with don't-care edges has a relaxation bound of 14); from 0x9a on,
// functions whose cover is known in advance.
const KnownOptimum kEightVariables[] = {
    {0x8, 0x0, 56, 448},   {0x10, 0x0, 70, 560}, {0x18, 0x0, 70, 490},   {0x1c, 0x0, 70, 420},
    {0xe, 0x0, 56, 336},   {0x70, 0x0, 70, 420}, {0x54, 0x0, 126, 1008}, {0x1e, 0x0, 70, 350},
    {0x3c, 0x0, 56, 280},  {0x7e, 0x0, 28, 84},  {0x38, 0x4, 56, 280},   {0x1c, 0x2, 70, 350},
    {0x30, 0x8, 56, 336},  {0xc, 0x10, 28, 168}, {0x101, 0x0, 2, 16},    {0x55, 0x0, 127, 1016},
    {0x1e, 0x21, 20, 60},  {0x9a, 0x1, 86, 610}, {0x3b, 0x0, 64, 392},   {0xb6, 0x1, 106, 722},
    {0x172, 0x0, 79, 492}, {0x1d, 0x0, 71, 428}, {0x31, 0x0, 71, 498},   {0x1d8, 0x0, 98, 658},
    {0x131, 0x0, 72, 506}, {0x34, 0x0, 98, 714}, {0xb2, 0x1, 86, 610},   {0x139, 0x0, 58, 352}};

TEST(SymmetricEightVariables, ReachOfflineOptima) {
    for (const KnownOptimum& known : kEightVariables) {
        SCOPED_TRACE(::testing::Message()
                     << "on counts " << known.onCounts << " dc counts " << known.dontCareCounts);
        expectOptimum(8, known);
    }
}

// The covers worked out in advance are written without a search, so each must hold up on its
// own: found under its counts (the table is sorted), made of primes, in the output order, and,
// for the quickest of them, the very cover the search writes.
TEST(KnownMinima, AreTheSearchsPrimeCovers) {
    const auto all = qm::countsWithKnownMinimum();
    ASSERT_GT(all.size(), 100U);
    for (const qm::SymmetricCounts& counts : all) {
        SCOPED_TRACE(::testing::Message()
                     << std::hex << "on counts " << counts.on << " dc counts " << counts.dontCare);
        const logic::Function function = qm_bench::symmetricFunction(8, counts.on, counts.dontCare);
        const auto known = qm::knownMinimum(function);
        ASSERT_TRUE(known);
        const std::vector<logic::Cube> primes = qm::primeImplicants(function);
        for (std::size_t i = 0; i < known->size(); ++i) {
            EXPECT_NE(std::find(primes.begin(), primes.end(), (*known)[i]), primes.end());
            if (i > 0) {
                EXPECT_LT(logic::orderKey((*known)[i - 1], 8), logic::orderKey((*known)[i], 8));
            }
        }
    }
    // Two of the quickest entries: ones-counts 0, 2 and 3, and 5 and 6, each with a
    // don't-care count.
    for (const qm::SymmetricCounts counts : {qm::SymmetricCounts{0x0d, 0x10}, {0x60, 0x10}}) {
        const logic::Function function = qm_bench::symmetricFunction(8, counts.on, counts.dontCare);
        ASSERT_TRUE(qm::knownMinimum(function));
        EXPECT_EQ(qm::searchMinimum(function), qm::knownMinimum(function));
    }
}

// A table function with its inputs permuted and some complemented: its minimum cost is known
// from the table (the cover mapped back), and the search writes a valid prime cover of that cost.
// One row moved breaks the equivalence.
TEST(KnownMinima, ServeEveryEquivalentFunction) {
    std::mt19937 random(43);
    const auto all = qm::countsWithKnownMinimum();
    for (std::size_t i = 3; i < all.size(); i += all.size() / 4) {
        SCOPED_TRACE(i);
        const logic::Function original = qm_bench::symmetricFunction(8, all[i].on, all[i].dontCare);
        const auto table = *qm::knownMinimum(original);
        logic::Function image = qm_bench::transformed(original, random);
        if (qm::symmetricCounts(image)) continue;  // no input complemented
        const auto known = qm::knownMinimumUpToComplement(image);
        ASSERT_TRUE(known);
        EXPECT_EQ(known->products, static_cast<int>(table.size()));
        EXPECT_EQ(known->literals, literalsOf(table, 8));
        const auto cover = qm::minimize(image);
        EXPECT_EQ(cover.size(), table.size());
        EXPECT_EQ(literalsOf(cover, 8), literalsOf(table, 8));
        std::vector<std::string> codes;
        for (const logic::Cube& cube : cover) codes.push_back(logic::codeOf(cube, 8));
        EXPECT_EQ(coverFault(toTable(image), codes), "");
        const int row = image.on.first();
        image.on.reset(row);
        EXPECT_FALSE(qm::knownMinimumUpToComplement(image));
    }
}

// Only totally symmetric functions have counts: one row moved to another state breaks that,
// unless it is the only row of its count.
TEST(KnownMinima, CountsOnlyOfSymmetricFunctions) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 200; ++trial) {
        const int width = 1 + trial % 8;
        const unsigned all = (1U << (width + 1)) - 1U;
        const unsigned on = random() & all, dontCare = random() & all & ~on;
        logic::Function function = qm_bench::symmetricFunction(width, on, dontCare);
        ASSERT_EQ(qm::symmetricCounts(function), (qm::SymmetricCounts{on, dontCare}));
        const int row = static_cast<int>(random() % (1U << width));
        const int ones = std::popcount(static_cast<unsigned>(row));
        if (function.on.test(row)) {
            function.on.reset(row);
        } else {
            function.on.set(row);
            function.dc.reset(row);
        }
        EXPECT_EQ(qm::symmetricCounts(function).has_value(), ones == 0 || ones == width);
    }
}

}  // namespace
}  // namespace qm_test
