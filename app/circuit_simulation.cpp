#include "app/circuit_simulation.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstdlib>

namespace quendal::app {

namespace {

using circuit::Netlist;
using circuit::Part;
using circuit::PartKind;
using circuit::Pin;
using circuit::PinRole;

constexpr int kTwipsPerPixel = 15;

std::uint8_t valueOf(const std::vector<std::uint8_t>& values, circuit::NetId net) {
    return net == circuit::kNoNet ? 0 : values[static_cast<std::size_t>(net)];
}

bool isTwoLevelGate(PartKind kind) {
    return kind == PartKind::And || kind == PartKind::Or || kind == PartKind::Nand ||
           kind == PartKind::Nor;
}

// The input value that decides a gate's output alone: 0 for AND and NAND,
// 1 for OR and NOR.
std::uint8_t controlling(PartKind kind) {
    return kind == PartKind::Or || kind == PartKind::Nor ? 1 : 0;
}

// A gate that only inverts a variable (the universal circuits make their
// literals so): part of no product.
bool isLiteralInverter(const Netlist& n, const Part& part) {
    const std::vector<Pin> inputs = part.inputs();
    if (inputs.empty() || inputs.front().net == circuit::kNoNet) return false;
    for (const Pin& p : inputs)
        if (p.net != inputs.front().net) return false;
    const int source = n.net(inputs.front().net).driver.part;
    return source >= 0 && n.part(source).kind == PartKind::Input;
}

// Walks back from an output through the inputs that decide each gate (the first
// input at its gate's controlling value; an inverter's only input) to the
// gate whose inputs all agree: the top of the product that makes Y 1, in
// whatever gates the circuit is built of. Its chain is the gates of its kind
// feeding it, but for the inverters of the variables.
std::vector<int> productGatesOf(const Netlist& n, const std::vector<std::uint8_t>& values,
                                circuit::NetId net) {
    std::vector<int> gates;
    for (std::size_t steps = 0; steps <= n.parts.size(); ++steps) {
        if (net == circuit::kNoNet) return {};
        const int index = n.net(net).driver.part;
        if (index < 0) return {};
        const Part& part = n.part(index);
        if (part.kind == PartKind::Not) {
            net = part.inputs().front().net;
            continue;
        }
        if (!isTwoLevelGate(part.kind)) return {};
        const std::vector<Pin> inputs = part.inputs();
        // An inverter made of a two-input gate decides nothing itself.
        if (std::all_of(inputs.begin(), inputs.end(),
                        [&](const Pin& p) { return p.net == inputs.front().net; })) {
            net = inputs.front().net;
            continue;
        }
        const auto decider = std::find_if(inputs.begin(), inputs.end(), [&](const Pin& p) {
            return valueOf(values, p.net) == controlling(part.kind);
        });
        if (decider != inputs.end()) {
            net = decider->net;
            continue;
        }
        // The product: this gate and the gates of its kind in its chain.
        std::vector<int> pending = {index};
        while (!pending.empty()) {
            const int g = pending.back();
            pending.pop_back();
            if (std::find(gates.begin(), gates.end(), g) != gates.end()) continue;
            gates.push_back(g);
            for (const Pin& p : n.part(g).inputs()) {
                if (p.net == circuit::kNoNet) continue;
                const int feeder = n.net(p.net).driver.part;
                if (feeder >= 0 && n.part(feeder).kind == part.kind &&
                    !isLiteralInverter(n, n.part(feeder)))
                    pending.push_back(feeder);
            }
        }
        std::sort(gates.begin(), gates.end());
        return gates;
    }
    return {};
}

std::vector<Pin> selectedPinsOf(const Netlist& n, const std::vector<std::uint8_t>& values) {
    std::vector<Pin> pins;
    for (const Part& part : n.parts) {
        if (part.kind != PartKind::Mux && part.kind != PartKind::Demux) continue;
        unsigned sel = 0;
        for (const Pin& p : part.pinsOf(PinRole::Select)) sel = sel * 2 + valueOf(values, p.net);
        const std::vector<Pin> choices =
            part.pinsOf(part.kind == PartKind::Mux ? PinRole::Data : PinRole::Out);
        if (sel < choices.size()) pins.push_back(choices[sel]);
    }
    return pins;
}

// A frame two pixels wide round a box, a margin outside it.
void frame(drawing::Canvas& c, circuit::Box box, int margin, drawing::Rgb colour) {
    for (int k = 0; k < 2; ++k) {
        const int x0 = box.x - margin - k * kTwipsPerPixel,
                  y0 = box.y - margin - k * kTwipsPerPixel;
        const int x1 = box.x + box.width + margin + k * kTwipsPerPixel;
        const int y1 = box.y + box.height + margin + k * kTwipsPerPixel;
        c.line(x0, y0, x1, y0, colour);
        c.line(x1, y0, x1, y1, colour);
        c.line(x1, y1, x0, y1, colour);
        c.line(x0, y1, x0, y0, colour);
    }
}

// The canvas grows to hold what the simulation writes beyond the drawing
// (Y's value after the demultiplexer's gate, say), with the drawings' margin.
void grow(drawing::Canvas& c, int right, int bottom) {
    constexpr int kMargin = 240;
    if (right + kMargin > c.width() || bottom + kMargin > c.height())
        c.setSize(std::max(c.width(), right + kMargin), std::max(c.height(), bottom + kMargin));
}

}  // namespace

SimulatedRow simulate(const Netlist& netlist, std::uint64_t row) {
    SimulatedRow s;
    s.row = row;
    s.values = circuit::evaluate(netlist, row);
    s.output = valueOf(s.values, netlist.output) != 0;
    // Every output of a design, or Y alone.
    for (const circuit::NamedOutput& port : circuit::outputPorts(netlist)) {
        if (valueOf(s.values, port.net) == 0) continue;
        std::vector<int> gates = productGatesOf(netlist, s.values, port.net);
        if (!gates.empty()) s.products.push_back(std::move(gates));
    }
    s.selectedPins = selectedPinsOf(netlist, s.values);
    return s;
}

std::string rowText(const Netlist& netlist, std::uint64_t row) {
    std::string text = "row " + std::to_string(row) + ":";
    const int width = netlist.width();
    for (int c = 0; c < width; ++c) {
        const bool one = (row >> (width - 1 - c)) & 1U;
        text += " " + netlist.letters[static_cast<std::size_t>(c)] + (one ? "=1" : "=0");
    }
    return text;
}

std::vector<Switch> switchesOf(const Netlist& netlist) {
    // "=1" in the canvas font, with room to spare.
    constexpr int kLabelWidth = 240;
    std::vector<Switch> switches;
    for (const Part& part : netlist.parts) {
        if (part.kind != PartKind::Input) continue;
        const circuit::Box& letter = part.box;
        const int labelX = letter.x + letter.width + 15;
        bool roomAfter = true;
        for (const Part& other : netlist.parts) {
            if (other.kind != PartKind::Input || &other == &part) continue;
            const bool sameRow = std::abs(other.box.y - letter.y) < letter.height;
            if (sameRow && other.box.x >= letter.x && other.box.x < labelX + kLabelWidth + 60)
                roomAfter = false;
        }
        if (roomAfter) {
            switches.push_back({part.column,
                                {letter.x - 45, letter.y - 15, letter.width + 60 + kLabelWidth,
                                 letter.height + 30},
                                {labelX, letter.y}});
        } else {
            const int width = std::max(letter.width, kLabelWidth - 60);
            switches.push_back({part.column,
                                {letter.x - 45, letter.y - 15, width + 90, 2 * letter.height + 45},
                                {letter.x, letter.y + letter.height + 15}});
        }
    }
    return switches;
}

std::optional<int> switchAt(const Netlist& netlist, circuit::Point at) {
    for (const Switch& s : switchesOf(netlist)) {
        if (at.x >= s.box.x && at.x < s.box.x + s.box.width && at.y >= s.box.y &&
            at.y < s.box.y + s.box.height)
            return s.column;
    }
    return std::nullopt;
}

std::uint64_t toggled(const Netlist& netlist, std::uint64_t row, int column) {
    if (column < 0 || column >= netlist.width()) return row;
    return row ^ (std::uint64_t{1} << (netlist.width() - 1 - column));
}

void drawSimulation(drawing::Canvas& canvas, const drawing::DrawnCircuit& circuit,
                    const SimulatedRow& state) {
    namespace colours = simulation_colours;
    const Netlist& n = circuit.netlist;
    const auto colourOf = [&](circuit::NetId net) -> std::optional<drawing::Rgb> {
        return valueOf(state.values, net) ? colours::one : colours::zero;
    };
    drawing::renderCircuit(canvas, circuit, colourOf);
    // A 1 is drawn twice as thick, so it reads in grey print too.
    for (const circuit::Wire& w : n.wires) {
        if (w.net == circuit::kNoNet || !valueOf(state.values, w.net)) continue;
        const int dx = w.from.x == w.to.x ? kTwipsPerPixel : 0;
        const int dy = w.from.x == w.to.x ? 0 : kTwipsPerPixel;
        canvas.line(w.from.x + dx, w.from.y + dy, w.to.x + dx, w.to.y + dy, colours::one);
    }
    for (const Switch& s : switchesOf(n)) {
        const Part& input = n.part(n.inputPart(s.column));
        const bool one = valueOf(state.values, input.output()) != 0;
        frame(canvas, s.box, 0, one ? colours::one : colours::zero);
        canvas.printAt(s.label.x, s.label.y, {one ? "=1" : "=0"},
                       one ? colours::one : colours::zero);
        grow(canvas, s.box.x + s.box.width, s.box.y + s.box.height);
    }
    for (const Part& part : n.parts) {
        if (part.kind != PartKind::Output) continue;
        const circuit::Point at = part.pins.empty() ? part.at : part.pins.front().at;
        // Each output of a design shows its own value, after its name.
        const bool one = n.outputs.empty() ? state.output
                                           : !part.pins.empty() &&
                                                 valueOf(state.values, part.pins.front().net) != 0;
        const int x =
            n.outputs.empty() ? at.x + 260 : at.x + 100 + canvas.textWidth(part.name + " ");
        const std::string value = one ? "= 1" : "= 0";
        canvas.printAt(x, at.y - 100, {value}, one ? colours::one : colours::zero);
        grow(canvas, x + canvas.textWidth(value), at.y - 100 + canvas.lineHeight());
    }
    // One frame round each whole product.
    for (const std::vector<int>& product : state.products) {
        circuit::Box all = n.part(product.front()).box;
        for (int g : product) {
            const circuit::Box& b = n.part(g).box;
            const int right = std::max(all.x + all.width, b.x + b.width);
            const int bottom = std::max(all.y + all.height, b.y + b.height);
            all.x = std::min(all.x, b.x);
            all.y = std::min(all.y, b.y);
            all.width = right - all.x;
            all.height = bottom - all.y;
        }
        frame(canvas, all, 45, colours::highlight);
    }
    for (const Pin& pin : state.selectedPins)
        frame(canvas, {pin.at.x - 60, pin.at.y - 60, 120, 120}, 0, colours::highlight);
}

QIcon simulateIcon() {
    // A slide switch: a rounded track, its knob at the 1 end.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const auto [r, g, b] = simulation_colours::one;
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(r, g, b));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 3.5, 3.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 8), 3.5, 3.5);
    p.end();
    return QIcon(pixmap);
}

}  // namespace quendal::app
