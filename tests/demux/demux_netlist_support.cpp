#include "tests/demux/demux_netlist_support.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <stdexcept>

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

namespace {

struct Seg {
    int x1, y1, x2, y2;
};

bool onSegment(const Seg& s, int x, int y) {
    const int minX = std::min(s.x1, s.x2), maxX = std::max(s.x1, s.x2);
    const int minY = std::min(s.y1, s.y2), maxY = std::max(s.y1, s.y2);
    if (x < minX || x > maxX || y < minY || y > maxY) return false;
    // Collinear: the cross product of (end - start) and (p - start) is zero.
    const long long cross = static_cast<long long>(s.x2 - s.x1) * (y - s.y1) -
                            static_cast<long long>(s.y2 - s.y1) * (x - s.x1);
    return cross == 0;
}

// Wires meet where an end of one lies on the other; crossings do not join.
bool touches(const Seg& a, const Seg& b) {
    return onSegment(b, a.x1, a.y1) || onSegment(b, a.x2, a.y2) || onSegment(a, b.x1, b.y1) ||
           onSegment(a, b.x2, b.y2);
}

struct Components {
    std::vector<int> parent;
    explicit Components(int n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    int find(int i) { return parent[i] == i ? i : parent[i] = find(parent[i]); }
    void join(int a, int b) { parent[find(a)] = find(b); }
};

bool isWireColour(const std::optional<Rgb>& c) {
    return !c || *c == colours::green;
}

std::optional<int> parseInt(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    const std::string core = text.substr(first, last - first + 1);
    if (core.empty() || core.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(core);
}

}  // namespace

std::string gateName(DemuxNetlist::Gate gate) {
    switch (gate) {
        case DemuxNetlist::Gate::None: return "none";
        case DemuxNetlist::Gate::And: return "AND";
        case DemuxNetlist::Gate::Nand: return "NAND";
        case DemuxNetlist::Gate::Or: return "OR";
        case DemuxNetlist::Gate::Nor: return "NOR";
    }
    return "?";
}

int DemuxNetlist::evaluate(int row) const {
    if (gate == Gate::None) return constant.value_or(-1);
    bool any = false, all = true;
    for (int k : feeding) {
        const bool inactive = activeLow[k];
        const bool v = k == row ? din != 0 : inactive;
        any = any || v;
        all = all && v;
    }
    switch (gate) {
        case Gate::Or: return any;
        case Gate::Nor: return !any;
        case Gate::And: return all;
        case Gate::Nand: return !all;
        case Gate::None: break;
    }
    return -1;
}

DemuxNetlist readDemuxNetlist(const RecordingCanvas& canvas) {
    const std::vector<Op>& ops = canvas.operations();
    DemuxNetlist net;

    const auto box =
        std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.kind == Kind::Box; });
    if (box == ops.end()) throw std::runtime_error("no block outline");
    const int bx = box->x1, by = box->y1, Xo = box->x1 + box->x2, yBottom = box->y1 + box->y2;

    std::vector<Seg> wires;
    std::vector<const Op*> texts;
    for (const Op& op : ops) {
        if (op.kind == Kind::Line && isWireColour(op.colour))
            wires.push_back({op.x1, op.y1, op.x2, op.y2});
        if (op.kind == Kind::Text) texts.push_back(&op);
    }

    // Outputs: horizontal wires leaving the block's right edge, named by the
    // number printed just above them inside the block.
    std::map<int, int> stubOfOutput;  // output number -> wire index
    std::map<int, int> outputAtY;
    for (int w = 0; w < static_cast<int>(wires.size()); ++w) {
        const Seg& s = wires[w];
        if (s.x1 != Xo || s.y1 != s.y2 || s.x2 <= Xo || s.y1 <= by || s.y1 >= yBottom) continue;
        std::optional<int> label;
        for (const Op* t : texts)
            if (t->x1 > bx && t->x1 < Xo && t->y1 >= s.y1 - 150 && t->y1 <= s.y1 - 50)
                if (auto v = parseInt(t->text)) label = v;
        if (!label) throw std::runtime_error("output at y " + std::to_string(s.y1) + " unlabelled");
        if (stubOfOutput.count(*label)) throw std::runtime_error("output label repeated");
        stubOfOutput[*label] = w;
        outputAtY[s.y1] = *label;
    }
    net.numOutputs = static_cast<int>(stubOfOutput.size());
    if (net.numOutputs == 0 || stubOfOutput.rbegin()->first != net.numOutputs - 1)
        throw std::runtime_error("outputs are not numbered 0 .. N-1");
    net.activeLow.assign(net.numOutputs, false);
    for (const Op& op : ops)
        if (op.kind == Kind::Circle && !op.filled && op.r == 25 && op.x1 == Xo + 25 &&
            outputAtY.count(op.y1))
            net.activeLow[outputAtY[op.y1]] = true;

    for (const Op* t : texts)
        if (t->text.rfind(" Din = Logic ", 0) == 0)
            net.din = parseInt(t->text.substr(13)).value_or(-1);

    // The gate by the colour and shape of its body: navy AND, blue NAND, red
    // OR with a bubble for NOR. Its input side X and centre line Y follow
    // from the flat back (AND, NAND) or the top edge (OR, NOR).
    bool navy = false, blue = false, redArc = false, redBubble = false;
    int gx = 0, gy = 0;
    bool located = false;
    for (const Op& op : ops) {
        if (!op.colour) continue;
        const Rgb c = *op.colour;
        if (op.kind == Kind::Line && (c == colours::navy || c == colours::blue)) {
            (c == colours::navy ? navy : blue) = true;
            if (op.x1 == op.x2 && std::abs(op.y2 - op.y1) == 300 && !located) {
                gx = op.x1 - 100;
                gy = std::min(op.y1, op.y2) + 150;
                located = true;
            }
        }
        if (op.kind == Kind::Arc && c == colours::red) redArc = true;
        if (op.kind == Kind::Circle && c == colours::red) redBubble = true;
        if (op.kind == Kind::Line && c == colours::red && op.y1 == op.y2 && op.x2 - op.x1 == 100 &&
            !located) {
            gx = op.x1 - 100;
            gy = op.y1 + 150;
            located = true;
        }
    }
    if (navy) net.gate = DemuxNetlist::Gate::And;
    if (blue) net.gate = DemuxNetlist::Gate::Nand;
    if (redArc) net.gate = redBubble ? DemuxNetlist::Gate::Nor : DemuxNetlist::Gate::Or;
    if (int(navy) + int(blue) + int(redArc) > 1) throw std::runtime_error("more than one gate");
    if (net.gate != DemuxNetlist::Gate::None && !located)
        throw std::runtime_error("gate body without its back or top edge");

    Components comp(static_cast<int>(wires.size()));
    for (int a = 0; a < static_cast<int>(wires.size()); ++a)
        for (int b = a + 1; b < static_cast<int>(wires.size()); ++b)
            if (touches(wires[a], wires[b])) comp.join(a, b);

    if (net.gate != DemuxNetlist::Gate::None) {
        std::vector<int> inputRoots;
        for (int w = 0; w < static_cast<int>(wires.size()); ++w)
            if (onSegment(wires[w], gx, gy - 100) || onSegment(wires[w], gx, gy + 100))
                inputRoots.push_back(comp.find(w));
        for (const auto& [k, w] : stubOfOutput)
            if (std::count(inputRoots.begin(), inputRoots.end(), comp.find(w)))
                net.feeding.push_back(k);
        return net;
    }

    // No gate: follow the wire that ends at the " Y " label to what it is
    // tied to.
    const auto yLabel =
        std::find_if(texts.begin(), texts.end(), [](const Op* t) { return t->text == " Y "; });
    if (yLabel == texts.end()) throw std::runtime_error("neither a gate nor an output Y");
    int yWire = -1;
    for (int w = 0; w < static_cast<int>(wires.size()); ++w) {
        const Seg& s = wires[w];
        const int right = std::max(s.x1, s.x2);
        if (s.y1 == s.y2 && right <= (*yLabel)->x1 && right >= (*yLabel)->x1 - 60 &&
            s.y1 >= (*yLabel)->y1 && s.y1 <= (*yLabel)->y1 + canvas.lineHeight())
            yWire = w;
    }
    if (yWire < 0) throw std::runtime_error("no wire ends at Y");
    const int root = comp.find(yWire);
    for (int w = 0; w < static_cast<int>(wires.size()); ++w) {
        if (comp.find(w) != root) continue;
        const Seg& s = wires[w];
        // Ground: the widest of three stacked bars, the other two below it.
        if (s.y1 == s.y2 && std::abs(s.x2 - s.x1) == 300) {
            const int mid = (s.x1 + s.x2) / 2;
            int bars = 0;
            for (const Seg& o : wires)
                if (o.y1 == o.y2 && o.y1 > s.y1 && o.y1 <= s.y1 + 150 && (o.x1 + o.x2) / 2 == mid)
                    ++bars;
            if (bars == 2) net.constant = 0;
        }
        // Vcc: a wire end just under the "Vcc" label.
        for (const Op* t : texts) {
            if (t->text != "Vcc") continue;
            const int left = t->x1, right = t->x1 + canvas.textWidth(t->text);
            const int below = t->y1 + canvas.lineHeight();
            for (auto [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}})
                if (x >= left && x <= right && y >= below && y <= below + 100) net.constant = 1;
        }
    }
    if (!net.constant) throw std::runtime_error("Y is tied to nothing");
    return net;
}
