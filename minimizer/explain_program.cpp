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
        std::string json;
        try {
            json = toJson(explain(function, deadline));
        } catch (const TooHard&) {
            err << "Qm.exe: " << inPath << ": no minimum found within " << timeLimit().count()
                << " ms; the function is too hard to explain\n";
            return kExitFailed;
        }
        // Written only once whole, so that a failure leaves stdout empty.
        out << json << std::flush;
        if (!out) {
            err << "Qm.exe: cannot write to standard output\n";
            return kExitFailed;
        }
        return kExitOk;
    });
}

}  // namespace qm
