#include "logic/function.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> rowsOf(const logic::RowSet& set) {
    std::vector<int> rows;
    set.forEach([&rows](int row) { rows.push_back(row); });
    return rows;
}

// Listed terms are the ones or the zeros by the mode; a row listed and a don't-care stays a
// one, and numbers outside the table are ignored.
TEST(FunctionOfTerms, OnesAndDontCaresByTheTermMode) {
    using logic::TermMode;
    const logic::Function ones =
        logic::functionOfTerms(2, {1, 3, 4, -1}, TermMode::Minterms, {3, 2});
    EXPECT_EQ(ones.width, 2);
    EXPECT_EQ(rowsOf(ones.on), (std::vector<int>{1, 3}));
    EXPECT_EQ(rowsOf(ones.dc), (std::vector<int>{2}));
    const logic::Function zeros = logic::functionOfTerms(3, {0, 5}, TermMode::Maxterms, {7});
    EXPECT_EQ(rowsOf(zeros.on), (std::vector<int>{1, 2, 3, 4, 6}));
    EXPECT_EQ(rowsOf(zeros.dc), (std::vector<int>{7}));
    EXPECT_TRUE(logic::functionOfTerms(2, {}, TermMode::Minterms).on.empty());
}

}  // namespace
