#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drawing/function_view.h"
#include "logic/expression_text.h"
#include "minimizer/explanation.h"

namespace quendal::explain {

// The function the Explain views teach, as Simplify last minimized it, with its letters.
struct ExplainSubject {
    logic::Function function;
    std::string letters;  // one letter per variable, column 1 first
    // The minimum sum of products Simplify found, read back from the work form's text, so that
    // the views need not minimize again; nothing when the text cannot be read.
    std::optional<std::vector<logic::Cube>> minimum;
};

// The work form's description of the function as the minimizer sees it: ticked max-terms are the
// rows that are 0, a typed equation is the rows its products cover.
ExplainSubject subjectOf(const drawing::FunctionView& view);

// The letters of a subject in the form the minimizer's texts take: "ABCD" by default.
std::string lettersOf(const drawing::FunctionView& view);

// "F(A,B,C)"
std::string functionName(const std::string& letters);

}  // namespace quendal::explain
