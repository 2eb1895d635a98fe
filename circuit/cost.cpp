#include "circuit/cost.h"

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

namespace quendal::circuit {

namespace {

struct PackageType {
    const char* part;
    const char* description;
    int perPackage;
};

// One package kind per gate width; the order is the table's.
struct GateFamily {
    PartKind kind;
    std::vector<std::pair<int, PackageType>> byWidth;  // ascending widths
};

const std::vector<GateFamily>& gateFamilies() {
    static const std::vector<GateFamily> families = {
        {PartKind::Not, {{1, {"7404", "hex inverter", 6}}}},
        {PartKind::And,
         {{2, {"7408", "quad 2-input AND", 4}},
          {3, {"7411", "triple 3-input AND", 3}},
          {4, {"7421", "dual 4-input AND", 2}}}},
        {PartKind::Or,
         {{2, {"7432", "quad 2-input OR", 4}},
          {3, {"744075", "triple 3-input OR", 3}},
          {4, {"744072", "dual 4-input OR", 2}}}},
        {PartKind::Nand,
         {{2, {"7400", "quad 2-input NAND", 4}},
          {3, {"7410", "triple 3-input NAND", 3}},
          {4, {"7420", "dual 4-input NAND", 2}},
          {8, {"7430", "8-input NAND", 1}}}},
        {PartKind::Nor,
         {{2, {"7402", "quad 2-input NOR", 4}},
          {3, {"7427", "triple 3-input NOR", 3}},
          {4, {"744002", "dual 4-input NOR", 2}}}},
    };
    return families;
}

const PackageType kMux2{"74157", "quad 2 : 1 multiplexer", 4};
const PackageType kMux4{"74153", "dual 4 : 1 multiplexer", 2};
const PackageType kMux8{"74151", "8 : 1 multiplexer", 1};
const PackageType kDecoder3{"74138", "3 : 8 decoder", 1};
const PackageType kDecoder4{"74154", "4 : 16 decoder", 1};
const PackageType& kInverter = gateFamilies().front().byWidth.front().second;

// Slots used, by package part number, remembering the first-seen order.
class Slots {
public:
    void add(const PackageType& type, int count) {
        if (count <= 0) return;
        auto it = std::find_if(used_.begin(), used_.end(),
                               [&](const PackageCount& p) { return p.part == type.part; });
        if (it == used_.end()) {
            used_.push_back({type.part, type.description, type.perPackage, 0, 0});
            it = used_.end() - 1;
        }
        it->used += count;
    }
    std::vector<PackageCount> counted() const {
        // The table lists parts in the mapping's order, not the netlist's.
        std::vector<std::string> order;
        for (const GateFamily& f : gateFamilies())
            for (const auto& [w, t] : f.byWidth) order.push_back(t.part);
        for (const PackageType* t : {&kMux2, &kMux4, &kMux8, &kDecoder3, &kDecoder4})
            order.push_back(t->part);
        std::vector<PackageCount> out = used_;
        for (PackageCount& p : out) p.packages = (p.used + p.perPackage - 1) / p.perPackage;
        std::sort(out.begin(), out.end(), [&](const PackageCount& a, const PackageCount& b) {
            return std::find(order.begin(), order.end(), a.part) <
                   std::find(order.begin(), order.end(), b.part);
        });
        return out;
    }

private:
    std::vector<PackageCount> used_;
};

void mapGate(Slots& slots, PartKind kind, int inputs, int count) {
    for (const GateFamily& family : gateFamilies()) {
        if (family.kind != kind) continue;
        for (const auto& [width, type] : family.byWidth) {
            if (inputs <= width) {
                slots.add(type, count);
                return;
            }
        }
        // Wider than any package of its kind: a tree of the widest.
        const auto& [width, type] = family.byWidth.back();
        slots.add(type, count * ((inputs - 1 + width - 2) / (width - 1)));
        return;
    }
}

// A 2^k : 1 multiplexer: one package block up to 8 : 1, beyond that 8 : 1
// blocks whose outputs a smaller multiplexer selects from.
void mapMux(Slots& slots, int k, int count) {
    if (k <= 1) {
        slots.add(kMux2, count);
    } else if (k == 2) {
        slots.add(kMux4, count);
    } else if (k == 3) {
        slots.add(kMux8, count);
    } else {
        slots.add(kMux8, count * (1 << (k - 3)));
        mapMux(slots, k - 3, count);
    }
}

// A 1 : 2^n demultiplexer is a decoder with its enable on the data input.
void mapDemux(Slots& slots, int n, int count) {
    if (n <= 3) {
        slots.add(kDecoder3, count);
    } else if (n == 4) {
        slots.add(kDecoder4, count);
    } else if (n == 5) {
        // The top select line enables one decoder directly, the other through an inverter.
        slots.add(kDecoder4, 2 * count);
        slots.add(kInverter, count);
    } else {
        // The two top select lines pick one of four decoders through a 74138.
        slots.add(kDecoder4, 4 * count);
        slots.add(kDecoder3, count);
    }
}

bool isGate(PartKind kind) {
    return kind == PartKind::Not || kind == PartKind::And || kind == PartKind::Or ||
           kind == PartKind::Nand || kind == PartKind::Nor;
}

bool isBlock(PartKind kind) {
    return kind == PartKind::Mux || kind == PartKind::Demux;
}

int levelsOf(const Netlist& n) {
    // Longest path, by memo over nets; a net met again on the current path
    // (which no drawing makes) counts as a start, so a fault cannot recurse
    // for ever.
    std::vector<int> level(n.nets.size(), -1);
    std::vector<bool> onPath(n.nets.size(), false);
    std::function<int(NetId)> of = [&](NetId net) -> int {
        if (net == kNoNet || net < 0 || net >= static_cast<NetId>(n.nets.size())) return 0;
        const auto i = static_cast<std::size_t>(net);
        if (level[i] >= 0) return level[i];
        if (onPath[i]) return 0;
        const PinRef driver = n.nets[i].driver;
        if (driver.part < 0) return level[i] = 0;
        const Part& part = n.part(driver.part);
        if (!isGate(part.kind) && !isBlock(part.kind)) return level[i] = 0;
        onPath[i] = true;
        int deepest = 0;
        for (const Pin& pin : part.inputs()) deepest = std::max(deepest, of(pin.net));
        onPath[i] = false;
        return level[i] = deepest + 1;
    };
    // A design's levels are those of its deepest output.
    int deepest = 0;
    for (const NamedOutput& out : outputPorts(n)) deepest = std::max(deepest, of(out.net));
    return deepest;
}

// The parts Y depends on: the drawings give every variable its inverter,
// used or not, and a gate that reaches nothing costs nothing.
std::vector<bool> partsFeedingY(const Netlist& n) {
    std::vector<bool> live(n.parts.size(), false);
    std::vector<NetId> pending;  // every output of a design
    for (const NamedOutput& out : outputPorts(n)) pending.push_back(out.net);
    std::vector<bool> seen(n.nets.size(), false);
    while (!pending.empty()) {
        const NetId net = pending.back();
        pending.pop_back();
        if (net < 0 || net >= static_cast<NetId>(n.nets.size())) continue;
        if (seen[static_cast<std::size_t>(net)]) continue;
        seen[static_cast<std::size_t>(net)] = true;
        const int driver = n.net(net).driver.part;
        if (driver < 0) continue;
        live[static_cast<std::size_t>(driver)] = true;
        for (const Pin& pin : n.part(driver).inputs()) pending.push_back(pin.net);
    }
    return live;
}

}  // namespace

const char* kindName(PartKind kind) {
    switch (kind) {
        case PartKind::Not: return "NOT";
        case PartKind::And: return "AND";
        case PartKind::Or: return "OR";
        case PartKind::Nand: return "NAND";
        case PartKind::Nor: return "NOR";
        case PartKind::Mux: return "MUX";
        case PartKind::Demux: return "DEMUX";
        case PartKind::Input: return "input";
        case PartKind::Constant: return "constant";
        case PartKind::Output: return "output";
    }
    return "?";
}

Cost costOf(const Netlist& netlist) {
    std::map<std::pair<int, int>, int> gates, blocks;  // (kind, size) -> count
    Cost cost;
    const std::vector<bool> live = partsFeedingY(netlist);
    for (std::size_t i = 0; i < netlist.parts.size(); ++i) {
        const Part& part = netlist.parts[i];
        if (!live[i]) continue;
        if (isGate(part.kind)) {
            const int inputs = static_cast<int>(part.inputs().size());
            ++gates[{static_cast<int>(part.kind), inputs}];
            ++cost.gateCount;
            cost.gateInputs += inputs;
        } else if (isBlock(part.kind)) {
            const int selects = static_cast<int>(part.pinsOf(PinRole::Select).size());
            ++blocks[{static_cast<int>(part.kind), selects}];
        }
    }
    Slots slots;
    for (const auto& [key, count] : gates) {
        const auto kind = static_cast<PartKind>(key.first);
        cost.gates.push_back({kind, key.second, count});
        mapGate(slots, kind, key.second, count);
    }
    for (const auto& [key, count] : blocks) {
        const auto kind = static_cast<PartKind>(key.first);
        cost.blocks.push_back({kind, key.second, count});
        if (kind == PartKind::Mux)
            mapMux(slots, key.second, count);
        else
            mapDemux(slots, key.second, count);
    }
    cost.packages = slots.counted();
    for (const PackageCount& p : cost.packages) cost.packageTotal += p.packages;
    cost.levels = levelsOf(netlist);
    return cost;
}

std::vector<std::string> packageMappingLines() {
    std::vector<std::string> lines;
    for (const GateFamily& family : gateFamilies()) {
        std::string line = std::string(kindName(family.kind)) + ": ";
        bool first = true;
        for (const auto& [width, type] : family.byWidth) {
            line += (first ? "" : ", ") + std::string(type.part) + " " + type.description;
            first = false;
        }
        lines.push_back(line);
    }
    lines.push_back(
        "A gate takes the narrowest package at least as wide, its spare inputs tied; a wider gate "
        "is counted as a tree of the widest, (k - 1) / (w - 1) of them, rounded up.");
    lines.push_back(
        "MUX: 74157 quad 2 : 1, 74153 dual 4 : 1, 74151 8 : 1; a larger multiplexer is 8 : 1 "
        "blocks and a 2 : 1, 4 : 1 or 8 : 1 block choosing among them.");
    lines.push_back(
        "DEMUX (a decoder whose enable takes the data input): 74138 3 : 8 up to 1 : 8, 74154 "
        "4 : 16; 1 : 32 is two 74154 and an inverter, 1 : 64 four 74154 and a 74138.");
    return lines;
}

std::string costJson(const Cost& cost) {
    std::ostringstream out;
    const auto counts = [&out](const std::vector<PartCount>& list, const char* size) {
        out << '[';
        for (std::size_t i = 0; i < list.size(); ++i) {
            out << (i ? ", " : "") << "{\"kind\": \"" << kindName(list[i].kind) << "\", \"" << size
                << "\": " << list[i].inputs << ", \"count\": " << list[i].count << '}';
        }
        out << ']';
    };
    out << "{\"gates\": ";
    counts(cost.gates, "inputs");
    out << ", \"blocks\": ";
    counts(cost.blocks, "selects");
    out << ", \"gate_count\": " << cost.gateCount << ", \"gate_inputs\": " << cost.gateInputs
        << ", \"levels\": " << cost.levels << ", \"packages\": [";
    for (std::size_t i = 0; i < cost.packages.size(); ++i) {
        const PackageCount& p = cost.packages[i];
        out << (i ? ", " : "") << "{\"part\": \"" << p.part << "\", \"description\": \""
            << p.description << "\", \"used\": " << p.used << ", \"count\": " << p.packages << '}';
    }
    out << "], \"package_count\": " << cost.packageTotal << '}';
    return out.str();
}

}  // namespace quendal::circuit
