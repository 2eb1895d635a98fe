#include "minimizer/cover_bounds.h"

#include <algorithm>
#include <array>
#include <limits>

namespace qm::covering {

using logic::Cube;
using logic::RowSet;

void makeCompact(const Node& node, const std::vector<RowSet>& reach, Compact& compact) {
    compact.rows.clear();
    std::array<int, 256> index{};
    node.open.forEach([&](int r) {
        index[r] = static_cast<int>(compact.rows.size());
        compact.rows.push_back(r);
    });
    compact.start.assign(1, 0);
    compact.entries.clear();
    for (const RowSet& rows : reach) {
        rows.forEach([&](int r) { compact.entries.push_back(index[r]); });
        compact.start.push_back(static_cast<int>(compact.entries.size()));
    }
    compact.rowStart.assign(compact.rows.size() + 1, 0);
    for (int r : compact.entries) ++compact.rowStart[r + 1];
    for (std::size_t r = 0; r < compact.rows.size(); ++r) {
        compact.rowStart[r + 1] += compact.rowStart[r];
    }
    compact.rowEntries.resize(compact.entries.size());
    std::vector<int> fill(compact.rowStart.begin(), compact.rowStart.end() - 1);
    for (std::size_t i = 0; i + 1 < compact.start.size(); ++i) {
        for (int at = compact.start[i]; at < compact.start[i + 1]; ++at) {
            compact.rowEntries[fill[compact.entries[at]]++] = static_cast<int>(i);
        }
    }
}

Cost Bounds::packing(const Node& node, const std::vector<RowSet>& reach, int& branchRow) const {
    std::array<int, 256> count{};
    for (const RowSet& rows : reach) rows.forEach([&](int row) { ++count[row]; });
    std::vector<int> rows;
    node.open.forEach([&](int row) { rows.push_back(row); });
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return count[a] < count[b]; });
    branchRow = rows.front();

    Cost bound;
    RowSet blocked;
    for (int row : rows) {
        if (blocked.test(row)) continue;
        int fewest = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (!reach[i].test(row)) continue;
            fewest = std::min(fewest, problem_.literals[node.active[i]]);
            blocked |= reach[i];
        }
        bound.count += 1;
        bound.literals += fewest;
    }
    return bound;
}

int Bounds::fewestLiterals(const Node& node, int count) const {
    std::array<int, kMaxLiterals + 1> many{};
    for (int column : node.active) ++many[problem_.literals[column]];
    int sum = 0;
    for (int literals = 0; literals <= kMaxLiterals && count > 0; ++literals) {
        const int take = std::min(count, many[literals]);
        sum += take * literals;
        count -= take;
    }
    return sum;
}

double Bounds::lagrangian(const Node& node, const Compact& compact,
                          const std::vector<double>& weights, Multipliers& u, int iterations,
                          int target, std::vector<double>& reduced) {
    // The tuning in locals: the loops below store doubles, which the compiler would otherwise
    // have to assume might change them.
    const double slack = options_.slack;
    const double deflection = options_.deflection;
    const double minStep = options_.minStep;
    const int staleIterations = options_.staleIterations;
    const std::size_t rows = compact.rows.size();
    const std::size_t columns = node.active.size();
    std::vector<double> v(rows), bestV(rows), d(columns), w(columns), direction(rows, 0.0);
    std::vector<int> gradient(rows);
    for (std::size_t r = 0; r < rows; ++r) v[r] = u[compact.rows[r]];
    for (std::size_t i = 0; i < columns; ++i) w[i] = weights[node.active[i]];
    bestV = v;
    reduced.assign(columns, 0.0);
    // Reduced costs are kept up to date row by row: a step moves only some multipliers.
    double total = 0.0;
    for (double value : v) total += value;
    for (std::size_t i = 0; i < columns; ++i) {
        double sum = 0.0;
        for (int at = compact.start[i]; at < compact.start[i + 1]; ++at) {
            sum += v[compact.entries[at]];
        }
        d[i] = w[i] - sum;
    }
    double best = -std::numeric_limits<double>::infinity();
    double step = 1.0;
    int stale = 0;
    int iteration = 0;
    for (; iteration < iterations; ++iteration) {
        // The bound, and the subgradient: how often the candidates of negative reduced cost
        // cover each row, against the once that a cover needs.
        double bound = total;
        std::fill(gradient.begin(), gradient.end(), 1);
        for (std::size_t i = 0; i < columns; ++i) {
            if (d[i] >= 0.0) continue;
            bound += d[i];
            for (int at = compact.start[i]; at < compact.start[i + 1]; ++at) {
                --gradient[compact.entries[at]];
            }
        }
        if (bound > best + slack) {
            best = bound;
            bestV = v;
            reduced = d;
            stale = 0;
        } else if (++stale >= staleIterations) {
            step *= 0.5;
            stale = 0;
        }
        if (covering::roundUp(best, slack) >= target || step < minStep) break;

        // The step goes along the subgradient plus a part of the last step's direction, which
        // damps the zigzag of rows taking turns at being over- and under-covered. A row whose
        // multiplier is zero and would fall cannot move: left out of the norm, it no longer
        // shortens the step of the rows that can.
        double norm = 0.0;
        for (std::size_t r = 0; r < rows; ++r) {
            double g = gradient[r] + deflection * direction[r];
            if (g < 0.0 && v[r] <= 0.0) g = 0.0;
            direction[r] = g;
            norm += g * g;
        }
        if (norm == 0.0) break;  // no multiplier can move
        const double move = step * (static_cast<double>(target) - bound) / norm;
        for (std::size_t r = 0; r < rows; ++r) {
            if (direction[r] == 0.0) continue;
            const double next = std::max(0.0, v[r] + move * direction[r]);
            const double delta = next - v[r];
            if (delta == 0.0) continue;
            v[r] = next;
            total += delta;
            for (int at = compact.rowStart[r]; at < compact.rowStart[r + 1]; ++at) {
                d[compact.rowEntries[at]] -= delta;
            }
        }
    }
    for (std::size_t r = 0; r < rows; ++r) u[compact.rows[r]] = bestV[r];
    ++stats_.boundCalls;
    stats_.boundIterations += iteration;
    return best;
}

CoveringLp Bounds::relaxation(const RowSet& open, const std::vector<RowSet>& reach,
                              const std::vector<double>& weights) {
    ++stats_.lpSolves;
    try {
        return solveCoveringLp(open, reach, weights, deadline_, options_.cancelled);
    } catch (const TooHard&) {
        throw OutOfTime{};
    }
}

int Bounds::countShift(const Node& node, const std::vector<RowSet>& reach, int count,
                       CoveringLp& lp) {
    int fewest = kMaxLiterals;
    for (int column : node.active) fewest = std::min(fewest, problem_.literals[column]);
    auto boundAt = [&](int shift, CoveringLp& at) {
        std::vector<double> weights;
        for (int column : node.active) weights.push_back(problem_.literals[column] + shift);
        at = relaxation(node.open, reach, weights);
        return at.bound - static_cast<double>(shift) * count;
    };
    int best = 0;
    double bestBound = boundAt(0, lp);
    // A few steps settle it: the candidates have at most kMaxLiterals literals.
    for (const int direction : {-1, 1}) {
        for (int shift = direction; shift > -fewest && shift <= kMaxLiterals; shift += direction) {
            CoveringLp at;
            const double bound = boundAt(shift, at);
            if (bound <= bestBound + options_.slack) break;
            best = shift;
            bestBound = bound;
            lp = std::move(at);
        }
        if (best != 0) break;
    }
    return best;
}

// With a limit on the literals too, the weight is the count first and the literals second in
// one number.
bool Bounds::relaxationExceeds(const Node& node, const std::vector<RowSet>& reach,
                               const Cost& limit) {
    const int countRoom = limit.count - node.cost.count;
    if (limit.literals == kAnyLiterals) {
        const std::vector<double> unit(reach.size(), 1.0);
        return roundUp(relaxation(node.open, reach, unit).bound) > countRoom;
    }
    // Larger than any sum of literals, so that one more candidate always costs more.
    constexpr double kCountWeight = 256.0 * kMaxLiterals + 1.0;
    std::vector<double> weights;
    for (int column : node.active) weights.push_back(kCountWeight + problem_.literals[column]);
    const double bound = relaxation(node.open, reach, weights).bound;
    const double room = kCountWeight * countRoom + (limit.literals - node.cost.literals - 1);
    return bound > room + options_.slack * kCountWeight;
}

}  // namespace qm::covering
