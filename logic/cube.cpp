#include "logic/cube.h"

#include <algorithm>
#include <bit>

namespace logic {

int Cube::literals(int width) const {
    return width - std::popcount(free);
}

RowSet Cube::rows(int width) const {
    RowSet result;
    const unsigned mask = (1U << width) - 1U;
    const unsigned f = free & mask;
    // Walk every subset of the free columns.
    for (unsigned sub = f;; sub = (sub - 1U) & f) {
        result.set(static_cast<int>((value & mask) | sub));
        if (sub == 0) break;
    }
    return result;
}

std::string codeOf(const Cube& cube, int width) {
    std::string code(static_cast<std::size_t>(width), '-');
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        if (((cube.free >> bit) & 1U) == 0) code[column] = ((cube.value >> bit) & 1U) ? '1' : '0';
    }
    return code;
}

int orderKey(const Cube& cube, int width) {
    int key = 0;
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        const int digit =
            ((cube.free >> bit) & 1U) ? 2 : static_cast<int>((cube.value >> bit) & 1U);
        key = key * 3 + digit;
    }
    return key;
}

void sortCubes(std::vector<Cube>& cubes, int width) {
    std::sort(cubes.begin(), cubes.end(), [width](const Cube& a, const Cube& b) {
        return orderKey(a, width) < orderKey(b, width);
    });
}

Cube cubeOfCode(std::string_view code) {
    Cube cube;
    for (std::size_t column = 0; column < code.size() && column < kMaxWidth; ++column) {
        cube.value = static_cast<std::uint8_t>(cube.value << 1);
        cube.free = static_cast<std::uint8_t>(cube.free << 1);
        if (code[column] == '1') cube.value |= 1U;
        if (code[column] != '0' && code[column] != '1') cube.free |= 1U;
    }
    return cube;
}

}  // namespace logic
