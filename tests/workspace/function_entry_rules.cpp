// The rules of the function entry model, without widgets (and without a
// QApplication): what a tick does, what an untick asks, what Simplify sends.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "workspace/function_entry.h"
#include "workspace/simplification_log.h"

using namespace quendal::drawing;
using namespace quendal::workspace;

namespace {

using Option = FunctionEntry::Option;
using Mode = FunctionEntry::Mode;

const std::string kMinTermQuestion =
    "You've Unchecked a MinTerm !\nDo you still want to continue ?";
const std::string kMaxTermQuestion =
    "You've Unchecked a MaxTerm !\nDo you still want to continue ?";
const std::string kDontCareQuestion =
    "You've Unchecked a DontCare Term !\nDo you still want to continue ?";

// Terms ticked under `termsOption`, don't-cares under Don't Care.
FunctionEntry ticked(int numVars, Option termsOption, std::set<int> terms,
                     std::set<int> dontCares = {}) {
    FunctionEntry e;
    e.reset(numVars);
    e.choose(termsOption);
    for (int t : terms) e.changeTick(t, true);
    if (!dontCares.empty()) {
        e.choose(Option::DontCare);
        for (int t : dontCares) e.changeTick(t, true);
    }
    return e;
}

void type(FunctionEntry& e, const std::string& keys) {
    std::string text = e.texts().sop;
    const EquationKeyFilter::Hooks none{[] {}, [] {}, [] {}};
    for (char c : keys) {
        e.startTyping();
        text = e.texts().sop;
        const int key = e.keyFilter().keyPress(text, c, none);
        if (key != 0) e.setEquationText(text + static_cast<char>(key));
    }
}

TEST(FunctionEntryRules, TheFirstTermOptionFixesTheMode) {
    FunctionEntry e;
    EXPECT_EQ(e.mode(), Mode::Undecided);
    EXPECT_TRUE(e.minTermsOpen() && e.maxTermsOpen());
    e.choose(Option::DontCare);
    EXPECT_EQ(e.mode(), Mode::Undecided);
    e.choose(Option::MinTerms);
    EXPECT_FALSE(e.maxTermsOpen());
    e.reset(3);
    EXPECT_TRUE(e.maxTermsOpen());
    e.choose(Option::MaxTerms);
    EXPECT_FALSE(e.minTermsOpen());
    // A typed equation stays refused after Max Terms, even for new variables.
    EXPECT_TRUE(e.equationLocked());
    e.reset(2);
    EXPECT_TRUE(e.equationLocked());
}

TEST(FunctionEntryRules, TicksJoinTheSelectedList) {
    FunctionEntry e = ticked(4, Option::MinTerms, {12, 3, 9}, {15, 0});
    EXPECT_EQ(e.terms(), (std::set<int>{3, 9, 12}));
    EXPECT_EQ(e.termsText(), "3,9,12");
    EXPECT_EQ(e.dontCareText(), "0,15");
    EXPECT_TRUE(e.canSimplify());
    EXPECT_TRUE(e.isTicked(15));
    EXPECT_FALSE(e.isTicked(4));
    // Only don't-cares: nothing to simplify yet.
    EXPECT_FALSE(ticked(2, Option::DontCare, {}, {1}).canSimplify());
}

// Every untick: which question comes first, and which option it selects.
struct UntickCase {
    const char* name;
    Option termsOption;  // the option the term was ticked under
    bool dontCare;       // the row unticked is a don't-care (else a term)
    Option selected;     // the option selected when unticking
    std::optional<std::string> question;
    Option afterwards;
};

class Untick : public testing::TestWithParam<UntickCase> {};

TEST_P(Untick, AsksWhenTheSelectedOptionIsNotTheRowsList) {
    const UntickCase& c = GetParam();
    FunctionEntry e = ticked(3, c.termsOption, {1}, {2});
    e.choose(c.selected);
    const int row = c.dontCare ? 2 : 1;
    EXPECT_EQ(e.changeTick(row, false), c.question);
    EXPECT_TRUE(e.isTicked(row));  // only asked so far
    EXPECT_EQ(e.confirmUntick(row), c.afterwards);
    EXPECT_FALSE(e.isTicked(row));
    EXPECT_EQ(e.canSimplify(), c.dontCare);  // the only term went
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Untick,
    testing::Values(UntickCase{"MinTermUnderMinTerms", Option::MinTerms, false, Option::MinTerms,
                               std::nullopt, Option::MinTerms},
                    UntickCase{"MinTermUnderDontCare", Option::MinTerms, false, Option::DontCare,
                               kMinTermQuestion, Option::MinTerms},
                    UntickCase{"MaxTermUnderMaxTerms", Option::MaxTerms, false, Option::MaxTerms,
                               std::nullopt, Option::MaxTerms},
                    UntickCase{"MaxTermUnderDontCare", Option::MaxTerms, false, Option::DontCare,
                               kMaxTermQuestion, Option::MaxTerms},
                    UntickCase{"DontCareUnderDontCare", Option::MinTerms, true, Option::DontCare,
                               std::nullopt, Option::DontCare},
                    UntickCase{"DontCareUnderMinTerms", Option::MinTerms, true, Option::MinTerms,
                               kDontCareQuestion, Option::DontCare},
                    UntickCase{"DontCareUnderMaxTerms", Option::MaxTerms, true, Option::MaxTerms,
                               kDontCareQuestion, Option::DontCare}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FunctionEntryRules, AnyTickChangeEmptiesTheTexts) {
    FunctionEntry e = ticked(2, Option::MinTerms, {1});
    ASSERT_TRUE(e.prepareSimplify());
    EXPECT_EQ(e.texts().sop, "A'B");
    EXPECT_TRUE(e.equationFromTerms());
    e.changeTick(1, false);  // asked about or not, the texts go
    EXPECT_EQ(e.texts().sop, "");
    EXPECT_FALSE(e.equationFromTerms());
}

struct InCase {
    const char* name;
    FunctionEntry entry;
    std::string inText;
};

class SimplifyInput : public testing::TestWithParam<InCase> {};

TEST_P(SimplifyInput, IsTheMinimizersInFile) {
    FunctionEntry e = GetParam().entry;
    const std::optional<FunctionEntry::Input> input = e.prepareSimplify();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->inText, GetParam().inText);
    EXPECT_EQ(input->nothingToMinimize, GetParam().inText.empty());
}

FunctionEntry typedEntry(const std::string& keys) {
    FunctionEntry e;
    type(e, keys);
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SimplifyInput,
    testing::Values(
        InCase{"MinTerms", ticked(3, Option::MinTerms, {6, 1}, {7}), "001\r\n110\r\n111d"},
        InCase{"MaxTermsGiveTheOtherRows", ticked(2, Option::MaxTerms, {0, 3}), "01\r\n10"},
        InCase{"MaxTermsLeaveOutDontCares", ticked(2, Option::MaxTerms, {0}, {3}),
               "01\r\n10\r\n11d"},
        InCase{"EveryMaxTermMeansNoRun", ticked(1, Option::MaxTerms, {0, 1}), ""},
        InCase{"OnlyDontCaresMeansNoRun", ticked(2, Option::DontCare, {}, {3}), ""},
        InCase{"Equation", typedEntry("ab'+c"), "10-\r\n--1"},
        InCase{"EquationColumnsSorted", typedEntry("c+a"), "-1\r\n1-"}),
    [](const auto& info) { return std::string(info.param.name); });

// A function entered as min-terms and its complement entered as max-terms
// (with the same don't-cares) send the same in.txt: every function of three
// variables with don't-cares on rows 6 and 7.
TEST(FunctionEntryRules, MaxTermsAreTheComplementsMinTerms) {
    for (int f = 1; f < 63; ++f) {
        std::set<int> ones, zeros;
        for (int t = 0; t < 6; ++t) (f >> t & 1 ? ones : zeros).insert(t);
        FunctionEntry asMin = ticked(3, Option::MinTerms, ones, {6, 7});
        FunctionEntry asMax = ticked(3, Option::MaxTerms, zeros, {6, 7});
        EXPECT_EQ(asMin.prepareSimplify()->inText, asMax.prepareSimplify()->inText) << f;
    }
}

TEST(FunctionEntryRules, ARunWithoutMintermsAnswersZero) {
    FunctionEntry e = ticked(2, Option::MaxTerms, {0, 1, 2, 3});
    ASSERT_TRUE(e.prepareSimplify());
    EXPECT_EQ(e.texts().minSop, "0");
    EXPECT_EQ(e.texts().minPos, "0");
}

TEST(FunctionEntryRules, AnEmptyEquationIsNoInputAndATrailingPlusGoes) {
    FunctionEntry e;
    EXPECT_FALSE(e.prepareSimplify());
    type(e, "+");  // refused: the box stays empty
    EXPECT_FALSE(e.prepareSimplify());
    type(e, "b+");
    const std::optional<FunctionEntry::Input> input = e.prepareSimplify();
    ASSERT_TRUE(input);
    EXPECT_EQ(e.texts().sop, "B");
    EXPECT_EQ(input->inText, "1");
}

TEST(FunctionEntryRules, TheAnswerBecomesTheMinimizedTextsAndTheDrawingsFunction) {
    FunctionEntry e = typedEntry("c+b'a");
    const std::optional<FunctionEntry::Input> input = e.prepareSimplify();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->columns, 3);
    e.takeAnswer({"--1", "10-"});
    e.completeSimplify();
    EXPECT_EQ(e.texts().minSop, "C+AB'");
    const FunctionView& f = e.minimized();
    EXPECT_EQ(f.function.width, 3);
    EXPECT_EQ(listedTerms(f), (std::vector<int>{1, 3, 4, 5, 7}));
    EXPECT_EQ(f.minimum, (std::vector<logic::Cube>{{0b001, 0b110}, {0b100, 0b001}}));
    EXPECT_EQ(f.termsText, "1,3,4,5,7");
    EXPECT_EQ(f.sopText, "C+B'A");
    const LogRecord r = e.logRecord("ADA", "05-Mar-2024", "12:07 AM");
    EXPECT_EQ(r.texts.sop, "C+B'A");
    EXPECT_EQ(r.texts.minSop, "C+AB'");
}

TEST(FunctionEntryRules, TypingAfterATermsRunStartsFromAnEmptyBox) {
    FunctionEntry e = ticked(2, Option::MinTerms, {1});
    ASSERT_TRUE(e.prepareSimplify());
    EXPECT_TRUE(e.startTyping());
    EXPECT_EQ(e.texts().sop, "");
    EXPECT_TRUE(e.terms().empty());
    EXPECT_EQ(e.option(), Option::None);
    EXPECT_TRUE(e.canSimplify());
    EXPECT_FALSE(e.startTyping());
}

}  // namespace
