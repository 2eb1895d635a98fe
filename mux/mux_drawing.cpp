#include "mux/mux_drawing.h"

#include "mux/mux_options.h"
#include "mux/mux_tree.h"
#include "mux/single_mux.h"

void drawMuxImplementation(Canvas& canvas, const FunctionView& function, int k) {
    const int n = function.numVars;
    if (!muxOptionsFor(n).offers(k)) return;
    if (isSingleMux(n, k))
        draw1Mux(canvas, function, n, 4000, 700);
    else
        drawMulMux(canvas, function, n, k);
}
