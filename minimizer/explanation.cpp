#include "minimizer/explanation.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <map>

#include "logic/expression_text.h"
#include "minimizer/minimize.h"
#include "minimizer/prime_implicants.h"

namespace qm {

using logic::codeOf;
using logic::Cube;
using logic::FormCost;
using logic::Function;
using logic::orderKey;
using logic::posText;
using logic::RowSet;
using logic::sopText;

namespace {

int onesOf(const Cube& cube) {
    return std::popcount(static_cast<unsigned>(cube.value & ~cube.free));
}

// The classic table: the care rows, then every cube made by merging two cubes of the previous
// step that have the same free columns and differ in one fixed column.
std::vector<CombiningStep> combiningTable(const Function& function) {
    const int width = function.width;
    std::vector<CombiningStep> steps(1);
    (function.on | function.dc).forEach([&](int row) {
        CombiningStep::Entry entry;
        entry.cube = Cube{static_cast<std::uint8_t>(row), 0};
        entry.ones = onesOf(entry.cube);
        steps[0].entries.push_back(entry);
    });
    auto byGroup = [width](const CombiningStep::Entry& a, const CombiningStep::Entry& b) {
        return a.ones != b.ones ? a.ones < b.ones
                                : orderKey(a.cube, width) < orderKey(b.cube, width);
    };
    std::stable_sort(steps[0].entries.begin(), steps[0].entries.end(), byGroup);

    for (;;) {
        std::vector<CombiningStep::Entry>& previous = steps.back().entries;
        std::vector<CombiningStep::Entry> next;
        std::map<std::pair<int, int>, std::size_t> seen;  // (value, free) -> index in next
        for (std::size_t i = 0; i < previous.size(); ++i) {
            for (std::size_t j = i + 1; j < previous.size(); ++j) {
                const Cube& a = previous[i].cube;
                const Cube& b = previous[j].cube;
                // Only neighbouring groups can differ in exactly one column.
                if (a.free != b.free || std::abs(previous[i].ones - previous[j].ones) != 1)
                    continue;
                const unsigned difference = static_cast<unsigned>(a.value ^ b.value);
                if (std::popcount(difference) != 1) continue;
                previous[i].merged = previous[j].merged = true;
                const Cube merged{static_cast<std::uint8_t>(a.value & ~difference),
                                  static_cast<std::uint8_t>(a.free | difference)};
                if (seen.try_emplace({merged.value, merged.free}, next.size()).second) {
                    CombiningStep::Entry entry;
                    entry.cube = merged;
                    entry.ones = onesOf(merged);
                    entry.mergedFrom = {static_cast<int>(i), static_cast<int>(j)};
                    next.push_back(entry);
                }
            }
        }
        for (CombiningStep::Entry& entry : previous) {
            entry.prime = !entry.merged && entry.cube.rows(width).intersects(function.on);
        }
        if (next.empty()) break;
        std::stable_sort(next.begin(), next.end(), byGroup);
        steps.push_back(CombiningStep{std::move(next)});
    }
    return steps;
}

std::vector<Cube> cubesAt(const std::vector<Cube>& primes, const std::vector<int>& indices) {
    std::vector<Cube> cubes;
    for (int i : indices) cubes.push_back(primes[static_cast<std::size_t>(i)]);
    return cubes;
}

std::vector<int> rowsOf(const RowSet& set) {
    std::vector<int> rows;
    set.forEach([&](int row) { rows.push_back(row); });
    return rows;
}

// Petrick's method on a small cyclic rest: the product of one sum per column, multiplied out
// with absorption (a product holding another is dropped), as bit sets of `left`.
Petrick petrick(const std::vector<Cube>& primes, const std::vector<int>& left,
                const std::vector<RowSet>& rows, const std::vector<int>& literals,
                const std::vector<int>& columns) {
    Petrick result;
    std::vector<unsigned> products{0};
    for (int column : columns) {
        std::vector<Cube> sum;
        std::vector<unsigned> next;
        for (std::size_t k = 0; k < left.size(); ++k) {
            if (!rows[static_cast<std::size_t>(left[k])].test(column)) continue;
            sum.push_back(primes[static_cast<std::size_t>(left[k])]);
            for (unsigned product : products) next.push_back(product | 1u << k);
        }
        result.sums.push_back(std::move(sum));
        std::sort(next.begin(), next.end());
        next.erase(std::unique(next.begin(), next.end()), next.end());
        products.clear();
        for (unsigned product : next) {
            const bool absorbed = std::any_of(next.begin(), next.end(), [&](unsigned other) {
                return other != product && (other & product) == other;
            });
            if (!absorbed) products.push_back(product);
        }
    }
    auto costOfProduct = [&](unsigned product) {
        FormCost cost;
        for (std::size_t k = 0; k < left.size(); ++k) {
            if (product >> k & 1u) {
                cost.terms += 1;
                cost.literals += literals[static_cast<std::size_t>(left[k])];
            }
        }
        return cost;
    };
    // Bit k is the k-th prime left in output order, so the reversed bits order the index lists.
    auto listKey = [&](unsigned product) {
        std::vector<int> list;
        for (std::size_t k = 0; k < left.size(); ++k)
            if (product >> k & 1u) list.push_back(static_cast<int>(k));
        return list;
    };
    std::sort(products.begin(), products.end(), [&](unsigned a, unsigned b) {
        const FormCost ca = costOfProduct(a), cb = costOfProduct(b);
        if (ca.terms != cb.terms) return ca.terms < cb.terms;
        if (ca.literals != cb.literals) return ca.literals < cb.literals;
        return listKey(a) < listKey(b);
    });
    for (unsigned product : products) {
        std::vector<Cube> cover;
        for (int k : listKey(product)) cover.push_back(primes[static_cast<std::size_t>(left[k])]);
        result.products.push_back(std::move(cover));
    }
    return result;
}

// The first level of a search on a cyclic rest: each branch settled with the cover solver
// within the listing's time.
Branching branching(const std::vector<Cube>& primes, const std::vector<int>& left,
                    const std::vector<RowSet>& rows, const std::vector<int>& literals,
                    const RowSet& open, Deadline deadline, const CancelFlag* cancelled) {
    Branching result;
    std::size_t fewest = left.size() + 1;
    open.forEach([&](int column) {
        const auto count = static_cast<std::size_t>(
            std::count_if(left.begin(), left.end(), [&](int p) { return rows[p].test(column); }));
        if (count < fewest) {
            fewest = count;
            result.column = column;
        }
    });
    SolveOptions options;
    options.cancelled = cancelled;
    std::vector<int> excluded;
    for (int p : left) {
        if (!rows[p].test(result.column)) continue;
        result.primes.push_back(primes[static_cast<std::size_t>(p)]);
        CoverProblem problem;
        problem.rows = open - rows[p];
        for (int q : left) {
            if (q == p || std::find(excluded.begin(), excluded.end(), q) != excluded.end())
                continue;
            problem.columns.push_back(rows[q] & open);
            problem.literals.push_back(literals[q]);
        }
        std::optional<FormCost> cost;
        try {
            if (const auto cover = solveCover(problem, deadline, options)) {
                cost = FormCost{1, literals[p]};
                for (int k : *cover) {
                    cost->terms += 1;
                    cost->literals += problem.literals[static_cast<std::size_t>(k)];
                }
            }
        } catch (const TooHard&) {
        }
        result.costs.push_back(cost);
        excluded.push_back(p);
    }
    return result;
}

// The chart reductions as a textbook applies them, up to a cyclic rest, whose search is shown
// when `deadline` is given (the time it may take). `chosen` (the preferred
// minimum cover) settles that rest, each of its primes that a dominance step dropped replaced by
// its dominator (the same cost, or the chosen cover would not be minimum).
std::vector<Reduction> reduceChart(const Function& function, const std::vector<Cube>& primes,
                                   const std::vector<Cube>& chosen, const Deadline* deadline,
                                   const CancelFlag* cancelled) {
    const int width = function.width;
    std::vector<RowSet> rows;
    std::vector<int> literals;
    for (const Cube& prime : primes) {
        rows.push_back(prime.rows(width) & function.on);
        literals.push_back(prime.literals(width));
    }
    std::vector<int> target;  // the preferred cover as prime indices, kept inside the chart left
    for (const Cube& cube : chosen)
        target.push_back(
            static_cast<int>(std::find(primes.begin(), primes.end(), cube) - primes.begin()));
    std::vector<Reduction> steps;
    RowSet open = function.on;
    std::vector<int> active(primes.size());
    for (std::size_t i = 0; i < active.size(); ++i) active[i] = static_cast<int>(i);
    std::vector<int> takenSoFar;
    auto contains = [](const std::vector<int>& list, int p) {
        return std::find(list.begin(), list.end(), p) != list.end();
    };

    // Drops the active primes that no longer cover an open column; returns them.
    auto dropIdle = [&] {
        std::vector<int> idle;
        std::erase_if(active, [&](int p) {
            if (rows[p].intersects(open)) return false;
            idle.push_back(p);
            return true;
        });
        return idle;
    };

    while (!open.empty()) {
        // Essential: a column with a single active prime.
        RowSet once, twice;
        for (int p : active) {
            const RowSet reach = rows[p] & open;
            twice |= once & reach;
            once |= reach;
        }
        const RowSet single = open - twice;
        if (!single.empty()) {
            Reduction step;
            step.kind = Reduction::Kind::Essential;
            std::vector<int> taken;
            RowSet covered;
            for (int p : active) {
                if ((rows[p] & single).empty()) continue;
                taken.push_back(p);
                covered |= rows[p] & open;
            }
            step.primesTaken = cubesAt(primes, taken);
            step.mintermsCovered = rowsOf(covered);
            open -= covered;
            std::erase_if(active, [&](int p) { return contains(taken, p); });
            takenSoFar.insert(takenSoFar.end(), taken.begin(), taken.end());
            step.primesRemoved = cubesAt(primes, dropIdle());
            steps.push_back(std::move(step));
            continue;
        }

        // Row dominance: p goes when q covers every column p covers and has no more literals,
        // and q covers more columns or has fewer literals. Only when both are equal does the
        // order decide (the later prime goes). Every dominated prime at once: the relation is
        // transitive and keeps its maximal primes.
        Reduction rowStep;
        rowStep.kind = Reduction::Kind::RowDominance;
        std::vector<int> dropped;
        for (int p : active) {
            const RowSet reach = rows[p] & open;
            int dominator = -1;
            bool tied = false;
            for (int q : active) {
                if (q == p || literals[q] > literals[p] || !reach.subsetOf(rows[q] & open))
                    continue;
                const bool equal = literals[q] == literals[p] && reach == (rows[q] & open);
                if (equal && q > p) continue;
                // A strict dominator is named before a tie.
                if (dominator < 0 || (tied && !equal)) {
                    dominator = q;
                    tied = equal;
                }
            }
            if (dominator < 0) continue;
            dropped.push_back(p);
            rowStep.primesRemoved.push_back(primes[p]);
            rowStep.dominatedBy.push_back(primes[static_cast<std::size_t>(dominator)]);
            rowStep.tied.push_back(tied);
        }
        if (!dropped.empty()) {
            std::erase_if(active, [&](int p) { return contains(dropped, p); });
            for (int& t : target) {
                // Follow the dominators until one that stays (each is kept or dropped itself).
                while (contains(dropped, t)) {
                    const auto at = std::find(dropped.begin(), dropped.end(), t) - dropped.begin();
                    const Cube& by = rowStep.dominatedBy[static_cast<std::size_t>(at)];
                    t = static_cast<int>(std::find(primes.begin(), primes.end(), by) -
                                         primes.begin());
                }
            }
            steps.push_back(std::move(rowStep));
            continue;
        }

        // Column dominance: a column whose primes include all primes of another column is
        // covered whenever that one is. Of columns with the same primes the lowest stays.
        std::map<int, std::vector<int>> primesOfColumn;
        open.forEach([&](int column) {
            for (int p : active) {
                if (rows[p].test(column)) primesOfColumn[column].push_back(p);
            }
        });
        Reduction columnStep;
        columnStep.kind = Reduction::Kind::ColumnDominance;
        RowSet removed;
        for (const auto& [column, mine] : primesOfColumn) {
            for (const auto& [other, theirs] : primesOfColumn) {
                if (other == column || removed.test(other)) continue;
                const bool includes =
                    std::includes(mine.begin(), mine.end(), theirs.begin(), theirs.end());
                const bool equal = mine.size() == theirs.size();
                if (includes && (!equal || other < column)) {
                    removed.set(column);
                    columnStep.mintermsRemoved.push_back(column);
                    columnStep.dominatedColumns.push_back(other);
                    columnStep.tied.push_back(equal);
                    break;
                }
            }
        }
        if (!removed.empty()) {
            open -= removed;
            columnStep.primesRemoved = cubesAt(primes, dropIdle());
            steps.push_back(std::move(columnStep));
            continue;
        }

        // A cyclic rest: Petrick's method shows it when small, else the search's first branching.
        Reduction step;
        step.kind = Reduction::Kind::Search;
        step.columnsLeft = rowsOf(open);
        step.primesLeft = cubesAt(primes, active);
        if (static_cast<int>(active.size()) <= Reduction::kMaxPetrick &&
            static_cast<int>(step.columnsLeft.size()) <= Reduction::kMaxPetrick) {
            step.petrick = petrick(primes, active, rows, literals, step.columnsLeft);
        } else if (deadline) {
            step.branching = branching(primes, active, rows, literals, open, *deadline, cancelled);
        }
        std::sort(target.begin(), target.end());
        RowSet covered;
        for (int p : target) {
            if (contains(takenSoFar, p)) continue;
            step.primesTaken.push_back(primes[static_cast<std::size_t>(p)]);
            covered |= rows[p] & open;
        }
        step.mintermsCovered = rowsOf(covered);
        steps.push_back(std::move(step));
        break;
    }
    return steps;
}

// Enumerates the covers of `open` made of primes that cost exactly `target`, each once: at every
// node the open column with the fewest candidates is branched on, and the i-th branch takes the
// i-th candidate and forbids the earlier ones. Counting keeps no cover.
class CoverEnumerator {
public:
    CoverEnumerator(const Function& function, const std::vector<Cube>& primes, const RowSet& open,
                    FormCost target, Deadline deadline, const CancelFlag* cancelled)
        : open_(open), target_(target), deadline_(deadline), cancelled_(cancelled) {
        candidates_.resize(std::size_t{1} << function.width);
        for (const Cube& prime : primes) {
            rows_.push_back(prime.rows(function.width) & function.on);
            literals_.push_back(prime.literals(function.width));
            rows_.back().forEach([&](int column) {
                candidates_[static_cast<std::size_t>(column)].push_back(
                    static_cast<int>(rows_.size() - 1));
            });
        }
    }

    // Up to `limit` covers as ascending prime indices; `complete` tells whether that was all
    // (false also when the deadline came first).
    std::vector<std::vector<int>> list(std::size_t limit, bool& complete) {
        limit_ = limit;
        stopAtLimit_ = true;
        start();
        complete = !stopped_;
        return std::move(found_);
    }

    // How many covers there are; nothing when the deadline came first.
    std::optional<long> count() {
        limit_ = 0;
        stopAtLimit_ = false;
        start();
        if (stopped_) return std::nullopt;
        return count_;
    }

private:
    void search(const RowSet& open, std::vector<char>& allowed, std::vector<int>& chosen,
                FormCost cost) {
        if (stopped_) return;
        if (++nodes_ % 512 == 0 && (std::chrono::steady_clock::now() > deadline_ ||
                                    (cancelled_ && cancelled_->load(std::memory_order_relaxed)))) {
            stopped_ = true;
            return;
        }
        if (open.empty()) {
            if (cost == target_ && ++count_ > static_cast<long>(limit_) && stopAtLimit_) {
                stopped_ = true;
                return;
            }
            if (cost == target_ && count_ <= static_cast<long>(limit_)) {
                std::vector<int> cover = chosen;
                std::sort(cover.begin(), cover.end());
                found_.push_back(std::move(cover));
            }
            return;
        }
        if (cost.terms >= target_.terms) return;

        // Columns whose candidate sets are pairwise disjoint each need a prime of their own.
        int branchColumn = -1;
        std::size_t fewest = rows_.size() + 1;
        FormCost bound;
        std::vector<char> used(rows_.size(), 0);
        bool dead = false;
        open.forEach([&](int column) {
            if (dead) return;
            const std::vector<int>& mine = candidates_[static_cast<std::size_t>(column)];
            std::size_t candidates = 0;
            bool disjoint = true;
            int cheapest = 1 << 20;
            for (int p : mine) {
                if (!allowed[static_cast<std::size_t>(p)]) continue;
                ++candidates;
                if (used[static_cast<std::size_t>(p)]) disjoint = false;
                cheapest = std::min(cheapest, literals_[static_cast<std::size_t>(p)]);
            }
            if (candidates == 0) {
                dead = true;
                return;
            }
            if (candidates < fewest) {
                fewest = candidates;
                branchColumn = column;
            }
            if (disjoint) {
                for (int p : mine) {
                    if (allowed[static_cast<std::size_t>(p)]) used[static_cast<std::size_t>(p)] = 1;
                }
                bound.terms += 1;
                bound.literals += cheapest;
            }
        });
        if (dead || cost.terms + bound.terms > target_.terms ||
            cost.literals + bound.literals > target_.literals)
            return;

        std::vector<int> forbidden;
        for (int candidate : candidates_[static_cast<std::size_t>(branchColumn)]) {
            if (stopped_) break;
            const auto p = static_cast<std::size_t>(candidate);
            if (!allowed[p]) continue;
            chosen.push_back(candidate);
            search(open - rows_[p], allowed, chosen,
                   FormCost{cost.terms + 1, cost.literals + literals_[p]});
            chosen.pop_back();
            allowed[p] = 0;
            forbidden.push_back(candidate);
        }
        for (int p : forbidden) allowed[static_cast<std::size_t>(p)] = 1;
    }

    void start() {
        std::vector<char> allowed(rows_.size(), 1);
        std::vector<int> chosen;
        stopped_ = false;
        count_ = 0;
        found_.clear();
        search(open_, allowed, chosen, FormCost{});
    }

    std::vector<RowSet> rows_;
    std::vector<int> literals_;
    std::vector<std::vector<int>> candidates_;  // for each column, the primes covering it
    RowSet open_;
    FormCost target_;
    Deadline deadline_;
    const CancelFlag* cancelled_;
    std::size_t limit_ = 0;
    long nodes_ = 0;
    long count_ = 0;
    bool stopAtLimit_ = true;
    bool stopped_ = false;
    std::vector<std::vector<int>> found_;
};

// The number of minimum covers. The essential primes are in every one; the columns they leave
// fall into parts that share no prime, and a cover is minimum exactly when each part of it is
// (products, then literals, add up part by part), so the count is the product of the parts'
// counts, each part counted on its own. Nothing when a part's count did not finish or the
// product overflows.
std::optional<long> countMinimumCovers(const Function& function, const std::vector<Cube>& primes,
                                       const std::vector<Cube>& chosen, Deadline deadline,
                                       const CancelFlag* cancelled) {
    const int width = function.width;
    RowSet once, twice;
    for (const Cube& prime : primes) {
        const RowSet reach = prime.rows(width) & function.on;
        twice |= once & reach;
        once |= reach;
    }
    RowSet open = function.on;
    for (const Cube& prime : primes) {
        if (prime.rows(width).intersects(function.on - twice)) open -= prime.rows(width);
    }
    std::vector<RowSet> parts;
    for (const Cube& prime : primes) {
        RowSet joined = prime.rows(width) & open;
        if (joined.empty()) continue;
        std::erase_if(parts, [&](const RowSet& part) {
            if (!part.intersects(joined)) return false;
            joined |= part;
            return true;
        });
        parts.push_back(joined);
    }
    long total = 1;
    for (const RowSet& part : parts) {
        std::vector<Cube> mine;
        for (const Cube& cube : chosen)
            if (cube.rows(width).intersects(part)) mine.push_back(cube);
        const auto count =
            CoverEnumerator(function, primes, part, costOf(mine, width), deadline, cancelled)
                .count();
        if (!count || __builtin_mul_overflow(total, *count, &total)) return std::nullopt;
    }
    return total;
}

void appendCode(std::string& out, const Cube& cube, int width) {
    out += '"';
    out += codeOf(cube, width);
    out += '"';
}

void appendCubes(std::string& out, const std::vector<Cube>& cubes, int width) {
    out += '[';
    for (std::size_t i = 0; i < cubes.size(); ++i) {
        if (i > 0) out += ", ";
        appendCode(out, cubes[i], width);
    }
    out += ']';
}

void appendCubeLists(std::string& out, const std::vector<std::vector<Cube>>& lists, int width) {
    out += '[';
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (i > 0) out += ", ";
        appendCubes(out, lists[i], width);
    }
    out += ']';
}

void appendInts(std::string& out, const std::vector<int>& values) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ", ";
        out += std::to_string(values[i]);
    }
    out += ']';
}

void appendCost(std::string& out, const FormCost& cost) {
    out += "{\"terms\": " + std::to_string(cost.terms) +
           ", \"literals\": " + std::to_string(cost.literals) + "}";
}

const char* kindName(Reduction::Kind kind) {
    switch (kind) {
        case Reduction::Kind::Essential: return "essential";
        case Reduction::Kind::RowDominance: return "rowDominance";
        case Reduction::Kind::ColumnDominance: return "columnDominance";
        case Reduction::Kind::Search: return "search";
    }
    return "";
}

}  // namespace

FormCost costOf(const std::vector<Cube>& cover, int width) {
    FormCost cost;
    for (const Cube& cube : cover) {
        cost.terms += 1;
        cost.literals += cube.literals(width);
    }
    return cost;
}

Explanation explain(const Function& function, Deadline deadline, ExplainScope scope,
                    const std::vector<Cube>* minimum, const CancelFlag* cancelled,
                    WhenUnproven whenUnproven) {
    Explanation result;
    result.scope = scope;
    result.function = function;
    const int width = function.width;
    result.primes = primeImplicants(function);
    // A cover given by prime implicants is taken as it is; anything else is found again.
    auto isPrimeCover = [&](const std::vector<Cube>& cover) {
        RowSet covered;
        for (const Cube& cube : cover) {
            if (std::find(result.primes.begin(), result.primes.end(), cube) == result.primes.end())
                return false;
            covered |= cube.rows(width);
        }
        return function.on.subsetOf(covered);
    };
    std::vector<Cube> chosen;
    if (minimum && isPrimeCover(*minimum)) {
        chosen = *minimum;
    } else if (whenUnproven == WhenUnproven::Throw) {
        chosen = minimize(function, deadline, cancelled);
    } else {
        SolveOptions options;
        options.cancelled = cancelled;
        BestCover best = minimizeWithin(function, deadline, options);
        // Called off is not out of time: that answer is not wanted at all.
        if (cancelled && cancelled->load()) throw TooHard("the explanation was called off");
        chosen = best.cover;
        if (!best.proven) result.unproven = std::move(best);
    }
    result.sopCost = costOf(chosen, width);
    if (width <= Explanation::kMaxTableWidth) result.combining = combiningTable(function);
    result.chartColumns = rowsOf(function.on);
    // The search on a cyclic rest that is too large for Petrick's method is shown within the
    // listing's time too.
    const auto listingDeadline = [&] {
        return std::min(deadline,
                        std::chrono::steady_clock::now() +
                            std::chrono::milliseconds(Explanation::kCoverSearchMilliseconds));
    };
    const Deadline searchShown = listingDeadline();
    result.reductions =
        reduceChart(function, result.primes, chosen,
                    scope == ExplainScope::MinimumSop ? nullptr : &searchShown, cancelled);
    if (!result.reductions.empty() &&
        result.reductions.front().kind == Reduction::Kind::Essential) {
        result.essential = result.reductions.front().primesTaken;
    }

    // Every minimum cover: the preferred one first, the others in the output order.
    result.covers.push_back(chosen);
    if (scope == ExplainScope::MinimumSop || result.unproven) {
        // The other minimum covers are listed by the cost of a proven one.
        result.coversComplete = false;
        if (scope == ExplainScope::MinimumSop) return result;
    } else if (!chosen.empty()) {
        // Listing and counting the others is a courtesy: it never holds up the rest for long.
        const Deadline listing = listingDeadline();
        CoverEnumerator enumerator(function, result.primes, function.on, result.sopCost, listing,
                                   cancelled);
        const auto all = enumerator.list(Explanation::kMaxCovers, result.coversComplete);
        for (const auto& indices : all) {
            std::vector<Cube> cover = cubesAt(result.primes, indices);
            if (cover != chosen && result.covers.size() < Explanation::kMaxCovers)
                result.covers.push_back(std::move(cover));
        }
        result.coverCount =
            result.coversComplete
                ? std::optional<long>(static_cast<long>(all.size()))
                : countMinimumCovers(function, result.primes, chosen, listingDeadline(), cancelled);
    } else {
        result.coverCount = 1;
    }

    // The true minimum product of sums: a minimum sum of products of the zeros, complemented.
    Function zeros;
    zeros.width = width;
    for (int row = 0; row < (1 << width); ++row) {
        if (!function.on.test(row) && !function.dc.test(row)) zeros.on.set(row);
    }
    zeros.dc = function.dc;
    try {
        result.pos = minimize(zeros, deadline, cancelled);
        result.posCost = costOf(*result.pos, width);
    } catch (const TooHard&) {
        result.pos.reset();
    }
    return result;
}

std::string toJson(const Explanation& e) {
    const int width = e.function.width;
    std::string out = "{\n";
    out += "  \"variables\": " + std::to_string(width) + ",\n";
    out += "  \"ones\": ";
    appendInts(out, rowsOf(e.function.on));
    out += ",\n  \"dontCares\": ";
    appendInts(out, rowsOf(e.function.dc));
    out += ",\n  \"primes\": ";
    appendCubes(out, e.primes, width);
    out += ",\n  \"essential\": ";
    appendCubes(out, e.essential, width);
    out += ",\n  \"covers\": [";
    for (std::size_t i = 0; i < e.covers.size(); ++i) {
        out += i > 0 ? ",\n    " : "\n    ";
        appendCubes(out, e.covers[i], width);
    }
    out += "\n  ],\n";
    out += std::string("  \"coversComplete\": ") + (e.coversComplete ? "true" : "false") + ",\n";
    out += "  \"coverCount\": " + (e.coverCount ? std::to_string(*e.coverCount) : "null") + ",\n";
    if (e.unproven) {
        // What is proven of the best cover: its count, then its literals, then all but the choice.
        const BestCover& u = *e.unproven;
        out += "  \"proven\": false,\n  \"productsNeeded\": " + std::to_string(u.lowerBound) +
               ",\n  \"countProven\": " + (u.countProven ? "true" : "false") +
               ",\n  \"literalsNeeded\": " +
               (u.countProven ? std::to_string(u.literalBound) : "null") +
               ",\n  \"costProven\": " + (u.costProven ? "true" : "false") + ",\n";
    }
    out += "  \"sop\": \"" + sopText(e.covers.front(), width) + "\",\n";
    out += "  \"sopCost\": ";
    appendCost(out, e.sopCost);
    out += ",\n  \"pos\": ";
    if (e.pos) {
        appendCubes(out, *e.pos, width);
        out += ",\n  \"posText\": \"" + posText(*e.pos, width) + "\",\n  \"posCost\": ";
        appendCost(out, e.posCost);
    } else {
        out += "null";
    }
    out += ",\n  \"chartColumns\": ";
    appendInts(out, e.chartColumns);
    out += ",\n  \"reductions\": [";
    for (std::size_t i = 0; i < e.reductions.size(); ++i) {
        const Reduction& r = e.reductions[i];
        out += i > 0 ? ",\n    " : "\n    ";
        out += std::string("{\"kind\": \"") + kindName(r.kind) + "\", \"primesTaken\": ";
        appendCubes(out, r.primesTaken, width);
        out += ", \"primesRemoved\": ";
        appendCubes(out, r.primesRemoved, width);
        out += ", \"dominatedBy\": ";
        appendCubes(out, r.dominatedBy, width);
        out += ", \"mintermsCovered\": ";
        appendInts(out, r.mintermsCovered);
        out += ", \"mintermsRemoved\": ";
        appendInts(out, r.mintermsRemoved);
        out += ", \"dominatedColumns\": ";
        appendInts(out, r.dominatedColumns);
        out += ", \"tied\": [";
        for (std::size_t k = 0; k < r.tied.size(); ++k)
            out += std::string(k > 0 ? ", " : "") + (r.tied[k] ? "true" : "false");
        out += "], \"columnsLeft\": ";
        appendInts(out, r.columnsLeft);
        out += ", \"primesLeft\": ";
        appendCubes(out, r.primesLeft, width);
        out += ", \"petrick\": ";
        if (r.petrick) {
            out += "{\"sums\": ";
            appendCubeLists(out, r.petrick->sums, width);
            out += ", \"products\": ";
            appendCubeLists(out, r.petrick->products, width);
            out += '}';
        } else {
            out += "null";
        }
        out += ", \"branching\": ";
        if (r.branching) {
            out += "{\"column\": " + std::to_string(r.branching->column) + ", \"primes\": ";
            appendCubes(out, r.branching->primes, width);
            out += ", \"costs\": [";
            for (std::size_t k = 0; k < r.branching->costs.size(); ++k) {
                if (k > 0) out += ", ";
                if (r.branching->costs[k])
                    appendCost(out, *r.branching->costs[k]);
                else
                    out += "null";
            }
            out += "]}";
        } else {
            out += "null";
        }
        out += '}';
    }
    out += e.reductions.empty() ? "],\n" : "\n  ],\n";
    out += "  \"combining\": [";
    for (std::size_t s = 0; s < e.combining.size(); ++s) {
        out += s > 0 ? ",\n    [" : "\n    [";
        const auto& entries = e.combining[s].entries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto& entry = entries[i];
            out += i > 0 ? ",\n      " : "\n      ";
            out += "{\"cube\": ";
            appendCode(out, entry.cube, width);
            out += ", \"ones\": " + std::to_string(entry.ones) + ", \"mergedFrom\": ";
            appendInts(out, entry.mergedFrom);
            out += std::string(", \"merged\": ") + (entry.merged ? "true" : "false") +
                   ", \"prime\": " + (entry.prime ? "true" : "false") + "}";
        }
        out += entries.empty() ? "]" : "\n    ]";
    }
    out += e.combining.empty() ? "]\n" : "\n  ]\n";
    out += "}\n";
    return out;
}

}  // namespace qm
