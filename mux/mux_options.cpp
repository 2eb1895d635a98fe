#include "mux/mux_options.h"

#include <algorithm>

namespace quendal::mux {

MuxOptionSet muxOptionsFor(int numVars) {
    if (numVars < 1 || numVars > 8) return {};
    if (numVars == 1) return {1, 1};
    return {std::max(numVars - 2, 2), std::min(numVars, 6)};
}

}  // namespace quendal::mux
