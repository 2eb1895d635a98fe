#pragma once

#include "drawing/function_view.h"

#include <vector>

namespace quendal::mux {

// Whether data input (term) t is tied to Vcc: a listed minterm, or a
// maxterm that is not listed. Don't-cares are not listed and so count as
// terms not entered.
std::vector<bool> tiedToVcc(const drawing::FunctionView& function, int numTerms);

}  // namespace quendal::mux
