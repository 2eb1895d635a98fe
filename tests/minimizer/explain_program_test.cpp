// "Qm.exe --explain IN": the JSON on stdout, and bad input reported exactly as "Qm.exe IN OUT"
// reports it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tests/minimizer/qm_process_test.h"

namespace fs = std::filesystem;

namespace {

class QmExplain : public qm_test::QmProcessTest {
protected:
    struct Run {
        int status = -1;
        std::string out, err;
    };
    Run run(const std::string& args, const std::string& environment = "") {
        const int status = QmProcessTest::run(args, environment);
        return {status, out_, err_};
    }
};

TEST_F(QmExplain, PrintsTheRequiredKeysWithCubesAsInTheOutputFile) {
    write("in.txt", "0001\r\n0011\r\n0111\r\n1011\r\n1111\r\n0000d\r\n0010d\r\n0101d");
    const Run r = run("--explain in.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* key :
         {"\"variables\": 4,", "\"primes\": [\"00--\", \"0--1\", \"--11\"],",
          "\"essential\": [\"--11\"],",
          "\"covers\": [\n    [\"00--\", \"--11\"],\n    [\"0--1\", \"--11\"]\n  ],",
          "\"coversComplete\": true,", "\"pos\": [\"1-0-\", \"---0\"],"}) {
        EXPECT_NE(r.out.find(key), std::string::npos) << key << "\n" << r.out;
    }
    // The first cover is what the plain run writes.
    EXPECT_EQ(run("in.txt out.txt").status, 0);
    EXPECT_EQ(read("out.txt"), "00--\r\n--11\r\n");
}

TEST_F(QmExplain, ReductionsSayWhyAndASearchComesOnlyOnACyclicRest) {
    // m(1,4,5,6)+d(3): B'C dominates A'C and AB' (no tie), then is essential.
    write("dominated.txt", "001\r\n100\r\n101\r\n110\r\n011d\r\n");
    const Run dominated = run("--explain dominated.txt");
    ASSERT_EQ(dominated.status, 0) << dominated.err;
    EXPECT_NE(dominated.out.find("{\"kind\": \"rowDominance\", \"primesTaken\": [], "
                                 "\"primesRemoved\": [\"0-1\", \"10-\"], \"dominatedBy\": "
                                 "[\"-01\", \"-01\"], "),
              std::string::npos)
        << dominated.out;
    EXPECT_NE(dominated.out.find("\"tied\": [false, false]"), std::string::npos);
    EXPECT_EQ(dominated.out.find("\"search\""), std::string::npos);

    // m(0,1,2,5,6,7) is cyclic from the start: Petrick's product of sums and its expansion.
    write("cyclic.txt", "000\r\n001\r\n010\r\n101\r\n110\r\n111\r\n");
    const Run cyclic = run("--explain cyclic.txt");
    ASSERT_EQ(cyclic.status, 0) << cyclic.err;
    for (const char* key :
         {"\"kind\": \"search\", \"primesTaken\": [\"00-\", \"1-1\", \"-10\"]",
          "\"petrick\": {\"sums\": [[\"00-\", \"0-0\"], [\"00-\", \"-01\"], ",
          "\"products\": [[\"00-\", \"1-1\", \"-10\"], [\"0-0\", \"11-\", \"-01\"], ",
          "\"branching\": null", "\"coverCount\": 2,"}) {
        EXPECT_NE(cyclic.out.find(key), std::string::npos) << key << "\n" << cyclic.out;
    }
}

TEST_F(QmExplain, OnlyDontCaresHaveOneEmptyCover) {
    write("in.txt", "01d\r\n10d\r\n");
    const Run r = run("--explain in.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"covers\": [\n    []\n  ],"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"primes\": [],"), std::string::npos) << r.out;
}

// A minimum not proven in time is still explained: the chart and the best cover, marked as such,
// with status 3 and the same line as the plain run.
TEST_F(QmExplain, AnUnprovenMinimumIsExplainedAndMarked) {
    std::string text;  // 1 where 3 to 5 of 8 inputs are 1, but one row: needs a search
    for (int row = 0; row < 256; ++row) {
        const int ones = std::popcount(static_cast<unsigned>(row));
        if (ones < 3 || ones > 5 || row == 0x07) continue;
        for (int bit = 7; bit >= 0; --bit) text += ((row >> bit) & 1) ? '1' : '0';
        text += "\r\n";
    }
    write("in.txt", text);
    const Run r = run("--explain in.txt", "QM_TIME_LIMIT_MS=0");
    const Run plain = run("in.txt out.txt", "QM_TIME_LIMIT_MS=0");
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_EQ(r.err, plain.err);
    for (const char* key : {"\"proven\": false,", "\"productsNeeded\": ", "\"chartColumns\": [",
                            "\"reductions\": [", "\"coverCount\": null,"})
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    // The cover explained is the one the plain run writes.
    std::string cover = read("out.txt");
    EXPECT_NE(r.out.find("\"covers\": [\n    [\"" + cover.substr(0, cover.find('\r')) + "\""),
              std::string::npos);
}

TEST_F(QmExplain, BadInputFailsLikeThePlainRunWithNothingOnStdout) {
    fs::create_directory(dir_ / "folder");
    write("bad.txt", "01\r\n1x");
    write("mixed.txt", "01\r\n011");
    for (const std::string in : {"missing.txt", "folder", "bad.txt", "mixed.txt"}) {
        SCOPED_TRACE(in);
        const Run explained = run("--explain " + in);
        const Run plain = run(in + " out.txt");
        EXPECT_EQ(explained.status, plain.status);
        EXPECT_NE(explained.status, 0);
        EXPECT_EQ(explained.out, "");
        EXPECT_EQ(explained.err, plain.err);
        EXPECT_EQ(explained.err.find('\n'), explained.err.size() - 1) << explained.err;
    }
    // Without a file name it is a usage error, as a plain run with one argument.
    EXPECT_EQ(run("--explain").status, run("in.txt").status);
}

}  // namespace
