#include "drawing/function_view.h"

#include <algorithm>

namespace quendal::drawing {

std::string varName(const FunctionView& function, int position) {
    if (position < 1 || position > static_cast<int>(function.varNames.size())) return {};
    return function.varNames[static_cast<std::size_t>(position - 1)];
}

std::vector<int> termsBelow(const FunctionView& function, int numTerms) {
    std::vector<int> out;
    for (int t : function.terms)
        if (t >= 0 && t < numTerms) out.push_back(t);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::string headerTermsText(const FunctionView& function) {
    if (!function.termsText.empty()) return function.termsText;
    std::string text;
    for (int t : function.terms) {
        if (!text.empty()) text += ",";
        text += std::to_string(t);
    }
    return text;
}

}  // namespace quendal::drawing
