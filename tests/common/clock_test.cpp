#include "common/clock.h"
#include "common/twips.h"

#include <gtest/gtest.h>

using namespace quendal::common;

struct TimeCase {
    int hour, minute;
    const char* text;
};

void PrintTo(const TimeCase& c, std::ostream* os) {
    *os << c.text;
}

class HeaderTime : public ::testing::TestWithParam<TimeCase> {};

TEST_P(HeaderTime, UsesTwelveHourClockWithTwelveAfterMidnightAndNoon) {
    const TimeCase& c = GetParam();
    EXPECT_EQ(headerTime({2026, 12, 7, c.hour, c.minute, 0}), c.text);
}

INSTANTIATE_TEST_SUITE_P(Clock, HeaderTime,
                         ::testing::Values(TimeCase{7, 40, "07:40 AM"}, TimeCase{0, 30, "12:30 AM"},
                                           TimeCase{12, 0, "12:00 PM"},
                                           TimeCase{12, 59, "12:59 PM"},
                                           TimeCase{13, 5, "01:05 PM"},
                                           TimeCase{23, 59, "11:59 PM"},
                                           TimeCase{11, 59, "11:59 AM"}));

TEST(HeaderDate, TwoDigitDayEnglishMonthFourDigitYear) {
    EXPECT_EQ(headerDate({2026, 12, 7}), "07-Dec-2026");
    EXPECT_EQ(headerDate({1999, 1, 31}), "31-Jan-1999");
    EXPECT_EQ(headerDate({2024, 2, 29}), "29-Feb-2024");
}

TEST(Twips, FifteenTwipsPerPixelRoundedToNearest) {
    EXPECT_EQ(twipsToPixels(9696), 646);
    EXPECT_EQ(twipsToPixels(7296), 486);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsToPixels(-8), -1);
    EXPECT_EQ(pixelsToTwips(646), 9690);
}
