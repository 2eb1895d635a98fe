// The explanation data against an independent search on plain truth tables: every function of
// up to 3 variables with every don't-care pattern, and seeded functions of 4 to 6 variables.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>

#include "logic/expression_text.h"
#include "minimizer/explanation.h"
#include "tests/minimizer/run_minimizer.h"

namespace qm_test {
namespace {

// What the independent search finds for a table.
struct Truth {
    std::vector<std::string> primes;
    std::vector<std::string> essential;
    int terms = 0, literals = 0;  // minimum sum of products
    long covers = 0;              // how many minimum covers
};

std::string code(int index, int width) {
    std::string text;
    for (int i = 0, rest = index; i < width; ++i, rest /= 3)
        text.insert(text.begin(), "01-"[rest % 3]);
    return text;
}

bool insideCare(const TruthTable& table, const std::string& c) {
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOff && codeCovers(c, row)) return false;
    }
    return true;
}

std::uint64_t onRowsOf(const TruthTable& table, const std::string& c) {
    std::uint64_t rows = 0;
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOn && codeCovers(c, row)) rows |= std::uint64_t{1} << row;
    }
    return rows;
}

// Include or leave out each prime in turn, keeping the cheapest covers and how many there are.
struct CoverCount {
    std::vector<std::uint64_t> rows;
    std::vector<int> literals;
    std::vector<std::uint64_t> later;  // rows the primes from i on can still cover
    int bestTerms = 1 << 20, bestLiterals = 0;
    long count = 0;

    void search(std::size_t i, std::uint64_t open, int terms, int lits) {
        if (open == 0) {
            if (terms < bestTerms || (terms == bestTerms && lits < bestLiterals)) {
                bestTerms = terms;
                bestLiterals = lits;
                count = 1;
            } else if (terms == bestTerms && lits == bestLiterals) {
                ++count;
            }
            return;
        }
        if (i == rows.size() || terms >= bestTerms || (open & ~later[i]) != 0) return;
        if (rows[i] & open) search(i + 1, open & ~rows[i], terms + 1, lits + literals[i]);
        search(i + 1, open, terms, lits);
    }
};

Truth independentTruth(const TruthTable& table) {
    Truth truth;
    int total = 1;
    for (int i = 0; i < table.width; ++i) total *= 3;
    std::uint64_t on = 0;
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOn) on |= std::uint64_t{1} << row;
    }
    for (int n = 0; n < total; ++n) {
        const std::string c = code(n, table.width);
        if (!insideCare(table, c) || onRowsOf(table, c) == 0) continue;
        bool prime = true;
        for (std::size_t k = 0; k < c.size() && prime; ++k) {
            if (c[k] == '-') continue;
            std::string grown = c;
            grown[k] = '-';
            prime = !insideCare(table, grown);
        }
        if (prime) truth.primes.push_back(c);
    }
    std::sort(truth.primes.begin(), truth.primes.end(), codeLess);
    CoverCount counter;
    for (const auto& p : truth.primes) {
        counter.rows.push_back(onRowsOf(table, p));
        counter.literals.push_back(literalCount({p}));
    }
    for (std::size_t i = 0; i < counter.rows.size(); ++i) {
        std::uint64_t others = 0;
        for (std::size_t j = 0; j < counter.rows.size(); ++j) {
            if (j != i) others |= counter.rows[j];
        }
        if (counter.rows[i] & ~others) truth.essential.push_back(truth.primes[i]);
    }
    counter.later.assign(counter.rows.size() + 1, 0);
    for (std::size_t i = counter.rows.size(); i-- > 0;)
        counter.later[i] = counter.later[i + 1] | counter.rows[i];
    counter.search(0, on, 0, 0);
    if (on == 0) counter = CoverCount{{}, {}, {}, 0, 0, 1};
    truth.terms = counter.bestTerms;
    truth.literals = counter.bestLiterals;
    truth.covers = counter.count;
    return truth;
}

TruthTable zerosOf(const TruthTable& table) {
    TruthTable zeros = table;
    for (char& row : zeros.rows) {
        if (row != kDontCare) row = row == kOn ? kOff : kOn;
    }
    return zeros;
}

std::vector<std::string> codes(const std::vector<logic::Cube>& cubes, int width) {
    std::vector<std::string> result;
    for (const auto& cube : cubes) result.push_back(logic::codeOf(cube, width));
    return result;
}

// Replays the reductions on the chart and checks each one's reason by brute force: a dominated
// prime (column) is inside its dominator with no more literals (tied exactly when equal), and a
// search starts only on a cyclic rest: no essential prime, no dominated prime or column, no
// prime covering nothing. Returns whether a search was needed.
std::vector<int> rowsOf(const logic::RowSet& set) {
    std::vector<int> rows;
    set.forEach([&](int row) { rows.push_back(row); });
    return rows;
}

bool expectSoundReductions(const qm::Explanation& e) {
    const int w = e.function.width;
    std::vector<logic::Cube> left = e.primes;
    logic::RowSet open = e.function.on;
    auto reach = [&](const logic::Cube& c) { return c.rows(w) & open; };
    auto primesOf = [&](int column) {
        std::vector<std::size_t> of;
        for (std::size_t p = 0; p < left.size(); ++p)
            if (left[p].contains(column)) of.push_back(p);
        return of;
    };
    auto drop = [&](const std::vector<logic::Cube>& gone) {
        std::erase_if(left, [&](const logic::Cube& c) {
            return std::find(gone.begin(), gone.end(), c) != gone.end();
        });
    };
    for (const qm::Reduction& r : e.reductions) {
        using Kind = qm::Reduction::Kind;
        if (r.kind == Kind::RowDominance) {
            for (std::size_t k = 0; k < r.primesRemoved.size(); ++k) {
                const logic::Cube &p = r.primesRemoved[k], &q = r.dominatedBy[k];
                EXPECT_TRUE(reach(p).subsetOf(reach(q)));
                EXPECT_LE(q.literals(w), p.literals(w));
                EXPECT_EQ(r.tied[k], reach(p) == reach(q) && q.literals(w) == p.literals(w));
            }
        } else if (r.kind == Kind::ColumnDominance) {
            for (std::size_t k = 0; k < r.mintermsRemoved.size(); ++k) {
                const auto mine = primesOf(r.mintermsRemoved[k]);
                const auto theirs = primesOf(r.dominatedColumns[k]);
                EXPECT_TRUE(std::includes(mine.begin(), mine.end(), theirs.begin(), theirs.end()));
                EXPECT_EQ(r.tied[k], mine == theirs);
                open.reset(r.mintermsRemoved[k]);
            }
        } else if (r.kind == Kind::Search) {
            EXPECT_EQ(r.primesLeft, left);
            EXPECT_EQ(r.columnsLeft, rowsOf(open));
            open.forEach([&](int column) {
                EXPECT_GE(primesOf(column).size(), 2U) << "essential in column " << column;
                open.forEach([&](int other) {
                    const auto mine = primesOf(column), theirs = primesOf(other);
                    EXPECT_TRUE(column == other || !std::includes(mine.begin(), mine.end(),
                                                                  theirs.begin(), theirs.end()))
                        << "column " << column << " dominates " << other;
                });
            });
            for (const logic::Cube& p : left) {
                EXPECT_FALSE(reach(p).empty());
                for (const logic::Cube& q : left) {
                    EXPECT_TRUE(p == q || q.literals(w) > p.literals(w) ||
                                !reach(p).subsetOf(reach(q)))
                        << logic::codeOf(q, w) << " dominates " << logic::codeOf(p, w);
                }
            }
            // Petrick's cheapest product is what the search takes.
            if (r.petrick) {
                EXPECT_EQ(qm::costOf(r.petrick->products.front(), w), qm::costOf(r.primesTaken, w));
                for (const auto& product : r.petrick->products) {
                    logic::RowSet covered;
                    for (const auto& c : product) covered |= c.rows(w);
                    EXPECT_TRUE(open.subsetOf(covered));
                }
            }
            return true;
        }
        for (const logic::Cube& c : r.primesTaken) open -= c.rows(w);
        drop(r.primesTaken);
        drop(r.primesRemoved);
    }
    EXPECT_TRUE(open.empty());
    return false;
}

void expectMatches(const TruthTable& table, const std::string& name) {
    SCOPED_TRACE(name);
    const qm::Explanation e = qm::explain(toFunction(table));
    const Truth truth = independentTruth(table);
    const int w = table.width;
    ASSERT_EQ(codes(e.primes, w), truth.primes);
    ASSERT_EQ(codes(e.essential, w), truth.essential);
    ASSERT_EQ(codes(e.covers.front(), w), minimizeCodes(table));
    ASSERT_EQ(e.sopCost, (logic::FormCost{truth.terms, truth.literals}));
    ASSERT_EQ(e.coversComplete, truth.covers <= qm::Explanation::kMaxCovers);
    ASSERT_EQ(e.coverCount, truth.covers);
    ASSERT_EQ(static_cast<long>(e.covers.size()),
              std::min<long>(truth.covers, qm::Explanation::kMaxCovers));
    std::set<std::vector<std::string>> distinct;
    for (const auto& cover : e.covers) {
        const auto c = codes(cover, w);
        ASSERT_EQ(coverFault(table, c), "");
        ASSERT_EQ(qm::costOf(cover, w), e.sopCost);
        distinct.insert(c);
    }
    ASSERT_EQ(distinct.size(), e.covers.size());

    // The steps a student follows end at one of the minimum covers, each step for its reason.
    std::vector<logic::Cube> taken;
    for (const auto& step : e.reductions)
        taken.insert(taken.end(), step.primesTaken.begin(), step.primesTaken.end());
    std::sort(taken.begin(), taken.end(), [w](const logic::Cube& a, const logic::Cube& b) {
        return logic::orderKey(a, w) < logic::orderKey(b, w);
    });
    if (e.coversComplete) {
        ASSERT_NE(std::find(e.covers.begin(), e.covers.end(), taken), e.covers.end());
    }
    ASSERT_EQ(coverFault(table, codes(taken, w)), "");
    ASSERT_EQ(qm::costOf(taken, w), e.sopCost);
    expectSoundReductions(e);

    // The combining table marks exactly the primes.
    std::vector<std::string> marked;
    for (const auto& step : e.combining) {
        for (const auto& entry : step.entries) {
            if (entry.prime) marked.push_back(logic::codeOf(entry.cube, w));
        }
    }
    std::sort(marked.begin(), marked.end(), codeLess);
    ASSERT_EQ(marked, truth.primes);

    const TruthTable zeros = zerosOf(table);
    const Truth posTruth = independentTruth(zeros);
    ASSERT_TRUE(e.pos.has_value());
    ASSERT_EQ(coverFault(zeros, codes(*e.pos, w)), "");
    ASSERT_EQ(e.posCost, (logic::FormCost{posTruth.terms, posTruth.literals}));
}

TEST(ExplanationData, EveryFunctionOfUpToThreeVariables) {
    for (int width = 1; width <= 3; ++width) {
        for (int n = 0; n < functionCount(width); ++n) {
            const TruthTable table = nthFunction(width, n);
            expectMatches(table,
                          std::to_string(width) + " variables, function " + std::to_string(n));
            if (HasFatalFailure()) return;
        }
    }
}

TEST(ExplanationData, SeededFunctionsOfFourToSixVariables) {
    std::mt19937 random(20261207);
    for (int width = 4; width <= 6; ++width) {
        const int members = width == 6 ? 40 : 150;
        for (int i = 0; i < members; ++i) {
            const double on = 0.2 + 0.5 * (i % 5) / 4.0;
            const TruthTable table = randomTable(width, on, 0.25, random);
            expectMatches(table, std::to_string(width) + " variables, member " + std::to_string(i));
            if (HasFatalFailure()) return;
        }
    }
}

TEST(ExplanationData, ASearchStartsOnlyOnACyclicChart) {
    // 3 variables, m(1,4,5,6)+d(3): after the essential AC', B'C covers 1 and 5 and dominates
    // A'C and AB' (two literals each), and is then essential: no search.
    logic::Function f;
    f.width = 3;
    for (int row : {1, 4, 5, 6}) f.on.set(row);
    f.dc.set(3);
    const qm::Explanation e = qm::explain(f);
    ASSERT_EQ(e.reductions.size(), 3U);
    const qm::Reduction& dominance = e.reductions[1];
    EXPECT_EQ(dominance.kind, qm::Reduction::Kind::RowDominance);
    EXPECT_EQ(codes(dominance.primesRemoved, 3), (std::vector<std::string>{"0-1", "10-"}));
    EXPECT_EQ(codes(dominance.dominatedBy, 3), (std::vector<std::string>{"-01", "-01"}));
    EXPECT_EQ(dominance.tied, (std::vector<bool>{false, false}));
    EXPECT_EQ(e.reductions[2].kind, qm::Reduction::Kind::Essential);

    // A large seeded sample of 4 variables with don't-cares; every function of 3 is checked by
    // the reference test above.
    std::mt19937 random(4);
    int searches = 0;
    for (int i = 0; i < 3000; ++i) {
        const TruthTable table = randomTable(4, 0.3 + 0.4 * (i % 3) / 2.0, 0.2, random);
        SCOPED_TRACE(i);
        searches += expectSoundReductions(qm::explain(toFunction(table)));
        if (HasFailure()) return;
    }
    EXPECT_GT(searches, 0);
}

TEST(ExplanationData, CountsTheMinimumCoversBeyondThoseItLists) {
    // "Not all variables equal": every minimum cover is a ring x1x2'+x2x3'+...+xnx1', one per
    // cyclic order of the variables, so (n-1)! of them: 24 for 5 variables, 120 for 6.
    for (int width : {5, 6}) {
        TruthTable table{width, std::vector<char>(std::size_t{1} << width, kOn)};
        table.rows.front() = table.rows.back() = kOff;
        const qm::Explanation e = qm::explain(toFunction(table));
        if (width == 5) {
            EXPECT_TRUE(e.coversComplete);
            EXPECT_EQ(e.coverCount, 24);
            EXPECT_EQ(e.covers.size(), 24U);
        } else {
            EXPECT_FALSE(e.coversComplete);
            EXPECT_EQ(e.coverCount, 120);
            EXPECT_EQ(e.covers.size(), static_cast<std::size_t>(qm::Explanation::kMaxCovers));
        }
    }
}

TEST(ExplanationTexts, ProductsAndSumsInTheFunctionsLetters) {
    // Ones 1, 3, 7, 11, 15, don't-cares 0, 2, 5.
    logic::Function f;
    f.width = 4;
    for (int row : {1, 3, 7, 11, 15}) f.on.set(row);
    for (int row : {0, 2, 5}) f.dc.set(row);
    const qm::Explanation e = qm::explain(f);
    EXPECT_EQ(logic::sopText(e.covers.front(), 4), "A'B'+CD");
    EXPECT_EQ(logic::sopText(e.covers.at(1), 4), "A'D+CD");
    ASSERT_TRUE(e.pos.has_value());
    EXPECT_EQ(logic::posText(*e.pos, 4), "(A'+C)D");
    EXPECT_EQ(logic::posText(*e.pos, 4, "WXYZ"), "(W'+Y)Z");
}

}  // namespace
}  // namespace qm_test
