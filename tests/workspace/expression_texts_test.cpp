#include <gtest/gtest.h>

#include "workspace/expression_texts.h"

using namespace quendal::workspace;

namespace {

const logic::Letters kABC = "ABC";

// The width of the codes in a test case.
int widthOf(const Codes& a, const Codes& b = {}) {
    return static_cast<int>(!a.empty() ? a.front().size() : b.empty() ? 0 : b.front().size());
}

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
    logic::TermMode mode;
    const char* sop;
    const char* pos;
};

class InputExpressions : public testing::TestWithParam<InputCase> {};

TEST_P(InputExpressions, FromTheTermLists) {
    const InputCase& c = GetParam();
    const ExpressionPair texts = buildInputExpressions(cubesOf(c.terms), cubesOf(c.dontCares),
                                                       widthOf(c.terms, c.dontCares), c.mode, kABC);
    EXPECT_EQ(texts.sop, c.sop);
    EXPECT_EQ(texts.pos, c.pos);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, InputExpressions,
    testing::Values(
        InputCase{"MinTerms1and2",
                  {"01", "10"},
                  {},
                  logic::TermMode::Minterms,
                  "A'B+AB'",
                  "((A+B')(A'+B))'"},
        InputCase{"MinTerm3", {"11"}, {}, logic::TermMode::Minterms, "AB", "(A'+B')'"},
        InputCase{"MinTermsWithDontCare",
                  {"01", "10"},
                  {"11"},
                  logic::TermMode::Minterms,
                  "A'B+AB' + d (AB)",
                  "((A+B')(A'+B))'"},
        InputCase{"MaxTerms0and3",
                  {"00", "11"},
                  {},
                  logic::TermMode::Maxterms,
                  "(A'B'+AB)'",
                  "(A+B)(A'+B')"},
        InputCase{"MaxTermsWithDontCare",
                  {"00", "11"},
                  {"01"},
                  logic::TermMode::Maxterms,
                  "(A'B'+AB)'",
                  "(A+B)(A'+B') + d ((A+B'))"},
        InputCase{"OneVariableMinTerm1", {"1"}, {}, logic::TermMode::Minterms, "A", "A"},
        InputCase{"OneVariableMinTerm0", {"0"}, {}, logic::TermMode::Minterms, "A'", "A'"},
        InputCase{
            "NoMinTermOnlyDontCares", {}, {"11"}, logic::TermMode::Minterms, "0 + d (AB)", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EquationPos, ShortEquationStandsForItself) {
    EXPECT_EQ(equationPosText("A'", cubesOf({"0"}), 1, kABC), "A'");
    EXPECT_EQ(equationPosText("AB'+C", cubesOf({"10-", "--1"}), 3, kABC), "((A'+B)(C'))'");
}

struct MinimizedCase {
    const char* name;
    Codes implicants;
    const char* sop;
    const char* pos;
};

class MinimizedTexts : public testing::TestWithParam<MinimizedCase> {};

TEST_P(MinimizedTexts, FromTheImplicants) {
    const Codes& codes = GetParam().implicants;
    const ExpressionPair texts = minimizedTexts(cubesOf(codes), widthOf(codes), kABC);
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
