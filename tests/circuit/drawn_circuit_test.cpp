#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tests/circuit/circuit_cases_support.h"
#include "tests/support/recording_canvas.h"

using namespace quendal;
using drawing::RecordingCanvas;

// A simulation colours a net by painting it: every wire, dot and mark of that
// net takes the colour and nothing else changes.

namespace {

constexpr drawing::Rgb kPaint{255, 0, 255};

using Segment = std::tuple<int, int, int, int>;

std::vector<Segment> linesIn(const RecordingCanvas& c, std::optional<drawing::Rgb> colour) {
    std::vector<Segment> out;
    for (const auto& op : c.operations())
        if (op.kind == RecordingCanvas::Kind::Line && op.colour == colour)
            out.emplace_back(op.x1, op.y1, op.x2, op.y2);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(DrawnCircuit, PaintingANetColoursExactlyItsWiresAndMarks) {
    for (unsigned long long ones : {0x96ull, 0x17ull, 0xe8ull, 0x00ull, 0xffull}) {
        for (const CircuitCase& c : everyDrawing(functionOfBits(3, ones), true)) {
            SCOPED_TRACE(c.label);
            const drawing::DrawnCircuit& d = c.drawn;
            RecordingCanvas plain;
            drawing::renderCircuit(plain, d);
            for (circuit::NetId net = 0; net < static_cast<circuit::NetId>(d.netlist.nets.size());
                 ++net) {
                RecordingCanvas painted;
                drawing::renderCircuit(painted, d, [&](circuit::NetId n) {
                    return n == net ? std::optional(kPaint) : std::nullopt;
                });
                ASSERT_EQ(painted.operations().size(), plain.operations().size());
                std::vector<Segment> expected;
                int marks = 0;
                for (int e : d.elementsOf(net)) {
                    const auto& el = d.elements[static_cast<std::size_t>(e)];
                    if (el.kind == drawing::DrawnCircuit::Element::Kind::Wire) {
                        const circuit::Wire& w =
                            d.netlist.wires[static_cast<std::size_t>(el.index)];
                        expected.emplace_back(w.from.x, w.from.y, w.to.x, w.to.y);
                    } else if (el.kind == drawing::DrawnCircuit::Element::Kind::Line) {
                        expected.emplace_back(el.x1, el.y1, el.x2, el.y2);
                    } else if (el.kind == drawing::DrawnCircuit::Element::Kind::Dot ||
                               el.kind == drawing::DrawnCircuit::Element::Kind::Circle) {
                        ++marks;
                    }
                }
                std::sort(expected.begin(), expected.end());
                EXPECT_EQ(linesIn(painted, kPaint), expected) << "net " << net;
                const auto circles = std::count_if(
                    painted.operations().begin(), painted.operations().end(), [](const auto& op) {
                        return op.kind == RecordingCanvas::Kind::Circle && op.colour == kPaint;
                    });
                EXPECT_EQ(circles, marks) << "net " << net;
                // Everything else is as drawn.
                for (std::size_t i = 0; i < plain.operations().size(); ++i) {
                    const auto &a = plain.operations()[i], &b = painted.operations()[i];
                    if (b.colour != kPaint) {
                        EXPECT_EQ(RecordingCanvas::describe(a), RecordingCanvas::describe(b));
                    }
                }
            }
        }
    }
}
