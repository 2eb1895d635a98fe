#include "logic/expression_parser.h"

#include <cctype>
#include <utility>

namespace logic {
namespace {

RowSet allRows(int width) {
    RowSet rows;
    for (int row = 0; row < (1 << width); ++row) rows.set(row);
    return rows;
}

// What the reading keeps of a finished subexpression: its value and its shape, as far as the
// two-level costs and the products' cubes need it. Nothing refers to the parts, so nesting
// costs no depth anywhere.
struct Part {
    enum class Kind { Literal, Constant, Not, And, Or } kind = Kind::Constant;
    RowSet value;
    int start = 0;  // 1-based position of its first character
    // Literal
    bool negated = false;
    // Constant
    bool one = false;
    // And, Or: the number of parts, whether all are literals, and the cost as the outer join of
    // a two-level form (products of a sum, sums of a product) while every part fits.
    int parts = 0;
    bool allLiterals = true;
    std::optional<FormCost> outer;
    // Literal, And: the product's cube while no letter repeats; repeatedAt is the position of
    // the first letter written twice.
    Cube cube;
    int repeatedAt = 0;
    // Or: the products' cubes while every part is a product of distinct letters or a constant;
    // else the position of the first part that is not.
    std::vector<Cube> products;
    int notProductAt = 0;
    int repeatedProductAt = 0;
};

// Literals of a part made only of literals joined by `join`, or -1.
int literalsJoinedBy(const Part& part, Part::Kind join) {
    if (part.kind == Part::Kind::Literal) return 1;
    if (part.kind == join && part.allLiterals) return part.parts;
    return -1;
}

// The cost of a part as a two-level form whose outer join is `outer`. Constants count as the
// empty form ("0" as a sum of no products, "1" as a product of no sums) or as one term without
// literals.
std::optional<FormCost> twoLevelCost(const Part& part, Part::Kind outer) {
    const Part::Kind inner = outer == Part::Kind::Or ? Part::Kind::And : Part::Kind::Or;
    if (part.kind == Part::Kind::Constant) {
        const bool empty = (outer == Part::Kind::Or) != part.one;
        return empty ? FormCost{} : FormCost{1, 0};
    }
    if (part.kind == outer) return part.outer;
    const int literals = literalsJoinedBy(part, inner);
    if (literals < 0) return std::nullopt;
    return FormCost{1, literals};
}

bool isLiteralProduct(const Part& part) {
    return part.kind == Part::Kind::Literal || (part.kind == Part::Kind::And && part.allLiterals);
}

// Adds a part to a join node.
void addPart(Part& node, Part&& next) {
    const Part::Kind inner = node.kind == Part::Kind::Or ? Part::Kind::And : Part::Kind::Or;
    if (node.kind == Part::Kind::And)
        node.value &= next.value;
    else
        node.value |= next.value;
    ++node.parts;
    node.allLiterals = node.allLiterals && next.kind == Part::Kind::Literal;
    const int literals = literalsJoinedBy(next, inner);
    if (node.outer && literals >= 0) {
        node.outer->terms += 1;
        node.outer->literals += literals;
    } else {
        node.outer.reset();
    }
    if (node.kind == Part::Kind::And) {
        if (next.kind == Part::Kind::Literal && node.repeatedAt == 0) {
            const auto fixed = static_cast<std::uint8_t>(~next.cube.free);
            if ((node.cube.free & fixed) != fixed) node.repeatedAt = next.start;
            node.cube.free &= next.cube.free;
            node.cube.value |= next.cube.value;
        }
    } else if (next.kind == Part::Kind::Constant) {
        // "1" is the product of no letters, "0" the sum of no products.
        if (next.one) node.products.push_back(Cube{0, 0xFF});
    } else if (!isLiteralProduct(next)) {
        if (node.notProductAt == 0) node.notProductAt = next.start;
    } else if (next.repeatedAt != 0) {
        if (node.repeatedProductAt == 0) node.repeatedProductAt = next.repeatedAt;
    } else {
        node.products.push_back(next.cube);
    }
}

// A join node of one part.
Part joinOf(Part::Kind kind, Part&& first) {
    Part node;
    node.kind = kind;
    node.start = first.start;
    node.value = first.value;
    node.outer = FormCost{};
    node.cube = Cube{0, 0xFF};
    addPart(node, std::move(first));
    return node;
}

// Joins `next` to `into`, the `count` parts joined so far by `kind` (a part of its own while
// there is one).
void join(Part& into, int& count, Part&& next, Part::Kind kind) {
    if (count == 0) {
        into = std::move(next);
    } else {
        if (count == 1) into = joinOf(kind, std::move(into));
        addPart(into, std::move(next));
    }
    ++count;
}

class Parser {
public:
    Parser(std::string_view text, int width, std::string_view letters)
        : text_(text), letters_(letters.substr(0, static_cast<std::size_t>(width))), width_(width) {
        for (std::size_t i = 0; i < letters_.size(); ++i) {
            for (std::size_t j = i + 1; j < letters_.size(); ++j) {
                if (lower(letters_[i]) == lower(letters_[j])) caseless_ = false;
            }
        }
        all_ = allRows(width);
    }

    // sum := product ('+' product)*, product := factor+, factor := ('(' sum ')' | letter | '0'
    // | '1') "'"*. Each open parenthesis is a frame on the stack, never a call.
    Part parse() {
        skipSpaces();
        if (at_ == text_.size()) fail("Type an answer, for example " + example());
        frames_.emplace_back();
        while (true) {
            startProduct();
            // The factors of one product, each a group of its own when it opens one.
            bool productDone = false;
            while (!productDone) {
                Part factor;
                if (text_[at_] == '(') {
                    frames_.emplace_back();
                    frames_.back().open = at_;
                    ++at_;
                    skipSpaces();
                    startProduct();
                    continue;
                }
                factor = atom();
                // Groups closed here are finished factors of the frame below.
                while (true) {
                    postfix(factor);
                    Frame& frame = frames_.back();
                    join(frame.product, frame.factors, std::move(factor), Part::Kind::And);
                    if (startsFactor()) break;
                    if (at_ < text_.size() && isAlpha(text_[at_])) fail(unexpected());
                    join(frame.sum, frame.products, std::move(frame.product), Part::Kind::Or);
                    frame.product = Part{};
                    frame.factors = 0;
                    if (at_ < text_.size() && text_[at_] == '+') {
                        ++at_;
                        skipSpaces();
                        productDone = true;
                        break;
                    }
                    if (frames_.size() == 1) {
                        if (at_ < text_.size()) {
                            if (text_[at_] == ')') fail("A ')' without its '('");
                            fail(unexpected());
                        }
                        return std::move(frames_.back().sum);
                    }
                    closeGroup();
                    factor = std::move(frames_.back().sum);
                    factor.start = static_cast<int>(frames_.back().open) + 1;
                    frames_.pop_back();
                }
            }
        }
    }

private:
    struct Frame {
        std::size_t open = 0;  // the '(' that opened it
        Part sum;
        int products = 0;
        Part product;
        int factors = 0;
    };

    static char lower(char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    static bool isAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

    [[noreturn]] void fail(const std::string& message) const {
        throw SyntaxError(message + " at position " + std::to_string(at_ + 1) + ".",
                          static_cast<int>(at_) + 1);
    }
    std::string example() const {
        std::string text;
        if (letters_.empty()) return "1";
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
                if (lower(letters_[i]) == lower(c)) return static_cast<int>(i);
            }
        }
        return -1;
    }
    bool startsFactor() const {
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        return c == '(' || c == '0' || c == '1' || letterColumn(c) >= 0;
    }

    // A product must begin here.
    void startProduct() const {
        if (startsFactor()) return;
        if (at_ == text_.size()) fail("Something is missing");
        if (text_[at_] == ')' && frames_.size() > 1) fail("Something is missing before ')'");
        if (isAlpha(text_[at_])) fail(unexpected());
        fail("Expected a letter or '(' but found '" + std::string(1, text_[at_]) + "'");
    }

    // A letter or a constant.
    Part atom() {
        Part part;
        part.start = static_cast<int>(at_) + 1;
        const char c = text_[at_];
        if (c == '0' || c == '1') {
            part.kind = Part::Kind::Constant;
            part.one = c == '1';
            if (part.one) part.value = all_;
        } else {
            part.kind = Part::Kind::Literal;
            const int bit = width_ - 1 - letterColumn(c);
            part.cube = Cube{static_cast<std::uint8_t>(1U << bit),
                             static_cast<std::uint8_t>(0xFFU & ~(1U << bit))};
            part.value = part.cube.rows(width_);
        }
        ++at_;
        return part;
    }

    // The "'"s after a factor: the first after a letter makes it complemented, every other
    // inverts the whole.
    void postfix(Part& part) {
        skipSpaces();
        while (at_ < text_.size() && text_[at_] == '\'') {
            ++at_;
            skipSpaces();
            part.value = all_ - part.value;
            if (part.kind == Part::Kind::Literal && !part.negated) {
                part.negated = true;
                part.cube.value = 0;
            } else {
                part.kind = Part::Kind::Not;
            }
        }
    }

    // The end of a group: its ')' must follow.
    void closeGroup() {
        if (at_ >= text_.size() || text_[at_] != ')') {
            if (at_ < text_.size()) fail(unexpected());
            throw SyntaxError("Missing ')' at position " + std::to_string(at_ + 1) +
                                  " to close the '(' at position " +
                                  std::to_string(frames_.back().open + 1) + ".",
                              static_cast<int>(at_) + 1);
        }
        ++at_;
    }

    std::string_view text_;
    std::string_view letters_;
    int width_ = 0;
    bool caseless_ = true;
    RowSet all_;
    std::size_t at_ = 0;
    std::vector<Frame> frames_;
};

}  // namespace

ParsedExpression parseExpression(std::string_view text, int width, std::string_view letters) {
    const Part root = Parser(text, width, letters).parse();
    ParsedExpression expression;
    expression.value = root.value;
    expression.asSop = twoLevelCost(root, Part::Kind::Or);
    expression.asPos = twoLevelCost(root, Part::Kind::And);
    return expression;
}

std::vector<Cube> parseSumOfProducts(std::string_view text, int width, std::string_view letters) {
    Part root = Parser(text, width, letters).parse();
    const Part sum =
        root.kind == Part::Kind::Or ? std::move(root) : joinOf(Part::Kind::Or, std::move(root));
    const int notProduct = sum.notProductAt, repeated = sum.repeatedProductAt;
    if (notProduct != 0 && (repeated == 0 || notProduct < repeated)) {
        throw SyntaxError(
            "Expected a product of letters at position " + std::to_string(notProduct) + ".",
            notProduct);
    }
    if (repeated != 0) {
        throw SyntaxError(
            "A letter appears twice in one product at position " + std::to_string(repeated) + ".",
            repeated);
    }
    std::vector<Cube> products = sum.products;
    const auto columns = static_cast<std::uint8_t>((1U << width) - 1U);
    for (Cube& cube : products) cube.free &= columns;
    return products;
}

}  // namespace logic
