#include "circuit/netlist.h"

#include <stdexcept>

namespace quendal::circuit {

std::vector<Pin> Part::pinsOf(PinRole role) const {
    std::vector<Pin> out;
    for (const Pin& p : pins)
        if (p.role == role) out.push_back(p);
    return out;
}

std::vector<Pin> Part::inputs() const {
    std::vector<Pin> out;
    for (const Pin& p : pins)
        if (p.role != PinRole::Out) out.push_back(p);
    return out;
}

NetId Part::output() const {
    for (const Pin& p : pins)
        if (p.role == PinRole::Out) return p.net;
    return kNoNet;
}

const char* styleName(Style style) {
    switch (style) {
        case Style::Basic: return "basic";
        case Style::Nand: return "nand";
        case Style::Nor: return "nor";
        case Style::Mux: return "mux";
        case Style::Demux: return "demux";
    }
    return "basic";
}

NetId Netlist::addNet(std::string name) {
    nets.push_back(Net{std::move(name), {}, {}, {}, {}});
    return static_cast<NetId>(nets.size()) - 1;
}

int Netlist::addPart(Part part) {
    const int index = static_cast<int>(parts.size());
    for (std::size_t k = 0; k < part.pins.size(); ++k) {
        const Pin& pin = part.pins[k];
        if (pin.net == kNoNet) continue;
        if (pin.net < 0 || pin.net >= static_cast<NetId>(nets.size()))
            throw std::out_of_range("a pin on a net that does not exist");
        Net& net = nets[static_cast<std::size_t>(pin.net)];
        const PinRef ref{index, static_cast<int>(k)};
        if (pin.role == PinRole::Out) {
            if (net.driver.part >= 0) throw std::logic_error("net " + net.name + " driven twice");
            net.driver = ref;
        } else {
            net.sinks.push_back(ref);
        }
    }
    parts.push_back(std::move(part));
    return index;
}

int Netlist::addWire(NetId net, Point from, Point to, Stroke stroke) {
    wires.push_back({net, from, to, stroke});
    const int index = static_cast<int>(wires.size()) - 1;
    if (net != kNoNet) nets.at(static_cast<std::size_t>(net)).wires.push_back(index);
    return index;
}

int Netlist::addDot(NetId net, Point at, DotKind kind) {
    dots.push_back({net, at, kind});
    const int index = static_cast<int>(dots.size()) - 1;
    if (net != kNoNet) nets.at(static_cast<std::size_t>(net)).dots.push_back(index);
    return index;
}

int Netlist::inputPart(int column) const {
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i].kind == PartKind::Input && parts[i].column == column)
            return static_cast<int>(i);
    return -1;
}

namespace {

std::uint8_t valueOf(const std::vector<std::uint8_t>& values, NetId net) {
    return net == kNoNet ? 0 : values[static_cast<std::size_t>(net)];
}

unsigned selectValue(const std::vector<Pin>& selects, const std::vector<std::uint8_t>& values) {
    unsigned sel = 0;
    for (const Pin& p : selects) sel = sel * 2 + valueOf(values, p.net);
    return sel;
}

// Sets the part's outputs from its inputs; true when an output changed.
bool settle(const Netlist& n, const Part& part, std::uint64_t row,
            std::vector<std::uint8_t>& values) {
    std::vector<std::uint8_t> out;  // one per Out pin, in order
    const auto in = [&] {
        std::vector<std::uint8_t> v;
        for (const Pin& p : part.pins)
            if (p.role != PinRole::Out) v.push_back(valueOf(values, p.net));
        return v;
    };
    switch (part.kind) {
        case PartKind::Input:
            out.push_back(static_cast<std::uint8_t>((row >> (n.width() - 1 - part.column)) & 1U));
            break;
        case PartKind::Constant: out.push_back(static_cast<std::uint8_t>(part.value != 0)); break;
        case PartKind::Output: return false;
        case PartKind::Not: out.push_back(!in().at(0)); break;
        case PartKind::And:
        case PartKind::Nand: {
            std::uint8_t all = 1;
            for (std::uint8_t v : in()) all &= v;
            out.push_back(part.kind == PartKind::And ? all : !all);
            break;
        }
        case PartKind::Or:
        case PartKind::Nor: {
            std::uint8_t any = 0;
            for (std::uint8_t v : in()) any |= v;
            out.push_back(part.kind == PartKind::Or ? any : !any);
            break;
        }
        case PartKind::Mux: {
            const std::vector<Pin> strobe = part.pinsOf(PinRole::Strobe);
            const bool enabled = strobe.empty() || valueOf(values, strobe[0].net) == 0;
            const std::vector<Pin> data = part.pinsOf(PinRole::Data);
            const unsigned sel = selectValue(part.pinsOf(PinRole::Select), values);
            out.push_back(enabled && sel < data.size() ? valueOf(values, data[sel].net) : 0);
            break;
        }
        case PartKind::Demux: {
            const std::vector<Pin> strobe = part.pinsOf(PinRole::Strobe);
            const bool enabled = strobe.empty() || valueOf(values, strobe[0].net) == 0;
            const std::vector<Pin> data = part.pinsOf(PinRole::Data);
            const std::uint8_t din = data.empty() ? 0 : valueOf(values, data[0].net);
            const unsigned sel = selectValue(part.pinsOf(PinRole::Select), values);
            const std::uint8_t rest = part.activeLowOutputs ? 1 : 0;
            const std::size_t outputs = part.pinsOf(PinRole::Out).size();
            for (std::size_t k = 0; k < outputs; ++k)
                out.push_back(enabled && k == sel ? din : rest);
            break;
        }
    }
    bool changed = false;
    std::size_t k = 0;
    for (const Pin& p : part.pins) {
        if (p.role != PinRole::Out) continue;
        const std::uint8_t v = out.at(k++);
        if (p.net == kNoNet) continue;
        std::uint8_t& slot = values[static_cast<std::size_t>(p.net)];
        if (slot != v) {
            slot = v;
            changed = true;
        }
    }
    return changed;
}

}  // namespace

std::vector<std::uint8_t> evaluate(const Netlist& n, std::uint64_t row) {
    std::vector<std::uint8_t> values(n.nets.size(), 0);
    // The drawings list their parts from the inputs towards Y, so one pass
    // settles them; the passes after it only confirm. A combinational
    // circuit settles within one pass per part.
    for (std::size_t pass = 0; pass <= n.parts.size(); ++pass) {
        bool changed = false;
        for (const Part& part : n.parts) changed |= settle(n, part, row, values);
        if (!changed) break;
    }
    return values;
}

bool outputValue(const Netlist& n, std::uint64_t row) {
    return n.output != kNoNet && evaluate(n, row)[static_cast<std::size_t>(n.output)] != 0;
}

std::vector<NamedOutput> outputPorts(const Netlist& n) {
    if (!n.outputs.empty()) return n.outputs;
    return {{"Y", n.output}};
}

}  // namespace quendal::circuit
