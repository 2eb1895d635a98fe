#include "tests/support/netlist.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <set>
#include <sstream>
#include <stdexcept>
#include <tuple>

using namespace quendal::drawing;

namespace netlist {

namespace {

using Kind = RecordingCanvas::Kind;

constexpr double kPi = 3.14159265358979;
// The wire index's cells, in twips.
constexpr int kCell = 512;
// Drawings with fewer wires are searched without the index.
constexpr int kIndexFrom = 200;

// Builds a message; streaming avoids string concatenation, which GCC 12
// warns about falsely in optimised builds.
template <typename... Parts>
std::string text(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

int cellOf(int v) {
    return v >= 0 ? v / kCell : -((-v + kCell - 1) / kCell);
}

bool nearPoint(Point a, Point b, int tolerance) {
    return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance;
}

double distanceToSegment(Point p, const Segment& s) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((p.x - s.x1) * dx + (p.y - s.y1) * dy) / len2;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(p.x - (s.x1 + t * dx), p.y - (s.y1 + t * dy));
}

bool onSegment(const Segment& s, Point p) {
    if (p.x < std::min(s.x1, s.x2) || p.x > std::max(s.x1, s.x2) || p.y < std::min(s.y1, s.y2) ||
        p.y > std::max(s.y1, s.y2))
        return false;
    const long long cross = static_cast<long long>(s.x2 - s.x1) * (p.y - s.y1) -
                            static_cast<long long>(s.y2 - s.y1) * (p.x - s.x1);
    return cross == 0;
}

bool near(double a, double b) {
    return std::fabs(a - b) < 0.01;
}

bool isForegroundLine(const Op& op) {
    return op.kind == Kind::Line && !op.colour;
}

bool isHorizontal(const Op& op) {
    return op.y1 == op.y2;
}

bool isOpenCircle(const Op& op, int x, int y, int r) {
    return op.kind == Kind::Circle && !op.filled && op.r == r && op.x1 == x && op.y1 == y;
}

bool hasOpenCircle(const std::vector<Op>& ops, int x, int y, int r) {
    return std::any_of(ops.begin(), ops.end(),
                       [&](const Op& op) { return isOpenCircle(op, x, y, r); });
}

// drawNotGate at ops[i]: top edge, two sides, bubble; returns its top centre.
std::optional<Point> notGateAt(const std::vector<Op>& ops, std::size_t i) {
    if (i + 3 >= ops.size()) return std::nullopt;
    const Op &a = ops[i], &b = ops[i + 1], &c = ops[i + 2], &d = ops[i + 3];
    if (!isForegroundLine(a) || !isForegroundLine(b) || !isForegroundLine(c)) return std::nullopt;
    const int x = a.x1 + 100, y = a.y1;
    const bool triangle = a.x2 == x + 100 && a.y2 == y && b.x1 == x - 100 && b.y1 == y &&
                          b.x2 == x && b.y2 == y + 150 && c.x1 == x + 100 && c.y1 == y &&
                          c.x2 == x && c.y2 == y + 150;
    if (!triangle || !isOpenCircle(d, x, y + 175, 25)) return std::nullopt;
    return Point{x, y};
}

// The ground symbol at ops[i]: three foreground bars, centred on one x, each
// shorter and at most 60 lower than the one before.
std::optional<Point> groundAt(const std::vector<Op>& ops, std::size_t i) {
    if (i + 2 >= ops.size()) return std::nullopt;
    const Op* bars[3] = {&ops[i], &ops[i + 1], &ops[i + 2]};
    for (const Op* bar : bars)
        if (!isForegroundLine(*bar) || !isHorizontal(*bar)) return std::nullopt;
    const int mid = bars[0]->x1 + bars[0]->x2;  // twice the centre
    for (int k = 1; k < 3; ++k) {
        const Op &above = *bars[k - 1], &bar = *bars[k];
        if (bar.x1 + bar.x2 != mid || std::abs(bar.x2 - bar.x1) >= std::abs(above.x2 - above.x1) ||
            bar.y1 <= above.y1 || bar.y1 > above.y1 + 60)
            return std::nullopt;
    }
    return Point{mid / 2, bars[0]->y1};
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::optional<int> parseInt(const std::string& text) {
    const std::string core = trimmed(text);
    if (core.empty() || core.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(core);
}

struct Box {
    int left, top, right, bottom;
    bool holds(const Op& line) const {
        return std::min(line.x1, line.x2) >= left && std::max(line.x1, line.x2) <= right &&
               std::min(line.y1, line.y2) >= top && std::max(line.y1, line.y2) <= bottom;
    }
};

struct Recognised {
    std::vector<Gate> gates;
    std::vector<Box> andBodies;
};

Gate makeGate(GateKind kind, Point at, std::vector<Point> pins, Point outPin) {
    return Gate{kind, at, std::move(pins), outPin, {}, -1};
}

Recognised recognise(const std::vector<Op>& ops) {
    Recognised r;
    const double threeHalfPi = 3 * kPi / 2;
    const double orBack = std::atan(150.0 / 100.0);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const Op& op = ops[i];
        if (op.kind == Kind::Arc && op.r == 150 && near(op.start, threeHalfPi) &&
            near(op.end, kPi / 2)) {
            const int X = op.x1 - 200, Y = op.y1;
            const bool bubble = hasOpenCircle(ops, X + 375, Y, 25);
            r.gates.push_back(makeGate(bubble ? GateKind::Nand : GateKind::And, {X, Y},
                                       {{X + 100, Y - 100}, {X + 100, Y + 100}},
                                       {bubble ? X + 400 : X + 350, Y}));
            r.andBodies.push_back({X + 100, Y - 150, X + 350, Y + 150});
        } else if (op.kind == Kind::Arc && op.r == 180 && near(op.start, 2 * kPi - orBack) &&
                   near(op.end, orBack)) {
            const int X = op.x1, Y = op.y1;
            const bool bubble = hasOpenCircle(ops, X + 375, Y, 25);
            r.gates.push_back(makeGate(bubble ? GateKind::Nor : GateKind::Or, {X, Y},
                                       {{X + 150, Y - 100}, {X + 150, Y + 100}},
                                       {bubble ? X + 400 : X + 370, Y}));
        } else if (op.kind == Kind::Arc && op.r == 100 && near(op.start, kPi) && near(op.end, 0)) {
            // A two-input gate pointing down with its inputs joined at the top.
            const Point top{op.x1, op.y1 - 100};
            const bool concaveBack = std::any_of(ops.begin(), ops.end(), [&](const Op& o) {
                return o.kind == Kind::Arc && o.r == 180 && o.x1 == top.x && o.y1 == top.y - 100;
            });
            const bool bubble = hasOpenCircle(ops, top.x, top.y + 225, 25);
            const GateKind kind = concaveBack ? (bubble ? GateKind::Nor : GateKind::Or)
                                              : (bubble ? GateKind::Nand : GateKind::And);
            r.gates.push_back(
                makeGate(kind, top, {top, top}, {top.x, top.y + (bubble ? 250 : 200)}));
        } else if (const auto top = notGateAt(ops, i)) {
            r.gates.push_back(makeGate(GateKind::Not, *top, {*top}, {top->x, top->y + 200}));
        }
    }
    return r;
}

}  // namespace

// ---- Wires ----------------------------------------------------------------

int Wires::add(const Segment& s) {
    const int index = size();
    segments_.push_back(s);
    parent_.push_back(index);
    all_.push_back(index);
    return index;
}

void Wires::index() {
    // A small drawing is quicker to search wire by wire.
    if (size() < kIndexFrom) return;
    const int t = rule_.tolerance;
    for (int i = 0; i < size(); ++i) {
        const Segment& s = (*this)[i];
        for (int cx = cellOf(std::min(s.x1, s.x2) - t); cx <= cellOf(std::max(s.x1, s.x2) + t);
             ++cx)
            for (int cy = cellOf(std::min(s.y1, s.y2) - t); cy <= cellOf(std::max(s.y1, s.y2) + t);
                 ++cy)
                cells_[{cx, cy}].push_back(i);
    }
}

const std::vector<int>* Wires::candidates(Point p) const {
    if (cells_.empty()) return &all_;
    const auto it = cells_.find({cellOf(p.x), cellOf(p.y)});
    return it == cells_.end() ? nullptr : &it->second;
}

bool Wires::touches(int wire, Point p) const {
    const Segment& s = (*this)[wire];
    if (rule_.tolerance == 0) return onSegment(s, p);
    return distanceToSegment(p, s) <= rule_.tolerance;
}

bool Wires::endsAt(int wire, Point p) const {
    const Segment& s = (*this)[wire];
    return nearPoint(p, {s.x1, s.y1}, rule_.tolerance) ||
           nearPoint(p, {s.x2, s.y2}, rule_.tolerance);
}

int Wires::net(int wire) const {
    auto at = [](int i) { return static_cast<std::size_t>(i); };
    while (parent_[at(wire)] != wire) {
        parent_[at(wire)] = parent_[at(parent_[at(wire)])];
        wire = parent_[at(wire)];
    }
    return wire;
}

void Wires::join(int a, int b) {
    parent_[static_cast<std::size_t>(net(a))] = net(b);
}

std::vector<int> Wires::at(Point p) const {
    std::vector<int> found;
    if (const auto* list = candidates(p))
        for (int i : *list)
            if (touches(i, p)) found.push_back(i);
    return found;
}

int Wires::netWithEndAt(Point p) const {
    int first = -1;
    if (const auto* list = candidates(p))
        for (int i : *list)
            if (endsAt(i, p) && (first < 0 || i < first)) first = i;
    return first < 0 ? -1 : net(first);
}

int Wires::netNear(Point p, int reach) const {
    int best = -1;
    double bestDistance = reach;
    for (int i = 0; i < size(); ++i) {
        const double d = distanceToSegment(p, (*this)[i]);
        if (d <= bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best < 0 ? -1 : net(best);
}

void Wires::connect(const std::vector<Point>& dots) {
    index();
    // Ends meeting ends join; an end on another wire's middle joins it as a
    // T, unless the rule makes wires that come in from both sides without a
    // dot a crossing.
    struct Touch {
        Point at;
        std::vector<std::pair<int, int>> wires;  // wire, side
    };
    std::vector<std::vector<Touch>> touchesOf(segments_.size());
    for (int a = 0; a < size(); ++a) {
        const Segment& sa = (*this)[a];
        for (int end = 0; end < 2; ++end) {
            const Point p = end ? Point{sa.x2, sa.y2} : Point{sa.x1, sa.y1};
            const Point o = end ? Point{sa.x1, sa.y1} : Point{sa.x2, sa.y2};
            const auto* list = candidates(p);
            if (!list) continue;
            for (int b : *list) {
                if (a == b) continue;
                if (endsAt(b, p)) {
                    join(a, b);
                    continue;
                }
                if (!touches(b, p)) continue;
                const Segment& sb = (*this)[b];
                const long long cross = static_cast<long long>(sb.x2 - sb.x1) * (o.y - p.y) -
                                        static_cast<long long>(sb.y2 - sb.y1) * (o.x - p.x);
                const int side = cross > 0 ? 1 : cross < 0 ? -1 : 0;
                auto& list2 = touchesOf[static_cast<std::size_t>(b)];
                auto it = std::find_if(list2.begin(), list2.end(), [&](const Touch& t) {
                    return nearPoint(t.at, p, rule_.tolerance);
                });
                if (it == list2.end()) {
                    list2.push_back({p, {}});
                    it = list2.end() - 1;
                }
                it->wires.push_back({a, side});
            }
        }
    }
    for (int b = 0; b < size(); ++b) {
        for (const Touch& t : touchesOf[static_cast<std::size_t>(b)]) {
            bool crossing = false;
            if (rule_.crossingNeedsDot) {
                bool plus = false, minus = false;
                for (const auto& [w, side] : t.wires) {
                    plus = plus || side > 0;
                    minus = minus || side < 0;
                }
                const bool dotted = std::any_of(dots.begin(), dots.end(), [&](Point d) {
                    return nearPoint(d, t.at, rule_.tolerance);
                });
                crossing = plus && minus && !dotted;
            }
            for (const auto& [w, side] : t.wires) {
                if (crossing && side != 0)
                    join(w, t.wires.front().first);
                else
                    join(w, b);
            }
        }
    }
}

// ---- Symbols ----------------------------------------------------------------

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

std::vector<Ground> findGrounds(const std::vector<Op>& ops) {
    std::vector<Ground> found;
    for (std::size_t i = 0; i < ops.size(); ++i)
        if (const auto top = groundAt(ops, i)) found.push_back({*top, i});
    return found;
}

// ---- Gate circuits ------------------------------------------------------------

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
        // No wire of a gate drawing is slanted.
        if (op.x1 != op.x2 && op.y1 != op.y2) {
            n.problems.push_back(text("slanted wire ", RecordingCanvas::describe(op)));
            continue;
        }
        wires.add({op.x1, op.y1, op.x2, op.y2});
    }
    wires.connect();

    // Nets numbered from 0 in the order of their first wire.
    std::map<int, int> netOfRoot;
    std::vector<int> netOfWire(static_cast<std::size_t>(wires.size()));
    for (int i = 0; i < wires.size(); ++i) {
        auto [it, added] = netOfRoot.emplace(wires.net(i), n.netCount);
        if (added) ++n.netCount;
        netOfWire[static_cast<std::size_t>(i)] = it->second;
    }

    // Gate pins must be where a wire ends (a lead, an output line); a dot
    // may also sit on a line that runs on.
    auto netAt = [&](Point p, const std::string& what, bool wireEnd = false) {
        std::vector<int> found = wires.at(p);
        if (wireEnd)
            found.erase(std::remove_if(found.begin(), found.end(),
                                       [&](int i) { return !wires.endsAt(i, p); }),
                        found.end());
        if (found.empty()) {
            n.problems.push_back(text(what, " at ", p.x, ",", p.y, " touches no wire"));
            return -1;
        }
        // A wire ending at the point decides over one merely passing by.
        int best = found.front();
        for (int i : found)
            if (wires.endsAt(i, p)) best = i;
        return netOfWire[static_cast<std::size_t>(best)];
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
        for (int i = 0; i < wires.size(); ++i) {
            const Segment& s = wires[i];
            const int top = std::min(s.y1, s.y2);
            if (s.x1 != s.x2 || s.x1 != t.x1 || top <= t.y1 || top > t.y1 + 400) continue;
            if (best < 0 || top < std::min(wires[best].y1, wires[best].y2)) best = i;
        }
        if (best < 0) {
            n.problems.push_back(text("letter ", t.text, " heads no line"));
            continue;
        }
        if (n.variables.count(t.text)) n.problems.push_back(text("two lines for ", t.text));
        n.variables[t.text] = netOfWire[static_cast<std::size_t>(best)];
    }

    // Constants: "Vcc" over a bar; the ground symbol.
    for (const Op& bar : ops) {
        if (!isForegroundLine(bar) || !isHorizontal(bar)) continue;
        const int left = std::min(bar.x1, bar.x2), right = std::max(bar.x1, bar.x2);
        const bool underVcc = std::any_of(ops.begin(), ops.end(), [&](const Op& t) {
            return t.kind == Kind::Text && t.text == "Vcc" && t.y1 < bar.y1 &&
                   t.y1 >= bar.y1 - 500 && t.x1 <= right && t.x1 + 300 >= left;
        });
        if (underVcc) n.vccNet = netAt({(left + right) / 2, bar.y1}, "Vcc bar");
    }
    for (const Ground& g : findGrounds(ops)) n.groundNet = netAt(g.top, "ground bar");

    // Connect the gates.
    n.gates = std::move(rec.gates);
    for (Gate& g : n.gates) {
        const std::string name = text(kindName(g.kind), " at ", g.at.x, ",", g.at.y);
        for (Point p : g.pins) g.inputs.push_back(netAt(p, text(name, " input"), true));
        g.output = netAt(g.outPin, text(name, " output"), true);
    }

    // Every net has exactly one driver where it is used.
    std::vector<int> drivers(static_cast<std::size_t>(n.netCount), 0);
    auto driven = [&](int net) -> int& { return drivers[static_cast<std::size_t>(net)]; };
    for (const auto& [letter, net] : n.variables) ++driven(net);
    if (n.vccNet >= 0) ++driven(n.vccNet);
    if (n.groundNet >= 0) ++driven(n.groundNet);
    for (const Gate& g : n.gates)
        if (g.output >= 0) ++driven(g.output);
    for (int net = 0; net < n.netCount; ++net)
        if (driven(net) > 1)
            n.problems.push_back(text("net n", net, " has ", driven(net), " drivers"));
    for (const Gate& g : n.gates)
        for (int in : g.inputs)
            if (in >= 0 && driven(in) == 0)
                n.problems.push_back(
                    text(kindName(g.kind), " at ", g.at.x, ",", g.at.y, " has an undriven input"));
    if (n.outputNet >= 0 && driven(n.outputNet) == 0) n.problems.push_back("Y is undriven");
    return n;
}

std::optional<bool> Netlist::evaluate(const std::map<std::string, bool>& values) const {
    std::vector<std::optional<bool>> net(static_cast<std::size_t>(netCount));
    auto at = [&](int id) -> std::optional<bool>& { return net[static_cast<std::size_t>(id)]; };
    for (const auto& [letter, id] : variables) {
        auto it = values.find(letter);
        at(id) = it != values.end() && it->second;
    }
    if (vccNet >= 0) at(vccNet) = true;
    if (groundNet >= 0) at(groundNet) = false;

    // Gates come in drawing order, which is nearly always signal order; a
    // few passes settle the rest.
    for (std::size_t pass = 0; pass <= gates.size(); ++pass) {
        bool changed = false;
        for (const Gate& g : gates) {
            if (g.output < 0 || at(g.output)) continue;
            bool ready = true, all = true, any = false;
            for (int in : g.inputs) {
                if (in < 0 || !at(in)) {
                    ready = false;
                    break;
                }
                all = all && *at(in);
                any = any || *at(in);
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
            at(g.output) = v;
            changed = true;
        }
        if (!changed) break;
    }
    if (outputNet < 0) return std::nullopt;
    return at(outputNet);
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

// ---- Multiplexer drawings -------------------------------------------------------

using netlist::Op;
using Kind = RecordingCanvas::Kind;

namespace {

// Ends closer than this meet: the select ties of the tree end 5 twips off
// their buses, which no screen shows apart.
constexpr int kMuxTolerance = 10;
// A label names the wire nearest to its top-left corner within this reach.
constexpr int kLabelReach = 320;

}  // namespace

MuxNetlist::MuxNetlist(const std::vector<Op>& ops)
    : wires_(netlist::JoinRule{kMuxTolerance, true}) {
    struct Mark {
        Point at;
        bool filled;
    };
    std::vector<Mark> marks;
    std::vector<Op> boxes, texts;
    std::vector<std::pair<Point, Point>> inverterPins;
    std::vector<Point> orCentres;
    std::vector<int> groundBars;  // wire indices
    std::set<std::tuple<int, int, int, int>> seen;

    for (std::size_t i = 0; i < ops.size(); ++i) {
        const Op& op = ops[i];
        if (const auto top = netlist::notGateAt(ops, i)) {
            inverterPins.push_back({*top, {top->x, top->y + 200}});
            i += 3;
            continue;
        }
        if (op.colour == colours::red) {
            // The OR body; its back arc's centre places the gate.
            if (op.kind == Kind::Arc && op.r == 180) orCentres.push_back({op.x1, op.y1});
            continue;
        }
        switch (op.kind) {
            case Kind::Line:
                if (netlist::groundAt(ops, i)) {
                    groundBars.push_back(wires_.add({op.x1, op.y1, op.x2, op.y2}));
                    i += 2;
                    break;
                }
                // A wire drawn again (the single multiplexer's Vcc rail) is one wire.
                if (seen.insert({op.x1, op.y1, op.x2, op.y2}).second)
                    wires_.add({op.x1, op.y1, op.x2, op.y2});
                break;
            case Kind::Circle:
                if (op.r == 25) marks.push_back({{op.x1, op.y1}, op.filled});
                break;
            case Kind::Box: boxes.push_back(op); break;
            case Kind::Text: texts.push_back(op); break;
            default: break;
        }
    }

    std::vector<Point> dots;
    for (const Mark& m : marks) dots.push_back(m.at);
    wires_.connect(dots);
    const auto netAt = [this](int x, int y) { return wires_.netWithEndAt({x, y}); };

    for (int bar : groundBars) drivers_[wires_.net(bar)].push_back({Driver::Ground, 0, {}});

    for (const Op& text : texts) {
        const std::string label = netlist::trimmed(text.text);
        const bool variable =
            label.size() == 1 && label[0] >= 'A' && label[0] <= 'Z' && label != "Y";
        if (label != "Vcc" && label != "Y" && !variable) continue;
        const int net = wires_.netNear({text.x1, text.y1}, kLabelReach);
        if (net < 0) {
            if (label != "Vcc") problems_.push_back("no wire next to the label '" + label + "'");
            continue;
        }
        if (label == "Vcc")
            drivers_[net].push_back({Driver::Vcc, 0, {}});
        else if (label == "Y")
            outputNet_ = net;
        else
            drivers_[net].push_back({Driver::Variable, 0, label});
    }

    for (const Op& box : boxes) {
        Block block;
        block.x = box.x1;
        block.y = box.y1;
        block.v = box.x2 / 400 - 1;
        const int N = 1 << block.v;
        if (block.v < 1 || box.x2 != (block.v + 1) * 400 || box.y2 != (N + 1) * 200) {
            problems_.push_back("a box that is no multiplexer block");
            continue;
        }
        const int bottom = block.y + box.y2;
        for (int m = 0; m < N; ++m) block.data.push_back(netAt(block.x, block.y + (m + 1) * 200));
        for (int s = 1; s <= block.v; ++s) {
            int net = netAt(block.x + 400 * s, bottom);
            if (net < 0) net = netAt(block.x + 400 * s, block.y);
            block.select.push_back(net);
        }
        for (const Mark& m : marks)
            if (!m.filled && std::abs(m.at.y - bottom) <= 20 && m.at.x > block.x &&
                m.at.x < block.x + box.x2)
                block.strobe = netAt(m.at.x, bottom + 25);
        block.output = netAt(block.x + box.x2, block.y + box.y2 / 2);
        if (block.output >= 0)
            drivers_[block.output].push_back(
                {Driver::MuxOut, static_cast<int>(blocks_.size()), {}});
        blocks_.push_back(block);
    }

    for (const auto& [in, out] : inverterPins) {
        inverters_.push_back({netAt(in.x, in.y), netAt(out.x, out.y)});
        if (inverters_.back().out >= 0)
            drivers_[inverters_.back().out].push_back(
                {Driver::InverterOut, static_cast<int>(inverters_.size()) - 1, {}});
    }
    for (const Point& c : orCentres) {
        ors_.push_back(
            {netAt(c.x + 150, c.y - 100), netAt(c.x + 150, c.y + 100), netAt(c.x + 370, c.y)});
        if (ors_.back().out >= 0)
            drivers_[ors_.back().out].push_back(
                {Driver::OrOut, static_cast<int>(ors_.size()) - 1, {}});
    }
    if (outputNet_ < 0) problems_.push_back("no output Y");
    resolveDrivers();
}

void MuxNetlist::resolveDrivers() {
    const auto wireCount = static_cast<std::size_t>(wires_.size());
    driverOf_.assign(wireCount, std::nullopt);
    noDriverReason_.assign(wireCount, "a floating net");
    for (const auto& [net, list] : drivers_) {
        // Several labels with one letter on one net are one driver.
        if (variableOf(net) || list.size() == 1)
            driverOf_[static_cast<std::size_t>(net)] = list.front();
        else if (list.size() > 1)
            noDriverReason_[static_cast<std::size_t>(net)] =
                "a net driven " + std::to_string(list.size()) + " times";
    }
}

std::optional<int> MuxNetlist::railOf(int net) const {
    const auto it = drivers_.find(net);
    if (net < 0 || it == drivers_.end() || it->second.size() != 1) return std::nullopt;
    if (it->second[0].kind == Driver::Vcc) return 1;
    if (it->second[0].kind == Driver::Ground) return 0;
    return std::nullopt;
}

std::optional<std::string> MuxNetlist::variableOf(int net) const {
    const auto it = drivers_.find(net);
    if (net < 0 || it == drivers_.end()) return std::nullopt;
    // A select net carries its letter once per block that labels it.
    std::optional<std::string> name;
    for (const Driver& d : it->second) {
        if (d.kind != Driver::Variable || (name && *name != d.name)) return std::nullopt;
        name = d.name;
    }
    return name;
}

std::optional<int> MuxNetlist::evaluate(const std::map<std::string, int>& values,
                                        std::string* why) const {
    if (outputNet_ < 0) {
        if (why) *why = "no output Y";
        return std::nullopt;
    }
    std::vector<signed char> memo(static_cast<std::size_t>(wires_.size()), -1);
    return value(outputNet_, values, memo, 0, why);
}

std::optional<int> MuxNetlist::value(int net, const std::map<std::string, int>& values,
                                     std::vector<signed char>& memo, int depth,
                                     std::string* why) const {
    const auto fail = [&](const std::string& reason) -> std::optional<int> {
        if (why) *why = reason;
        return std::nullopt;
    };
    if (net < 0) return fail("a pin with nothing attached");
    const auto at = static_cast<std::size_t>(net);
    if (depth > 20) return fail("a loop in the circuit");
    if (memo[at] >= 0) return memo[at];
    if (!driverOf_[at]) return fail(noDriverReason_[at]);
    const Driver& d = *driverOf_[at];

    std::optional<int> result;
    switch (d.kind) {
        case Driver::Vcc: result = 1; break;
        case Driver::Ground: result = 0; break;
        case Driver::Variable: {
            const auto v = values.find(d.name);
            if (v == values.end()) return fail("no value for " + d.name);
            result = v->second;
            break;
        }
        case Driver::InverterOut: {
            const auto in = value(inverters_[static_cast<std::size_t>(d.index)].in, values, memo,
                                  depth + 1, why);
            if (!in) return std::nullopt;
            result = 1 - *in;
            break;
        }
        case Driver::OrOut: {
            const OrGate& g = ors_[static_cast<std::size_t>(d.index)];
            const auto a = value(g.in1, values, memo, depth + 1, why);
            const auto b = value(g.in2, values, memo, depth + 1, why);
            if (!a || !b) return std::nullopt;
            result = *a | *b;
            break;
        }
        case Driver::MuxOut: {
            const Block& b = blocks_[static_cast<std::size_t>(d.index)];
            if (b.strobe >= 0) {
                const auto strobe = value(b.strobe, values, memo, depth + 1, why);
                if (!strobe) return std::nullopt;
                if (*strobe == 1) {
                    result = 0;
                    break;
                }
            }
            // Select lines with nothing on them read 0 (the unused leading
            // selects of a second-level block).
            int sel = 0;
            for (int s : b.select) {
                int bit = 0;
                if (s >= 0 && (driverOf_[static_cast<std::size_t>(s)] || drivers_.count(s))) {
                    const auto v = value(s, values, memo, depth + 1, why);
                    if (!v) return std::nullopt;
                    bit = *v;
                }
                sel = sel * 2 + bit;
            }
            const int data = b.data[static_cast<std::size_t>(sel)];
            if (data < 0) return fail("data input " + std::to_string(sel) + " is not wired");
            result = value(data, values, memo, depth + 1, why);
            if (!result) return std::nullopt;
            break;
        }
    }
    memo[at] = static_cast<signed char>(*result);
    return result;
}

// ---- Demultiplexer drawings ---------------------------------------------------

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
        const bool inactive = activeLow[static_cast<std::size_t>(k)];
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

    // Wires are the foreground and green lines; they meet where an end of
    // one lies on the other, and crossings do not join.
    netlist::Wires wires;
    std::vector<const Op*> texts;
    for (const Op& op : ops) {
        if (op.kind == Kind::Line && (!op.colour || *op.colour == colours::green))
            wires.add({op.x1, op.y1, op.x2, op.y2});
        if (op.kind == Kind::Text) texts.push_back(&op);
    }
    wires.connect();

    // Outputs: horizontal wires leaving the block's right edge, named by the
    // number printed just above them inside the block.
    std::map<int, int> stubOfOutput;  // output number -> wire index
    std::map<int, int> outputAtY;
    for (int w = 0; w < wires.size(); ++w) {
        const netlist::Segment& s = wires[w];
        if (s.x1 != Xo || s.y1 != s.y2 || s.x2 <= Xo || s.y1 <= by || s.y1 >= yBottom) continue;
        std::optional<int> label;
        for (const Op* t : texts)
            if (t->x1 > bx && t->x1 < Xo && t->y1 >= s.y1 - 150 && t->y1 <= s.y1 - 50)
                if (auto v = netlist::parseInt(t->text)) label = v;
        if (!label) throw std::runtime_error("output at y " + std::to_string(s.y1) + " unlabelled");
        if (stubOfOutput.count(*label)) throw std::runtime_error("output label repeated");
        stubOfOutput[*label] = w;
        outputAtY[s.y1] = *label;
    }
    net.numOutputs = static_cast<int>(stubOfOutput.size());
    if (net.numOutputs == 0 || stubOfOutput.rbegin()->first != net.numOutputs - 1)
        throw std::runtime_error("outputs are not numbered 0 .. N-1");
    net.activeLow.assign(static_cast<std::size_t>(net.numOutputs), false);
    for (const Op& op : ops)
        if (op.kind == Kind::Circle && !op.filled && op.r == 25 && op.x1 == Xo + 25 &&
            outputAtY.count(op.y1))
            net.activeLow[static_cast<std::size_t>(outputAtY[op.y1])] = true;

    for (const Op* t : texts)
        if (t->text.rfind(" Din = Logic ", 0) == 0)
            net.din = netlist::parseInt(t->text.substr(13)).value_or(-1);

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

    if (net.gate != DemuxNetlist::Gate::None) {
        std::vector<int> inputNets;
        for (Point pin : {Point{gx, gy - 100}, Point{gx, gy + 100}})
            for (int w : wires.at(pin)) inputNets.push_back(wires.net(w));
        for (const auto& [k, w] : stubOfOutput)
            if (std::count(inputNets.begin(), inputNets.end(), wires.net(w)))
                net.feeding.push_back(k);
        return net;
    }

    // No gate: follow the wire that ends at the " Y " label to what it is
    // tied to.
    const auto yLabel =
        std::find_if(texts.begin(), texts.end(), [](const Op* t) { return t->text == " Y "; });
    if (yLabel == texts.end()) throw std::runtime_error("neither a gate nor an output Y");
    int yWire = -1;
    for (int w = 0; w < wires.size(); ++w) {
        const netlist::Segment& s = wires[w];
        const int right = std::max(s.x1, s.x2);
        if (s.y1 == s.y2 && right <= (*yLabel)->x1 && right >= (*yLabel)->x1 - 60 &&
            s.y1 >= (*yLabel)->y1 && s.y1 <= (*yLabel)->y1 + canvas.lineHeight())
            yWire = w;
    }
    if (yWire < 0) throw std::runtime_error("no wire ends at Y");
    const int root = wires.net(yWire);
    for (const netlist::Ground& g : netlist::findGrounds(ops))
        for (int w : wires.at(g.top))
            if (wires.net(w) == root) net.constant = 0;
    // Vcc: a wire end of Y's net just under the "Vcc" label.
    for (int w = 0; w < wires.size(); ++w) {
        if (wires.net(w) != root) continue;
        const netlist::Segment& s = wires[w];
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

// ---- The picture against the model ----------------------------------------------

namespace netlist {

namespace {

namespace circuit = quendal::circuit;
using circuit::PartKind;
using circuit::PinRole;

// Pairs model nets with picture nets, one to one.
class NetPairs {
public:
    // False (with the reason kept) when either net is already paired otherwise.
    bool pair(int model, int picture, const std::string& where) {
        const auto m = toPicture_.find(model);
        const auto p = toModel_.find(picture);
        if ((m != toPicture_.end() && m->second != picture) ||
            (p != toModel_.end() && p->second != model)) {
            problem = text(where, ": model net ", model, " meets picture net ", picture,
                           " (paired with ", m != toPicture_.end() ? m->second : -2, " / ",
                           p != toModel_.end() ? p->second : -2, ")");
            return false;
        }
        if (picture < 0 && model >= 0) {
            problem = text(where, ": no picture net for model net ", model);
            return false;
        }
        toPicture_[model] = picture;
        toModel_[picture] = model;
        return true;
    }
    std::string problem;

private:
    std::map<int, int> toPicture_, toModel_;
};

std::optional<GateKind> pictureKind(PartKind kind) {
    switch (kind) {
        case PartKind::Not: return GateKind::Not;
        case PartKind::And: return GateKind::And;
        case PartKind::Or: return GateKind::Or;
        case PartKind::Nand: return GateKind::Nand;
        case PartKind::Nor: return GateKind::Nor;
        default: return std::nullopt;
    }
}

constexpr int kMaxRowsCompared = 1 << 10;

}  // namespace

std::string disagreement(const circuit::Netlist& model, const Netlist& picture) {
    NetPairs nets;
    int modelGates = 0;
    for (const circuit::Part& part : model.parts) {
        const auto kind = pictureKind(part.kind);
        if (!kind) continue;
        ++modelGates;
        const auto g = std::find_if(picture.gates.begin(), picture.gates.end(), [&](const Gate& g) {
            return g.kind == *kind && g.at == Point{part.at.x, part.at.y};
        });
        if (g == picture.gates.end())
            return text("model gate ", part.name, " (", kindName(*kind), " at ", part.at.x, ",",
                        part.at.y, ") is not in the picture");
        const std::vector<circuit::Pin> in = part.inputs();
        if (in.size() != g->inputs.size())
            return text(part.name, ": ", in.size(), " inputs, the picture's gate ",
                        g->inputs.size());
        for (std::size_t k = 0; k < in.size(); ++k)
            if (!nets.pair(in[k].net, g->inputs[k], part.name + " input")) return nets.problem;
        if (!nets.pair(part.output(), g->output, part.name + " output")) return nets.problem;
    }
    if (modelGates != static_cast<int>(picture.gates.size()))
        return text("the model has ", modelGates, " gates, the picture ", picture.gates.size());
    for (const circuit::Part& part : model.parts) {
        if (part.kind == PartKind::Input) {
            const auto v = picture.variables.find(part.name);
            if (v == picture.variables.end()) return "no line for " + part.name;
            if (!nets.pair(part.output(), v->second, "variable " + part.name)) return nets.problem;
        } else if (part.kind == PartKind::Constant) {
            if (!nets.pair(part.output(), part.value ? picture.vccNet : picture.groundNet,
                           part.name))
                return nets.problem;
        }
    }
    if (!nets.pair(model.output, picture.outputNet, "Y")) return nets.problem;
    const int rows = 1 << model.width();
    for (int row = 0; row < rows && row < kMaxRowsCompared; ++row) {
        std::map<std::string, bool> values;
        for (int c = 0; c < model.width(); ++c)
            values[model.letters[static_cast<std::size_t>(c)]] =
                (row >> (model.width() - 1 - c)) & 1;
        if (picture.evaluate(values) != std::optional<bool>(circuit::outputValue(model, row)))
            return text("row ", row, ": the model and the picture give different values");
    }
    return {};
}

std::string disagreement(const circuit::Netlist& model, const MuxNetlist& picture) {
    NetPairs nets;
    int modelBlocks = 0;
    for (const circuit::Part& part : model.parts) {
        if (part.kind != PartKind::Mux) continue;
        ++modelBlocks;
        const std::vector<circuit::Pin> select = part.pinsOf(PinRole::Select);
        const auto b = std::find_if(picture.blocks().begin(), picture.blocks().end(),
                                    [&](const MuxNetlist::Block& b) {
                                        return b.x == part.at.x && b.y == part.at.y &&
                                               b.v == static_cast<int>(select.size());
                                    });
        if (b == picture.blocks().end())
            return text("model block ", part.name, " is not in the picture");
        const std::vector<circuit::Pin> data = part.pinsOf(PinRole::Data);
        for (std::size_t m = 0; m < data.size(); ++m)
            if (!nets.pair(data[m].net, b->data[m], text(part.name, " data ", m)))
                return nets.problem;
        for (std::size_t s = 0; s < select.size(); ++s)
            if (!nets.pair(select[s].net, b->select[s], text(part.name, " select ", s)))
                return nets.problem;
        const std::vector<circuit::Pin> strobe = part.pinsOf(PinRole::Strobe);
        if (strobe.empty() != (b->strobe < 0)) return part.name + ": strobe differs";
        if (!strobe.empty() && !nets.pair(strobe[0].net, b->strobe, part.name + " strobe"))
            return nets.problem;
        if (!nets.pair(part.output(), b->output, part.name + " output")) return nets.problem;
    }
    if (modelBlocks != static_cast<int>(picture.blocks().size()))
        return text("the model has ", modelBlocks, " blocks, the picture ",
                    picture.blocks().size());
    for (int row = 0; row < (1 << model.width()) && row < kMaxRowsCompared; ++row) {
        std::map<std::string, int> values;
        for (int c = 0; c < model.width(); ++c)
            values[model.letters[static_cast<std::size_t>(c)]] =
                (row >> (model.width() - 1 - c)) & 1;
        std::string why;
        const auto y = picture.evaluate(values, &why);
        if (y != std::optional<int>(circuit::outputValue(model, row) ? 1 : 0))
            return text("row ", row, ": the model and the picture differ ", why);
    }
    return {};
}

std::string disagreement(const circuit::Netlist& model, const DemuxNetlist& picture) {
    const auto demux =
        std::find_if(model.parts.begin(), model.parts.end(),
                     [](const circuit::Part& p) { return p.kind == PartKind::Demux; });
    if (demux == model.parts.end()) return "the model has no demultiplexer";
    const std::vector<circuit::Pin> outs = demux->pinsOf(PinRole::Out);
    if (static_cast<int>(outs.size()) != picture.numOutputs)
        return text("outputs: model ", outs.size(), ", picture ", picture.numOutputs);
    for (int k = 0; k < picture.numOutputs; ++k)
        if (picture.activeLow[static_cast<std::size_t>(k)] != demux->activeLowOutputs)
            return text("output ", k, " differs in its active level");
    const std::vector<circuit::Pin> data = demux->pinsOf(PinRole::Data);
    const circuit::Net& din = model.net(data.at(0).net);
    if (model.part(din.driver.part).value != picture.din) return "Din differs";

    const auto gate =
        std::find_if(model.parts.begin(), model.parts.end(),
                     [](const circuit::Part& p) { return p.look == circuit::Look::Combiner; });
    if (gate == model.parts.end()) {
        const circuit::Part& driver = model.part(model.net(model.output).driver.part);
        if (picture.gate != DemuxNetlist::Gate::None || driver.kind != PartKind::Constant ||
            picture.constant != driver.value)
            return "the constant output differs";
    } else {
        const DemuxNetlist::Gate kind = gate->kind == PartKind::And    ? DemuxNetlist::Gate::And
                                        : gate->kind == PartKind::Nand ? DemuxNetlist::Gate::Nand
                                        : gate->kind == PartKind::Or   ? DemuxNetlist::Gate::Or
                                                                       : DemuxNetlist::Gate::Nor;
        if (kind != picture.gate)
            return "gate: model " + gateName(kind) + ", picture " + gateName(picture.gate);
        std::set<int> feeding;
        for (const circuit::Pin& in : gate->inputs())
            for (std::size_t k = 0; k < outs.size(); ++k)
                if (outs[k].net == in.net) feeding.insert(static_cast<int>(k));
        if (std::vector<int>(feeding.begin(), feeding.end()) != picture.feeding)
            return "the gate's inputs differ";
        if (gate->output() != model.output) return "the gate does not drive Y";
    }
    for (int row = 0; row < (1 << model.width()); ++row)
        if (picture.evaluate(row) != (circuit::outputValue(model, row) ? 1 : 0))
            return text("row ", row, ": the model and the picture differ");
    return {};
}

}  // namespace netlist
