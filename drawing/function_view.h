#pragma once

#include <string>
#include <vector>

#include "logic/cube.h"
#include "logic/expression_text.h"
#include "logic/function.h"

namespace quendal::drawing {

// A read-only description of the function that Simplify last minimized, as
// every drawing needs it. The work form fills it; drawings never reach into
// forms.
struct FunctionView {
    // Header texts.
    std::string userName;
    std::string dateText;  // "dd-mmm-yyyy"
    std::string timeText;  // "hh:mm AMPM"

    // The four expression texts (txtEquation, txtIpPosEquation,
    // txtMinEquation, txtPosEquation), as stored and printed.
    std::string sopText;
    std::string ipPosText;
    std::string minSopText;
    std::string minPosText;

    // The function as the drawings implement it. For ticked terms: the
    // chosen number of variables, the ones and the don't-cares by the term
    // mode (in max-term mode every row neither ticked nor a don't-care is a
    // one). For a typed equation: the letters in use, the minterms its
    // products cover, min-term mode.
    logic::Function function;
    logic::TermMode mode = logic::TermMode::Minterms;
    // The variable letter of each column: letters[0] is position 1.
    logic::Letters letters;
    // The minimum sum of products minSopText shows, over function.width
    // columns, in the minimizer's order.
    std::vector<logic::Cube> minimum;
    std::string termsText;     // the term list as the header shows it (txtTerms)
    std::string dontCareText;  // txtDontCare; empty when there are none
    // Whether the minimum is proven (the minimizer may answer with its best
    // cover when the time runs out).
    bool minimumProven = true;
};

// The letter of variable position p (1-based), empty where there is none.
std::string varName(const FunctionView& function, int position);

// The ticked term numbers (ascending): the ones in min-term mode, the rows
// that are neither ones nor don't-cares in max-term mode.
std::vector<int> listedTerms(const FunctionView& function);

// The term numbers a drawing with numTerms rows uses: the listed terms
// below numTerms, so a stray entry can never place a wire outside a block.
std::vector<int> termsBelow(const FunctionView& function, int numTerms);

// The term list as a header shows it: the work form's text, or the numbers
// joined by "," where the form left that text empty.
std::string headerTermsText(const FunctionView& function);

}  // namespace quendal::drawing
