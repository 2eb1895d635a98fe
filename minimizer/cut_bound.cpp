#include "minimizer/cut_bound.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <set>

namespace qm {

using logic::RowSet;

namespace {

constexpr double kPivotTolerance = 1e-9;
constexpr double kFeasibility = 1e-9;
// A cut is formed anew from the constraints with its multipliers rounded to multiples of
// 1/kDenominator, in whole-number arithmetic of 128 bits: with coefficients of at most
// kCoefficientBits and multipliers below kLargestMultiplier every sum stays far inside them.
constexpr std::int64_t kDenominator = std::int64_t{1} << 40;
constexpr double kDenominatorValue = static_cast<double>(kDenominator);
constexpr double kLargestMultiplier = 9e18;  // below 2^63
constexpr int kCoefficientBits = 16;
// A basic value this close to a whole number gives no cut worth its row.
constexpr double kAway = 0.01;
// Cuts added per round (the most violated, by distance from the point they cut off) and in all.
constexpr std::size_t kCutsPerRound = 50;
constexpr std::size_t kMaxCuts = 400;
constexpr double kPerturbation = 1e-9;
// Rounds that lift the bound by less than kProgress before the cuts stop.
constexpr int kStaleRounds = 5;
constexpr double kProgress = 1e-3;
// Pivots in all, per row and candidate of the problem, and tableau entries they may update in
// all (about a fifth of a second): degenerate tableaus can take many pivots once cuts pile up,
// and past either budget the rounds stop with the bound found so far.
constexpr long kPivotsPerSize = 20;
constexpr long kUpdates = 200'000'000;
// Pivots without progress before the choices switch to Bland's rule, which cannot cycle.
constexpr int kDegenerateRun = 50;

// A constraint sum(coefficient[j] x_j) >= rhs over the candidates, in whole numbers.
struct Constraint {
    std::vector<std::int64_t> coefficient;
    std::int64_t rhs = 1;
};

// The dual simplex method on a dense tableau: row k is constraint k written as
// -coefficient . x + s_k = -rhs, column j < n is candidate j and column n + k the surplus s_k.
// The slack basis is dual feasible (every weight is at least 0), so the method starts there, and
// a cut added later keeps the basis dual feasible.
class Tableau {
public:
    Tableau(const std::vector<int>& weights, Deadline deadline, const CancelFlag* cancelled)
        : n_(static_cast<int>(weights.size())),
          weights_(weights.begin(), weights.end()),
          reduced_(weights.begin(), weights.end()),
          deadline_(deadline),
          cancelled_(cancelled) {
        // The weights are perturbed by a billionth or less (the same on every run), which breaks
        // the ties that otherwise stall the method for thousands of pivots; the bound is taken
        // against the true weights.
        std::uint32_t noise = 12345U;
        for (double& weight : reduced_) {
            noise = noise * 1664525U + 1013904223U;
            weight *= 1.0 + kPerturbation * ((noise >> 8) / 16777216.0);
        }
    }

    void add(const Constraint& constraint) {
        constraints_.push_back(constraint);
        std::vector<int>& terms = terms_.emplace_back();
        for (int j = 0; j < n_; ++j) {
            if (constraint.coefficient[j] != 0) terms.push_back(j);
        }
        for (std::vector<double>& row : rows_) row.push_back(0.0);
        reduced_.push_back(0.0);
        // Scaled to a largest coefficient of 1 for the floating-point tableau; the surplus
        // column then stands for the surplus over the scale.
        double largest = 1.0;
        for (const std::int64_t c : constraint.coefficient) {
            largest = std::max(largest, std::abs(static_cast<double>(c)));
        }
        scale_.push_back(largest);
        std::vector<double> row(reduced_.size(), 0.0);
        for (int j = 0; j < n_; ++j) {
            row[j] = -static_cast<double>(constraint.coefficient[j]) / largest;
        }
        row.back() = 1.0;
        double rhs = -static_cast<double>(constraint.rhs) / largest;
        // In the current basis's terms: the basic candidates are eliminated.
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const double factor = row[basic_[i]];
            if (factor == 0.0) continue;
            const std::vector<double>& other = rows_[i];
            for (std::size_t j = 0; j < row.size(); ++j) row[j] -= factor * other[j];
            rhs -= factor * rhs_[i];
            row[basic_[i]] = 0.0;
        }
        rows_.push_back(std::move(row));
        rhs_.push_back(rhs);
        basic_.push_back(static_cast<int>(reduced_.size()) - 1);
    }

    // Pivots until the basis is optimal or `budget` pivots (or kUpdates) are done in all; false
    // when a row has no pivot, that is when no cover exists.
    bool optimize(long budget) {
        bool bland = false;
        int stalled = 0;
        double last = value();
        while (pivots_ < budget && updates_ < kUpdates) {
            if ((pivots_ & 63) == 0) checkTime();
            int leave = -1;
            for (std::size_t i = 0; i < rhs_.size(); ++i) {
                if (rhs_[i] >= -kFeasibility) continue;
                if (leave < 0 || (bland ? basic_[i] < basic_[leave] : rhs_[i] < rhs_[leave])) {
                    leave = static_cast<int>(i);
                }
            }
            if (leave < 0) return true;
            const std::vector<double>& row = rows_[leave];
            int enter = -1;
            double ratio = std::numeric_limits<double>::infinity();
            for (std::size_t j = 0; j < row.size(); ++j) {
                if (row[j] >= -kPivotTolerance) continue;
                const double r = std::max(0.0, reduced_[j]) / -row[j];
                if (r < ratio - 1e-12) {
                    ratio = r;
                    enter = static_cast<int>(j);
                }
            }
            if (enter < 0) return false;
            pivot(leave, enter);
            const double now = value();
            if (now > last + 1e-9) {
                last = now;
                stalled = 0;
            } else if (++stalled > kDegenerateRun) {
                bland = true;
            }
        }
        return true;  // cut short: the basis is still dual feasible, so its bound holds
    }

    // The candidates' values at the current basis.
    std::vector<double> point() const {
        std::vector<double> x(static_cast<std::size_t>(n_), 0.0);
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (basic_[i] < n_) x[basic_[i]] = rhs_[i];
        }
        return x;
    }

    // A bound from the duals (the surpluses' reduced costs), scaled back into feasibility against
    // the constraints' whole-number coefficients.
    double provenBound() const {
        std::vector<double> load(static_cast<std::size_t>(n_), 0.0);
        double total = 0.0;
        for (std::size_t k = 0; k < constraints_.size(); ++k) {
            const double y = std::max(0.0, reduced_[n_ + k]) / scale_[k];
            if (y == 0.0) continue;
            total += y * static_cast<double>(constraints_[k].rhs);
            for (const int j : terms_[k]) {
                load[j] += y * static_cast<double>(constraints_[k].coefficient[j]);
            }
        }
        double most = 1.0;
        for (int j = 0; j < n_; ++j) {
            if (load[j] <= weights_[j]) continue;
            // A candidate of weight 0 admits no load: the duals cannot be scaled to fit.
            if (weights_[j] <= 0.0) return -std::numeric_limits<double>::infinity();
            most = std::max(most, load[j] / weights_[j]);
        }
        return total / most;
    }

    // Gomory mixed-integer cuts read off the rows whose basic candidate is fractional, most
    // violated first, each made exact (see countBoundWithCuts).
    std::vector<Constraint> cuts(const std::set<std::vector<std::int64_t>>& known) const {
        using Wide = __int128;
        const std::vector<double> x = point();
        struct Found {
            double efficacy;
            Constraint cut;
        };
        std::vector<Found> found;
        std::set<std::vector<std::int64_t>> seen = known;
        const std::size_t count = constraints_.size();
        std::vector<std::int64_t> multiplier(count);
        const auto floorDiv = [](Wide a, Wide b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
        // Every variable is whole: the candidates, and each constraint's surplus (whole
        // coefficients and right-hand side), so every row with a fractional value gives a cut;
        // the most fractional rows are tried, twice as many as a round takes.
        std::vector<std::pair<double, std::size_t>> fractional;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const double value = basic_[i] < n_ ? rhs_[i] : rhs_[i] * scale_[basic_[i] - n_];
            const double f0 = value - std::floor(value);
            if (f0 >= kAway && f0 <= 1.0 - kAway) fractional.emplace_back(std::abs(f0 - 0.5), i);
        }
        std::stable_sort(fractional.begin(), fractional.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        fractional.resize(std::min(fractional.size(), 2 * kCutsPerRound));
        for (const auto& [distance, i] : fractional) {
            // The row as the constraints' combination with its multipliers rounded to 1/D: an
            // exact equation over the candidates and the surpluses, all whole and at least 0.
            bool tooLarge = false;
            for (std::size_t k = 0; k < count; ++k) {
                const double scaled = rows_[i][n_ + k] / scale_[k] * kDenominatorValue;
                if (std::abs(scaled) > kLargestMultiplier) tooLarge = true;
                multiplier[k] = tooLarge ? 0 : std::llround(scaled);
            }
            if (tooLarge) continue;
            std::vector<Wide> a(static_cast<std::size_t>(n_), 0);
            Wide b = 0;
            for (std::size_t k = 0; k < count; ++k) {
                if (multiplier[k] == 0) continue;
                b -= Wide{multiplier[k]} * constraints_[k].rhs;
                for (const int j : terms_[k]) {
                    a[j] -= Wide{multiplier[k]} * constraints_[k].coefficient[j];
                }
            }
            const Wide r0 = b - floorDiv(b, kDenominator) * kDenominator;
            if (r0 < static_cast<Wide>(kAway * kDenominatorValue) ||
                r0 > static_cast<Wide>((1.0 - kAway) * kDenominatorValue)) {
                continue;
            }
            // Its mixed-integer rounding: sum F(a) z <= floor(b), where
            // F(a) = floor(a) + max(0, frac(a) - f0) / (1 - f0), all times D - r0.
            const Wide q = kDenominator - r0;
            const auto rounded = [&](Wide num) {
                const Wide whole = floorDiv(num, kDenominator);
                const Wide rest = num - whole * kDenominator;
                return whole * q + std::max<Wide>(0, rest - r0);
            };
            std::vector<Wide> g(static_cast<std::size_t>(n_));
            for (int j = 0; j < n_; ++j) g[j] = rounded(a[j]);
            Wide h = floorDiv(b, kDenominator) * q;
            // The surpluses written back as coefficient . x - rhs.
            for (std::size_t k = 0; k < count; ++k) {
                if (multiplier[k] == 0) continue;
                const Wide gs = rounded(Wide{multiplier[k]});
                if (gs == 0) continue;
                h += gs * constraints_[k].rhs;
                for (const int j : terms_[k]) g[j] += gs * constraints_[k].coefficient[j];
            }
            // g . x <= h scaled down by a power of two to coefficients of kCoefficientBits:
            // floor(g / 2^s) . x <= floor(h / 2^s) still holds for every whole x >= 0, since
            // its left side is whole and at most g . x / 2^s.
            Wide largest = 0;
            for (const Wide v : g) largest = std::max(largest, v < 0 ? -v : v);
            if (largest == 0) continue;
            int shift = 0;
            while ((largest >> shift) >= (Wide{1} << kCoefficientBits)) ++shift;
            const Wide unit = Wide{1} << shift;
            Constraint cut;  // kept as -g . x >= -h
            cut.coefficient.resize(static_cast<std::size_t>(n_));
            double lhs = 0.0, norm = 0.0;
            for (int j = 0; j < n_; ++j) {
                const auto v = static_cast<std::int64_t>(-floorDiv(g[j], unit));
                cut.coefficient[j] = v;
                lhs += static_cast<double>(v) * x[j];
                norm += static_cast<double>(v) * static_cast<double>(v);
            }
            cut.rhs = static_cast<std::int64_t>(-floorDiv(h, unit));
            const double violation = static_cast<double>(cut.rhs) - lhs;
            if (norm == 0.0 || violation < 1e-6 * std::sqrt(norm)) continue;
            std::vector<std::int64_t> key = cut.coefficient;
            key.push_back(cut.rhs);
            if (!seen.insert(std::move(key)).second) continue;
            found.push_back({violation / std::sqrt(norm), std::move(cut)});
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const Found& a, const Found& b) { return a.efficacy > b.efficacy; });
        std::vector<Constraint> result;
        for (Found& f : found) {
            if (result.size() == kCutsPerRound) break;
            result.push_back(std::move(f.cut));
        }
        return result;
    }

    std::size_t constraints() const { return constraints_.size(); }
    bool spent() const { return updates_ >= kUpdates; }
    long pivots() const { return pivots_; }

private:
    // The objective at the current basis: a lower bound while the basis is dual feasible.
    double value() const {
        double sum = 0.0;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (basic_[i] < n_) sum += weights_[basic_[i]] * rhs_[i];
        }
        return sum;
    }

    void pivot(int leave, int enter) {
        ++pivots_;
        std::vector<double>& row = rows_[leave];
        const double p = row[enter];
        nonzero_.clear();
        for (std::size_t j = 0; j < row.size(); ++j) {
            if (row[j] == 0.0) continue;
            row[j] /= p;
            nonzero_.push_back(j);
        }
        rhs_[leave] /= p;
        row[enter] = 1.0;
        // Covering tableaus stay sparse: only the pivot row's nonzero columns change.
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (static_cast<int>(i) == leave) continue;
            std::vector<double>& other = rows_[i];
            const double factor = other[enter];
            if (factor == 0.0) continue;
            for (const std::size_t j : nonzero_) other[j] -= factor * row[j];
            updates_ += static_cast<long>(nonzero_.size());
            rhs_[i] -= factor * rhs_[leave];
            other[enter] = 0.0;
        }
        const double factor = reduced_[enter];
        if (factor != 0.0) {
            for (const std::size_t j : nonzero_) reduced_[j] -= factor * row[j];
            reduced_[enter] = 0.0;
        }
        basic_[leave] = enter;
    }

    void checkTime() const {
        if ((deadline_ != Deadline::max() && std::chrono::steady_clock::now() >= deadline_) ||
            (cancelled_ != nullptr && cancelled_->load(std::memory_order_relaxed))) {
            throw TooHard("no minimum found in time");
        }
    }

    int n_;
    std::vector<double> weights_;
    std::vector<Constraint> constraints_;
    std::vector<std::vector<int>> terms_;  // each constraint's candidates with a coefficient
    std::vector<double> scale_;            // each constraint's row in the tableau is divided by it
    std::vector<std::vector<double>> rows_;
    std::vector<double> rhs_;
    std::vector<double> reduced_;
    std::vector<int> basic_;
    std::vector<std::size_t> nonzero_;  // the pivot row's nonzero columns
    long pivots_ = 0;
    long updates_ = 0;  // tableau entries the pivots updated
    Deadline deadline_;
    const CancelFlag* cancelled_;
};

}  // namespace

CutBound boundWithCuts(const RowSet& open, const std::vector<RowSet>& reach,
                       const std::vector<int>& weights, int count, double goal, Deadline deadline,
                       const CancelFlag* cancelled) {
    CutBound result;
    if (open.empty()) return result;
    if (reach.empty()) {  // no candidate for the open rows: no cover at all
        result.bound = result.plain = std::numeric_limits<double>::infinity();
        return result;
    }
    const int n = static_cast<int>(reach.size());
    Tableau tableau(weights, deadline, cancelled);
    std::set<std::vector<std::int64_t>> known;
    open.forEach([&](int r) {
        Constraint row;
        row.coefficient.assign(static_cast<std::size_t>(n), 0);
        for (int j = 0; j < n; ++j) row.coefficient[j] = reach[j].test(r) ? 1 : 0;
        tableau.add(row);
    });
    if (count >= 0) {  // exactly `count` candidates: at least and at most
        for (const int sign : {1, -1}) {
            Constraint total;
            total.coefficient.assign(static_cast<std::size_t>(n), sign);
            total.rhs = sign * count;
            tableau.add(total);
        }
    }
    // x <= 1 for every candidate: without it, whole points that take a candidate twice satisfy
    // the cuts too, and the cuts could never reach the covers' own bound.
    for (int j = 0; j < n; ++j) {
        Constraint upper;
        upper.coefficient.assign(static_cast<std::size_t>(n), 0);
        upper.coefficient[j] = -1;
        upper.rhs = -1;
        tableau.add(upper);
    }
    const long budget = kPivotsPerSize * static_cast<long>(open.count() + reach.size());
    // No pivot can be found only for a row no candidate covers, which the caller rules out; were
    // rounding ever to stop the method so, the bound of the basis reached still holds.
    const bool optimal = tableau.optimize(budget);
    result.plain = result.bound = tableau.provenBound();
    if (!optimal) return result;
    int stale = 0;
    while (result.bound <= goal && stale < kStaleRounds && tableau.pivots() < budget &&
           !tableau.spent() && static_cast<std::size_t>(result.cuts) < kMaxCuts) {
        const std::vector<Constraint> cuts = tableau.cuts(known);
        if (cuts.empty()) break;
        for (const Constraint& cut : cuts) {
            std::vector<std::int64_t> key = cut.coefficient;
            key.push_back(cut.rhs);
            known.insert(std::move(key));
            tableau.add(cut);
            ++result.cuts;
        }
        tableau.optimize(budget);
        const double bound = tableau.provenBound();
        stale = bound > result.bound + kProgress ? 0 : stale + 1;
        result.bound = std::max(result.bound, bound);
    }
    result.pivots = tableau.pivots();
    return result;
}

CutBound countBoundWithCuts(const RowSet& open, const std::vector<RowSet>& reach, double goal,
                            Deadline deadline, const CancelFlag* cancelled) {
    return boundWithCuts(open, reach, std::vector<int>(reach.size(), 1), -1, goal, deadline,
                         cancelled);
}

}  // namespace qm
