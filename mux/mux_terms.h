#pragma once

#include "function_view.h"

#include <string>
#include <vector>

// The term list as the multiplexer drawings use it: ascending, without
// repeats, and only numbers of rows that exist (0 .. numTerms-1), so a stray
// entry can never place a wire outside a block.
std::vector<int> drawnTerms(const FunctionView& function, int numTerms);

// Whether data input (term) t is tied to Vcc: a listed minterm, or a
// maxterm that is not listed. Don't-cares are not listed and so count as
// terms not entered.
std::vector<bool> tiedToVcc(const FunctionView& function, int numTerms);

// The term list as the header shows it: the work form's text, or the
// numbers joined by "," where the form left that text empty.
std::string headerTermsText(const FunctionView& function);
