#include "minimizer/input_format.h"

#include <cstdio>

namespace qm {

using logic::codeOf;
using logic::Cube;
using logic::Function;
using logic::kMaxWidth;
using logic::sortCubes;

namespace {

std::string describeCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') return "a carriage return";
    if (byte >= 0x21 && byte < 0x7F) return std::string("'") + c + "'";
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "byte 0x%02X", static_cast<unsigned>(byte));
    return buffer;
}

[[noreturn]] void fail(std::string_view fileName, std::size_t lineNumber,
                       const std::string& problem) {
    throw InputError(std::string(fileName) + ", line " + std::to_string(lineNumber) + ": " +
                     problem);
}

std::string columns(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " variable column" : " variable columns");
}

}  // namespace

Function parseFunction(std::string_view text, std::string_view fileName) {
    if (text.empty()) throw InputError(std::string(fileName) + ": the file is empty");

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    // Blank lines at the very end are only line ends; a blank line before a code line is not.
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.empty()) throw InputError(std::string(fileName) + ": the file holds no code lines");

    Function function;
    std::size_t firstWidth = 0;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::size_t lineNumber = index + 1;
        std::string_view code = lines[index];
        if (code.empty()) fail(fileName, lineNumber, "the line is empty");
        const bool dontCare = code.back() == 'd';
        if (dontCare) code.remove_suffix(1);
        for (std::size_t column = 0; column < code.size(); ++column) {
            const char c = code[column];
            if (c == '0' || c == '1' || c == '-') continue;
            const std::string where = " in column " + std::to_string(column + 1);
            if (c == 'd') fail(fileName, lineNumber, "'d' may only end a line, found" + where);
            fail(fileName, lineNumber,
                 describeCharacter(c) + where + " is not allowed (only 0, 1, - and a final d)");
        }
        if (code.empty()) fail(fileName, lineNumber, "the line has no variable columns");
        if (code.size() > static_cast<std::size_t>(kMaxWidth)) {
            fail(fileName, lineNumber,
                 "the line has " + columns(code.size()) + ", at most " + std::to_string(kMaxWidth) +
                     " are allowed");
        }
        if (firstWidth == 0) {
            firstWidth = code.size();
            function.width = static_cast<int>(firstWidth);
        } else if (code.size() != firstWidth) {
            fail(fileName, lineNumber,
                 "the line has " + columns(code.size()) + ", but line 1 has " +
                     std::to_string(firstWidth));
        }

        Cube cube;
        for (char c : code) {
            cube.value = static_cast<std::uint8_t>(cube.value << 1);
            cube.free = static_cast<std::uint8_t>(cube.free << 1);
            if (c == '1') cube.value |= 1U;
            if (c == '-') cube.free |= 1U;
        }
        (dontCare ? function.dc : function.on) |= cube.rows(function.width);
    }
    function.dc -= function.on;
    return function;
}

std::string formatCover(std::vector<Cube> cover, int width) {
    sortCubes(cover, width);
    std::string text;
    for (const Cube& cube : cover) {
        text += codeOf(cube, width);
        text += "\r\n";
    }
    return text;
}

}  // namespace qm
