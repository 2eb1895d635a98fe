#include "cli/function_file.h"

#include <chrono>
#include <sstream>

#include "minimizer/input_format.h"
#include "minimizer/minimize.h"
#include "minimizer/qm_program.h"
#include "workspace/function_entry.h"
#include "workspace/minimizer_exchange.h"

namespace quendal::cli {

using workspace::FunctionEntry;

namespace {

workspace::Codes linesOf(const std::string& text) {
    workspace::Codes codes;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) codes.push_back(line);
    }
    return codes;
}

}  // namespace

MinimizedFile minimizeFunctionFile(const std::string& path) {
    const logic::Function stated = qm::parseFunction(qm::readInputFile(path), path);
    if (stated.on.empty())
        throw qm::InputError(path + ": no row is 1, so there is nothing to simplify or draw");

    FunctionEntry entry;
    entry.reset(stated.width);
    entry.choose(FunctionEntry::Option::MinTerms);
    stated.on.forEach([&entry](int row) { entry.changeTick(row, true); });
    entry.choose(FunctionEntry::Option::DontCare);
    stated.dc.forEach([&](int row) {
        if (!stated.on.test(row)) entry.changeTick(row, true);
    });
    const std::optional<FunctionEntry::Input> input = entry.prepareSimplify();
    if (!input || input->nothingToMinimize)
        throw qm::InputError(path + ": no row is 1, so there is nothing to simplify or draw");

    // The very in.txt the work form would write, as Qm.exe would read it.
    const logic::Function function = qm::parseFunction(input->inText, "in.txt");
    const qm::BestCover best =
        qm::minimizeWithin(function, std::chrono::steady_clock::now() + qm::timeLimit());
    const workspace::Codes implicants = linesOf(qm::formatCover(best.cover, function.width));
    workspace::checkAnswer(input->inText, implicants, input->columns);
    entry.takeAnswer(implicants);
    entry.completeSimplify();

    MinimizedFile result{entry.minimized(), {}};
    result.view.minimumProven = best.proven;
    if (!best.proven) result.notProven = qm::notProvenNote(best, function.width, path);
    return result;
}

}  // namespace quendal::cli
