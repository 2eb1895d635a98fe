#include "tests/mux/mux_netlist_support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <set>
#include <tuple>

namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

// Ends closer than this meet: the select ties of the tree end 5 twips off
// their buses, which no screen shows apart.
constexpr int kTolerance = 10;
// A label names the wire nearest to its top-left corner within this reach.
constexpr int kLabelReach = 320;

bool near(int ax, int ay, int bx, int by) {
    return std::abs(ax - bx) <= kTolerance && std::abs(ay - by) <= kTolerance;
}

double distanceToSegment(double px, double py, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((px - x1) * dx + (py - y1) * dy) / len2;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

// A quick test before the exact distance: the point lies near the wire's box.
template <typename Segment>
bool inBox(int px, int py, const Segment& s) {
    return px >= std::min(s.x1, s.x2) - kTolerance && px <= std::max(s.x1, s.x2) + kTolerance &&
           py >= std::min(s.y1, s.y2) - kTolerance && py <= std::max(s.y1, s.y2) + kTolerance;
}

bool isLine(const Op& op) {
    return op.kind == Kind::Line;
}

bool isForeground(const Op& op) {
    return !op.colour.has_value();
}

// drawNotGate: top edge, two sides, bubble.
bool isInverterAt(const std::vector<Op>& ops, std::size_t i) {
    if (i + 3 >= ops.size()) return false;
    const Op &a = ops[i], &b = ops[i + 1], &c = ops[i + 2], &d = ops[i + 3];
    if (!isLine(a) || !isLine(b) || !isLine(c) || d.kind != Kind::Circle) return false;
    const int x = a.x1 + 100, y = a.y1;
    return a.x2 == x + 100 && a.y2 == y && b.x1 == x - 100 && b.y1 == y && b.x2 == x &&
           b.y2 == y + 150 && c.x1 == x + 100 && c.y1 == y && c.x2 == x && c.y2 == y + 150 &&
           d.x1 == x && d.y1 == y + 175 && d.r == 25;
}

// The ground symbol: bars of 200, 100 and 60, 50 apart, centred on one x.
bool isGroundAt(const std::vector<Op>& ops, std::size_t i) {
    if (i + 2 >= ops.size()) return false;
    const Op &a = ops[i], &b = ops[i + 1], &c = ops[i + 2];
    if (!isLine(a) || !isLine(b) || !isLine(c)) return false;
    const auto horizontal = [](const Op& op, int length) {
        return op.y1 == op.y2 && std::abs(op.x1 - op.x2) == length;
    };
    const int mid = (a.x1 + a.x2) / 2;
    return horizontal(a, 200) && horizontal(b, 100) && horizontal(c, 60) && b.y1 == a.y1 + 50 &&
           c.y1 == a.y1 + 100 && (b.x1 + b.x2) / 2 == mid && (c.x1 + c.x2) / 2 == mid;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

MuxNetlist::MuxNetlist(const std::vector<Op>& ops) {
    struct Mark {
        int x, y;
        bool filled;
    };
    struct Point {
        int x, y;
    };
    std::vector<Mark> marks;
    std::vector<Op> boxes, texts;
    std::vector<std::pair<Point, Point>> inverterPins;
    std::vector<Point> orCentres;
    std::vector<int> groundBars;  // wire indices
    std::set<std::tuple<int, int, int, int>> seen;

    for (std::size_t i = 0; i < ops.size(); ++i) {
        const Op& op = ops[i];
        if (isLine(op) && isForeground(op) && isInverterAt(ops, i)) {
            const int x = op.x1 + 100, y = op.y1;
            inverterPins.push_back({{x, y}, {x, y + 200}});
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
                if (isForeground(op) && isGroundAt(ops, i)) {
                    groundBars.push_back(static_cast<int>(wires_.size()));
                    wires_.push_back({op.x1, op.y1, op.x2, op.y2});
                    i += 2;
                    break;
                }
                // A wire drawn again (the single multiplexer's Vcc rail) is one wire.
                if (seen.insert({op.x1, op.y1, op.x2, op.y2}).second)
                    wires_.push_back({op.x1, op.y1, op.x2, op.y2});
                break;
            case Kind::Circle:
                if (op.r == 25) marks.push_back({op.x1, op.y1, op.filled});
                break;
            case Kind::Box: boxes.push_back(op); break;
            case Kind::Text: texts.push_back(op); break;
            default: break;
        }
    }

    parent_.resize(wires_.size());
    std::iota(parent_.begin(), parent_.end(), 0);

    // Ends meeting ends join; an end on another wire's middle joins it as a
    // T unless wires come in from both sides without a dot (a crossing).
    struct Touch {
        int x, y;
        std::vector<std::pair<int, int>> wires;  // wire, side
    };
    std::vector<std::vector<Touch>> touches(wires_.size());
    for (std::size_t a = 0; a < wires_.size(); ++a) {
        const Segment& sa = wires_[a];
        for (int end = 0; end < 2; ++end) {
            const int px = end ? sa.x2 : sa.x1, py = end ? sa.y2 : sa.y1;
            const int ox = end ? sa.x1 : sa.x2, oy = end ? sa.y1 : sa.y2;
            for (std::size_t b = 0; b < wires_.size(); ++b) {
                if (a == b) continue;
                const Segment& sb = wires_[b];
                if (near(px, py, sb.x1, sb.y1) || near(px, py, sb.x2, sb.y2)) {
                    join(static_cast<int>(a), static_cast<int>(b));
                    continue;
                }
                if (!inBox(px, py, sb) ||
                    distanceToSegment(px, py, sb.x1, sb.y1, sb.x2, sb.y2) > kTolerance)
                    continue;
                const long long cross = static_cast<long long>(sb.x2 - sb.x1) * (oy - py) -
                                        static_cast<long long>(sb.y2 - sb.y1) * (ox - px);
                const int side = cross > 0 ? 1 : cross < 0 ? -1 : 0;
                auto& list = touches[b];
                auto it = std::find_if(list.begin(), list.end(),
                                       [&](const Touch& t) { return near(t.x, t.y, px, py); });
                if (it == list.end()) {
                    list.push_back({px, py, {}});
                    it = list.end() - 1;
                }
                it->wires.push_back({static_cast<int>(a), side});
            }
        }
    }
    for (std::size_t b = 0; b < wires_.size(); ++b) {
        for (const Touch& t : touches[b]) {
            bool dotted = false;
            for (const Mark& m : marks) dotted = dotted || near(m.x, m.y, t.x, t.y);
            bool plus = false, minus = false;
            for (const auto& [w, side] : t.wires) {
                plus = plus || side > 0;
                minus = minus || side < 0;
            }
            const bool crossing = plus && minus && !dotted;
            for (const auto& [w, side] : t.wires) {
                if (crossing && side != 0)
                    join(w, t.wires.front().first);
                else
                    join(w, static_cast<int>(b));
            }
        }
    }

    for (int bar : groundBars) drivers_[find(bar)].push_back({Driver::Ground, 0, {}});

    for (const Op& text : texts) {
        const std::string label = trimmed(text.text);
        const bool variable =
            label.size() == 1 && label[0] >= 'A' && label[0] <= 'Z' && label != "Y";
        if (label != "Vcc" && label != "Y" && !variable) continue;
        const int net = netNear(text.x1, text.y1, kLabelReach);
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
            if (!m.filled && std::abs(m.y - bottom) <= 20 && m.x > block.x &&
                m.x < block.x + box.x2)
                block.strobe = netAt(m.x, bottom + 25);
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
    driverOf_.assign(wires_.size(), std::nullopt);
    noDriverReason_.assign(wires_.size(), "a floating net");
    for (const auto& [net, list] : drivers_) {
        // Several labels with one letter on one net are one driver.
        if (variableOf(net) || list.size() == 1)
            driverOf_[static_cast<std::size_t>(net)] = list.front();
        else if (list.size() > 1)
            noDriverReason_[static_cast<std::size_t>(net)] =
                "a net driven " + std::to_string(list.size()) + " times";
    }
}

int MuxNetlist::find(int i) const {
    while (parent_[static_cast<std::size_t>(i)] != i) {
        parent_[static_cast<std::size_t>(i)] =
            parent_[static_cast<std::size_t>(parent_[static_cast<std::size_t>(i)])];
        i = parent_[static_cast<std::size_t>(i)];
    }
    return i;
}

void MuxNetlist::join(int a, int b) {
    parent_[static_cast<std::size_t>(find(a))] = find(b);
}

int MuxNetlist::netAt(int x, int y) const {
    for (std::size_t i = 0; i < wires_.size(); ++i) {
        const Segment& s = wires_[i];
        if (near(x, y, s.x1, s.y1) || near(x, y, s.x2, s.y2)) return find(static_cast<int>(i));
    }
    return -1;
}

int MuxNetlist::netNear(int x, int y, int maxDistance) const {
    int best = -1;
    double bestDistance = maxDistance;
    for (std::size_t i = 0; i < wires_.size(); ++i) {
        const Segment& s = wires_[i];
        const double d = distanceToSegment(x, y, s.x1, s.y1, s.x2, s.y2);
        if (d <= bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best < 0 ? -1 : find(best);
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
    std::vector<signed char> memo(wires_.size(), -1);
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
            const auto in = value(inverters_[d.index].in, values, memo, depth + 1, why);
            if (!in) return std::nullopt;
            result = 1 - *in;
            break;
        }
        case Driver::OrOut: {
            const auto a = value(ors_[d.index].in1, values, memo, depth + 1, why);
            const auto b = value(ors_[d.index].in2, values, memo, depth + 1, why);
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
