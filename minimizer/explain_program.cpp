#include "minimizer/explain_program.h"

#include <chrono>
#include <new>

#include "minimizer/exchange.h"
#include "minimizer/explanation.h"
#include "minimizer/input_format.h"
#include "minimizer/qm_program.h"

namespace qm {

int runExplain(const std::string& inPath, std::ostream& out, std::ostream& err) {
    try {
        const Function function = parseFunction(readInputFile(inPath), inPath);
        const Deadline deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(kTimeLimitSeconds);
        std::string json;
        try {
            json = toJson(explain(function, deadline));
        } catch (const TooHard&) {
            err << "Qm.exe: " << inPath << ": no minimum found within " << kTimeLimitSeconds
                << " seconds; the function is too hard to minimize exactly\n";
            return kExitFailed;
        }
        // Written only once whole, so that a failure leaves stdout empty.
        out << json << std::flush;
        if (!out) {
            err << "Qm.exe: cannot write to standard output\n";
            return kExitFailed;
        }
        return kExitOk;
    } catch (const InputError& problem) {
        err << "Qm.exe: " << problem.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "Qm.exe: out of memory\n";
    } catch (const std::exception& problem) {
        err << "Qm.exe: " << problem.what() << '\n';
    }
    return kExitFailed;
}

}  // namespace qm
