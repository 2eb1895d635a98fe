#pragma once

#include <string>
#include <vector>

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
    // txtMinEquation, txtPosEquation).
    std::string sopText;
    std::string ipPosText;
    std::string minSopText;
    std::string minPosText;

    // Variable letters by position: varNames[0] is position 1. As the work
    // form holds them, so a typed equation that uses fewer letters than the
    // chosen number of variables leaves empty entries at the end.
    std::vector<std::string> varNames;

    // The function as the multiplexer and demultiplexer drawings implement
    // it. For ticked terms: the chosen number of variables, the ticked term
    // numbers (ascending) and the term mode. For a typed equation: the number
    // of letters in use (varNames[0 .. numVars-1]), the minterms its products
    // cover, and min-term mode.
    int numVars = 0;
    std::vector<int> terms;
    bool minTermMode = true;
    std::vector<int> dontCares;
    std::string termsText;     // the term list as the header shows it (txtTerms)
    std::string dontCareText;  // txtDontCare; empty when there are none
    // Whether minSopText is a proven minimum (the minimizer may answer with
    // its best cover when the time runs out).
    bool minimumProven = true;
};

// The letter of variable position p (1-based), empty where there is none.
std::string varName(const FunctionView& function, int position);

// The term numbers a drawing with numTerms rows uses: ascending, without
// repeats, and only rows that exist (0 .. numTerms-1), so a stray entry can
// never place a wire outside a block.
std::vector<int> termsBelow(const FunctionView& function, int numTerms);

// The term list as a header shows it: the work form's text, or the numbers
// joined by "," where the form left that text empty.
std::string headerTermsText(const FunctionView& function);

}  // namespace quendal::drawing
