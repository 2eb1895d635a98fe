#pragma once

#include <string>
#include <string_view>

#include "logic/expression_parser.h"
#include "logic/expression_text.h"
#include "minimizer/explanation.h"

namespace qm {

struct AnswerVerdict {
    bool equivalent = false;
    // When not equivalent: a row where the answer and the function differ, and their values.
    int differingRow = -1;
    bool functionValue = false;
    bool answerValue = false;
    // When equivalent: the form it was judged in, its cost and the minimum of that form.
    enum class Form { Sop, Pos, Other } form = Form::Other;
    logic::FormCost cost;
    logic::FormCost minimum;
    bool minimal = false;
};

// Compares an answer with the explained function: equal on every row that is not a don't-care,
// and then whether it is as small as the minimum of its form. The answer is read by
// logic::parseExpression, which throws logic::SyntaxError.
AnswerVerdict checkAnswer(std::string_view text, const Explanation& explanation,
                          std::string_view letters = logic::kDefaultLetters);

// The verdict in words, without revealing the minimum.
std::string verdictText(const AnswerVerdict& verdict, int width,
                        std::string_view letters = logic::kDefaultLetters);

}  // namespace qm
