// The Qm.exe program as the application starts it: files in a working folder, errors on stderr,
// exit status, and OUT written whole or not at all.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "minimizer/input_format.h"
#include "minimizer/qm_program.h"
#include "tests/minimizer/qm_process_test.h"
#include "tests/minimizer/reference_minimizer.h"

namespace fs = std::filesystem;

namespace {

class QmProgram : public qm_test::QmProcessTest {
protected:
    void expectOneErrorLine(const std::string& mentions) {
        EXPECT_NE(err_.find(mentions), std::string::npos) << err_;
        ASSERT_FALSE(err_.empty());
        EXPECT_EQ(err_.find('\n'), err_.size() - 1) << "not one line: " << err_;
    }
};

TEST_F(QmProgram, MinimizesInTheWorkingFolder) {
    write("in.txt", "001\r\n110\r\n111d");
    EXPECT_EQ(run("in.txt out.txt"), 0);
    EXPECT_EQ(read("out.txt"), "001\r\n11-\r\n");
    EXPECT_EQ(err_, "");
    EXPECT_EQ(listing(), "in.txt out.txt ");
}

TEST_F(QmProgram, ReplacesAnOldOutput) {
    write("in.txt", "01\r\n10");
    write("out.txt", "stale\r\n");
    EXPECT_EQ(run("in.txt out.txt"), 0);
    EXPECT_EQ(read("out.txt"), "01\r\n10\r\n");
}

TEST_F(QmProgram, TakesPathsInOtherFolders) {
    fs::create_directories(dir_ / "a" / "b");
    write("a/in.txt", "1-\n-1\n");
    EXPECT_EQ(run((dir_ / "a" / "in.txt").string() + " a/b/result.txt"), 0);
    EXPECT_EQ(read("a/b/result.txt"), "1-\r\n-1\r\n");
}

TEST_F(QmProgram, EmptyOnSetWritesAnEmptyFile) {
    write("in.txt", "0d\r\n1d");
    EXPECT_EQ(run("in.txt out.txt"), 0);
    EXPECT_TRUE(fs::exists(dir_ / "out.txt"));
    EXPECT_EQ(read("out.txt"), "");
}

TEST_F(QmProgram, WrongArgumentCountShowsUsage) {
    EXPECT_EQ(run(""), qm::kExitUsage);
    expectOneErrorLine("usage");
    EXPECT_EQ(run("in.txt"), qm::kExitUsage);
    EXPECT_EQ(run("in.txt out.txt extra"), qm::kExitUsage);
    EXPECT_EQ(listing(), "");
}

TEST_F(QmProgram, AnOptionIsNeverTakenForAFile) {
    write("in.txt", "01\r\n10");
    for (const char* args : {"in.txt --explain", "--frobnicate out.txt", "in.txt --"}) {
        EXPECT_EQ(run(args), qm::kExitUsage) << args;
        expectOneErrorLine("unknown option");
    }
    EXPECT_EQ(listing(), "in.txt ");
}

TEST(QmTimeLimit, AHugeLimitStillEndsInTheFuture) {
    for (const char* ms : {"10000000000000", "99999999999999999999"}) {
        ::setenv("QM_TIME_LIMIT_MS", ms, 1);
        const auto now = std::chrono::steady_clock::now();
        EXPECT_GT(now + qm::timeLimit(), now + std::chrono::hours(1)) << ms;
    }
    ::unsetenv("QM_TIME_LIMIT_MS");
}

struct BrokenInput {
    const char* name;
    std::string content;  // written to in.txt unless empty-named below
    std::string mentions;
};

class QmProgramRejects : public QmProgram, public ::testing::WithParamInterface<BrokenInput> {};

TEST_P(QmProgramRejects, LeavesTheOldOutputAlone) {
    write("in.txt", GetParam().content);
    write("out.txt", "previous\r\n");
    EXPECT_EQ(run("in.txt out.txt"), qm::kExitFailed);
    expectOneErrorLine(GetParam().mentions);
    EXPECT_EQ(read("out.txt"), "previous\r\n");
    EXPECT_EQ(listing(), "in.txt out.txt ");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, QmProgramRejects,
    ::testing::Values(BrokenInput{"Empty", "", "in.txt: the file is empty"},
                      BrokenInput{"BadCharacter", "01\r\n0a", "in.txt, line 2: 'a' in column 2"},
                      BrokenInput{"MixedWidths", "01\r\n011", "in.txt, line 2: the line has 3"},
                      BrokenInput{"TooWide", "010101010", "at most 8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QmProgram, MissingInputIsReportedAndCreatesNothing) {
    EXPECT_EQ(run("in.txt out.txt"), qm::kExitFailed);
    expectOneErrorLine("in.txt: cannot open the file: no such file");
    EXPECT_EQ(listing(), "");
}

TEST_F(QmProgram, InputThatIsAFolderIsRefused) {
    fs::create_directories(dir_ / "in.txt");
    EXPECT_EQ(run("in.txt out.txt"), qm::kExitFailed);
    expectOneErrorLine("in.txt: cannot open the file: it is a folder");
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
}

TEST_F(QmProgram, DeviceInputIsRefusedWithoutReading) {
    // A device could block or never end.
    EXPECT_EQ(run("/dev/zero out.txt"), qm::kExitFailed);
    expectOneErrorLine("/dev/zero: cannot open the file: it is not a regular file");
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
}

TEST_F(QmProgram, HugeInputIsRefused) {
    write("in.txt", std::string(qm::kMaxInputBytes + 10, '0'));
    EXPECT_EQ(run("in.txt out.txt"), qm::kExitFailed);
    expectOneErrorLine("in.txt: the file is too large");
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
}

TEST_F(QmProgram, OutputThatIsAFolderIsLeftAlone) {
    write("in.txt", "1");
    fs::create_directories(dir_ / "out.txt" / "inner");
    EXPECT_EQ(run("in.txt out.txt"), qm::kExitFailed);
    expectOneErrorLine("out.txt: cannot write the file: it is a folder");
    EXPECT_TRUE(fs::is_directory(dir_ / "out.txt" / "inner"));
    EXPECT_EQ(listing(), "in.txt out.txt ");
}

TEST_F(QmProgram, OutputInAMissingFolderIsReported) {
    write("in.txt", "1");
    EXPECT_EQ(run("in.txt gone/out.txt"), qm::kExitFailed);
    expectOneErrorLine("gone/out.txt: cannot write the file");
    EXPECT_EQ(listing(), "in.txt ");
}

TEST_F(QmProgram, OutputWhoseFolderIsAFileIsReported) {
    write("in.txt", "1");
    write("plain", "x");
    EXPECT_EQ(run("in.txt plain/out.txt"), qm::kExitFailed);
    expectOneErrorLine("plain/out.txt: cannot write the file");
    EXPECT_EQ(read("plain"), "x");
}

TEST_F(QmProgram, NamedPipeAsOutputIsRefusedAndKept) {
    // A pipe (like a device) would be replaced by a plain file; it is neither opened nor
    // replaced.
    write("in.txt", "1");
    ASSERT_EQ(mkfifo((dir_ / "out.txt").c_str(), 0600), 0);
    EXPECT_EQ(run("in.txt out.txt"), qm::kExitFailed);
    expectOneErrorLine("out.txt: cannot write the file: it is not a regular file");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(dir_ / "out.txt")));
    EXPECT_EQ(listing(), "in.txt out.txt ");
}

TEST_F(QmProgram, SymbolicLinkAsOutputIsReplacedItself) {
    write("in.txt", "1");
    write("target.txt", "kept\r\n");
    fs::create_symlink("target.txt", dir_ / "out.txt");
    EXPECT_EQ(run("in.txt out.txt"), 0);
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(dir_ / "out.txt")));
    EXPECT_EQ(read("out.txt"), "1\r\n");
    EXPECT_EQ(read("target.txt"), "kept\r\n");
}

TEST_F(QmProgram, FailedRenameReportsItsOwnError) {
    const std::string out = (dir_ / "out.txt").string();
    write("out.txt", "previous\r\n");
    const auto crossDevice = [](const fs::path&, const fs::path&, std::error_code& error) {
        error = std::make_error_code(std::errc::cross_device_link);
    };
    try {
        qm::writeFileAtomically(out, "1\r\n", crossDevice);
        FAIL() << "no error";
    } catch (const qm::InputError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("cannot replace the file: invalid cross-device link"),
                  std::string::npos)
            << message;
    }
    EXPECT_EQ(read("out.txt"), "previous\r\n");
    EXPECT_EQ(listing(), "out.txt ");
}

// 1 where 3 to 5 of 8 inputs are 1, but for one row, so that no cover known in advance for a
// symmetric function answers it: its search takes far longer than the tiny limit below.
constexpr int kLeftOut = 0x07;

std::string hardInput() {
    std::string text;
    for (int row = 0; row < 256; ++row) {
        const int ones = std::popcount(static_cast<unsigned>(row));
        if (ones < 3 || ones > 5 || row == kLeftOut) continue;
        if (!text.empty()) text += "\r\n";
        for (int bit = 7; bit >= 0; --bit) text += ((row >> bit) & 1) ? '1' : '0';
    }
    return text;
}

TEST_F(QmProgram, UnprovenCoverIsWrittenWithTheNote) {
    write("in.txt", hardInput());
    const int status = run("in.txt out.txt", "QM_TIME_LIMIT_MS=0");
    EXPECT_EQ(status, qm::kExitNotProven);
    expectOneErrorLine("in.txt: not proven minimal: ");
    int found = 0, needed = 0;
    const auto at = err_.find("not proven minimal: ");
    ASSERT_EQ(
        std::sscanf(err_.c_str() + at, "not proven minimal: %d products found, at least %d needed",
                    &found, &needed),
        2)
        << err_;
    EXPECT_LE(needed, found);
    EXPECT_GT(needed, 0);

    // The cover is a valid one, with as many products as the message says.
    qm_test::TruthTable table{8, std::vector<char>(256, qm_test::kOff)};
    for (int row = 0; row < 256; ++row) {
        const int ones = std::popcount(static_cast<unsigned>(row));
        if (ones >= 3 && ones <= 5 && row != kLeftOut) table.rows[row] = qm_test::kOn;
    }
    std::vector<std::string> cover;
    std::istringstream lines(read("out.txt"));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        cover.push_back(line);
    }
    EXPECT_EQ(static_cast<int>(cover.size()), found);
    EXPECT_EQ(qm_test::coverFault(table, cover), "");
    EXPECT_EQ(listing(), "in.txt out.txt ");
}

TEST_F(QmProgram, EasyFunctionIsProvenEvenWithoutTime) {
    // Essential primes alone settle it: no search, so no deadline to miss.
    write("in.txt", "001\r\n110\r\n111d");
    EXPECT_EQ(run("in.txt out.txt", "QM_TIME_LIMIT_MS=0"), qm::kExitOk);
    EXPECT_EQ(read("out.txt"), "001\r\n11-\r\n");
}

// The note says exactly what is proven: the count, then the literals, then all but the choice.
TEST(QmNote, SaysExactlyWhatIsProven) {
    qm::BestCover best;
    best.cover = {logic::cubeOfCode("10-"), logic::cubeOfCode("--1")};  // 3 literals
    best.proven = false;
    best.lowerBound = 1;
    best.countProven = false;
    best.costProven = false;
    EXPECT_EQ(qm::notProvenNote(best, 3, "in.txt"),
              "in.txt: not proven minimal: 2 products found, at least 1 needed");
    best.lowerBound = 2;
    best.countProven = true;
    best.literalBound = 2;
    EXPECT_EQ(qm::notProvenNote(best, 3, "in.txt"),
              "in.txt: not proven minimal: 2 products (proven the fewest), 3 literals found, at "
              "least 2 needed");
    best.costProven = true;
    EXPECT_EQ(qm::notProvenNote(best, 3, "in.txt"),
              "in.txt: a minimum cover (2 products, 3 literals, proven), not proven the first in "
              "the documented order");
}

}  // namespace
