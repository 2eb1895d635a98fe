// The Qm.exe program as the application starts it: files in a working folder, errors on stderr,
// exit status, and OUT written whole or not at all.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "minimizer/qm_program.h"

namespace fs = std::filesystem;

namespace {

class QmProgram : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = fs::temp_directory_path() / ("qm_test_" + std::to_string(seed()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Runs Qm.exe in the working folder with the given arguments; keeps stderr in err_.
    int run(const std::string& args) {
        const std::string command = "cd '" + dir_.string() + "' && '" QUENDAL_QM_EXE "' " + args +
                                    " 2> '" + (dir_ / "stderr.log").string() + "'";
        const int status = std::system(command.c_str());
        std::ifstream in(dir_ / "stderr.log");
        std::stringstream text;
        text << in.rdbuf();
        err_ = text.str();
        fs::remove(dir_ / "stderr.log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Names in the folder, sorted, so that a stray temporary file shows.
    std::string listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const auto& name : names) joined += name + " ";
        return joined;
    }
    void expectOneErrorLine(const std::string& mentions) {
        EXPECT_NE(err_.find(mentions), std::string::npos) << err_;
        ASSERT_FALSE(err_.empty());
        EXPECT_EQ(err_.find('\n'), err_.size() - 1) << "not one line: " << err_;
    }

    fs::path dir_;
    std::string err_;
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

}  // namespace
