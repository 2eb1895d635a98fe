// "Check my answer": reading what a student typed, equivalence up to the don't-cares with a row
// that really differs, and minimality in products (or sums) and literals.

#include <gtest/gtest.h>

#include <random>

#include "minimizer/answer_check.h"
#include "tests/minimizer/run_minimizer.h"

namespace qm_test {
namespace {

logic::Function issueExample() {
    logic::Function f;
    f.width = 4;
    for (int row : {1, 3, 7, 11, 15}) f.on.set(row);
    for (int row : {0, 2, 5}) f.dc.set(row);
    return f;
}

std::string mintermText(int row, int width) {
    return logic::productText(logic::Cube{static_cast<std::uint8_t>(row), 0}, width);
}

TEST(CheckAnswer, VerdictsOnTheWorkedExample) {
    const qm::Explanation e = qm::explain(issueExample());
    struct Case {
        const char* answer;
        bool equivalent, minimal;
        qm::AnswerVerdict::Form form;
    };
    using F = qm::AnswerVerdict::Form;
    for (const Case& c : {
             Case{"A'B'+CD", true, true, F::Sop},
             Case{"cd + a'd", true, true, F::Sop},            // the other minimum, lower case
             Case{"A'B'D+CD", true, false, F::Sop},           // one literal too many
             Case{"A'B'+CD+BCD", true, false, F::Sop},        // one product too many
             Case{"D(A'+C)", true, true, F::Pos},             // the true minimum POS
             Case{"(A'+C)(D)(B'+C+D)", true, false, F::Pos},  // a sum too many
             Case{"((A+B)(C'+D'))'", true, false, F::Other},  // the work form's complement text
             Case{"A'B'+C", false, false, F::Other},
         }) {
        SCOPED_TRACE(c.answer);
        const qm::AnswerVerdict v = qm::checkAnswer(c.answer, e);
        EXPECT_EQ(v.equivalent, c.equivalent);
        EXPECT_EQ(v.minimal, c.minimal);
        if (c.equivalent) {
            EXPECT_EQ(v.form, c.form);
        }
    }
    const qm::AnswerVerdict extra = qm::checkAnswer("A'B'D+CD", e);
    EXPECT_EQ(qm::verdictText(extra, 4),
              "Equivalent, but not minimal: your sum of products has 5 literals; 4 will do with 2 "
              "products.");
    const qm::AnswerVerdict wrong = qm::checkAnswer("A'B'+C", e);
    EXPECT_EQ(qm::verdictText(wrong, 4),
              "Not equivalent. For A = 0, B = 1, C = 1, D = 0 (row 6) the function is 0 but your "
              "answer gives 1.");
}

// Over many functions: every listed minimum is judged minimal, any don't-care row added or not
// keeps an answer equivalent, and a changed care row is found and really differs.
TEST(CheckAnswer, PropertiesOverSeededFunctions) {
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        const int width = 2 + i % 4;
        const logic::Function f = toFunction(randomTable(width, 0.45, 0.3, random));
        const qm::Explanation e = qm::explain(f);
        SCOPED_TRACE("function " + std::to_string(i));
        for (const auto& cover : e.covers) {
            const qm::AnswerVerdict v = qm::checkAnswer(logic::sopText(cover, width), e);
            ASSERT_TRUE(v.equivalent && v.minimal);
        }
        ASSERT_TRUE(qm::checkAnswer(logic::posText(*e.pos, width), e).minimal);

        // The canonical sum of the 1-rows, with every other don't-care row added.
        std::string canonical;
        bool add = false;
        for (int row = 0; row < (1 << width); ++row) {
            const bool dc = f.dc.test(row) && (add = !add);
            if (!f.on.test(row) && !dc) continue;
            canonical += (canonical.empty() ? "" : "+") + mintermText(row, width);
        }
        if (canonical.empty()) canonical = "0";
        const qm::AnswerVerdict whole = qm::checkAnswer(canonical, e);
        ASSERT_TRUE(whole.equivalent) << canonical;

        // Flip one care row of the minimum: the verdict names a care row where they differ.
        const int row = static_cast<int>(random() % (1U << width));
        if (f.dc.test(row)) continue;
        const std::string flipped =
            f.on.test(row)
                ? "(" + logic::sopText(e.covers[0], width) + ")(" + mintermText(row, width) + ")'"
                : logic::sopText(e.covers[0], width) + "+" + mintermText(row, width);
        const qm::AnswerVerdict v = qm::checkAnswer(flipped, e);
        ASSERT_FALSE(v.equivalent) << flipped;
        ASSERT_EQ(v.differingRow, row) << flipped;
        const logic::ParsedExpression parsed =
            logic::parseExpression(flipped, width, logic::kDefaultLetters);
        ASSERT_EQ(parsed.value.test(v.differingRow), v.answerValue);
        ASSERT_EQ(f.on.test(v.differingRow), v.functionValue);
    }
}

TEST(CheckAnswer, FunctionLettersAndConstants) {
    logic::Function f;
    f.width = 2;
    f.on.set(3);
    const qm::Explanation e = qm::explain(f);
    EXPECT_TRUE(qm::checkAnswer("pq", e, "PQ").minimal);
    EXPECT_THROW(qm::checkAnswer("AB", e, "PQ"), logic::SyntaxError);
    // Letters differing only in case are read exactly.
    EXPECT_TRUE(qm::checkAnswer("aA", e, "Aa").equivalent);
    logic::Function none;
    none.width = 2;
    EXPECT_TRUE(qm::checkAnswer("0", qm::explain(none)).minimal);
    EXPECT_FALSE(qm::checkAnswer("AA'+0", qm::explain(none)).minimal);
    logic::Function all = none;
    for (int row = 0; row < 4; ++row) all.on.set(row);
    EXPECT_TRUE(qm::checkAnswer("1", qm::explain(all)).minimal);
    EXPECT_TRUE(qm::checkAnswer("A+A'", qm::explain(all)).equivalent);
}

}  // namespace
}  // namespace qm_test
