#include "drawing/function_view.h"

namespace quendal::drawing {

std::string varName(const FunctionView& function, int position) {
    if (position < 1 || position > static_cast<int>(function.letters.size())) return {};
    return std::string(1, function.letters[static_cast<std::size_t>(position - 1)]);
}

std::vector<int> listedTerms(const FunctionView& function) {
    const logic::Function& f = function.function;
    std::vector<int> terms;
    for (int row = 0; row < (1 << f.width); ++row) {
        const bool listed = function.mode == logic::TermMode::Minterms
                                ? f.on.test(row)
                                : !f.on.test(row) && !f.dc.test(row);
        if (listed) terms.push_back(row);
    }
    return terms;
}

std::vector<int> termsBelow(const FunctionView& function, int numTerms) {
    std::vector<int> out;
    for (int t : listedTerms(function))
        if (t < numTerms) out.push_back(t);
    return out;
}

std::string headerTermsText(const FunctionView& function) {
    if (!function.termsText.empty()) return function.termsText;
    std::string text;
    for (int t : listedTerms(function)) {
        if (!text.empty()) text += ",";
        text += std::to_string(t);
    }
    return text;
}

}  // namespace quendal::drawing
