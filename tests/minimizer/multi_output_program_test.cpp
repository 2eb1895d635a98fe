// "Qm.exe --pla" as a program: files in a folder, statuses, messages, and what it writes read back.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "logic/pla.h"
#include "minimizer/multi_output.h"
#include "tests/minimizer/qm_process_test.h"

namespace fs = std::filesystem;

namespace {

class QmPla : public qm_test::QmProcessTest {
protected:
    // The cover in `coverName` is exact for the function in `inName`: every output's ones covered,
    // nothing outside its ones and don't-cares, the header's names kept.
    void expectValidCover(const std::string& inName, const std::string& coverName) {
        const logic::Pla in = logic::parsePla(read(inName));
        const logic::Pla cover = logic::parsePla(read(coverName));
        EXPECT_EQ(cover.inputs, in.inputs);
        EXPECT_EQ(cover.outputs, in.outputs);
        EXPECT_EQ(cover.inputNames, in.inputNames);
        EXPECT_EQ(cover.outputNames, in.outputNames);
        std::vector<qm::SharedProduct> products;
        for (const logic::PlaRow& row : cover.rows) {
            qm::SharedProduct product{row.input, 0};
            for (std::size_t j = 0; j < row.outputs.size(); ++j) {
                ASSERT_TRUE(row.outputs[j] == '1' || row.outputs[j] == '0') << row.outputs;
                if (row.outputs[j] == '1') product.outputs |= 1U << j;
            }
            products.push_back(product);
        }
        EXPECT_TRUE(qm::coversAll(products, logic::plaFunctions(in))) << read(coverName);
    }
};

std::string randomPla(int inputs, int outputs, std::mt19937& random) {
    std::string text = "# random\n.i " + std::to_string(inputs) + "\n.o " +
                       std::to_string(outputs) + "\n.type fd\n";
    for (int row = 0; row < (1 << inputs); ++row) {
        std::string code;
        for (int bit = inputs - 1; bit >= 0; --bit) code += ((row >> bit) & 1) ? '1' : '0';
        text += code + " ";
        for (int j = 0; j < outputs; ++j) text += "10-"[random() % 3 == 0 ? 2 : random() % 2];
        text += "\n";
    }
    return text;
}

TEST_F(QmPla, WritesAnExactCoverWithTheSameHeader) {
    write("adder.pla",
          ".i 3\n.o 2\n.ilb a b cin\n.ob s cout\n.p 8\n000 00\n001 10\n010 10\n011 01\n"
          "100 10\n101 01\n110 01\n111 11\n.e\n");
    EXPECT_EQ(run("--pla adder.pla out.pla"), 0) << err_;
    EXPECT_EQ(err_, "");
    EXPECT_EQ(read("out.pla"),
              ".i 3\n.o 2\n.ilb a b cin\n.ob s cout\n.p 7\n001 10\n010 10\n100 10\n111 10\n"
              "11- 01\n1-1 01\n-11 01\n.e\n");
    std::mt19937 random(9);
    for (int trial = 0; trial < 8; ++trial) {
        write("in.pla", randomPla(2 + trial % 4, 1 + trial % 5, random));
        ASSERT_EQ(run("--pla in.pla out.pla"), 0) << err_;
        expectValidCover("in.pla", "out.pla");
    }
}

// Bad input: one line naming the file, the line and the reason, status 1, nothing written; the
// wrong arguments: status 2.
TEST_F(QmPla, RefusesBadInputAndWrongArguments) {
    write("bad.pla", ".i 2\n.o 1\n1x 1\n");
    EXPECT_EQ(run("--pla bad.pla out.pla"), 1);
    EXPECT_EQ(err_, "Qm.exe: bad.pla: line 3: input 2 is 'x'; inputs take 0, 1 or -\n");
    EXPECT_EQ(run("--pla --explain bad.pla"), 1);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(run("--pla missing.pla out.pla"), 1);
    EXPECT_NE(err_.find("missing.pla: cannot open the file"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(dir_ / "out.pla"));
    for (const char* args :
         {"--pla", "--pla bad.pla", "--pla --explain", "--pla a b c", "--pla bad.pla --explain"}) {
        EXPECT_EQ(run(args), 2) << args;
        EXPECT_NE(err_.find("usage: Qm.exe --pla IN.pla OUT.pla"), std::string::npos) << err_;
    }
}

// Out of time: a valid cover all the same, status 3 and a line saying what is proven.
TEST_F(QmPla, OutOfTimeStillWritesAValidCover) {
    std::mt19937 random(4);
    write("in.pla", randomPla(6, 3, random));
    EXPECT_EQ(run("--pla in.pla out.pla", "QM_TIME_LIMIT_MS=0"), 3);
    EXPECT_NE(err_.find("Qm.exe: in.pla: not proven minimal: "), std::string::npos) << err_;
    expectValidCover("in.pla", "out.pla");
    EXPECT_EQ(run("--pla --explain in.pla", "QM_TIME_LIMIT_MS=0"), 3);
    EXPECT_NE(out_.find("\"proven\": false"), std::string::npos) << out_;
}

TEST_F(QmPla, ExplainsTheSharedAndTheSeparateMinima) {
    write("xy.pla", ".i 2\n.o 2\n.ob \"x y\n0- 11\n10 10\n11 01\n");
    ASSERT_EQ(run("--pla --explain xy.pla"), 0) << err_;
    for (const char* part :
         {"\"outputNames\": [\"\\\"x\", \"y\"]", "\"inputNames\": [\"A\", \"B\"]",
          "\"ones\": [[0, 1, 2], [0, 1, 3]]",
          "{\"cube\": \"0-\", \"outputs\": \"11\", \"text\": \"A'\"}",
          "\"cost\": {\"products\": 3, \"andInputs\": 3, \"orInputs\": 4, \"gateInputs\": 7}",
          "\"sop\": [\"A'+B'\", \"A'+B\"]", "{\"cover\": [\"0-\", \"-1\"], \"sop\": \"A'+B\"",
          "\"separateCost\": {\"products\": 4, \"andInputs\": 4, \"orInputs\": 4"}) {
        EXPECT_NE(out_.find(part), std::string::npos) << part << "\n" << out_;
    }
}

}  // namespace
