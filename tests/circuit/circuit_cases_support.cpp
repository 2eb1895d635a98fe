#include "tests/circuit/circuit_cases_support.h"

#include "demux/demux_drawing.h"
#include "drawing/universal_circuits.h"
#include "logic/expression_text.h"
#include "minimizer/minimize.h"
#include "mux/mux_drawing.h"
#include "mux/mux_options.h"
#include "tests/support/recording_canvas.h"

using namespace quendal;

namespace {

drawing::FunctionView viewOf(const logic::Function& function, logic::TermMode mode) {
    drawing::FunctionView f;
    f.userName = "Tester";
    f.dateText = "05-Mar-2024";
    f.timeText = "07:40 AM";
    f.letters =
        std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(function.width)));
    f.function = function;
    f.mode = mode;
    f.minimum = qm::minimize(function);
    return f;
}

const char* modeName(logic::TermMode mode) {
    return mode == logic::TermMode::Minterms ? "min" : "max";
}

}  // namespace

std::vector<CircuitCase> everyDrawing(const logic::Function& function, bool whole) {
    std::vector<CircuitCase> cases;
    const auto add = [&](std::string label, drawing::DrawnCircuit drawn) {
        cases.push_back({std::move(label), drawn.netlist, {}});
        if (whole) cases.back().drawn = std::move(drawn);
    };
    drawing::RecordingCanvas canvas;
    const drawing::FunctionView f = viewOf(function, logic::TermMode::Minterms);
    add("basic", drawing::buildCircuit(canvas, f, drawing::CircuitKind::Basic));
    add("nand", drawing::buildCircuit(canvas, f, drawing::CircuitKind::Nand));
    add("nor", drawing::buildCircuit(canvas, f, drawing::CircuitKind::Nor));
    for (logic::TermMode mode : {logic::TermMode::Minterms, logic::TermMode::Maxterms}) {
        drawing::FunctionView g = f;
        g.mode = mode;
        for (int k = 1; k <= 6; ++k)
            if (auto mux = mux::buildMuxImplementation(canvas, g, k))
                add("mux " + std::to_string(1 << k) + ":1 " + modeName(mode), std::move(*mux));
        if (function.width <= demux::kDemuxMaxVars)
            for (int din : {0, 1})
                add("demux Din=" + std::to_string(din) + " " + modeName(mode),
                    demux::buildDemux(canvas, g, din));
    }
    return cases;
}

logic::Function functionOfBits(int width, unsigned long long ones, unsigned long long dontCares) {
    logic::Function f;
    f.width = width;
    for (int row = 0; row < (1 << width); ++row) {
        if ((dontCares >> row) & 1U)
            f.dc.set(row);
        else if ((ones >> row) & 1U)
            f.on.set(row);
    }
    return f;
}

char expected(const logic::Function& function, int row) {
    return function.dc.test(row) ? '-' : function.on.test(row) ? '1' : '0';
}
