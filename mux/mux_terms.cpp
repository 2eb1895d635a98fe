#include "mux_terms.h"

#include <algorithm>

std::vector<int> drawnTerms(const FunctionView& function, int numTerms) {
    std::vector<int> out;
    for (int t : function.terms)
        if (t >= 0 && t < numTerms) out.push_back(t);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<bool> tiedToVcc(const FunctionView& function, int numTerms) {
    std::vector<bool> listed(static_cast<std::size_t>(numTerms), false);
    for (int t : drawnTerms(function, numTerms)) listed[static_cast<std::size_t>(t)] = true;
    if (!function.minTermMode) listed.flip();
    return listed;
}

std::string headerTermsText(const FunctionView& function) {
    if (!function.termsText.empty() || function.terms.empty()) return function.termsText;
    std::string text;
    for (int t : function.terms) {
        if (!text.empty()) text += ",";
        text += std::to_string(t);
    }
    return text;
}
