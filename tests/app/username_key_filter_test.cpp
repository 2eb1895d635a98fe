#include <gtest/gtest.h>

#include <string>

#include "app/username_key_filter.h"

using namespace quendal::app;

namespace {

struct Typed {
    std::u32string text;
    int refused = 0;
    int oks = 0;
};

Typed typeKeys(UsernameKeyFilter& filter, const std::u32string& keys) {
    Typed typed;
    for (char32_t key : keys) {
        const auto result = filter.keyPress(key);
        switch (result.action) {
            case UsernameKeyFilter::Action::Accept: typed.text += result.key; break;
            case UsernameKeyFilter::Action::Refuse: ++typed.refused; break;
            case UsernameKeyFilter::Action::Ok: ++typed.oks; break;
        }
    }
    return typed;
}

struct TypingCase {
    const char* name;
    std::u32string keys;
    std::u32string text;
    int refused;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.name;
}

class UsernameTyping : public ::testing::TestWithParam<TypingCase> {};

}  // namespace

TEST_P(UsernameTyping, CapitalisesWordsAndRefusesWhatBreaksTheRules) {
    UsernameKeyFilter filter;
    const Typed typed = typeKeys(filter, GetParam().keys);
    EXPECT_TRUE(typed.text == GetParam().text);
    EXPECT_EQ(typed.refused, GetParam().refused);
    EXPECT_EQ(typed.oks, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, UsernameTyping,
    ::testing::Values(TypingCase{"words_get_capitals", U"test user", U"Test User", 0},
                      TypingCase{"initials", U"a.b.c", U"A.B.C", 0},
                      TypingCase{"capitals_are_kept", U"mIxEd", U"MIxEd", 0},
                      TypingCase{"leading_space", U" ann", U"Ann", 1},
                      TypingCase{"leading_full_stop", U".ann", U"Ann", 1},
                      TypingCase{"two_spaces", U"ann  lee", U"Ann Lee", 1},
                      TypingCase{"space_after_full_stop", U"a. b", U"A.B", 1},
                      TypingCase{"full_stop_after_space", U"a .b", U"A B", 1},
                      TypingCase{"two_full_stops", U"a..b", U"A.B", 1},
                      TypingCase{"digits_and_punctuation", U"r2-d2", U"Rd", 3},
                      TypingCase{"backspace", U"ab\bc", U"Abc", 1},
                      TypingCase{"escape_and_tab", U"a\x1b\tb", U"Ab", 2},
                      TypingCase{"letters_beyond_ascii", U"\u00e9mile", U"Mile", 1},
                      TypingCase{"ends_with_full_stop", U"jr.", U"Jr.", 0},
                      TypingCase{"ends_with_space", U"ann ", U"Ann ", 0},
                      TypingCase{"capital_after_capital", U"AB cD", U"AB CD", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UsernameKeyFilter, EnterAsksForOkWhateverWasTyped) {
    UsernameKeyFilter filter;
    EXPECT_EQ(filter.keyPress(13).action, UsernameKeyFilter::Action::Ok);
    typeKeys(filter, U"ann");
    EXPECT_EQ(filter.keyPress(13).action, UsernameKeyFilter::Action::Ok);
    EXPECT_EQ(filter.prevChar, 'a');
}

TEST(UsernameKeyFilter, ARefusedKeyLeavesTheStateAsItWas) {
    UsernameKeyFilter filter;
    typeKeys(filter, U"ann ");
    EXPECT_EQ(filter.prevChar, ' ');
    typeKeys(filter, U" .7");
    EXPECT_EQ(filter.prevChar, ' ');
    EXPECT_TRUE(typeKeys(filter, U"lee").text == U"Lee");
}

TEST(UsernameKeyFilter, ResetStartsTheCapitalisationAgain) {
    UsernameKeyFilter filter;
    typeKeys(filter, U"ann");
    filter.reset();
    EXPECT_EQ(filter.prevChar, 0);
    const Typed typed = typeKeys(filter, U" bo");
    EXPECT_TRUE(typed.text == U"Bo");
    EXPECT_EQ(typed.refused, 1);
}
