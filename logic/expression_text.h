#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logic/cube.h"

namespace logic {

// The names of the variables, one character per column: letters[0] names column 1.
using Letters = std::string;

// Variable letters used where the function has no names of its own.
inline constexpr std::string_view kDefaultLetters = "ABCDEFGH";

// The texts of cubes: letters, "'" after a complemented letter, "+" for OR, juxtaposition for
// AND. Column 1 is named by letters[0].

// "A'B" for 01; "1" for a cube without literals.
std::string productText(const Cube& cube, int width, std::string_view letters = kDefaultLetters);
// The sum a cube of zeros stands for, 0 exactly on the cube's rows: "A'+C" for 1-0-, "0" for a
// cube without literals.
std::string sumText(const Cube& zeros, int width, std::string_view letters = kDefaultLetters);
// "A'B'+CD"; "0" for an empty cover.
std::string sopText(const std::vector<Cube>& cover, int width,
                    std::string_view letters = kDefaultLetters);
// "D(A'+C)" for a cover of the zeros, parentheses only around a sum beside other factors; "1"
// for an empty cover.
std::string posText(const std::vector<Cube>& zeros, int width,
                    std::string_view letters = kDefaultLetters);
// A sum of products written as the complement of the product of the complement's sums:
// ((A+B')(A'+B))' for the products A'B and AB'; "(A'+B')'" for the one product AB; "1" when
// the only product has no literal; "0" for no products.
std::string complementedPosText(const std::vector<Cube>& cover, int width,
                                std::string_view letters = kDefaultLetters);

}  // namespace logic
