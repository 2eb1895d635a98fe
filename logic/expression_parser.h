#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "logic/cube.h"
#include "logic/function.h"
#include "logic/row_set.h"

namespace logic {

// A text that cannot be read. `position` is the 1-based character where reading stopped (one
// past the end for a missing piece); the message names it too.
class SyntaxError : public std::runtime_error {
public:
    SyntaxError(const std::string& message, int position)
        : std::runtime_error(message), position_(position) {}
    int position() const { return position_; }

private:
    int position_;
};

// An expression's truth table and, when it is written as a sum of products or a product of
// sums, what it costs in that form. A single product is both (its sums are single literals),
// and so is a single sum.
struct ParsedExpression {
    RowSet value;                   // rows where the expression is 1
    std::optional<FormCost> asSop;  // products and literals, when written as a sum of products
    std::optional<FormCost> asPos;  // sums and literals, when written as a product of sums
};

// Reads letters (letters[0..width-1], upper or lower case when that is not ambiguous), "'" after
// a letter or a closing parenthesis, "+", parentheses, "0" and "1"; spaces and tabs are ignored
// and products are written by juxtaposition. Parentheses may nest to any depth: the text is read
// in one pass with its open parentheses on a stack of its own. Throws SyntaxError.
ParsedExpression parseExpression(std::string_view text, int width, std::string_view letters);

// Reads a sum of products of letters ("AB'+C") into its products' cubes, in the order written
// ("1" is the product of no letters, "0" the sum of no products). Throws SyntaxError for
// anything else, a letter twice in one product included.
std::vector<Cube> parseSumOfProducts(std::string_view text, int width, std::string_view letters);

}  // namespace logic
