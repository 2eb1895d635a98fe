#include "explain/cost_table_view.h"

#include <algorithm>
#include <array>

#include "demux/demux_drawing.h"
#include "drawing/canvas_document.h"
#include "drawing/drawn_circuit.h"
#include "drawing/universal_circuits.h"
#include "explain/explain_subject.h"
#include "explain/sized_drawing.h"
#include "mux/mux_drawing.h"
#include "mux/mux_options.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kColumnGap = 360;

template <class Draw>
Implementation costed(std::string name, Draw draw) {
    drawing::DocumentCanvas scratch;
    draw(scratch);
    Implementation made{std::move(name), false, {}};
    if (const auto& drawn = scratch.circuit()) {
        made.modelled = true;
        made.cost = circuit::costOf(drawn->netlist);
    }
    return made;
}

std::string muxName(int width, int k) {
    const std::string size = std::to_string(1 << k) + " : 1";
    return mux::isSingleMux(width, k) ? "One " + size + " multiplexer"
                                      : "Tree of " + size + " multiplexers";
}

// "4 NOT, 3 AND2, 1 OR2" and the blocks: "2 MUX 4:1".
std::string partsText(const circuit::Cost& cost) {
    std::string text;
    const auto add = [&text](const std::string& item) {
        text += (text.empty() ? "" : ", ") + item;
    };
    for (const circuit::PartCount& g : cost.gates) {
        const bool sized = g.kind != circuit::PartKind::Not;
        add(std::to_string(g.count) + " " + circuit::kindName(g.kind) +
            (sized ? std::to_string(g.inputs) : ""));
    }
    for (const circuit::PartCount& b : cost.blocks) {
        const std::string size = b.kind == circuit::PartKind::Mux
                                     ? std::to_string(1 << b.inputs) + ":1"
                                     : "1:" + std::to_string(1 << b.inputs);
        add(std::to_string(b.count) + " " + circuit::kindName(b.kind) + " " + size);
    }
    return text.empty() ? "none (a wire)" : text;
}

std::string packagesText(const circuit::Cost& cost) {
    std::string text;
    for (const circuit::PackageCount& p : cost.packages)
        text += (text.empty() ? "" : ", ") + std::to_string(p.packages) + " x " + p.part;
    return text.empty() ? "none" : text;
}

void drawTable(drawing::Canvas& canvas, const std::vector<Implementation>& rows,
               const std::string& letters, const std::string& minimumText) {
    const int lh = canvas.lineHeight();
    const int rowHeight = lh + 60;
    canvas.printAt(kMargin, kMargin,
                   {"Cost of " + functionName(letters) + " = " + minimumText +
                    ", implementation by implementation"});
    canvas.printAt(kMargin, kMargin + lh,
                   {"Only the parts " + outputName(letters) +
                    " depends on count. Levels: the most gates and blocks on a path from an "
                    "input to the output, inverters included."});

    const std::array<std::string, 6> headings = {"Implementation",     "Gates and blocks",
                                                 "Gate inputs",        "Levels",
                                                 "74-series packages", "Packages"};
    std::vector<std::array<std::string, 6>> cells;
    for (const Implementation& row : rows) {
        if (!row.modelled) {
            cells.push_back({row.name, "(no circuit model)", "-", "-", "-", "-"});
            continue;
        }
        const circuit::Cost& c = row.cost;
        cells.push_back({row.name, partsText(c), std::to_string(c.gateInputs),
                         std::to_string(c.levels), packagesText(c),
                         std::to_string(c.packageTotal)});
    }
    std::array<int, 6> left{};
    int x = kMargin;
    for (std::size_t col = 0; col < headings.size(); ++col) {
        left[col] = x;
        int width = canvas.textWidth(headings[col]);
        for (const auto& line : cells) width = std::max(width, canvas.textWidth(line[col]));
        x += width + kColumnGap;
    }
    const int right = x - kColumnGap + 120;

    int y = kMargin + 3 * lh;
    for (std::size_t col = 0; col < headings.size(); ++col)
        canvas.printAt(left[col], y, {headings[col]});
    y += rowHeight;
    canvas.line(kMargin, y - 30, right, y - 30);
    for (const auto& line : cells) {
        const int textTop = y + (rowHeight - lh) / 2 - 30;
        for (std::size_t col = 0; col < line.size(); ++col)
            canvas.printAt(left[col], textTop, {line[col]});
        y += rowHeight;
        canvas.line(kMargin, y - 30, right, y - 30, drawing::Rgb{192, 192, 192});
    }

    y += lh;
    canvas.printAt(kMargin, y, {"The 74-series parts assumed:"});
    for (const std::string& text : circuit::packageMappingLines()) {
        y += lh;
        canvas.printAt(kMargin + 240, y, {text});
    }
}

}  // namespace

std::vector<Implementation> implementationsOf(const drawing::FunctionView& function) {
    std::vector<Implementation> rows;
    const int width = function.function.width;
    using drawing::CircuitKind;
    const std::pair<const char*, CircuitKind> styles[] = {{"AND/OR/NOT", CircuitKind::Basic},
                                                          {"NAND only", CircuitKind::Nand},
                                                          {"NOR only", CircuitKind::Nor}};
    for (const auto& [name, kind] : styles) {
        rows.push_back(costed(name, [&, kind = kind](drawing::Canvas& canvas) {
            drawing::drawCircuit(canvas, function, kind);
        }));
    }
    const mux::MuxOptionSet offered = mux::muxOptionsFor(width);
    for (int k = offered.highestK; offered.lowestK > 0 && k >= offered.lowestK; --k) {
        rows.push_back(costed(muxName(width, k), [&](drawing::Canvas& canvas) {
            mux::drawMuxImplementation(canvas, function, k);
        }));
    }
    if (width >= demux::kDemuxMinVars && width <= demux::kDemuxMaxVars) {
        for (int din : {1, 0}) {
            rows.push_back(
                costed("1 : " + std::to_string(1 << width) +
                           " demultiplexer, Din = " + std::to_string(din),
                       [&](drawing::Canvas& canvas) { demux::drawDemux(canvas, function, din); }));
        }
    }
    return rows;
}

void drawCostTable(drawing::Canvas& canvas, const std::vector<Implementation>& implementations,
                   const std::string& letters, const std::string& minimumText) {
    drawSized(canvas, [&](drawing::Canvas& target) {
        drawTable(target, implementations, letters, minimumText);
    });
}

}  // namespace quendal::explain
