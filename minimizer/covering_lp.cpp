#include "minimizer/covering_lp.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

namespace qm {

using logic::RowSet;

namespace {

constexpr double kEpsilon = 1e-9;
// Covering problems are very degenerate: after this many pivots without progress the entering
// and leaving choices switch to Bland's rule, which cannot cycle.
constexpr int kDegenerateRun = 50;
constexpr double kPerturbation = 1e-6;

}  // namespace

CoveringLp solveCoveringLp(const RowSet& open, const std::vector<RowSet>& reach,
                           const std::vector<double>& weights, Deadline deadline,
                           const CancelFlag* cancelled) {
    // Dual: maximise the sum of row prices u with, for every candidate, the prices of its rows
    // summing to at most its weight. Condensed tableau: m constraint rows plus the objective,
    // n price columns plus the right-hand side; basic variable k = T[k][n] - sum T[k][l] * x_l.
    std::vector<int> rowNumber;
    std::array<int, 256> index{};
    open.forEach([&](int r) {
        index[r] = static_cast<int>(rowNumber.size());
        rowNumber.push_back(r);
    });
    const std::size_t n = rowNumber.size();
    const std::size_t m = reach.size();
    const std::size_t stride = n + 1;
    std::vector<double> t((m + 1) * stride, 0.0);
    // The right-hand sides are perturbed by a few millionths (the same on every run), which
    // breaks the degeneracy that otherwise stalls the method for thousands of pivots; the bound
    // below is taken against the true weights.
    std::uint32_t noise = 12345U;
    for (std::size_t k = 0; k < m; ++k) {
        reach[k].forEach([&](int r) { t[k * stride + index[r]] = 1.0; });
        noise = noise * 1664525U + 1013904223U;
        t[k * stride + n] = weights[k] * (1.0 + kPerturbation * ((noise >> 8) / 16777216.0));
    }
    double* objective = &t[m * stride];
    for (std::size_t l = 0; l < n; ++l) objective[l] = -1.0;
    // Variables 0..n-1 are the prices, n..n+m-1 the candidates' slacks.
    std::vector<int> columnVariable(n), rowVariable(m);
    for (std::size_t l = 0; l < n; ++l) columnVariable[l] = static_cast<int>(l);
    for (std::size_t k = 0; k < m; ++k) rowVariable[k] = static_cast<int>(n + k);

    bool bland = false;
    int degenerate = 0;
    std::vector<int> nonzero;
    std::vector<double> weight(n, 1.0);
    nonzero.reserve(n + 1);
    // Far more pivots than a sound run needs: past them the prices reached so far still give a
    // valid, if weaker, bound.
    const long maxPivots = 20 * static_cast<long>(m + n) + 100;
    for (long pivots = 0; pivots < maxPivots; ++pivots) {
        if ((pivots & 63) == 63 &&
            ((deadline != Deadline::max() && std::chrono::steady_clock::now() > deadline) ||
             (cancelled && cancelled->load(std::memory_order_relaxed)))) {
            throw TooHard("no minimum found in time");
        }
        int c = -1;
        for (std::size_t l = 0; l < n; ++l) {
            if (objective[l] >= -kEpsilon) continue;
            if (c < 0 || (bland ? columnVariable[l] < columnVariable[c]
                                : objective[l] * objective[l] * weight[c] >
                                      objective[c] * objective[c] * weight[l])) {
                c = static_cast<int>(l);
            }
        }
        if (c < 0) break;
        int r = -1;
        double ratio = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < m; ++k) {
            const double a = t[k * stride + c];
            if (a <= kEpsilon) continue;
            const double q = t[k * stride + n] / a;
            bool take = r < 0 || q < ratio - kEpsilon;
            if (!take && q <= ratio + kEpsilon) {
                take = bland ? rowVariable[k] < rowVariable[r] : a > t[r * stride + c];
            }
            if (take) {
                r = static_cast<int>(k);
                ratio = std::min(ratio, q);
            }
        }
        if (r < 0) break;  // cannot happen: every price sits in some candidate's constraint
        const double before = objective[n];
        double* pivotRow = &t[r * stride];
        const double p = pivotRow[c];
        // The tableau of a covering problem stays mostly zero: only the pivot row's nonzero
        // entries change the other rows.
        nonzero.clear();
        for (std::size_t l = 0; l <= n; ++l) {
            if (pivotRow[l] == 0.0) continue;
            pivotRow[l] /= p;
            if (l != static_cast<std::size_t>(c)) nonzero.push_back(static_cast<int>(l));
        }
        pivotRow[c] = 1.0 / p;
        for (int l : nonzero) {
            if (l < static_cast<int>(n)) {
                weight[l] = std::max(weight[l], pivotRow[l] * pivotRow[l] * weight[c]);
            }
        }
        weight[c] = std::max(weight[c] / (p * p), 1.0);
        // A dense pivot row is faster taken whole, as the compiler can vectorise that loop.
        const bool dense = 4 * nonzero.size() > n;
        for (std::size_t k = 0; k <= m; ++k) {
            if (k == static_cast<std::size_t>(r)) continue;
            double* row = &t[k * stride];
            const double f = row[c];
            if (f == 0.0) continue;
            if (dense) {
                for (std::size_t l = 0; l <= n; ++l) row[l] -= f * pivotRow[l];
            } else {
                for (int l : nonzero) row[l] -= f * pivotRow[l];
            }
            row[c] = -f / p;
        }
        std::swap(columnVariable[c], rowVariable[r]);
        if (objective[n] > before + kEpsilon) {
            // A strict gain means no earlier basis can come back: the faster rule is safe again.
            degenerate = 0;
            bland = false;
        } else if (++degenerate >= kDegenerateRun) {
            bland = true;
        }
    }

    CoveringLp result;
    result.u.assign(256, 0.0);
    for (std::size_t k = 0; k < m; ++k) {
        if (rowVariable[k] < static_cast<int>(n)) {
            result.u[rowNumber[rowVariable[k]]] = std::max(0.0, t[k * stride + n]);
        }
    }
    result.x.assign(m, 0.0);
    for (std::size_t l = 0; l < n; ++l) {
        if (columnVariable[l] >= static_cast<int>(n)) {
            result.x[columnVariable[l] - n] = std::max(0.0, objective[l]);
        }
    }
    // Any prices u >= 0 divided by their worst overload are feasible, so their sum bounds every
    // cover from below whatever rounding did to the tableau.
    double total = 0.0, overload = 1.0;
    for (int r : rowNumber) total += result.u[r];
    for (std::size_t k = 0; k < m; ++k) {
        double load = 0.0;
        reach[k].forEach([&](int r) { load += result.u[r]; });
        if (weights[k] > 0.0) overload = std::max(overload, load / weights[k]);
    }
    result.bound = std::isfinite(total) && std::isfinite(overload) ? total / overload : 0.0;
    return result;
}

}  // namespace qm
