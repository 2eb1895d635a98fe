#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "tests/support/temp_workdir.h"
#include "tests/workspace/work_form_support.h"
#include "workspace/minimizer_exchange.h"

using namespace quendal::workspace;

namespace {

TEST(InFile, CrLfBetweenLinesAndNoneAfterTheLast) {
    EXPECT_EQ(inFileText({"001", "110"}, {"111"}), "001\r\n110\r\n111d");
    EXPECT_EQ(inFileText({"01", "10"}, {}), "01\r\n10");
    EXPECT_EQ(inFileText({"1"}, {}), "1");
}

TEST(InFile, ReplacesTheFileWithoutLeavingATemporaryOne) {
    TempWorkdir dir;
    writeBytes(dir.file("in.txt"), "an older and longer content");
    writeFileAtomically("in.txt", "01\r\n10");
    EXPECT_EQ(fileBytes(dir.file("in.txt")), "01\r\n10");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(InFile, AFolderInTheWayIsAnError) {
    TempWorkdir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("in.txt"));
    try {
        writeFileAtomically("in.txt", "01");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("in.txt"), std::string::npos) << e.what();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

struct OutCase {
    const char* name;
    std::string bytes;
    Codes implicants;
};

class OutFile : public testing::TestWithParam<OutCase> {};

TEST_P(OutFile, IsReadTolerantly) {
    TempWorkdir dir;
    writeBytes(dir.file("out.txt"), GetParam().bytes);
    EXPECT_EQ(readOutFile("out.txt", 3), GetParam().implicants);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, OutFile,
    testing::Values(OutCase{"CrLf", "10-\r\n--1\r\n", {"10-", "--1"}},
                    OutCase{"LfWithoutLastLineEnd", "10-\n--1", {"10-", "--1"}},
                    OutCase{"Empty", "", {}}, OutCase{"OnlyALineEnd", "\r\n", {}},
                    OutCase{"OtherCharactersAreDashes", "1x0\r\n", {"1-0"}},
                    OutCase{"BlankLinesSkipped", "101\n\n  \n010\n", {"101", "010"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutFile, MissingWrongWidthOrFolderIsAnError) {
    TempWorkdir dir;
    EXPECT_THROW(readOutFile("out.txt", 3), std::runtime_error);
    writeBytes(dir.file("out.txt"), "10\r\n");
    try {
        readOutFile("out.txt", 3);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("out.txt"), std::string::npos) << e.what();
    }
    QFile::remove(dir.file("out.txt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("out.txt"));
    EXPECT_THROW(readOutFile("out.txt", 3), std::runtime_error);
}

// Every function of two variables (each row a 1, a 0 or a don't-care) against
// every set of implicants over two columns: an answer passes exactly when it
// covers every 1 and nothing but 1s and don't-cares.
TEST(CheckAnswer, AcceptsExactlyTheCoversOfTheFunction) {
    const Codes all{"00", "01", "0-", "10", "11", "1-", "-0", "-1", "--"};
    for (int f = 0; f < 81; ++f) {
        Codes ones, dontCares;
        std::vector<int> value(4);
        for (int t = 0, code = f; t < 4; ++t, code /= 3) {
            value[static_cast<std::size_t>(t)] = code % 3;
            if (code % 3 == 1) ones.push_back(toBinary(t, 2));
            if (code % 3 == 2) dontCares.push_back(toBinary(t, 2));
        }
        const std::string in = inFileText(ones, dontCares);
        for (int subset = 0; subset < 512; ++subset) {
            Codes answer;
            for (int k = 0; k < 9; ++k) {
                if (subset >> k & 1) answer.push_back(all[static_cast<std::size_t>(k)]);
            }
            bool right = true;
            for (int t = 0; t < 4; ++t) {
                const std::string row = toBinary(t, 2);
                const bool hit = std::any_of(answer.begin(), answer.end(), [&row](const auto& c) {
                    return (c[0] == '-' || c[0] == row[0]) && (c[1] == '-' || c[1] == row[1]);
                });
                const int v = value[static_cast<std::size_t>(t)];
                if ((v == 1 && !hit) || (v == 0 && hit)) right = false;
            }
            if (right) {
                EXPECT_NO_THROW(checkAnswer(in, answer, 2)) << in << " " << subset;
            } else {
                EXPECT_THROW(checkAnswer(in, answer, 2), std::runtime_error) << in << " " << subset;
            }
        }
    }
    // Product lines ask for every row they cover.
    EXPECT_NO_THROW(checkAnswer("10-\r\n--1", {"--1", "10-"}, 3));
    EXPECT_THROW(checkAnswer("10-\r\n--1", {"1--"}, 3), std::runtime_error);
}

}  // namespace
