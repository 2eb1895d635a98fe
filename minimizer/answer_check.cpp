#include "minimizer/answer_check.h"

namespace qm {
namespace {

bool cheaper(const logic::FormCost& a, const logic::FormCost& b) {
    return a.terms < b.terms || (a.terms == b.terms && a.literals < b.literals);
}

}  // namespace

AnswerVerdict checkAnswer(std::string_view text, const Explanation& explanation,
                          std::string_view letters) {
    const logic::Function& f = explanation.function;
    const logic::ParsedExpression answer = logic::parseExpression(text, f.width, letters);
    AnswerVerdict verdict;
    for (int row = 0; row < (1 << f.width); ++row) {
        if (f.dc.test(row)) continue;
        if (f.on.test(row) != answer.value.test(row)) {
            verdict.differingRow = row;
            verdict.functionValue = f.on.test(row);
            verdict.answerValue = answer.value.test(row);
            return verdict;
        }
    }
    verdict.equivalent = true;
    // Judged in the form where the answer does best: a single product is also a product of
    // one-literal sums.
    const bool sopMinimal = answer.asSop && !cheaper(explanation.sopCost, *answer.asSop);
    const bool posMinimal =
        answer.asPos && explanation.pos && !cheaper(explanation.posCost, *answer.asPos);
    if (answer.asSop && (sopMinimal || !posMinimal)) {
        verdict.form = AnswerVerdict::Form::Sop;
        verdict.cost = *answer.asSop;
        verdict.minimum = explanation.sopCost;
        verdict.minimal = sopMinimal;
    } else if (answer.asPos && explanation.pos) {
        verdict.form = AnswerVerdict::Form::Pos;
        verdict.cost = *answer.asPos;
        verdict.minimum = explanation.posCost;
        verdict.minimal = posMinimal;
    }
    return verdict;
}

std::string verdictText(const AnswerVerdict& v, int width, std::string_view letters) {
    if (!v.equivalent) {
        std::string inputs;
        for (int column = 0; column < width; ++column) {
            if (!inputs.empty()) inputs += ", ";
            inputs += letters[static_cast<std::size_t>(column)];
            inputs += " = ";
            inputs += ((v.differingRow >> (width - 1 - column)) & 1) ? '1' : '0';
        }
        return "Not equivalent. For " + inputs + " (row " + std::to_string(v.differingRow) +
               ") the function is " + (v.functionValue ? "1" : "0") + " but your answer gives " +
               (v.answerValue ? "1" : "0") + ".";
    }
    if (v.form == AnswerVerdict::Form::Other) {
        return "Equivalent. It is not written as a sum of products or a product of sums, so "
               "its size is not compared with the minimum.";
    }
    const bool sop = v.form == AnswerVerdict::Form::Sop;
    const std::string terms = sop ? "products" : "sums";
    const std::string form = sop ? "sum of products" : "product of sums";
    auto count = [](int n, const std::string& what) {
        return std::to_string(n) + " " + (n == 1 ? what.substr(0, what.size() - 1) : what);
    };
    if (v.minimal) {
        return "Equivalent and minimal: a minimum " + form + " has " + count(v.cost.terms, terms) +
               " and " + count(v.cost.literals, "literals") + ", as yours.";
    }
    if (v.cost.terms > v.minimum.terms) {
        return "Equivalent, but not minimal: your " + form + " has " + count(v.cost.terms, terms) +
               "; " + std::to_string(v.minimum.terms) + " will do.";
    }
    return "Equivalent, but not minimal: your " + form + " has " +
           count(v.cost.literals, "literals") + "; " + std::to_string(v.minimum.literals) +
           " will do with " + count(v.minimum.terms, terms) + ".";
}

}  // namespace qm
