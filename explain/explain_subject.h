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
    // The minimum sum of products Simplify found, so that the views need not minimize again;
    // nothing when it was not proven minimal.
    std::optional<std::vector<logic::Cube>> minimum;
};

// The work form's function as the minimizer saw it, with its letters and minimum.
ExplainSubject subjectOf(const drawing::FunctionView& view);

// The letters of a subject in the form the minimizer's texts take: "ABCD" by default.
std::string lettersOf(const drawing::FunctionView& view);

// The function's own name, never one of its letters (F is also the sixth variable): Y, as the
// circuits call their output, or the first of Z, W, Q, ... that is free.
std::string outputName(const std::string& letters);

// "Y(A,B,C)"
std::string functionName(const std::string& letters);

}  // namespace quendal::explain
