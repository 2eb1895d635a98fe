#pragma once
// The fixture of the program tests: a working folder of its own, and Qm.exe run in it as the
// application runs it (files in the folder, errors on stderr, the exit status).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qm_test {

class QmProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = std::filesystem::temp_directory_path() / ("qm_process_" + std::to_string(seed()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Runs Qm.exe in the folder with the arguments (and environment assignments before it);
    // stdout lands in out_, stderr in err_. The exit status, -1 when the program did not exit.
    int run(const std::string& args, const std::string& environment = "") {
        const std::string command = "cd '" + dir_.string() + "' && " + environment + " '" +
                                    QUENDAL_QM_EXE + "' " + args + " > '" +
                                    (dir_ / "stdout.log").string() + "' 2> '" +
                                    (dir_ / "stderr.log").string() + "'";
        const int status = std::system(command.c_str());
        out_ = read("stdout.log");
        err_ = read("stderr.log");
        std::filesystem::remove(dir_ / "stdout.log");
        std::filesystem::remove(dir_ / "stderr.log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Names in the folder, sorted, so that a stray temporary file shows.
    std::string listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const auto& name : names) joined += name + " ";
        return joined;
    }

    std::filesystem::path dir_;
    std::string out_, err_;
};

}  // namespace qm_test
