// Works out the entries of minimizer/symmetric_minima_table.inc: the minimum cover of each
// totally symmetric 8-variable function of the benchmark families (every set of ones-counts,
// again with one don't-care count, the bands with don't-care edges) whose search takes longer
// than --over-ms of processor time, found by the search alone with --cap-s seconds for each.
// Prints the table lines on stdout (sort them, they sort by key) and what it skips on stderr.
//
//     make_symmetric_minima [--over-ms=50] [--cap-s=600] [ON DC ...]   (counts as hex masks)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "minimizer/minimize.h"
#include "minimizer/symmetric_minima.h"
#include "tests/minimizer/function_families.h"

int main(int argc, char** argv) {
    double overMilliseconds = 50.0;
    double capSeconds = 600.0;
    std::vector<logic::Function> functions;
    std::vector<unsigned> masks;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--over-ms=", 10) == 0) {
            overMilliseconds = std::atof(argv[i] + 10);
        } else if (std::strncmp(argv[i], "--cap-s=", 8) == 0) {
            capSeconds = std::atof(argv[i] + 8);
        } else {
            masks.push_back(static_cast<unsigned>(std::strtoul(argv[i], nullptr, 16)));
        }
    }
    for (std::size_t i = 0; i + 1 < masks.size(); i += 2) {
        functions.push_back(qm_bench::symmetricFunction(8, masks[i], masks[i + 1]));
    }
    if (masks.empty()) {
        for (const auto& family : {qm_bench::symmetricFamily(8, false),
                                   qm_bench::symmetricFamily(8, true), qm_bench::bandFamily(8)}) {
            functions.insert(functions.end(), family.members.begin(), family.members.end());
        }
    }
    for (const logic::Function& function : functions) {
        const qm::SymmetricCounts counts = *qm::symmetricCounts(function);
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(static_cast<long>(capSeconds * 1000));
        const std::clock_t start = std::clock();
        try {
            // The first minimum cover, however long its choice takes.
            qm::SolveOptions options;
            options.choiceWork = std::numeric_limits<long>::max() / 2;
            const std::vector<logic::Cube> cover = qm::searchMinimum(function, deadline, options);
            const double milliseconds =
                1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            if (milliseconds <= overMilliseconds) continue;
            std::string codes;
            int literals = 0;
            for (const logic::Cube& cube : cover) {
                codes += logic::codeOf(cube, 8) + ' ';
                literals += cube.literals(8);
            }
            std::printf("{0x%03x, 0x%03x, \"%s\"},  // %zu products, %d literals\n", counts.on,
                        counts.dontCare, codes.c_str(), cover.size(), literals);
            std::fprintf(stderr, "0x%03x 0x%03x: %.0f ms\n", counts.on, counts.dontCare,
                         milliseconds);
        } catch (const qm::TooHard&) {
            std::fprintf(stderr, "0x%03x 0x%03x: not proven within %.0f s\n", counts.on,
                         counts.dontCare, capSeconds);
        }
        std::fflush(stdout);
    }
    return 0;
}
