#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "minimizer/explanation.h"

namespace qm {

// A student's answer that cannot be read. `position` is the 1-based character where reading
// stopped (one past the end for a missing piece).
class AnswerSyntaxError : public std::runtime_error {
public:
    AnswerSyntaxError(const std::string& message, int position)
        : std::runtime_error(message), position_(position) {}
    int position() const { return position_; }

private:
    int position_;
};

// A typed expression: its truth table and, when it is written as a sum of products or a product
// of sums, what it costs in that form. A single product is both (its sums are single literals),
// and so is a single sum.
struct ParsedAnswer {
    RowSet value;                   // rows where the expression is 1
    std::optional<FormCost> asSop;  // products and literals, when written as a sum of products
    std::optional<FormCost> asPos;  // sums and literals, when written as a product of sums
};

// Reads letters (the function's own, upper or lower case when that is not ambiguous), "'"
// after a letter or a closing parenthesis, "+", parentheses, "0" and "1"; spaces are ignored and
// products are written by juxtaposition. Throws AnswerSyntaxError.
ParsedAnswer parseAnswer(std::string_view text, int width, std::string_view letters);

struct AnswerVerdict {
    bool equivalent = false;
    // When not equivalent: a row where the answer and the function differ, and their values.
    int differingRow = -1;
    bool functionValue = false;
    bool answerValue = false;
    // When equivalent: the form it was judged in, its cost and the minimum of that form.
    enum class Form { Sop, Pos, Other } form = Form::Other;
    FormCost cost;
    FormCost minimum;
    bool minimal = false;
};

// Compares an answer with the explained function: equal on every row that is not a don't-care,
// and then whether it is as small as the minimum of its form. Throws AnswerSyntaxError.
AnswerVerdict checkAnswer(std::string_view text, const Explanation& explanation,
                          std::string_view letters = kDefaultLetters);

// The verdict in words, without revealing the minimum.
std::string verdictText(const AnswerVerdict& verdict, int width,
                        std::string_view letters = kDefaultLetters);

}  // namespace qm
