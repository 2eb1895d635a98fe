#include "logic/expression_text.h"

namespace logic {
namespace {

bool fixed(const Cube& cube, int bit) {
    return ((cube.free >> bit) & 1U) == 0;
}

bool one(const Cube& cube, int bit) {
    return ((cube.value >> bit) & 1U) != 0;
}

}  // namespace

std::string productText(const Cube& cube, int width, std::string_view letters) {
    std::string text;
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        if (!fixed(cube, bit)) continue;
        text += letters[static_cast<std::size_t>(column)];
        if (!one(cube, bit)) text += '\'';
    }
    return text.empty() ? "1" : text;
}

std::string sumText(const Cube& zeros, int width, std::string_view letters) {
    // Each fixed column contributes the literal that is 0 there.
    std::string text;
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        if (!fixed(zeros, bit)) continue;
        if (!text.empty()) text += '+';
        text += letters[static_cast<std::size_t>(column)];
        if (one(zeros, bit)) text += '\'';
    }
    return text.empty() ? "0" : text;
}

std::string sopText(const std::vector<Cube>& cover, int width, std::string_view letters) {
    if (cover.empty()) return "0";
    std::string text;
    for (const Cube& cube : cover) {
        if (!text.empty()) text += '+';
        text += productText(cube, width, letters);
    }
    return text;
}

std::string posText(const std::vector<Cube>& zeros, int width, std::string_view letters) {
    if (zeros.empty()) return "1";
    std::string text;
    for (const Cube& cube : zeros) {
        const std::string sum = sumText(cube, width, letters);
        // A sum of several literals needs parentheses only beside other factors.
        text += cube.literals(width) > 1 && zeros.size() > 1 ? "(" + sum + ")" : sum;
    }
    return text;
}

std::string complementedPosText(const std::vector<Cube>& cover, int width,
                                std::string_view letters) {
    if (cover.empty()) return "0";
    // The complement's sums are the products' literals complemented: the sum a product's cube
    // stands for as a cube of zeros.
    if (cover.size() == 1) {
        if (cover.front().literals(width) == 0) return "1";
        return "(" + sumText(cover.front(), width, letters) + ")'";
    }
    std::string text = "((";
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (i > 0) text += ")(";
        text += sumText(cover[i], width, letters);
    }
    return text + "))'";
}

}  // namespace logic
