#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <stdexcept>

#include "circuit/netlist_export.h"
#include "tests/circuit/circuit_cases_support.h"

using namespace quendal::circuit;

namespace {

// Every drawing of every function of up to three variables, with a row free
// in some of them.
template <typename Check>
void forEveryDrawing(Check check) {
    for (int n = 1; n <= 3; ++n)
        for (unsigned long long ones = 0; ones < (1ull << (1 << n)); ones += n == 3 ? 7 : 1) {
            const unsigned long long dc = (ones & 1) ? 0 : 1;
            const logic::Function f = functionOfBits(n, ones, dc);
            for (const CircuitCase& c : everyDrawing(f)) check(f, c);
        }
}

}  // namespace

TEST(Netlist, EveryDrawingEvaluatesToItsFunctionAndIsWellFormed) {
    forEveryDrawing([](const logic::Function& f, const CircuitCase& c) {
        const Netlist& n = c.netlist;
        SCOPED_TRACE(c.label);
        for (int row = 0; row < (1 << f.width); ++row)
            if (expected(f, row) != '-') {
                ASSERT_EQ(outputValue(n, row), expected(f, row) == '1') << "row " << row;
            }
        // Drivers and sinks point back at pins on their net.
        for (std::size_t id = 0; id < n.nets.size(); ++id) {
            const Net& net = n.nets[id];
            if (net.driver.part >= 0) {
                const Pin& pin = n.part(net.driver.part).pins.at(net.driver.pin);
                EXPECT_EQ(pin.role, PinRole::Out);
                EXPECT_EQ(pin.net, static_cast<NetId>(id));
            }
            for (const PinRef& sink : net.sinks)
                EXPECT_EQ(n.part(sink.part).pins.at(sink.pin).net, static_cast<NetId>(id));
            for (int w : net.wires) EXPECT_EQ(n.wires.at(w).net, static_cast<NetId>(id));
        }
        // A net nothing drives is an open stub: no part reads it but a block.
        for (const Net& net : n.nets)
            if (net.driver.part < 0) {
                for (const PinRef& sink : net.sinks)
                    EXPECT_EQ(n.part(sink.part).kind, PartKind::Mux) << net.name;
            }
        ASSERT_NE(n.output, kNoNet);
        EXPECT_EQ(n.net(n.output).sinks.size() >= 1, true);
    });
}

TEST(Netlist, ANetDrivenTwiceIsRefused) {
    Netlist n;
    const NetId net = n.addNet("x");
    Part a;
    a.kind = PartKind::Constant;
    a.pins = {{PinRole::Out, net, {}}};
    n.addPart(a);
    EXPECT_THROW(n.addPart(a), std::logic_error);
    a.pins[0].net = 7;
    EXPECT_THROW(n.addPart(a), std::out_of_range);
}

TEST(ModuleName, OnlyNamesBothLanguagesAcceptAreTaken) {
    Netlist n;
    n.letters = {"A", "B", "y"};
    for (const char* good : {"quendal_f", "F1", "a_b_c", "Adder4"})
        EXPECT_FALSE(moduleNameProblem(good, n)) << good;
    for (const std::string& bad :
         std::vector<std::string>{"", "1abc", "_f", "a__b", "f_", "f-1", "f 1",
                                  "m\xc3\xb3"
                                  "dulo",
                                  "wire", "ENTITY", "Signal", "b", "Y", std::string(65, 'q')}) {
        const auto problem = moduleNameProblem(bad, n);
        ASSERT_TRUE(problem) << bad;
        EXPECT_FALSE(problem->empty());
    }
}

TEST(Export, PortsAreTheLettersRenamedOnlyWhereTheyClash) {
    Netlist n;
    n.letters = {"P", "Q", "Y", "q"};
    const std::string v = toVerilog(n, "f");
    for (const char* port : {"input wire P,", "input wire Q,", "input wire Y_3,", "input wire q_4,",
                             "output wire Y\n", "assign Y = 1'b0;"})
        EXPECT_NE(v.find(port), std::string::npos) << port << "\n" << v;
    const std::string vhdl = toVhdl(n, "f");
    EXPECT_NE(vhdl.find("Y_3 : in std_logic;"), std::string::npos) << vhdl;
    EXPECT_NE(vhdl.find("entity f is"), std::string::npos);
}

TEST(Export, JsonReadsBackAsTheNetlist) {
    forEveryDrawing([](const logic::Function&, const CircuitCase& c) {
        const Netlist& n = c.netlist;
        const std::string text = toJson(n, "quendal_f", R"({"gates": 3})");
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << c.label << "\n" << text;
        const QJsonObject root = doc.object();
        EXPECT_EQ(root["module"].toString(), "quendal_f");
        EXPECT_EQ(root["style"].toString().toStdString(), styleName(n.style));
        EXPECT_EQ(root["cost"].toObject()["gates"].toInt(), 3);
        EXPECT_EQ(root["inputs"].toArray().size(), n.width());
        EXPECT_EQ(root["output_net"].toInt(), n.output);
        const QJsonArray parts = root["parts"].toArray(), nets = root["nets"].toArray();
        ASSERT_EQ(parts.size(), static_cast<qsizetype>(n.parts.size()));
        ASSERT_EQ(nets.size(), static_cast<qsizetype>(n.nets.size()));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const Part& part = n.parts[static_cast<std::size_t>(i)];
            const QJsonArray pins = parts[i].toObject()["pins"].toArray();
            ASSERT_EQ(pins.size(), static_cast<qsizetype>(part.pins.size()));
            for (qsizetype k = 0; k < pins.size(); ++k) {
                const QJsonObject pin = pins[k].toObject();
                EXPECT_EQ(pin["net"].toInt(), part.pins[static_cast<std::size_t>(k)].net);
                EXPECT_EQ(pin["at"].toArray()[0].toInt(),
                          part.pins[static_cast<std::size_t>(k)].at.x);
            }
        }
        for (qsizetype id = 0; id < nets.size(); ++id) {
            const Net& net = n.nets[static_cast<std::size_t>(id)];
            const QJsonObject o = nets[id].toObject();
            EXPECT_EQ(o["driver"].isNull(), net.driver.part < 0);
            EXPECT_EQ(o["sinks"].toArray().size(), static_cast<qsizetype>(net.sinks.size()));
            EXPECT_EQ(o["wires"].toArray().size(), static_cast<qsizetype>(net.wires.size()));
        }
    });
}
