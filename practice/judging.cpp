#include "practice/judging.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "logic/expression_parser.h"
#include "minimizer/answer_check.h"

namespace quendal::practice {

namespace {

using logic::Cube;
using logic::RowSet;

int bitOf(int column, int width) {
    return 1 << (width - 1 - column);
}

std::string literal(const Cube& cube, int column, int width, std::string_view letters) {
    std::string text(1, letters[static_cast<std::size_t>(column)]);
    if ((cube.value & bitOf(column, width)) == 0) text += '\'';
    return text;
}

// The rows a cube covers where the function is 0.
RowSet zerosIn(const logic::Function& f, const Cube& cube) {
    return cube.rows(f.width) - f.on - f.dc;
}

// The first fixed column whose literal can go with the cube staying an implicant, or -1.
int freeableColumn(const logic::Function& f, const Cube& cube) {
    for (int column = 0; column < f.width; ++column) {
        const int bit = bitOf(column, f.width);
        if (cube.free & bit) continue;
        Cube grown = cube;
        grown.free = static_cast<std::uint8_t>(grown.free | bit);
        grown.value = static_cast<std::uint8_t>(grown.value & ~bit);
        if (zerosIn(f, grown).empty()) return column;
    }
    return -1;
}

std::string plural(int n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string rowsText(const std::vector<int>& rows) {
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) text += i + 1 == rows.size() ? " and " : ", ";
        text += std::to_string(rows[i]);
    }
    return text;
}

}  // namespace

LoopVerdict judgeLoop(const logic::Function& f, const std::vector<Cube>& primes, const Cube& loop) {
    LoopVerdict v;
    const RowSet rows = loop.rows(f.width);
    v.zeroRow = zerosIn(f, loop).first();
    v.implicant = v.zeroRow < 0;
    v.coversOne = rows.intersects(f.on);
    if (!v.implicant) return v;
    v.freeColumn = freeableColumn(f, loop);
    v.prime = v.freeColumn < 0;
    if (!v.prime) {
        v.growRow = loop.value ^ bitOf(v.freeColumn, f.width);
        return v;
    }
    if (!v.coversOne) return v;
    RowSet others;
    for (const Cube& p : primes) {
        if (!(p == loop)) others |= p.rows(f.width);
    }
    v.essentialRow = (rows & (f.on - others)).first();
    v.essential = v.essentialRow >= 0;
    return v;
}

std::string loopVerdictText(const LoopVerdict& v, const Cube& loop, int width,
                            std::string_view letters) {
    const std::string name = logic::productText(loop, width, letters);
    if (!v.implicant)
        return name + " is not an implicant: cell " + std::to_string(v.zeroRow) +
               " inside it is a 0.";
    if (!v.coversOne) return name + " covers only don't-cares; no product needs it.";
    if (!v.prime)
        return name + " is an implicant but not prime: it can grow to take in cell " +
               std::to_string(v.growRow) + " (" + literal(loop, v.freeColumn, width, letters) +
               " goes).";
    if (v.essential)
        return name + " is a prime implicant, and essential: no other prime covers cell " +
               std::to_string(v.essentialRow) + ".";
    return name + " is a prime implicant, not essential: another prime covers each of its 1s.";
}

CoverVerdict judgeCover(const qm::Explanation& e, const std::vector<Cube>& products,
                        bool checkPrime) {
    const logic::Function& f = e.function;
    CoverVerdict v;
    v.cost = qm::costOf(products, f.width);
    v.minimum = e.sopCost;
    RowSet covered;
    for (std::size_t i = 0; i < products.size(); ++i) {
        covered |= products[i].rows(f.width);
        const int zero = zerosIn(f, products[i]).first();
        if (zero >= 0 && v.notImplicant < 0) {
            v.notImplicant = static_cast<int>(i);
            v.zeroRow = zero;
        }
    }
    v.missingRow = (f.on - covered).first();
    if (!v.correct()) return v;
    for (std::size_t i = 0; i < products.size() && checkPrime; ++i) {
        const int column = freeableColumn(f, products[i]);
        if (column >= 0) {
            v.notPrime = static_cast<int>(i);
            v.freeColumn = column;
            break;
        }
    }
    for (std::size_t i = 0; i < products.size(); ++i) {
        RowSet rest;
        for (std::size_t j = 0; j < products.size(); ++j) {
            if (j != i) rest |= products[j].rows(f.width);
        }
        if ((products[i].rows(f.width) & f.on).subsetOf(rest)) {
            v.redundant = static_cast<int>(i);
            break;
        }
    }
    return v;
}

namespace {

// The verdict on a sum of products, or (`sums`) on a product of sums judged as the cover of the
// zeros its sums make (each sum a cube of zeros).
std::string verdictText(const CoverVerdict& v, const std::vector<Cube>& terms, int width,
                        std::string_view letters, std::string_view what, bool sums) {
    auto name = [&](int i) {
        const Cube& c = terms[static_cast<std::size_t>(i)];
        return sums ? "(" + logic::sumText(c, width, letters) + ")"
                    : logic::productText(c, width, letters);
    };
    const std::string one = sums ? "0" : "1", other = sums ? "1" : "0";
    const std::string kind = sums ? "sum" : "product";
    if (v.notImplicant >= 0)
        return name(v.notImplicant) + " is " + one + " on row " + std::to_string(v.zeroRow) +
               ", where the function is " + other + ".";
    if (v.missingRow >= 0)
        return "Row " + std::to_string(v.missingRow) + " is a " + one + " that none of your " +
               std::string(what) + (sums ? " is 0 on." : " covers.");
    if (v.notPrime >= 0) {
        const Cube& c = terms[static_cast<std::size_t>(v.notPrime)];
        // A sum's literal is the complement of the value its cube of zeros fixes.
        Cube flipped = c;
        flipped.value = static_cast<std::uint8_t>(c.value ^ bitOf(v.freeColumn, width));
        return name(v.notPrime) +
               " is not prime: " + literal(sums ? flipped : c, v.freeColumn, width, letters) +
               " can go.";
    }
    if (v.redundant >= 0)
        return name(v.redundant) + " is redundant: the others " + (sums ? "are 0 on" : "cover") +
               " all its " + one + "s.";
    if (v.cost == v.minimum)
        return "Correct and minimal: " + plural(v.cost.terms, kind, kind + "s") + " and " +
               plural(v.cost.literals, "literal", "literals") + ".";
    if (v.cost.terms > v.minimum.terms)
        return "Correct, but not minimal: " +
               plural(v.cost.terms - v.minimum.terms, kind, kind + "s") + " too many.";
    return "Correct, but not minimal: " +
           plural(v.cost.literals - v.minimum.literals, "literal", "literals") + " too many.";
}

// The sums of a product of sums written plainly, "(A+B')C(B+C')", as cubes of zeros; nothing
// for anything else (a complemented sum, a constant, a sum that is always 1).
std::optional<std::vector<Cube>> sumsOf(std::string_view text, int width,
                                        std::string_view letters) {
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    auto column = [&](char c) {
        for (int exact = 1; exact >= 0; --exact) {
            for (int k = 0; k < width; ++k) {
                const char l = letters[static_cast<std::size_t>(k)];
                if (exact ? l == c
                          : std::toupper(static_cast<unsigned char>(l)) ==
                                std::toupper(static_cast<unsigned char>(c)))
                    return k;
            }
        }
        return -1;
    };
    // Adds a literal to the sum whose cube of zeros is `zeros`; false when it cannot be read.
    auto literalInto = [&](Cube& zeros) {
        skip();
        if (i >= text.size()) return false;
        const int k = column(text[i]);
        if (k < 0) return false;
        ++i;
        bool complemented = false;
        for (skip(); i < text.size() && text[i] == '\''; skip()) {
            complemented = !complemented;
            ++i;
        }
        const int bit = bitOf(k, width);
        const int value = complemented ? bit : 0;
        if (!(zeros.free & bit)) return (zeros.value & bit) == value;  // X + X' is always 1
        zeros.free = static_cast<std::uint8_t>(zeros.free & ~bit);
        zeros.value = static_cast<std::uint8_t>(zeros.value | value);
        return true;
    };
    std::vector<Cube> sums;
    for (skip(); i < text.size(); skip()) {
        Cube zeros{0, static_cast<std::uint8_t>((1 << width) - 1)};
        if (text[i] == '(') {
            ++i;
            do {
                if (!literalInto(zeros)) return std::nullopt;
                skip();
            } while (i < text.size() && text[i] == '+' && ++i);
            if (i >= text.size() || text[i] != ')') return std::nullopt;
            ++i;
            skip();
            if (i < text.size() && text[i] == '\'') return std::nullopt;
        } else if (!literalInto(zeros)) {
            return std::nullopt;
        }
        sums.push_back(zeros);
    }
    if (sums.empty()) return std::nullopt;
    return sums;
}

}  // namespace

std::string coverVerdictText(const CoverVerdict& v, const std::vector<Cube>& products, int width,
                             std::string_view letters, std::string_view what) {
    return verdictText(v, products, width, letters, what, false);
}

std::string practiceCheckText(std::string_view answer, const qm::Explanation& e,
                              std::string_view letters) {
    const logic::Function& f = e.function;
    const logic::ParsedExpression parsed = logic::parseExpression(answer, f.width, letters);
    if (parsed.asSop) {
        const std::vector<Cube> products = logic::parseSumOfProducts(answer, f.width, letters);
        return coverVerdictText(judgeCover(e, products), products, f.width, letters);
    }
    // A product of sums is the cover of the zeros its sums make, judged as a sum of products is.
    logic::Function zeros;
    zeros.width = f.width;
    zeros.on = logic::functionOfTerms(f.width, {}, logic::TermMode::Maxterms).on - f.on - f.dc;
    zeros.dc = f.dc;
    const auto sums = sumsOf(answer, f.width, letters);
    if (sums && !zeros.on.empty()) {
        const qm::Explanation ofZeros = qm::explain(zeros);
        return verdictText(judgeCover(ofZeros, *sums), *sums, f.width, letters, "sums", true);
    }
    // Anything else: where it differs, else how far from the minimum product of sums.
    const qm::AnswerVerdict verdict = qm::checkAnswer(answer, e, letters);
    if (!verdict.equivalent)
        return "Row " + std::to_string(verdict.differingRow) + " is " +
               (verdict.functionValue ? "1" : "0") + " but your answer gives " +
               (verdict.answerValue ? "1" : "0") + " there.";
    if (verdict.form == qm::AnswerVerdict::Form::Other)
        return "Correct, but write it as a sum of products or a product of sums to compare its "
               "size.";
    if (verdict.minimal) return "Correct and minimal.";
    if (verdict.cost.terms > verdict.minimum.terms)
        return "Correct, but not minimal: " +
               plural(verdict.cost.terms - verdict.minimum.terms, "sum", "sums") + " too many.";
    return "Correct, but not minimal: " +
           plural(verdict.cost.literals - verdict.minimum.literals, "literal", "literals") +
           " too many.";
}

std::vector<std::string> stepHints(const qm::Explanation& e, std::string_view letters) {
    const logic::Function& f = e.function;
    const int width = f.width;
    auto text = [&](const Cube& c) { return logic::productText(c, width, letters); };
    std::vector<std::string> hints;
    hints.push_back("Start with the prime implicants: there are " +
                    plural(static_cast<int>(e.primes.size()), "prime", "primes") + ".");
    // The chart is replayed, so each essential prime is named by a row only it covers then.
    std::vector<Cube> active = e.primes;
    RowSet open = f.on;
    auto drop = [&](const std::vector<Cube>& gone) {
        std::erase_if(active, [&](const Cube& p) {
            return std::find(gone.begin(), gone.end(), p) != gone.end();
        });
    };
    for (const qm::Reduction& step : e.reductions) {
        switch (step.kind) {
            case qm::Reduction::Kind::Essential:
                for (const Cube& p : step.primesTaken) {
                    RowSet others;
                    for (const Cube& q : active) {
                        if (!(q == p)) others |= q.rows(width);
                    }
                    const int row = (p.rows(width) & (open - others)).first();
                    hints.push_back("A prime that covers row " + std::to_string(row) +
                                    " is essential: no other prime covers it. It is " + text(p) +
                                    ".");
                }
                for (int row : step.mintermsCovered) open.reset(row);
                drop(step.primesTaken);
                break;
            case qm::Reduction::Kind::RowDominance:
                for (std::size_t i = 0; i < step.primesRemoved.size(); ++i) {
                    hints.push_back(text(step.primesRemoved[i]) +
                                    " can be left out: " + text(step.dominatedBy[i]) +
                                    " covers every row still open that it covers, at no more "
                                    "cost.");
                }
                break;
            case qm::Reduction::Kind::ColumnDominance:
                for (std::size_t i = 0; i < step.mintermsRemoved.size(); ++i) {
                    hints.push_back("Row " + std::to_string(step.mintermsRemoved[i]) +
                                    " can be set aside: any prime covering row " +
                                    std::to_string(step.dominatedColumns[i]) + " covers it too.");
                    open.reset(step.mintermsRemoved[i]);
                }
                break;
            case qm::Reduction::Kind::Search:
                hints.push_back("What is left is cyclic: rows " + rowsText(step.columnsLeft) +
                                " each have two or more primes. Try the covers of these rows "
                                "(Petrick's method) and keep the cheapest.");
                break;
        }
        drop(step.primesRemoved);
    }
    return hints;
}

}  // namespace quendal::practice
