// The row set's counting and comparison are written out word by word for speed: checked against
// the plain bit-by-bit answers on sets of every density, the empty and the full set included.

#include "logic/row_set.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(RowSet, CountAndEqualityMatchBitByBit) {
    std::mt19937 random(17);
    for (int trial = 0; trial <= 400; ++trial) {
        const unsigned density = static_cast<unsigned>(trial % 101);  // percent of rows set
        logic::RowSet set;
        int expected = 0;
        for (int row = 0; row < 256; ++row) {
            if (random() % 100 < density) {
                set.set(row);
                ++expected;
            }
        }
        ASSERT_EQ(set.count(), expected) << trial;
        logic::RowSet same = set;
        ASSERT_TRUE(same == set);
        const int row = static_cast<int>(random() % 256);
        same.test(row) ? same.reset(row) : same.set(row);
        ASSERT_FALSE(same == set) << trial << " " << row;
    }
    logic::RowSet full;
    for (int row = 0; row < 256; ++row) full.set(row);
    EXPECT_EQ(full.count(), 256);
    EXPECT_EQ(logic::RowSet{}.count(), 0);
}

}  // namespace
