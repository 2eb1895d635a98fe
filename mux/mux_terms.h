#pragma once

#include "drawing/function_view.h"

#include <vector>

// Whether data input (term) t is tied to Vcc: a listed minterm, or a
// maxterm that is not listed. Don't-cares are not listed and so count as
// terms not entered.
std::vector<bool> tiedToVcc(const FunctionView& function, int numTerms);
