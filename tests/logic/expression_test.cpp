// The expression texts and their parser: the texts of cubes, syntax errors with their positions,
// inputs far deeper than any call stack would take, and the texts of random covers read back.

#include "logic/expression_parser.h"
#include "logic/expression_text.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using logic::Cube;

TEST(ExpressionText, ProductsSumsAndTheirForms) {
    const std::vector<Cube> cover{Cube{0b01, 0b00}, Cube{0b10, 0b00}};  // A'B, AB'
    EXPECT_EQ(logic::productText(Cube{0b100, 0b001}, 3), "AB'");
    EXPECT_EQ(logic::productText(Cube{0, 0b111}, 3), "1");
    EXPECT_EQ(logic::sumText(Cube{0b100, 0b001}, 3), "A'+B");
    EXPECT_EQ(logic::sumText(Cube{0, 0b111}, 3), "0");
    EXPECT_EQ(logic::sopText(cover, 2), "A'B+AB'");
    EXPECT_EQ(logic::sopText({}, 4), "0");
    EXPECT_EQ(logic::posText({Cube{0b1000, 0b0101}, Cube{0, 0b1110}}, 4), "(A'+C)D");
    EXPECT_EQ(logic::posText({Cube{0b1000, 0b0101}, Cube{0, 0b1110}}, 4, "WXYZ"), "(W'+Y)Z");
    EXPECT_EQ(logic::posText({}, 4), "1");
    EXPECT_EQ(logic::posText({Cube{0, 0xF}}, 4), "0");
    EXPECT_EQ(logic::posText({Cube{0b1000, 0b0101}}, 4), "A'+C");
    EXPECT_EQ(logic::complementedPosText(cover, 2), "((A+B')(A'+B))'");
    EXPECT_EQ(logic::complementedPosText({Cube{0b11, 0}}, 2), "(A'+B')'");
    EXPECT_EQ(logic::complementedPosText({Cube{0, 0b11}}, 2), "1");
    EXPECT_EQ(logic::complementedPosText({}, 2), "0");
    EXPECT_EQ(logic::cubeOfCode("10-"), (Cube{0b100, 0b001}));
    EXPECT_EQ(logic::codeOf(logic::cubeOfCode("0-1x"), 4), "0-1-");
}

void expectError(const std::string& text, int position, const std::string& says) {
    SCOPED_TRACE(text.substr(0, 40));
    try {
        logic::parseExpression(text, 4, logic::kDefaultLetters);
        ADD_FAILURE() << "accepted";
    } catch (const logic::SyntaxError& error) {
        EXPECT_EQ(error.position(), position);
        const std::string what = error.what();
        EXPECT_NE(what.find(says), std::string::npos) << what;
        EXPECT_NE(what.find("at position " + std::to_string(position)), std::string::npos) << what;
    }
}

TEST(ExpressionParser, SyntaxErrorsPointAtThePosition) {
    expectError("", 1, "Type an answer");
    expectError("   ", 4, "Type an answer");
    expectError("AB+", 4, "Something is missing");
    expectError("A++B", 3, "Expected a letter or '('");
    expectError("(A+B", 5, "Missing ')' at position 5 to close the '(' at position 1.");
    expectError("((A)+(B)", 9, "to close the '(' at position 1.");
    expectError("A+B)", 4, "A ')' without its '('");
    expectError("AE", 2, "'E' is not a variable of this function (it uses A, B, C and D)");
    expectError("A'B*C", 4, "Unexpected '*'");
    expectError("'A", 1, "Expected a letter or '('");
    expectError("A+()", 4, "Something is missing before ')'");
    expectError("(A B)E", 6, "'E' is not a variable");
}

// Depth is kept on a stack of its own: what once overflowed the call stack is read or refused
// like any other text.
TEST(ExpressionParser, NestingFarDeeperThanACallStackTakes) {
    expectError(std::string(25000, '('), 25001, "Something is missing");
    expectError(std::string(32766, '(') + "A", 32768, "to close the '(' at position 32766.");
    expectError(std::string(100000, '(') + std::string(100000, ')'), 100001,
                "Something is missing before ')'");
    expectError("A" + std::string(100000, '\'') + "*", 100002, "Unexpected '*'");

    const std::string nested = std::string(100000, '(') + "A" + std::string(100000, ')') + "'B";
    EXPECT_EQ(logic::parseExpression(nested, 2, "AB").value, (Cube{0b01, 0}.rows(2)));
    const auto primed = logic::parseExpression("A" + std::string(99999, '\''), 1, "A");
    EXPECT_EQ(primed.value, (Cube{0, 0}.rows(1)));
    EXPECT_FALSE(primed.asSop.has_value());
}

// Products are read by letter, in any order; the letters' order gives the columns.
TEST(ExpressionParser, SumOfProductsByLetter) {
    using Cubes = std::vector<Cube>;
    EXPECT_EQ(logic::parseSumOfProducts("B'A+c", 3, "ABC"),
              (Cubes{{0b100, 0b001}, {0b001, 0b110}}));
    EXPECT_EQ(logic::parseSumOfProducts("C'A'B", 3, "ABC"), (Cubes{{0b010, 0}}));
    EXPECT_EQ(logic::parseSumOfProducts("C+A", 2, "AC"), (Cubes{{0b01, 0b10}, {0b10, 0b01}}));
    for (const char* text : {"", "AD", "AA'", "A(B+C)", "(AB)'", "A''"}) {
        EXPECT_THROW(logic::parseSumOfProducts(text, 3, "ABC"), logic::SyntaxError) << text;
    }
    // A letter beyond the width is no column.
    EXPECT_THROW(logic::parseSumOfProducts("C", 2, "ABC"), logic::SyntaxError);
}

// Random covers of 1 to 8 variables written in each form and read back.
TEST(ExpressionParser, TextsOfCoversReadBack) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        const int width = 1 + trial % logic::kMaxWidth;
        const auto columns = static_cast<unsigned>((1U << width) - 1U);
        std::vector<Cube> cover(random() % 6);
        logic::RowSet rows;
        int literals = 0;
        bool everyHasLiterals = true;  // else a constant stands among the terms
        for (Cube& cube : cover) {
            cube.free = static_cast<std::uint8_t>(random() & columns);
            cube.value = static_cast<std::uint8_t>(random() & columns & ~cube.free);
            rows |= cube.rows(width);
            literals += cube.literals(width);
            everyHasLiterals = everyHasLiterals && cube.literals(width) > 0;
        }
        const logic::RowSet all = Cube{0, static_cast<std::uint8_t>(columns)}.rows(width);
        const std::string sop = logic::sopText(cover, width);
        SCOPED_TRACE(sop);
        ASSERT_EQ(logic::parseSumOfProducts(sop, width, logic::kDefaultLetters), cover);
        const auto asSop = logic::parseExpression(sop, width, logic::kDefaultLetters);
        ASSERT_EQ(asSop.value, rows);
        const logic::FormCost cost{static_cast<int>(cover.size()), literals};
        if (everyHasLiterals) {
            ASSERT_EQ(asSop.asSop, cost);
        }
        const std::string pos = logic::posText(cover, width);
        const auto asPos = logic::parseExpression(pos, width, logic::kDefaultLetters);
        ASSERT_EQ(asPos.value, all - rows) << pos;
        if (everyHasLiterals) {
            ASSERT_EQ(asPos.asPos, cost) << pos;
        }
        const auto twice = logic::complementedPosText(cover, width);
        ASSERT_EQ(logic::parseExpression(twice, width, logic::kDefaultLetters).value, rows)
            << twice;
    }
}

}  // namespace
