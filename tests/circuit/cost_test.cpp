#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "circuit/cost.h"

using namespace quendal::circuit;

namespace {

// Builds small netlists by hand: inputs named by letter, gates over nets.
struct Builder {
    Netlist n;
    explicit Builder(int width) {
        for (int c = 0; c < width; ++c) {
            const std::string letter(1, static_cast<char>('A' + c));
            n.letters.push_back(letter);
            const NetId net = n.addNet(letter);
            Part input;
            input.name = letter;
            input.column = c;
            input.pins = {{PinRole::Out, net, {}}};
            n.addPart(input);
        }
    }
    NetId part(PartKind kind, std::vector<NetId> in, std::vector<PinRole> roles = {}) {
        const NetId out = n.addNet("n" + std::to_string(n.nets.size()));
        Part p;
        p.kind = kind;
        p.name = "g" + std::to_string(n.parts.size());
        for (std::size_t i = 0; i < in.size(); ++i)
            p.pins.push_back({roles.empty() ? PinRole::In : roles[i], in[i], {}});
        p.pins.push_back({PinRole::Out, out, {}});
        n.addPart(p);
        return out;
    }
    Netlist& output(NetId net) {
        Part y;
        y.kind = PartKind::Output;
        y.name = "Y";
        y.pins = {{PinRole::In, net, {}}};
        n.addPart(y);
        n.output = net;
        return n;
    }
};

int packagesOf(const Cost& cost, const std::string& part) {
    for (const PackageCount& p : cost.packages)
        if (p.part == part) return p.packages;
    return 0;
}

}  // namespace

// AB' + C by hand: one inverter, one 2-input AND, one 2-input OR; three
// levels (NOT, AND, OR); a 7404, a 7408 and a 7432. The inverter of A,
// which nothing uses, costs nothing.
TEST(Cost, BasicSumOfProductsByHand) {
    Builder b(3);
    b.part(PartKind::Not, {0});
    const NetId notB = b.part(PartKind::Not, {1});
    const NetId product = b.part(PartKind::And, {0, notB});
    const Cost cost = costOf(b.output(b.part(PartKind::Or, {product, 2})));
    EXPECT_EQ(cost.gates, (std::vector<PartCount>{
                              {PartKind::Not, 1, 1}, {PartKind::And, 2, 1}, {PartKind::Or, 2, 1}}));
    EXPECT_EQ(cost.gateCount, 3);
    EXPECT_EQ(cost.gateInputs, 5);
    EXPECT_EQ(cost.levels, 3);
    EXPECT_EQ(cost.packageTotal, 3);
    EXPECT_EQ(packagesOf(cost, "7404"), 1);
    EXPECT_EQ(packagesOf(cost, "7408"), 1);
    EXPECT_EQ(packagesOf(cost, "7432"), 1);
    EXPECT_TRUE(cost.blocks.empty());
}

// Five 2-input NANDs fill a quad and start a second; a NAND used as an
// inverter (both inputs on one net) takes a 2-input slot; a 3-input NAND a
// 7410, a 6-input one the 8-input 7430, a 12-input one two of them.
TEST(Cost, GatesMapOntoTheNarrowestPackageThatFits) {
    Builder b(4);
    NetId x = b.part(PartKind::Nand, {0, 0});
    for (int i = 0; i < 4; ++i) x = b.part(PartKind::Nand, {x, 1});
    x = b.part(PartKind::Nand, {x, 2, 3});
    x = b.part(PartKind::Nand, {x, 0, 1, 2, 3, 0});
    const Cost cost =
        costOf(b.output(b.part(PartKind::Nand, {x, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2})));
    EXPECT_EQ(packagesOf(cost, "7400"), 2);
    EXPECT_EQ(packagesOf(cost, "7410"), 1);
    EXPECT_EQ(packagesOf(cost, "7430"), 1 + 2);
    EXPECT_EQ(cost.levels, 8);
    EXPECT_EQ(cost.gateInputs, 5 * 2 + 3 + 6 + 12);
}

// Multiplexer and demultiplexer blocks by their select lines: 8 : 1 is one
// 74151, 16 : 1 two 74151 and a 2 : 1 slot of a 74157; 1 : 8 a 74138, 1 : 32
// two 74154 and an inverter. Blocks are no gate inputs.
TEST(Cost, BlocksMapOntoMultiplexersAndDecoders) {
    const auto block = [](PartKind kind, int selects) {
        Builder b(selects);
        std::vector<NetId> in;
        std::vector<PinRole> roles;
        for (int s = 0; s < selects; ++s) {
            in.push_back(s);
            roles.push_back(PinRole::Select);
        }
        in.push_back(0);
        roles.push_back(PinRole::Data);
        return costOf(b.output(b.part(kind, in, roles)));
    };
    const Cost mux8 = block(PartKind::Mux, 3);
    EXPECT_EQ(mux8.blocks, (std::vector<PartCount>{{PartKind::Mux, 3, 1}}));
    EXPECT_EQ(mux8.gateInputs, 0);
    EXPECT_EQ(mux8.levels, 1);
    EXPECT_EQ(packagesOf(mux8, "74151"), 1);
    const Cost mux16 = block(PartKind::Mux, 4);
    EXPECT_EQ(packagesOf(mux16, "74151"), 2);
    EXPECT_EQ(packagesOf(mux16, "74157"), 1);
    EXPECT_EQ(mux16.packageTotal, 3);
    EXPECT_EQ(packagesOf(block(PartKind::Mux, 6), "74151"), 9);
    EXPECT_EQ(packagesOf(block(PartKind::Demux, 3), "74138"), 1);
    const Cost demux32 = block(PartKind::Demux, 5);
    EXPECT_EQ(packagesOf(demux32, "74154"), 2);
    EXPECT_EQ(packagesOf(demux32, "7404"), 1);
}

// Y wired straight to an input has no level and no part.
TEST(Cost, AWireIsFree) {
    Builder b(2);
    const Cost cost = costOf(b.output(1));
    EXPECT_EQ(cost.levels, 0);
    EXPECT_EQ(cost.gateCount, 0);
    EXPECT_EQ(cost.packageTotal, 0);
    EXPECT_EQ(costJson(cost),
              "{\"gates\": [], \"blocks\": [], \"gate_count\": 0, \"gate_inputs\": 0, "
              "\"levels\": 0, \"packages\": [], \"package_count\": 0}");
}

// On random circuits: the gate inputs are the sum over the gates, the gate
// count the sum of the counts, every package holds what is mapped onto it,
// and the levels never exceed the gates.
TEST(Cost, TotalsAgreeWithTheirParts) {
    std::mt19937 random(23);
    const PartKind kinds[] = {PartKind::Not, PartKind::And, PartKind::Or, PartKind::Nand,
                              PartKind::Nor};
    for (int trial = 0; trial < 200; ++trial) {
        Builder b(4);
        std::vector<NetId> nets = {0, 1, 2, 3};
        int inputs = 0;
        const int gates = 1 + static_cast<int>(random() % 12);
        for (int g = 0; g < gates; ++g) {
            const PartKind kind = kinds[random() % 5];
            const int width = kind == PartKind::Not ? 1 : 2 + static_cast<int>(random() % 10);
            // Each gate reads the one before, so Y depends on all of them.
            std::vector<NetId> in = {nets.back()};
            for (int i = 1; i < width; ++i) in.push_back(nets[random() % nets.size()]);
            nets.push_back(b.part(kind, in));
            inputs += width;
        }
        const Cost cost = costOf(b.output(nets.back()));
        EXPECT_EQ(cost.gateInputs, inputs);
        int sum = 0, counted = 0;
        for (const PartCount& c : cost.gates) {
            sum += c.inputs * c.count;
            counted += c.count;
        }
        EXPECT_EQ(sum, inputs);
        EXPECT_EQ(counted, gates);
        EXPECT_EQ(cost.levels, gates);
        int total = 0;
        for (const PackageCount& p : cost.packages) {
            EXPECT_GE(p.packages * p.perPackage, p.used);
            EXPECT_LT((p.packages - 1) * p.perPackage, p.used);
            total += p.packages;
        }
        EXPECT_EQ(total, cost.packageTotal);
    }
}
