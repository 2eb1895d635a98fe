#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <random>
#include <sstream>

#include "circuit/cost.h"
#include "circuit/netlist_export.h"
#include "design/design_drawing.h"
#include "tests/support/netlist.h"
#include "tests/support/recording_canvas.h"

using namespace quendal;
using design::Design;
using design::DrawingStyle;

// A design drawing is right when its model computes every output's function
// (don't-cares free), its picture read back joins exactly the wires the
// model joins, with the gates where the model has them, and its Verilog
// behaves as the table.

namespace {

constexpr DrawingStyle kStyles[] = {DrawingStyle::AndOr, DrawingStyle::NandNand,
                                    DrawingStyle::NorNor};

// A design of `inputs` inputs and len(columns) outputs: cell r of output j
// is columns[j][r].
Design designOf(int inputs, const std::vector<std::string>& columns) {
    Design d = design::resized(Design{}, inputs, static_cast<int>(columns.size()));
    for (std::size_t r = 0; r < d.rows.size(); ++r)
        for (std::size_t j = 0; j < columns.size(); ++j) d.rows[r][j] = columns[j][r];
    return d;
}

struct Drawn {
    drawing::RecordingCanvas canvas;
    const drawing::DrawnCircuit* circuit = nullptr;
};

void draw(Drawn& out, const Design& d, DrawingStyle style) {
    const qm::MultiCover cover = qm::minimizeMultiOutput(design::outputFunctions(d));
    design::drawDesign(out.canvas, d, cover, style);
    out.circuit = out.canvas.circuit().get();
}

// What the model computes against the table: empty when every cared cell
// agrees.
std::string modelProblem(const circuit::Netlist& n, const Design& d) {
    if (static_cast<int>(n.outputs.size()) != d.outputs()) return "wrong number of outputs";
    if (n.output != n.outputs.front().net) return "output is not the first output";
    for (std::size_t r = 0; r < d.rows.size(); ++r) {
        const std::vector<std::uint8_t> values = circuit::evaluate(n, r);
        for (int j = 0; j < d.outputs(); ++j) {
            const char want = d.rows[r][static_cast<std::size_t>(j)];
            const circuit::NamedOutput& out = n.outputs[static_cast<std::size_t>(j)];
            if (out.name != d.outputNames[static_cast<std::size_t>(j)]) return "output misnamed";
            if (want == 'x') continue;
            if (values[static_cast<std::size_t>(out.net)] != (want == '1'))
                return "row " + std::to_string(r) + " output " + out.name;
        }
    }
    return {};
}

// The picture against the model: the wires (green strokes) joined where an
// end meets another wire or a dot, by the tests' wire engine, fall into the
// model's nets one for one; every gate the recogniser finds is a model gate
// of that kind at that place, and back; every pin touches its net.
std::string pictureProblem(const drawing::RecordingCanvas& canvas,
                           const drawing::DrawnCircuit& drawn) {
    using Kind = drawing::OperationCanvas::Kind;
    const circuit::Netlist& n = drawn.netlist;
    netlist::Wires wires;
    std::map<std::tuple<int, int, int, int>, int> wireAt;
    for (const auto& op : canvas.operations()) {
        if (op.kind != Kind::Line || op.colour != drawing::colours::green) continue;
        if (op.x1 != op.x2 && op.y1 != op.y2) return "slanted wire";
        wireAt[{op.x1, op.y1, op.x2, op.y2}] = wires.add({op.x1, op.y1, op.x2, op.y2});
    }
    wires.connect();
    std::map<int, int> pictureOf, modelOf;  // net to net, both ways
    for (const circuit::Wire& w : n.wires) {
        const auto it = wireAt.find({w.from.x, w.from.y, w.to.x, w.to.y});
        if (it == wireAt.end()) return "a model wire is not drawn";
        const int p = wires.net(it->second);
        const auto [a, newA] = pictureOf.emplace(w.net, p);
        const auto [b, newB] = modelOf.emplace(p, w.net);
        if (a->second != p || b->second != w.net)
            return "net " + std::to_string(w.net) + " split or joined to another in the picture";
    }
    for (const circuit::Part& part : n.parts)
        for (const circuit::Pin& pin : part.pins) {
            if (part.kind == circuit::PartKind::Input || pin.net == circuit::kNoNet) continue;
            const std::vector<int> near = wires.at({pin.at.x, pin.at.y});
            if (std::none_of(near.begin(), near.end(),
                             [&](int w) { return wires.net(w) == pictureOf[pin.net]; }))
                return "a pin of " + part.name + " touches no wire of its net";
        }
    std::multiset<std::tuple<int, int, int>> model, picture;
    for (const circuit::Part& part : n.parts)
        if (part.look == circuit::Look::Gate || part.look == circuit::Look::Inverter)
            model.insert({static_cast<int>(part.kind), part.at.x, part.at.y});
    const std::map<netlist::GateKind, circuit::PartKind> kinds = {
        {netlist::GateKind::Not, circuit::PartKind::Not},
        {netlist::GateKind::And, circuit::PartKind::And},
        {netlist::GateKind::Nand, circuit::PartKind::Nand},
        {netlist::GateKind::Or, circuit::PartKind::Or},
        {netlist::GateKind::Nor, circuit::PartKind::Nor}};
    for (const netlist::Gate& g : netlist::recogniseGates(canvas.operations()))
        picture.insert({static_cast<int>(kinds.at(g.kind)), g.at.x, g.at.y});
    if (model != picture) return "the gates drawn are not the model's";
    return {};
}

// Parts' bodies never overlap, so no gate is drawn over another.
std::string overlapProblem(const circuit::Netlist& n) {
    for (std::size_t a = 0; a < n.parts.size(); ++a)
        for (std::size_t b = a + 1; b < n.parts.size(); ++b) {
            const circuit::Box &p = n.parts[a].box, &q = n.parts[b].box;
            if (p.width == 0 || q.width == 0) continue;
            if (p.x < q.x + q.width && q.x < p.x + p.width && p.y < q.y + q.height &&
                q.y < p.y + p.height)
                return n.parts[a].name + " overlaps " + n.parts[b].name;
        }
    return {};
}

}  // namespace

TEST(DesignDrawing, EveryTwoOutputDesignOfTwoInputsComputesItsOutputs) {
    // Every table of two outputs over two inputs, don't-cares included, in
    // every style; the picture read back on every 13th.
    const char cells[] = {'0', '1', 'x'};
    int index = 0;
    for (int code = 0; code < 6561; ++code) {
        std::vector<std::string> columns(2, std::string(4, '0'));
        for (int k = 0, c = code; k < 8; ++k, c /= 3) columns[k / 4][k % 4] = cells[c % 3];
        const Design d = designOf(2, columns);
        for (DrawingStyle style : kStyles) {
            Drawn drawn;
            draw(drawn, d, style);
            ASSERT_EQ(modelProblem(drawn.circuit->netlist, d), "")
                << columns[0] << " " << columns[1] << " " << drawingStyleTitle(style);
            if (index++ % 13 == 0) {
                ASSERT_EQ(pictureProblem(drawn.canvas, *drawn.circuit), "")
                    << columns[0] << " " << columns[1] << " " << drawingStyleTitle(style);
            }
        }
    }
}

TEST(DesignDrawing, SampledAndPresetDesignsAgreeWithTheirPicture) {
    std::vector<Design> designs;
    std::mt19937 random(24);
    for (int i = 0; i < 120; ++i) {
        const int inputs = 3 + i % 2, outputs = 2 + i % 3;
        std::vector<std::string> columns(static_cast<std::size_t>(outputs));
        for (std::string& column : columns)
            for (int r = 0; r < (1 << inputs); ++r) column += "0101x"[random() % 5];
        designs.push_back(designOf(inputs, columns));
    }
    for (const design::Preset& preset : design::presets())
        designs.push_back(design::presetDesign(preset.key));
    // Names of several letters and a single output.
    Design named = designOf(3, {"01101001", "00010111"});
    named.inputNames = {"Cin", "Alpha", "B"};
    named.outputNames = {"Sum", "Cout"};
    designs.push_back(named);
    designs.push_back(designOf(3, {"0001x111"}));
    // Parity and its complement: 32 products of five literals, more than
    // the canvas holds.
    std::vector<std::string> parity(2);
    for (int r = 0; r < 32; ++r) {
        const bool odd = std::popcount(static_cast<unsigned>(r)) % 2 == 1;
        parity[0] += odd ? '1' : '0';
        parity[1] += odd ? '0' : '1';
    }
    designs.push_back(designOf(5, parity));
    for (const Design& d : designs)
        for (DrawingStyle style : kStyles) {
            Drawn drawn;
            draw(drawn, d, style);
            const circuit::Netlist& n = drawn.circuit->netlist;
            ASSERT_EQ(modelProblem(n, d), "") << drawingStyleTitle(style);
            ASSERT_EQ(pictureProblem(drawn.canvas, *drawn.circuit), "") << drawingStyleTitle(style);
            ASSERT_EQ(overlapProblem(n), "") << drawingStyleTitle(style);
            ASSERT_EQ(n.letters, d.inputNames);
            // The canvas holds everything drawn.
            for (const circuit::Part& part : n.parts) {
                EXPECT_LE(part.box.x + part.box.width, drawn.canvas.width());
                EXPECT_LE(part.box.y + part.box.height, drawn.canvas.height());
            }
        }
}

// The cost of a drawing counts the gates of every output: an AND gate per
// product of two literals or more, an OR gate per output of two products or
// more, their inputs as the cover has them, three levels.
TEST(DesignDrawing, CostCountsEveryOutput) {
    for (const design::Preset& preset : design::presets()) {
        const Design d = design::presetDesign(preset.key);
        const qm::MultiCover cover = qm::minimizeMultiOutput(design::outputFunctions(d));
        int gates = 0, inputs = 0;
        std::vector<int> taken(static_cast<std::size_t>(d.outputs()), 0);
        for (const qm::SharedProduct& p : cover.products) {
            const int literals = p.cube.literals(d.inputs());
            if (literals >= 2) gates += 1, inputs += literals;
            for (int j = 0; j < d.outputs(); ++j)
                taken[static_cast<std::size_t>(j)] += (p.outputs >> j) & 1U;
        }
        for (int t : taken)
            if (t >= 2) gates += 1, inputs += t;
        drawing::RecordingCanvas canvas;
        design::drawDesign(canvas, d, cover, DrawingStyle::AndOr);
        const circuit::Cost cost = circuit::costOf(canvas.circuit()->netlist);
        int costGates = 0, costInputs = 0;
        for (const circuit::PartCount& g : cost.gates)
            if (g.kind != circuit::PartKind::Not)
                costGates += g.count, costInputs += g.count * g.inputs;
        EXPECT_EQ(costGates, gates) << preset.key;
        EXPECT_EQ(costInputs, inputs) << preset.key;
        EXPECT_EQ(cost.levels, 3) << preset.key;
    }
}

TEST(DesignDrawing, ExportsOnePortPerOutputUnderNamesBothLanguagesTake) {
    Design d = designOf(2, {"0110", "0001", "1000", "0111"});
    d.inputNames = {"A", "in"};               // a VHDL keyword
    d.outputNames = {"Sum", "n3", "a", "Y"};  // a net's name, an input's, the old output's
    Drawn drawn;
    draw(drawn, d, DrawingStyle::AndOr);
    const circuit::Netlist& n = drawn.circuit->netlist;
    EXPECT_EQ(circuit::portNames(n), (std::vector<std::string>{"A", "x_2"}));
    EXPECT_EQ(circuit::outputPortNames(n),
              (std::vector<std::string>{"Sum", "out_2", "out_3", "Y"}));
    const std::string verilog = circuit::toVerilog(n, "adder");
    for (const char* port : {"output wire Sum,", "output wire out_2,", "output wire Y\n"})
        EXPECT_NE(verilog.find(port), std::string::npos) << port;
    EXPECT_NE(circuit::toVhdl(n, "adder").find("        Y : out std_logic\n    );"),
              std::string::npos);
    EXPECT_NE(circuit::toJson(n, "adder").find("\"outputs\": [{\"name\": \"Sum\""),
              std::string::npos);
    EXPECT_EQ(circuit::moduleNameProblem("sum", n), "\"sum\" is the name of an output.");
}

TEST(DesignDrawing, ExportedVerilogBehavesAsTheTable) {
    const QString iverilog = QStandardPaths::findExecutable(QStringLiteral("iverilog"));
    const QString vvp = QStandardPaths::findExecutable(QStringLiteral("vvp"));
    if (iverilog.isEmpty() || vvp.isEmpty()) GTEST_SKIP() << "iverilog is not installed";
    std::vector<Design> designs;
    for (const char* key : {"bcd7seg", "fulladder", "comparator2", "multiplier2"})
        designs.push_back(design::presetDesign(key));
    std::ostringstream source, bench;
    bench << "module tb;\n    integer row;\n";
    int module = 0;
    for (const Design& d : designs)
        for (DrawingStyle style : kStyles) {
            Drawn drawn;
            draw(drawn, d, style);
            const std::string name = "m" + std::to_string(module);
            source << circuit::toVerilog(drawn.circuit->netlist, name);
            const int n = d.inputs(), m = d.outputs();
            bench << "    reg [" << n - 1 << ":0] r" << module << ";\n    wire [" << m - 1
                  << ":0] y" << module << ";\n    " << name << " u" << module << " (";
            for (int c = 0; c < n; ++c) bench << "r" << module << "[" << n - 1 - c << "], ";
            for (int j = 0; j < m; ++j)
                bench << "y" << module << "[" << j << "]" << (j + 1 < m ? ", " : ");\n");
            bench << "    initial begin\n        #" << module * 1000 + 1 << ";\n";
            for (std::size_t r = 0; r < d.rows.size(); ++r) {
                bench << "        r" << module << " = " << r << "; #1;\n";
                for (int j = 0; j < m; ++j) {
                    const char want = d.rows[r][static_cast<std::size_t>(j)];
                    if (want == 'x') continue;
                    bench << "        if (y" << module << "[" << j << "] !== 1'b" << want
                          << ") $display(\"FAIL " << name << " row " << r << " output " << j
                          << "\");\n";
                }
            }
            bench << "    end\n";
            ++module;
        }
    bench << "    initial begin #" << module * 1000 + 1000
          << "; $display(\"DONE\"); end\nendmodule\n";
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("all.v")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(source.str() + bench.str()));
    file.close();
    const auto run = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        p.waitForFinished(600000);  // a guard against a hung tool only
        return p.readAll().toStdString();
    };
    const QString sim = dir.filePath(QStringLiteral("sim"));
    EXPECT_EQ(run(iverilog, {QStringLiteral("-o"), sim, file.fileName()}), "");
    const std::string out = run(vvp, {sim});
    EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
    EXPECT_NE(out.find("DONE"), std::string::npos) << out;
}
