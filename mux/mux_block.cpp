#include "mux/mux_block.h"

#include "drawing/drawing_kit.h"

namespace quendal::mux {

void enlargeForBlock(drawing::Canvas& canvas, const MuxBlock& b) {
    int height = canvas.height();
    int width = canvas.width();
    if (height < b.H() + b.yin + 1000) height = b.H() + b.yin + 1000;
    if (width < b.W() + b.xin + 1000) width = b.W() + b.xin + 1000;
    canvas.setSize(width, height);
    canvas.setVScrollMax(canvas.height() + b.H() - b.yin + 1000);
    canvas.setHScrollMax(canvas.width() + b.W() - b.xin + 1000);
}

void drawBlockBody(drawing::Canvas& canvas, const MuxBlock& b) {
    drawing::drawMuxBlockFigure(canvas, b.xin, b.yin, b.v);
}

void drawOutputLine(drawing::Canvas& canvas, const MuxBlock& b) {
    canvas.line(b.right(), b.yOut(), b.right() + 400, b.yOut());
}

void printOutputText(drawing::Canvas& canvas, const MuxBlock& b) {
    canvas.printAt(b.right() + 430, b.yOut() - 90, {" Y "});
}

void enlargeForBlock(drawing::CircuitBuilder& builder, const MuxBlock& b) {
    int height = builder.height();
    int width = builder.width();
    if (height < b.H() + b.yin + 1000) height = b.H() + b.yin + 1000;
    if (width < b.W() + b.xin + 1000) width = b.W() + b.xin + 1000;
    builder.resize(width, height);
    builder.scrollMax(false, builder.height() + b.H() - b.yin + 1000);
    builder.scrollMax(true, builder.width() + b.W() - b.xin + 1000);
}

int addBlock(drawing::CircuitBuilder& builder, const MuxBlock& b,
             const std::vector<circuit::NetId>& select, const std::vector<circuit::NetId>& data,
             circuit::NetId strobe, circuit::NetId out, bool selectFromTop) {
    using circuit::PinRole;
    circuit::Part p;
    p.kind = circuit::PartKind::Mux;
    p.look = circuit::Look::Block;
    p.name = "mux" + std::to_string(builder.netlist().parts.size());
    p.at = {b.xin, b.yin};
    p.box = {b.xin, b.yin, b.W(), b.H()};
    for (int s = 1; s <= b.v; ++s)
        p.pins.push_back({PinRole::Select,
                          select.at(static_cast<std::size_t>(s - 1)),
                          {b.xSel(s), selectFromTop ? b.yin : b.bottom()}});
    for (int m = 0; m < b.N(); ++m)
        p.pins.push_back({PinRole::Data, data.at(static_cast<std::size_t>(m)), {b.xin, b.yIn(m)}});
    if (strobe != circuit::kNoNet)
        p.pins.push_back({PinRole::Strobe, strobe, {b.xin + 200, b.bottom() + 125}});
    p.pins.push_back({PinRole::Out, out, {b.right(), b.yOut()}});
    const int index = builder.part(std::move(p));
    builder.body(index);
    return index;
}

circuit::NetId addSimpleMux(drawing::CircuitBuilder& builder, const drawing::FunctionView& function,
                            int selectLines, int xin, int yin, std::vector<circuit::NetId> data) {
    const MuxBlock b{selectLines, xin, yin};
    enlargeForBlock(builder, b);
    // The select lines without a letter are left open (they read 0); the
    // last ones carry the first letters of the function.
    const int lettersBelow = function.function.width - selectLines;
    std::vector<circuit::NetId> select;
    for (int s = 1; s <= selectLines; ++s) {
        const int column = s - (selectLines - lettersBelow) - 1;
        select.push_back(column >= 0 ? builder.variableNet(column) : builder.net({}));
    }
    data.resize(static_cast<std::size_t>(b.N()), circuit::kNoNet);
    for (circuit::NetId& net : data)
        if (net == circuit::kNoNet) net = builder.net({});
    const circuit::NetId out = builder.net({});
    addBlock(builder, b, select, data, circuit::kNoNet, out);
    for (int s = 1; s <= selectLines; ++s)
        builder.wire(select[static_cast<std::size_t>(s - 1)], {b.xSel(s), b.bottom()},
                     {b.xSel(s), b.bottom() + 500}, circuit::Stroke::Plain);
    for (int i = 1; i <= lettersBelow; ++i) {
        const int x = xin + (i + selectLines - lettersBelow) * 400;
        builder.printAt(x, b.bottom() + 600, drawing::varName(function, i));
        builder.variable(i - 1, {x, b.bottom() + 600}, {x, b.bottom() + 500});
    }
    builder.wire(out, {b.right(), b.yOut()}, {b.right() + 400, b.yOut()}, circuit::Stroke::Plain);
    builder.printAt(b.right() + 430, b.yOut() - 90, " Y ");
    for (int m = 0; m < b.N(); ++m)
        builder.wire(data[static_cast<std::size_t>(m)], {xin - 500, b.yIn(m)}, {xin, b.yIn(m)},
                     circuit::Stroke::Plain);
    return out;
}

void simpleMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines,
               int xin, int yin) {
    drawing::CircuitBuilder builder(canvas, circuit::Style::Mux, function);
    addSimpleMux(builder, function, selectLines, xin, yin, {});
    drawing::renderCircuit(canvas, builder.take());
}

}  // namespace quendal::mux
