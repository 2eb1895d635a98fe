#include "explain/explain_subject.h"

namespace quendal::explain {

std::string lettersOf(const drawing::FunctionView& view) {
    std::string letters;
    for (int i = 0; i < view.numVars; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const bool named = at < view.varNames.size() && !view.varNames[at].empty();
        letters += named ? view.varNames[at].front() : qm::kDefaultLetters[at];
    }
    return letters;
}

ExplainSubject subjectOf(const drawing::FunctionView& view) {
    ExplainSubject subject;
    subject.function.width = view.numVars;
    subject.letters = lettersOf(view);
    const int rows = 1 << view.numVars;
    for (int t : view.dontCares) {
        if (t >= 0 && t < rows) subject.function.dc.set(t);
    }
    qm::RowSet listed;
    for (int t : view.terms) {
        if (t >= 0 && t < rows) listed.set(t);
    }
    if (view.minTermMode) {
        subject.function.on = listed;
    } else {
        // Every row not ticked, as a max-term or a don't-care, is a 1.
        for (int row = 0; row < rows; ++row) {
            if (!listed.test(row) && !subject.function.dc.test(row)) subject.function.on.set(row);
        }
    }
    // A row that is both stays a 1, as in the minimizer's input.
    subject.function.dc -= subject.function.on;
    return subject;
}

std::string functionName(const std::string& letters) {
    std::string name = "F(";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i > 0) name += ',';
        name += letters[i];
    }
    return name + ")";
}

}  // namespace quendal::explain
