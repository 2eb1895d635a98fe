#include <gtest/gtest.h>

#include "workspace/equation_key_filter.h"

using namespace quendal::workspace;

namespace {

// The box as the filter sees it: every accepted key is appended at the end,
// Backspace removes the last character.
struct Box {
    explicit Box(int numVars) { filter.reset(numVars); }

    void type(const std::string& keys) {
        for (char c : keys) press(static_cast<unsigned char>(c));
    }
    void press(int key) {
        const int accepted = filter.keyPress(text, key, hooks);
        if (accepted == EquationKeyFilter::kBackspace) {
            if (!text.empty()) text.pop_back();
        } else if (accepted != 0 && accepted != EquationKeyFilter::kEnter) {
            text += static_cast<char>(accepted);
        }
    }

    EquationKeyFilter filter;
    std::string text;
    int clears = 0;
    std::vector<std::string> simplified;
    EquationKeyFilter::Hooks hooks{[this] {
                                       ++clears;
                                       text.clear();
                                       filter.reset(filter.numVars());
                                   },
                                   [this] {
                                       if (!text.empty() && text.back() == '+') text.pop_back();
                                   },
                                   [this] { simplified.push_back(text); }};
};

struct TypingCase {
    const char* name;
    int numVars;
    const char* keys;
    const char* shown;
};

class Typing : public testing::TestWithParam<TypingCase> {};

TEST_P(Typing, KeepsASumOfProducts) {
    Box box(GetParam().numVars);
    box.type(GetParam().keys);
    EXPECT_EQ(box.text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Typing,
    testing::Values(TypingCase{"LowerCaseToCapitals", 4, "ab'+c", "AB'+C"},
                    TypingCase{"EqualsIsPlus", 4, "A=B", "A+B"},
                    TypingCase{"NoDoublePlus", 4, "A++", "A+"},
                    TypingCase{"NoDoublePrime", 4, "A''", "A'"},
                    TypingCase{"NoPrimeAfterPlus", 4, "A+'", "A+"},
                    TypingCase{"NothingStartsWithPlus", 4, "+", ""},
                    TypingCase{"NothingStartsWithPrime", 4, "'", ""},
                    TypingCase{"LettersAscendWithinAProduct", 4, "BA", "B"},
                    TypingCase{"ProductHasAtMostNoOfVarLetters", 2, "ABC", "AB"},
                    TypingCase{"AtMostNoOfVarLettersInAll", 2, "AB+C", "AB+"},
                    TypingCase{"SameLetterInAnotherProduct", 4, "A+A", "A+A"},
                    TypingCase{"TwoProductsOfThree", 3, "AB+AC'", "AB+AC'"},
                    TypingCase{"NoLetterTwiceInAProduct", 3, "A'B+B'A", "A'B+B'A"},
                    // after a "'" only the product's own letters are refused
                    TypingCase{"OutOfOrderAfterPrime", 3, "B'A", "B'A"},
                    TypingCase{"RepeatAfterPrimeRefused", 3, "A'A", "A'"},
                    TypingCase{"OtherKeysRefused", 4, "A1 *B", "AB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EquationKeyFilter, CollectsLettersInOrderOfFirstUse) {
    Box box(4);
    box.type("ab'+c");
    EXPECT_EQ(box.filter.varNames(), (std::vector<std::string>{"A", "B", "C", ""}));
    EXPECT_EQ(box.filter.varCount(), 3);
    box.filter.reset(4);
    box.text.clear();
    box.type("C+A");
    box.filter.sortVarNames();
    EXPECT_EQ(box.filter.varNames(), (std::vector<std::string>{"A", "C", "", ""}));
}

TEST(EquationKeyFilter, LastCharAndPrimeCount) {
    Box box(4);
    EXPECT_EQ(box.filter.lastChar(), "");
    box.type("A'");
    EXPECT_EQ(box.filter.lastChar(), "'");
    EXPECT_EQ(box.filter.primeCount(), 1);
    box.type("'");  // refused: lastChar becomes the refused key's code 0
    EXPECT_EQ(box.filter.lastChar(), std::string(1, '\0'));
    box.type("+");
    EXPECT_EQ(box.filter.primeCount(), 0);
    box.type("B");
    box.type("A");  // refused by the order test: lastChar stays
    EXPECT_EQ(box.filter.lastChar(), "B");
    box.type("?");  // any other key: lastChar stays
    EXPECT_EQ(box.filter.lastChar(), "B");
}

TEST(EquationKeyFilter, BackspaceOnOneCharacterClearsTheForm) {
    Box box(4);
    box.type("AB");
    box.press(EquationKeyFilter::kBackspace);
    EXPECT_EQ(box.text, "A");
    EXPECT_EQ(box.clears, 0);
    // Letters once typed stay in use until a reset.
    EXPECT_EQ(box.filter.varCount(), 2);
    box.press(EquationKeyFilter::kBackspace);
    EXPECT_EQ(box.text, "");
    EXPECT_EQ(box.clears, 1);
    EXPECT_EQ(box.filter.varCount(), 0);
    EXPECT_EQ(box.filter.lastChar(), "\b");
}

TEST(EquationKeyFilter, EnterDropsATrailingPlusThenSimplifies) {
    Box box(4);
    box.type("AB+");
    box.press(EquationKeyFilter::kEnter);
    EXPECT_EQ(box.simplified, (std::vector<std::string>{"AB"}));
    EXPECT_EQ(box.text, "AB");
    EXPECT_EQ(box.filter.lastChar(), "\r");
}

}  // namespace
