#include "mux/mux_options.h"

#include <algorithm>

MuxOptionSet muxOptionsFor(int n) {
    if (n < 1 || n > 8) return {};
    if (n == 1) return {1, 1};
    return {std::max(n - 2, 2), std::min(n, 6)};
}
