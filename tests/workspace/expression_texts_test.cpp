#include <gtest/gtest.h>

#include "workspace/expression_texts.h"

using namespace quendal::workspace;

namespace {

const Letters kABC{"A", "B", "C"};

struct BinaryCase {
    int t;
    int numVars;
    const char* code;
};

class ToBinary : public testing::TestWithParam<BinaryCase> {};

TEST_P(ToBinary, GivesTheTermCodeMostSignificantFirst) {
    EXPECT_EQ(toBinary(GetParam().t, GetParam().numVars), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Terms, ToBinary,
                         testing::Values(BinaryCase{6, 3, "110"}, BinaryCase{1, 3, "001"},
                                         BinaryCase{0, 1, "0"}, BinaryCase{1, 1, "1"},
                                         BinaryCase{255, 8, "11111111"},
                                         BinaryCase{128, 8, "10000000"},
                                         // bits above the last column are dropped
                                         BinaryCase{9, 3, "001"}));

TEST(CodeTexts, ProductAndSumOfOneCode) {
    EXPECT_EQ(productText("10-", kABC), "AB'");
    EXPECT_EQ(productText("--1", kABC), "C");
    EXPECT_EQ(productText("---", kABC), "");
    EXPECT_EQ(sumText("10-", kABC), "A'+B");
    EXPECT_EQ(sumText("---", kABC), "");
    EXPECT_EQ(sumOfProducts({"01-", "1-0"}, kABC), "A'B+AC'");
}

TEST(CodeTexts, ComplementFormOfOneAndMoreCodes) {
    EXPECT_EQ(complementForm({"01", "10"}, kABC), "((A+B')(A'+B))'");
    EXPECT_EQ(complementForm({"11"}, kABC), "(A'+B')'");
    // A code without letters is the constant 1.
    EXPECT_EQ(complementForm({"--"}, kABC), "1");
    EXPECT_EQ(complementForm({}, kABC), "0");
}

TEST(CodeTexts, ShortTextRule) {
    EXPECT_TRUE(isShortText("A"));
    EXPECT_TRUE(isShortText("A'"));
    EXPECT_TRUE(isShortText("1"));
    EXPECT_FALSE(isShortText("AB"));
    EXPECT_FALSE(isShortText("A'B"));
    EXPECT_FALSE(isShortText(""));
}

struct InputCase {
    const char* name;
    Codes terms;
    Codes dontCares;
    bool maxTermMode;
    const char* sop;
    const char* pos;
};

class InputExpressions : public testing::TestWithParam<InputCase> {};

TEST_P(InputExpressions, FromTheTermLists) {
    const InputCase& c = GetParam();
    const ExpressionPair texts = buildInputExpressions(c.terms, c.dontCares, c.maxTermMode, kABC);
    EXPECT_EQ(texts.sop, c.sop);
    EXPECT_EQ(texts.pos, c.pos);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, InputExpressions,
    testing::Values(
        InputCase{"MinTerms1and2", {"01", "10"}, {}, false, "A'B+AB'", "((A+B')(A'+B))'"},
        InputCase{"MinTerm3", {"11"}, {}, false, "AB", "(A'+B')'"},
        InputCase{"MinTermsWithDontCare",
                  {"01", "10"},
                  {"11"},
                  false,
                  "A'B+AB' + d (AB)",
                  "((A+B')(A'+B))'"},
        InputCase{"MaxTerms0and3", {"00", "11"}, {}, true, "(A'B'+AB)'", "(A+B)(A'+B')"},
        InputCase{"MaxTermsWithDontCare",
                  {"00", "11"},
                  {"01"},
                  true,
                  "(A'B'+AB)'",
                  "(A+B)(A'+B') + d ((A+B'))"},
        InputCase{"OneVariableMinTerm1", {"1"}, {}, false, "A", "A"},
        InputCase{"OneVariableMinTerm0", {"0"}, {}, false, "A'", "A'"},
        InputCase{"NoMinTermOnlyDontCares", {}, {"11"}, false, "0 + d (AB)", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EquationPos, ShortEquationStandsForItself) {
    EXPECT_EQ(equationPosText("A'", {"0"}, kABC), "A'");
    EXPECT_EQ(equationPosText("AB'+C", {"10-", "--1"}, kABC), "((A'+B)(C'))'");
}

struct MinimizedCase {
    const char* name;
    Codes implicants;
    const char* sop;
    const char* pos;
};

class MinimizedTexts : public testing::TestWithParam<MinimizedCase> {};

TEST_P(MinimizedTexts, FromTheImplicants) {
    const ExpressionPair texts = minimizedTexts(GetParam().implicants, kABC);
    EXPECT_EQ(texts.sop, GetParam().sop);
    EXPECT_EQ(texts.pos, GetParam().pos);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MinimizedTexts,
    testing::Values(MinimizedCase{"TwoSingleLetters", {"1-", "-1"}, "A+B", "((A')(B'))'"},
                    MinimizedCase{"OneComplement", {"0-"}, "A'", "A'"},
                    MinimizedCase{"ConstantOne", {"--"}, "1", "1"},
                    // no implicant at all is the constant 0, not 1
                    MinimizedCase{"ConstantZero", {}, "0", "0"},
                    MinimizedCase{"Xor", {"01", "10"}, "A'B+AB'", "((A+B')(A'+B))'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
