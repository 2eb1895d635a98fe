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

}  // namespace quendal::mux
