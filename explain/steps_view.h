#pragma once

#include <string>

#include "drawing/canvas.h"
#include "minimizer/explanation.h"

namespace quendal::explain {

// The minimization as a page a student reads from top to bottom: the combining table, the prime
// implicants, the chart with the essential primes marked and their columns struck through, the
// reductions in order, the chosen cover, the other minimum covers and the true minimum product
// of sums. In practice the page shows only its first `parts` of kStepsParts (the combining
// table, the primes, the chart, the reductions, the result), one more at each Next Step.
inline constexpr int kStepsParts = 5;
void drawSteps(drawing::Canvas& canvas, const qm::Explanation& explanation,
               const std::string& letters, int parts = kStepsParts);

// Charts larger than this are described in words instead of drawn.
inline constexpr int kMaxChartPrimes = 120;
inline constexpr int kMaxChartColumns = 128;

}  // namespace quendal::explain
