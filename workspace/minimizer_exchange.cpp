#include "workspace/minimizer_exchange.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

#include "common/quoted_text.h"
#include "logic/cube.h"
#include "logic/row_set.h"

namespace quendal::workspace {

namespace fs = std::filesystem;

namespace {

// Twice the largest complete answer for 8 variables is far below this.
constexpr std::uintmax_t kMaxOutBytes = 4 * 1024 * 1024;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

std::string reason(int error) {
    return std::strerror(error);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string inFileText(const Codes& termCodes, const Codes& dcCodes) {
    std::string text;
    auto addLine = [&text](const std::string& line) {
        if (!text.empty()) text += "\r\n";
        text += line;
    };
    for (const std::string& code : termCodes) addLine(code);
    for (const std::string& code : dcCodes) addLine(code + "d");
    return text;
}

void writeFileAtomically(const std::string& path, const std::string& text) {
    const fs::path target(path);
    const std::string name = target.filename().string();
    std::error_code ec;
    if (fs::is_directory(target, ec)) fail("Cannot write " + name + ": it is a folder.");

    fs::path folder = target.parent_path();
    std::string pattern = (folder / ("." + name + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) fail("Cannot write " + name + ": " + reason(errno) + ".");
    ::fchmod(fd, 0644);  // mkstemp creates the file private to its owner
    const bool written = writeAll(fd, text);
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(pattern.c_str());
        fail("Cannot write " + name + ": " + reason(written ? errno : writeError) + ".");
    }
    if (std::rename(pattern.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(pattern.c_str());
        fail("Cannot write " + name + ": " + reason(renameError) + ".");
    }
}

Codes readOutFile(const std::string& path, int varCount) {
    const std::string name = fs::path(path).filename().string();
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        fail("The minimizer did not write " + name + ".");
    }
    if (fs::is_directory(status)) fail("Cannot read " + name + ": it is a folder.");
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxOutBytes) fail("Cannot read " + name + ": the file is too large.");

    std::ifstream in(path, std::ios::binary);
    if (!in) fail("Cannot read " + name + ": " + reason(errno) + ".");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) fail("Cannot read " + name + ".");

    Codes implicants;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.pop_back();
        }
        if (line.empty()) continue;
        if (static_cast<int>(line.size()) != varCount) {
            fail("Line " + std::to_string(lineNumber) + " of " + name + " (\"" +
                 common::capped(line) + "\") has " + std::to_string(line.size()) +
                 " columns instead of " + std::to_string(varCount) + ".");
        }
        for (char& c : line) {
            if (c != '0' && c != '1') c = '-';
        }
        implicants.push_back(line);
    }
    return implicants;
}

void checkAnswer(const std::string& inText, const Codes& implicants, int varCount) {
    logic::RowSet asked, allowed, covered;
    std::size_t start = 0;
    while (start <= inText.size()) {
        std::size_t end = inText.find("\r\n", start);
        if (end == std::string::npos) end = inText.size();
        std::string line = inText.substr(start, end - start);
        start = end + 2;
        if (line.empty()) continue;
        const bool dontCare = line.back() == 'd';
        if (dontCare) line.pop_back();
        const logic::RowSet rows = logic::cubeOfCode(line).rows(varCount);
        allowed |= rows;
        if (!dontCare) asked |= rows;
    }
    // An answer repeats few distinct codes however long it is.
    Codes distinct = implicants;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (const std::string& code : distinct) {
        const logic::RowSet rows = logic::cubeOfCode(code).rows(varCount);
        const logic::RowSet outside = rows - allowed;
        if (!outside.empty()) {
            fail("The minimizer's answer does not match the function: its product " +
                 common::capped(code) + " covers row " + std::to_string(outside.first()) +
                 ", which the function does not have.");
        }
        covered |= rows;
    }
    const logic::RowSet missing = asked - covered;
    if (!missing.empty()) {
        fail("The minimizer's answer does not match the function: it leaves out row " +
             std::to_string(missing.first()) + ".");
    }
}

}  // namespace quendal::workspace
