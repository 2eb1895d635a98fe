#include "demux/demux_drawing.h"
#include "tests/support/netlist.h"
#include "tests/support/recording_canvas.h"

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <random>

using namespace quendal::drawing;
using namespace quendal::demux;
using logic::TermMode;

namespace {

// A function with don't-cares: value[row] is 0, 1 or 2 (don't care).
struct Function {
    int n;
    std::vector<int> value;
};

FunctionView viewOf(const Function& fn, TermMode mode) {
    FunctionView f;
    f.letters = std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(fn.n)));
    f.mode = mode;
    std::vector<int> terms, dontCares;
    for (int row = 0; row < (1 << fn.n); ++row) {
        if (fn.value[row] == 2)
            dontCares.push_back(row);
        else if (fn.value[row] == (mode == TermMode::Minterms ? 1 : 0))
            terms.push_back(row);
    }
    f.function = logic::functionOfTerms(fn.n, terms, f.mode, dontCares);
    return f;
}

// Reading a drawing back costs far more than drawing it, and functions that
// differ only in their don't-cares draw the same demultiplexer: each distinct
// drawing is read once, found again by its recorded operations.
using ReadDrawings = std::map<std::string, DemuxNetlist>;

std::string keyOf(const std::vector<RecordingCanvas::Op>& ops) {
    std::string key;
    for (const auto& op : ops) {
        const int fields[] = {
            static_cast<int>(op.kind),
            op.x1,
            op.y1,
            op.x2,
            op.y2,
            op.r,
            op.filled,
            static_cast<int>(op.fill),
            op.colour ? op.colour->r << 16 | op.colour->g << 8 | op.colour->b : -1};
        const double angles[] = {op.start, op.end};
        key.append(reinterpret_cast<const char*>(fields), sizeof fields);
        key.append(reinterpret_cast<const char*>(angles), sizeof angles);
        key.append(op.text).push_back('\0');
    }
    return key;
}

// Draws the function, reads the drawing back as a circuit and compares Y
// with the function on every row that is not a don't-care. Returns an empty
// string when they agree, else what went wrong.
std::string check(const Function& fn, TermMode mode, int din, ReadDrawings& read) {
    RecordingCanvas canvas;
    drawDemux(canvas, viewOf(fn, mode), din);
    std::string key = keyOf(canvas.operations());
    auto known = read.find(key);
    if (known == read.end()) {
        try {
            known = read.emplace(std::move(key), readDemuxNetlist(canvas)).first;
        } catch (const std::exception& e) {
            return std::string("unreadable: ") + e.what();
        }
    }
    const DemuxNetlist& net = known->second;
    if (!canvas.circuit()) return "no model kept";
    if (std::string d = netlist::disagreement(canvas.circuit()->netlist, net); !d.empty())
        return "model and picture: " + d;
    if (net.din != din) return "Din reads " + std::to_string(net.din);
    if (net.numOutputs != (1 << fn.n)) return "outputs: " + std::to_string(net.numOutputs);
    for (int row = 0; row < (1 << fn.n); ++row) {
        if (fn.value[row] == 2) continue;
        const int y = net.evaluate(row);
        if (y != fn.value[row])
            return "row " + std::to_string(row) + ": Y = " + std::to_string(y) + " via " +
                   gateName(net.gate) + ", expected " + std::to_string(fn.value[row]);
    }
    return {};
}

std::string describe(const Function& fn, TermMode mode, int din) {
    std::string s = "n=" + std::to_string(fn.n) + (mode == TermMode::Minterms ? " min" : " max") +
                    " Din=" + std::to_string(din) + " values ";
    for (int v : fn.value) s += v == 2 ? '-' : char('0' + v);
    return s;
}

void checkAllModes(const Function& fn, ReadDrawings& read, int& failures) {
    for (TermMode mode : {TermMode::Minterms, TermMode::Maxterms})
        for (int din : {0, 1}) {
            const std::string problem = check(fn, mode, din, read);
            if (!problem.empty() && ++failures <= 5)
                ADD_FAILURE() << describe(fn, mode, din) << ": " << problem;
        }
}

}  // namespace

// Every function of one to three variables, with every choice of
// don't-cares.
TEST(DemuxLogic, EveryFunctionWithDontCaresUpToThreeVariables) {
    ReadDrawings read;
    int failures = 0;
    for (int n = 1; n <= 3; ++n) {
        const int rows = 1 << n;
        int count = 1;
        for (int r = 0; r < rows; ++r) count *= 3;
        for (int code = 0; code < count; ++code) {
            Function fn{n, std::vector<int>(rows)};
            for (int r = 0, c = code; r < rows; ++r, c /= 3) fn.value[r] = c % 3;
            checkAllModes(fn, read, failures);
        }
    }
    EXPECT_EQ(failures, 0);
}

// Each term gets a lead of its own; only the first, the last and one at the
// gate's centre are drawn differently. Every function of four variables with
// at most three 1-rows or at most three 0-rows (at most three terms in one of
// the term modes) reaches each of those, and a seeded sample the rest.
TEST(DemuxLogic, FunctionsOfFourVariables) {
    std::vector<unsigned> codes;
    for (unsigned code = 0; code < (1u << 16); ++code)
        if (std::popcount(code) <= 3 || std::popcount(code) >= 13) codes.push_back(code);
    std::mt19937 rng(4);
    for (int i = 0; i < 500; ++i) codes.push_back(rng() & 0xffffu);
    ReadDrawings read;
    int failures = 0;
    for (unsigned code : codes) {
        Function fn{4, std::vector<int>(16)};
        for (int r = 0; r < 16; ++r) fn.value[r] = (code >> r) & 1;
        checkAllModes(fn, read, failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(DemuxLogic, SeededFunctionsOfFiveAndSixVariablesWithDontCares) {
    std::mt19937 rng(20240305);
    ReadDrawings read;
    int failures = 0;
    for (int n : {5, 6})
        for (int trial = 0; trial < 300; ++trial) {
            Function fn{n, std::vector<int>(1 << n)};
            for (int& v : fn.value) v = static_cast<int>(rng() % 3);
            checkAllModes(fn, read, failures);
        }
    EXPECT_EQ(failures, 0);
}

// The reader itself must see a broken drawing as broken, or the checks above
// prove nothing.
TEST(DemuxLogic, ReadBackNoticesAMissingTermLead) {
    class DroppingCanvas : public RecordingCanvas {
    protected:
        void renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) override {
            // Drop the lead of output 3 (n = 2: from x 5600 at y 1500).
            if (x1 == 5600 && y1 == 1500 && y2 == 1500) return;
            RecordingCanvas::renderLine(x1, y1, x2, y2, colour);
        }
    };
    Function fn{2, {0, 1, 0, 1}};
    DroppingCanvas canvas;
    drawDemux(canvas, viewOf(fn, TermMode::Minterms), 1);
    const DemuxNetlist net = readDemuxNetlist(canvas);
    EXPECT_EQ(net.feeding, std::vector<int>{1});
    EXPECT_EQ(net.evaluate(3), 0);
}

TEST(DemuxLogic, ReadBackSeesGateKindsAndActiveLevels) {
    Function fn{2, {0, 1, 1, 0}};
    struct Case {
        TermMode mode;
        int din;
        DemuxNetlist::Gate gate;
        bool activeLow;
        std::vector<int> feeding;
    };
    for (const Case& c : {Case{TermMode::Minterms, 1, DemuxNetlist::Gate::Or, false, {1, 2}},
                          Case{TermMode::Minterms, 0, DemuxNetlist::Gate::Nand, true, {1, 2}},
                          Case{TermMode::Maxterms, 1, DemuxNetlist::Gate::Nor, false, {0, 3}},
                          Case{TermMode::Maxterms, 0, DemuxNetlist::Gate::And, true, {0, 3}}}) {
        RecordingCanvas canvas;
        drawDemux(canvas, viewOf(fn, c.mode), c.din);
        const DemuxNetlist net = readDemuxNetlist(canvas);
        EXPECT_EQ(net.gate, c.gate);
        EXPECT_EQ(net.activeLow, std::vector<bool>(4, c.activeLow));
        EXPECT_EQ(net.feeding, c.feeding);
    }
}
