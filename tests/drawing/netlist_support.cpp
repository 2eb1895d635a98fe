#include "tests/drawing/netlist_support.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>
#include <sstream>

namespace netlist {

namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

constexpr double kPi = 3.14159265358979;

// Builds a message; streaming avoids string concatenation, which GCC 12
// warns about falsely in optimised builds.
template <typename... Parts>
std::string text(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

bool near(double a, double b) {
    return std::fabs(a - b) < 0.01;
}

bool isOpenCircle(const Op& op, int x, int y, int r) {
    return op.kind == Kind::Circle && !op.filled && op.r == r && op.x1 == x && op.y1 == y;
}

bool hasOpenCircle(const std::vector<Op>& ops, int x, int y, int r) {
    return std::any_of(ops.begin(), ops.end(),
                       [&](const Op& op) { return isOpenCircle(op, x, y, r); });
}

bool isForegroundLine(const Op& op) {
    return op.kind == Kind::Line && !op.colour;
}

struct Box {
    int left, top, right, bottom;
    bool holds(const Op& line) const {
        return std::min(line.x1, line.x2) >= left && std::max(line.x1, line.x2) <= right &&
               std::min(line.y1, line.y2) >= top && std::max(line.y1, line.y2) <= bottom;
    }
};

// Axis-parallel wire segments, indexed by their line so that the wires
// through a point are found without scanning every wire.
class Wires {
public:
    struct Segment {
        int x1, y1, x2, y2;  // x1 <= x2, y1 <= y2
        bool vertical() const { return x1 == x2; }
        bool holds(Point p) const { return p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2; }
        bool endsAt(Point p) const { return (p.x == x1 && p.y == y1) || (p.x == x2 && p.y == y2); }
    };

    // Returns false for a slanted line, which no wire of a gate drawing is.
    bool add(const Op& op) {
        if (op.x1 != op.x2 && op.y1 != op.y2) return false;
        Segment s{std::min(op.x1, op.x2), std::min(op.y1, op.y2), std::max(op.x1, op.x2),
                  std::max(op.y1, op.y2)};
        const int index = static_cast<int>(segments_.size());
        segments_.push_back(s);
        if (s.vertical())
            byX_[s.x1].push_back(index);
        else
            byY_[s.y1].push_back(index);
        return true;
    }

    std::vector<int> at(Point p) const {
        std::vector<int> found;
        if (auto it = byX_.find(p.x); it != byX_.end())
            for (int i : it->second)
                if (segments_[i].holds(p)) found.push_back(i);
        if (auto it = byY_.find(p.y); it != byY_.end())
            for (int i : it->second)
                if (segments_[i].holds(p)) found.push_back(i);
        return found;
    }

    const std::vector<Segment>& segments() const { return segments_; }

private:
    std::vector<Segment> segments_;
    std::map<int, std::vector<int>> byX_, byY_;
};

class UnionFind {
public:
    explicit UnionFind(int n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    int find(int i) {
        while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void join(int a, int b) { parent_[find(a)] = find(b); }

private:
    std::vector<int> parent_;
};

Gate makeGate(GateKind kind, Point at, std::vector<Point> pins, Point outPin) {
    Gate g{kind, at, std::move(pins), outPin, {}, -1};
    return g;
}

struct Recognised {
    std::vector<Gate> gates;
    std::vector<Box> andBodies;
};

Recognised recognise(const std::vector<Op>& ops) {
    Recognised r;
    const double threeHalfPi = 3 * kPi / 2;
    const double orBack = std::atan(150.0 / 100.0);
    for (const Op& op : ops) {
        if (op.kind == Kind::Arc && op.r == 150 && near(op.start, threeHalfPi) &&
            near(op.end, kPi / 2)) {
            const int X = op.x1 - 200, Y = op.y1;
            const bool bubble = hasOpenCircle(ops, X + 375, Y, 25);
            Gate g =
                makeGate(bubble ? GateKind::Nand : GateKind::And, {X, Y},
                         {{X + 100, Y - 100}, {X + 100, Y + 100}}, {bubble ? X + 400 : X + 350, Y});
            r.gates.push_back(g);
            r.andBodies.push_back({X + 100, Y - 150, X + 350, Y + 150});
        } else if (op.kind == Kind::Arc && op.r == 180 && near(op.start, 2 * kPi - orBack) &&
                   near(op.end, orBack)) {
            const int X = op.x1, Y = op.y1;
            const bool bubble = hasOpenCircle(ops, X + 375, Y, 25);
            Gate g =
                makeGate(bubble ? GateKind::Nor : GateKind::Or, {X, Y},
                         {{X + 150, Y - 100}, {X + 150, Y + 100}}, {bubble ? X + 400 : X + 370, Y});
            r.gates.push_back(g);
        } else if (op.kind == Kind::Arc && op.r == 100 && near(op.start, kPi) && near(op.end, 0)) {
            // A two-input gate pointing down with its inputs joined at the top.
            const Point top{op.x1, op.y1 - 100};
            const bool concaveBack = std::any_of(ops.begin(), ops.end(), [&](const Op& o) {
                return o.kind == Kind::Arc && o.r == 180 && o.x1 == top.x && o.y1 == top.y - 100;
            });
            const bool bubble = hasOpenCircle(ops, top.x, top.y + 225, 25);
            GateKind kind = concaveBack ? (bubble ? GateKind::Nor : GateKind::Or)
                                        : (bubble ? GateKind::Nand : GateKind::And);
            r.gates.push_back(
                makeGate(kind, top, {top, top}, {top.x, top.y + (bubble ? 250 : 200)}));
        } else if (isForegroundLine(op) && op.y1 == op.y2 && op.x2 - op.x1 == 200) {
            const Point top{op.x1 + 100, op.y1};
            const bool triangle = std::any_of(ops.begin(), ops.end(), [&](const Op& o) {
                return isForegroundLine(o) && o.x1 == top.x - 100 && o.y1 == top.y &&
                       o.x2 == top.x && o.y2 == top.y + 150;
            });
            if (triangle && hasOpenCircle(ops, top.x, top.y + 175, 25))
                r.gates.push_back(makeGate(GateKind::Not, top, {top}, {top.x, top.y + 200}));
        }
    }
    return r;
}

}  // namespace

const char* kindName(GateKind kind) {
    switch (kind) {
        case GateKind::Not: return "NOT";
        case GateKind::And: return "AND";
        case GateKind::Nand: return "NAND";
        case GateKind::Or: return "OR";
        case GateKind::Nor: return "NOR";
    }
    return "?";
}

std::vector<Gate> recogniseGates(const std::vector<Op>& ops) {
    return recognise(ops).gates;
}

Netlist readNetlist(const std::vector<Op>& ops) {
    Netlist n;
    Recognised rec = recognise(ops);

    Wires wires;
    for (const Op& op : ops) {
        if (op.kind != Kind::Line || !op.colour) continue;
        const bool wire = *op.colour == colours::green ||
                          (*op.colour == colours::navy &&
                           std::none_of(rec.andBodies.begin(), rec.andBodies.end(),
                                        [&](const Box& b) { return b.holds(op); }));
        if (!wire) continue;
        if (!wires.add(op))
            n.problems.push_back(text("slanted wire ", RecordingCanvas::describe(op)));
    }

    // Join every wire with the wires its ends lie on.
    const auto& segs = wires.segments();
    UnionFind uf(static_cast<int>(segs.size()));
    for (int i = 0; i < static_cast<int>(segs.size()); ++i) {
        for (Point end : {Point{segs[i].x1, segs[i].y1}, Point{segs[i].x2, segs[i].y2}})
            for (int j : wires.at(end)) uf.join(i, j);
    }
    std::map<int, int> netOfRoot;
    std::vector<int> netOfSegment(segs.size());
    for (int i = 0; i < static_cast<int>(segs.size()); ++i) {
        auto [it, added] = netOfRoot.emplace(uf.find(i), n.netCount);
        if (added) ++n.netCount;
        netOfSegment[i] = it->second;
    }

    // Gate pins must be where a wire ends (a lead, an output line); a dot
    // may also sit on a line that runs on.
    auto netAt = [&](Point p, const std::string& what, bool wireEnd = false) {
        std::vector<int> found = wires.at(p);
        if (wireEnd)
            found.erase(std::remove_if(found.begin(), found.end(),
                                       [&](int i) { return !segs[i].endsAt(p); }),
                        found.end());
        if (found.empty()) {
            n.problems.push_back(text(what, " at ", p.x, ",", p.y, " touches no wire"));
            return -1;
        }
        // A wire ending at the point decides over one merely passing by.
        int best = found.front();
        for (int i : found)
            if (segs[i].endsAt(p)) best = i;
        return netOfSegment[best];
    };

    // The output: a filled dot with "Y" at its upper right.
    const Op* outputLabel = nullptr;
    for (const Op& dot : ops) {
        if (dot.kind != Kind::Circle || !dot.filled) continue;
        for (const Op& t : ops) {
            if (t.kind == Kind::Text && t.text == "Y" && t.x1 == dot.x1 + 100 &&
                t.y1 == dot.y1 - 100) {
                outputLabel = &t;
                n.outputNet = netAt({dot.x1, dot.y1}, "output dot");
            }
        }
    }
    if (!outputLabel) n.problems.push_back("no output dot with \"Y\"");

    // Variables: a one-letter text just above the top of a vertical wire.
    for (const Op& t : ops) {
        if (t.kind != Kind::Text || &t == outputLabel || t.text.size() != 1 ||
            !std::isalpha(static_cast<unsigned char>(t.text[0])))
            continue;
        int best = -1;
        for (int i = 0; i < static_cast<int>(segs.size()); ++i) {
            const auto& s = segs[i];
            if (!s.vertical() || s.x1 != t.x1 || s.y1 <= t.y1 || s.y1 > t.y1 + 400) continue;
            if (best < 0 || s.y1 < segs[best].y1) best = i;
        }
        if (best < 0) {
            n.problems.push_back(text("letter ", t.text, " heads no line"));
            continue;
        }
        if (n.variables.count(t.text)) n.problems.push_back(text("two lines for ", t.text));
        n.variables[t.text] = netOfSegment[best];
    }

    // Constants: "Vcc" over a bar; ground as a bar over shorter bars.
    for (const Op& bar : ops) {
        if (!isForegroundLine(bar) || bar.y1 != bar.y2) continue;
        const int left = std::min(bar.x1, bar.x2), right = std::max(bar.x1, bar.x2);
        const Point mid{(left + right) / 2, bar.y1};
        const bool underVcc = std::any_of(ops.begin(), ops.end(), [&](const Op& t) {
            return t.kind == Kind::Text && t.text == "Vcc" && t.y1 < bar.y1 &&
                   t.y1 >= bar.y1 - 500 && t.x1 <= right && t.x1 + 300 >= left;
        });
        // Bar b sits under bar a: 50 lower and shorter at both ends.
        auto under = [](const Op& a, const Op& b) {
            return isForegroundLine(b) && b.y1 == b.y2 && b.y1 == a.y1 + 50 &&
                   std::min(b.x1, b.x2) > std::min(a.x1, a.x2) &&
                   std::max(b.x1, b.x2) < std::max(a.x1, a.x2);
        };
        const bool groundTop =
            std::any_of(ops.begin(), ops.end(), [&](const Op& o) { return under(bar, o); }) &&
            std::none_of(ops.begin(), ops.end(), [&](const Op& o) {
                return isForegroundLine(o) && o.y1 == o.y2 && under(o, bar);
            });
        if (underVcc) n.vccNet = netAt(mid, "Vcc bar");
        if (groundTop) n.groundNet = netAt(mid, "ground bar");
    }

    // Connect the gates.
    n.gates = std::move(rec.gates);
    for (Gate& g : n.gates) {
        const std::string name = text(kindName(g.kind), " at ", g.at.x, ",", g.at.y);
        for (Point p : g.pins) g.inputs.push_back(netAt(p, text(name, " input"), true));
        g.output = netAt(g.outPin, text(name, " output"), true);
    }

    // Every net has exactly one driver where it is used.
    std::vector<int> drivers(n.netCount, 0);
    for (const auto& [letter, net] : n.variables) ++drivers[net];
    if (n.vccNet >= 0) ++drivers[n.vccNet];
    if (n.groundNet >= 0) ++drivers[n.groundNet];
    for (const Gate& g : n.gates)
        if (g.output >= 0) ++drivers[g.output];
    for (int net = 0; net < n.netCount; ++net)
        if (drivers[net] > 1)
            n.problems.push_back(text("net n", net, " has ", drivers[net], " drivers"));
    for (const Gate& g : n.gates)
        for (int in : g.inputs)
            if (in >= 0 && drivers[in] == 0)
                n.problems.push_back(
                    text(kindName(g.kind), " at ", g.at.x, ",", g.at.y, " has an undriven input"));
    if (n.outputNet >= 0 && drivers[n.outputNet] == 0) n.problems.push_back("Y is undriven");
    return n;
}

std::optional<bool> Netlist::evaluate(const std::map<std::string, bool>& values) const {
    std::vector<std::optional<bool>> net(netCount);
    for (const auto& [letter, id] : variables) {
        auto it = values.find(letter);
        net[id] = it != values.end() && it->second;
    }
    if (vccNet >= 0) net[vccNet] = true;
    if (groundNet >= 0) net[groundNet] = false;

    // Gates come in drawing order, which is nearly always signal order; a
    // few passes settle the rest.
    for (std::size_t pass = 0; pass <= gates.size(); ++pass) {
        bool changed = false;
        for (const Gate& g : gates) {
            if (g.output < 0 || net[g.output]) continue;
            bool ready = true, all = true, any = false;
            for (int in : g.inputs) {
                if (in < 0 || !net[in]) {
                    ready = false;
                    break;
                }
                all = all && *net[in];
                any = any || *net[in];
            }
            if (!ready) continue;
            bool v = false;
            switch (g.kind) {
                case GateKind::Not: v = !all; break;
                case GateKind::And: v = all; break;
                case GateKind::Nand: v = !all; break;
                case GateKind::Or: v = any; break;
                case GateKind::Nor: v = !any; break;
            }
            net[g.output] = v;
            changed = true;
        }
        if (!changed) break;
    }
    if (outputNet < 0) return std::nullopt;
    return net[outputNet];
}

int Netlist::count(GateKind kind) const {
    return static_cast<int>(
        std::count_if(gates.begin(), gates.end(), [&](const Gate& g) { return g.kind == kind; }));
}

std::string Netlist::describe() const {
    std::map<int, std::string> names;
    for (const auto& [letter, net] : variables) names[net] = letter;
    if (vccNet >= 0) names[vccNet] = "Vcc";
    if (groundNet >= 0) names[groundNet] = "GND";
    auto name = [&](int net) {
        if (net < 0) return std::string("(open)");
        auto it = names.find(net);
        return it != names.end() ? it->second : text("n", net);
    };
    std::ostringstream out;
    for (const Gate& g : gates) {
        out << kindName(g.kind) << "(";
        for (std::size_t i = 0; i < g.inputs.size(); ++i)
            out << (i ? ", " : "") << name(g.inputs[i]);
        out << ") -> " << name(g.output) << "\n";
    }
    out << "Y = " << name(outputNet) << "\n";
    for (const std::string& p : problems) out << "problem: " << p << "\n";
    return out.str();
}

}  // namespace netlist
