#include "minimizer/explain_program.h"

#include <chrono>
#include <new>

#include "minimizer/exchange.h"
#include "minimizer/explanation.h"
#include "minimizer/input_format.h"
#include "minimizer/qm_program.h"

namespace qm {

using logic::Function;

int runExplain(const std::string& inPath, std::ostream& out, std::ostream& err) {
    return reportingFailures(err, [&] {
        const Function function = parseFunction(readInputFile(inPath), inPath);
        // The same limit as the plain mode, so a test's injected limit reaches both.
        const Deadline deadline = std::chrono::steady_clock::now() + timeLimit();
        // A minimum not proven in time is explained all the same: the primes, the chart and the
        // best cover, marked as unproven.
        const Explanation explanation = explain(function, deadline, ExplainScope::Everything,
                                                nullptr, nullptr, WhenUnproven::Explain);
        const std::string json = toJson(explanation);
        // Written only once whole, so that a failure leaves stdout empty.
        out << json << std::flush;
        if (!out) {
            err << "Qm.exe: cannot write to standard output\n";
            return kExitFailed;
        }
        if (!explanation.unproven) return kExitOk;
        err << "Qm.exe: " << notProvenNote(*explanation.unproven, function.width, inPath) << '\n';
        return kExitNotProven;
    });
}

}  // namespace qm
