#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logic/row_set.h"

namespace logic {

// Largest number of variables (columns) a function may have.
inline constexpr int kMaxWidth = 8;

// A product term over `width` columns. Column 1 (the leftmost code character) is the most
// significant bit of a row number, as in a term number.
struct Cube {
    std::uint8_t value = 0;  // the fixed columns' values; 0 in free columns
    std::uint8_t free = 0;   // 1 where the column is "-"

    int literals(int width) const;
    RowSet rows(int width) const;
    bool contains(int row) const { return (row & ~free) == value; }
    friend bool operator==(const Cube&, const Cube&) = default;
};

// The code text of a cube: one character per column, "0", "1" or "-".
std::string codeOf(const Cube& cube, int width);

// Position of a cube in the output order: codes compared column by column with
// "0" before "1" before "-". Distinct cubes of one width have distinct keys.
int orderKey(const Cube& cube, int width);

// Sorts cubes into the output order.
void sortCubes(std::vector<Cube>& cubes, int width);

// The cube of a code text, one column per character: "1" and "0" fix the column, anything else
// (normally "-") leaves it free. Columns past kMaxWidth are not read.
Cube cubeOfCode(std::string_view code);

}  // namespace logic
