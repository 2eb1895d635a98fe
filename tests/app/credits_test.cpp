#include <gtest/gtest.h>

#include <QStringList>

#include "app/credits.h"

using namespace quendal::app;

TEST(CreditRotation, FirstTickShowsPositionOneAndCyclesThroughFour) {
    std::int16_t tick = 0;
    std::vector<int> shown;
    for (int i = 0; i < 6; ++i) {
        tick = nextCreditTick(tick);
        shown.push_back(creditIndex(tick));
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 0, 1, 2}));
}

TEST(CreditRotation, TheSixteenBitCounterWrapsAndTheRotationGoesOn) {
    std::int16_t tick = 32766;
    tick = nextCreditTick(tick);
    EXPECT_EQ(tick, 32767);
    EXPECT_EQ(creditIndex(tick), 3);
    tick = nextCreditTick(tick);
    EXPECT_EQ(tick, 0);
    EXPECT_EQ(creditIndex(tick), 0);
    tick = nextCreditTick(tick);
    EXPECT_EQ(creditIndex(tick), 1);
}

TEST(CreditRotation, FourNamesAreFilledAndTheFifthPositionStaysEmpty) {
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(kCreditNames[i].isEmpty()) << i;
    EXPECT_TRUE(kCreditNames[4].isEmpty());
    EXPECT_EQ(creditIndex(-5), 3);  // never produced, yet still a filled position
}

TEST(AboutBox, HasItsLinesInOrder) {
    const QStringList lines = aboutText(1, 0, 0).split('\n');
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "     Quendal");
    EXPECT_EQ(lines[1], "           Version 1.0.0");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "   Designed & Developed by");
    for (int i = 4; i < 8; ++i) {
        EXPECT_TRUE(lines[i].startsWith("           ")) << i;
        EXPECT_NE(lines[i].trimmed(), "") << i;
    }
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "     Under the Guidance of ");
    for (int i = 10; i < 13; ++i) EXPECT_NE(lines[i].trimmed(), "") << i;
}
