#include "minimizer/answer_check.h"

#include <cctype>
#include <memory>
#include <vector>

namespace qm {
namespace {

struct Node {
    enum class Kind { Literal, Constant, Not, And, Or } kind = Kind::Constant;
    int column = 0;        // Literal: the variable (0 = first letter)
    bool negated = false;  // Literal: written with "'"
    bool one = false;      // Constant
    std::vector<std::unique_ptr<Node>> parts;
};
using NodePtr = std::unique_ptr<Node>;

class Parser {
public:
    Parser(std::string_view text, int width, std::string_view letters)
        : text_(text), letters_(letters.substr(0, static_cast<std::size_t>(width))) {
        caseless_ = true;
        for (std::size_t i = 0; i < letters_.size(); ++i) {
            for (std::size_t j = i + 1; j < letters_.size(); ++j) {
                if (std::tolower(static_cast<unsigned char>(letters_[i])) ==
                    std::tolower(static_cast<unsigned char>(letters_[j])))
                    caseless_ = false;
            }
        }
    }

    NodePtr parse() {
        skipSpaces();
        if (at_ == text_.size()) fail("Type an answer, for example " + example());
        NodePtr root = sum();
        if (at_ < text_.size()) {
            if (text_[at_] == ')') fail("A ')' without its '('");
            fail(unexpected());
        }
        return root;
    }

private:
    [[noreturn]] void fail(const std::string& message) const {
        throw AnswerSyntaxError(message + " at position " + std::to_string(at_ + 1) + ".",
                                static_cast<int>(at_) + 1);
    }
    std::string example() const {
        std::string text;
        text += letters_.front();
        if (letters_.size() > 1) {
            text += letters_[1];
            text += "'+";
            text += letters_.front();
            text += '\'';
        }
        return text;
    }
    std::string letterList() const {
        std::string list;
        for (std::size_t i = 0; i < letters_.size(); ++i) {
            if (i > 0) list += i + 1 == letters_.size() ? " and " : ", ";
            list += letters_[i];
        }
        return list;
    }
    std::string unexpected() const {
        const unsigned char c = static_cast<unsigned char>(text_[at_]);
        if (std::isalpha(c)) {
            return std::string("'") + text_[at_] +
                   "' is not a variable of this function (it uses " + letterList() + ")";
        }
        if (c < 0x20 || c >= 0x7f) return "Unexpected character";
        return std::string("Unexpected '") + text_[at_] + "'";
    }
    void skipSpaces() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
    }
    int letterColumn(char c) const {
        for (std::size_t i = 0; i < letters_.size(); ++i) {
            if (letters_[i] == c) return static_cast<int>(i);
        }
        if (caseless_) {
            for (std::size_t i = 0; i < letters_.size(); ++i) {
                if (std::tolower(static_cast<unsigned char>(letters_[i])) ==
                    std::tolower(static_cast<unsigned char>(c)))
                    return static_cast<int>(i);
            }
        }
        return -1;
    }
    bool startsFactor() const {
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        return c == '(' || c == '0' || c == '1' || letterColumn(c) >= 0;
    }

    NodePtr sum() {
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Or;
        node->parts.push_back(product());
        while (at_ < text_.size() && text_[at_] == '+') {
            ++at_;
            skipSpaces();
            node->parts.push_back(product());
        }
        if (node->parts.size() == 1) return std::move(node->parts.front());
        return node;
    }

    NodePtr product() {
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::And;
        if (!startsFactor()) {
            if (at_ == text_.size()) fail("Something is missing");
            if (text_[at_] == ')' && depth_ > 0) fail("Something is missing before ')'");
            if (std::isalpha(static_cast<unsigned char>(text_[at_]))) fail(unexpected());
            fail("Expected a letter or '(' but found '" + std::string(1, text_[at_]) + "'");
        }
        while (startsFactor()) node->parts.push_back(factor());
        if (at_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[at_])))
            fail(unexpected());
        if (node->parts.size() == 1) return std::move(node->parts.front());
        return node;
    }

    NodePtr factor() {
        NodePtr node;
        const char c = text_[at_];
        if (c == '(') {
            const std::size_t open = at_;
            ++at_;
            ++depth_;
            skipSpaces();
            node = sum();
            --depth_;
            if (at_ >= text_.size() || text_[at_] != ')') {
                if (at_ < text_.size()) fail(unexpected());
                throw AnswerSyntaxError("Missing ')' at position " + std::to_string(at_ + 1) +
                                            " to close the '(' at position " +
                                            std::to_string(open + 1) + ".",
                                        static_cast<int>(at_) + 1);
            }
            ++at_;
        } else if (c == '0' || c == '1') {
            node = std::make_unique<Node>();
            node->kind = Node::Kind::Constant;
            node->one = c == '1';
            ++at_;
        } else {
            node = std::make_unique<Node>();
            node->kind = Node::Kind::Literal;
            node->column = letterColumn(c);
            ++at_;
        }
        skipSpaces();
        while (at_ < text_.size() && text_[at_] == '\'') {
            ++at_;
            skipSpaces();
            if (node->kind == Node::Kind::Literal && !node->negated) {
                node->negated = true;
            } else {
                auto inverted = std::make_unique<Node>();
                inverted->kind = Node::Kind::Not;
                inverted->parts.push_back(std::move(node));
                node = std::move(inverted);
            }
        }
        return node;
    }

    std::string_view text_;
    std::string_view letters_;
    bool caseless_ = true;
    std::size_t at_ = 0;
    int depth_ = 0;
};

RowSet allRows(int width) {
    RowSet rows;
    for (int row = 0; row < (1 << width); ++row) rows.set(row);
    return rows;
}

RowSet evaluate(const Node& node, int width) {
    switch (node.kind) {
        case Node::Kind::Constant: return node.one ? allRows(width) : RowSet{};
        case Node::Kind::Literal: {
            RowSet rows;
            const int bit = width - 1 - node.column;
            for (int row = 0; row < (1 << width); ++row) {
                if (((row >> bit) & 1) != static_cast<int>(node.negated)) rows.set(row);
            }
            return rows;
        }
        case Node::Kind::Not: return allRows(width) - evaluate(*node.parts.front(), width);
        case Node::Kind::And: {
            RowSet rows = allRows(width);
            for (const auto& part : node.parts) rows &= evaluate(*part, width);
            return rows;
        }
        case Node::Kind::Or: {
            RowSet rows;
            for (const auto& part : node.parts) rows |= evaluate(*part, width);
            return rows;
        }
    }
    return {};
}

// Literals of a node made only of literals joined by `join`, or -1.
int literalsJoinedBy(const Node& node, Node::Kind join) {
    if (node.kind == Node::Kind::Literal) return 1;
    if (node.kind != join) return -1;
    for (const auto& part : node.parts) {
        if (part->kind != Node::Kind::Literal) return -1;
    }
    return static_cast<int>(node.parts.size());
}

// The cost of a node as a two-level form: `outer` joins terms that are literals joined by
// `inner`. Constants count as the empty form ("0" as a sum of no products, "1" as a product of
// no sums) or as one term without literals.
std::optional<FormCost> twoLevelCost(const Node& node, Node::Kind outer, Node::Kind inner) {
    if (node.kind == Node::Kind::Constant) {
        const bool empty = (outer == Node::Kind::Or) != node.one;
        return empty ? FormCost{} : FormCost{1, 0};
    }
    FormCost cost;
    if (node.kind == outer) {
        for (const auto& part : node.parts) {
            const int literals = literalsJoinedBy(*part, inner);
            if (literals < 0) return std::nullopt;
            cost.terms += 1;
            cost.literals += literals;
        }
        return cost;
    }
    const int literals = literalsJoinedBy(node, inner);
    if (literals < 0) return std::nullopt;
    return FormCost{1, literals};
}

bool cheaper(const FormCost& a, const FormCost& b) {
    return a.terms < b.terms || (a.terms == b.terms && a.literals < b.literals);
}

}  // namespace

ParsedAnswer parseAnswer(std::string_view text, int width, std::string_view letters) {
    const NodePtr root = Parser(text, width, letters).parse();
    ParsedAnswer answer;
    answer.value = evaluate(*root, width);
    answer.asSop = twoLevelCost(*root, Node::Kind::Or, Node::Kind::And);
    answer.asPos = twoLevelCost(*root, Node::Kind::And, Node::Kind::Or);
    // A lone literal is a product of one literal and a sum of one literal.
    if (root->kind == Node::Kind::Literal) answer.asPos = answer.asSop = FormCost{1, 1};
    return answer;
}

AnswerVerdict checkAnswer(std::string_view text, const Explanation& explanation,
                          std::string_view letters) {
    const Function& f = explanation.function;
    const ParsedAnswer answer = parseAnswer(text, f.width, letters);
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
