#include "mux/mux_terms.h"

namespace quendal::mux {

std::vector<bool> tiedToVcc(const drawing::FunctionView& function, int numTerms) {
    std::vector<bool> listed(static_cast<std::size_t>(numTerms), false);
    for (int t : drawing::termsBelow(function, numTerms))
        listed[static_cast<std::size_t>(t)] = true;
    if (function.mode == logic::TermMode::Maxterms) listed.flip();
    return listed;
}

}  // namespace quendal::mux
