#include "mux/mux_drawing.h"

#include "mux/mux_options.h"
#include "mux/mux_tree.h"
#include "mux/single_mux.h"

namespace quendal::mux {

void drawMuxImplementation(drawing::Canvas& canvas, const drawing::FunctionView& function, int k) {
    if (!muxOptionsFor(function.function.width).offers(k)) return;
    if (isSingleMux(function.function.width, k))
        draw1Mux(canvas, function);
    else
        drawMulMux(canvas, function, k);
}

std::optional<drawing::DrawnCircuit> buildMuxImplementation(const drawing::Canvas& canvas,
                                                            const drawing::FunctionView& function,
                                                            int k) {
    if (!muxOptionsFor(function.function.width).offers(k)) return std::nullopt;
    if (isSingleMux(function.function.width, k)) return build1Mux(canvas, function);
    return buildMulMux(canvas, function, k);
}

}  // namespace quendal::mux
