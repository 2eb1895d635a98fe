#include "mux/mux_terms.h"

std::vector<bool> tiedToVcc(const FunctionView& function, int numTerms) {
    std::vector<bool> listed(static_cast<std::size_t>(numTerms), false);
    for (int t : termsBelow(function, numTerms)) listed[static_cast<std::size_t>(t)] = true;
    if (!function.minTermMode) listed.flip();
    return listed;
}
