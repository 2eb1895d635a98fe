// Reading input files and writing the cover: accepted forms, every kind of bad input, and the
// output format and order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "minimizer/input_format.h"
#include "minimizer/minimize.h"

namespace {

std::vector<int> rowsOf(const logic::RowSet& set) {
    std::vector<int> rows;
    set.forEach([&](int row) { rows.push_back(row); });
    return rows;
}

struct GoodInput {
    const char* name;
    std::string text;
    int width;
    std::vector<int> on;
    std::vector<int> dc;
};

class AcceptedInput : public ::testing::TestWithParam<GoodInput> {};

TEST_P(AcceptedInput, GivesTheFunction) {
    const GoodInput& input = GetParam();
    const logic::Function function = qm::parseFunction(input.text, "in.txt");
    EXPECT_EQ(function.width, input.width);
    EXPECT_EQ(rowsOf(function.on), input.on);
    EXPECT_EQ(rowsOf(function.dc), input.dc);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, AcceptedInput,
    ::testing::Values(
        // The exchange file as the application writes it: CR LF, no line end at the end.
        GoodInput{"TermsWithDontCare", "001\r\n110\r\n111d", 3, {1, 6}, {7}},
        GoodInput{"LfLineEnds", "001\n110\n111d\n", 3, {1, 6}, {7}},
        GoodInput{"FinalCrLf", "01\r\n10\r\n", 2, {1, 2}, {}},
        GoodInput{"TrailingBlankLines", "01\r\n\r\n\n", 2, {1}, {}},
        // Product lines from a typed equation cover every row they match.
        GoodInput{"ProductLines", "10-\r\n--1", 3, {1, 3, 4, 5, 7}, {}},
        GoodInput{"DontCareProduct", "1\r\n-d", 1, {1}, {0}},
        GoodInput{"OnWinsOverDontCare", "11d\r\n1-\r\n00d", 2, {2, 3}, {0}},
        GoodInput{"RepeatedLines", "0\n0\n0", 1, {0}, {}},
        GoodInput{"OnlyDontCares", "0d\r\n1d", 1, {}, {0, 1}},
        GoodInput{"EightColumns", "11111111\r\n0000000-d", 8, {255}, {0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadInput {
    const char* name;
    std::string text;
    std::string message;  // the exact one-line description
};

class RejectedInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(RejectedInput, NamesFileLineAndProblem) {
    const BadInput& input = GetParam();
    try {
        qm::parseFunction(input.text, "in.txt");
        FAIL() << "accepted";
    } catch (const qm::InputError& error) {
        EXPECT_EQ(std::string(error.what()), input.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Problems, RejectedInput,
    ::testing::Values(
        BadInput{"Empty", "", "in.txt: the file is empty"},
        BadInput{"OnlyLineEnds", "\r\n\r\n", "in.txt: the file holds no code lines"},
        BadInput{"BlankLineInside", "01\r\n\r\n10", "in.txt, line 2: the line is empty"},
        BadInput{"WidthsDiffer", "01\r\n10\r\n1",
                 "in.txt, line 3: the line has 1 variable column, but line 1 has 2"},
        BadInput{"DontCareWidthDiffers", "01\r\n101d",
                 "in.txt, line 2: the line has 3 variable columns, but line 1 has 2"},
        BadInput{"NineColumns", "000000000",
                 "in.txt, line 1: the line has 9 variable columns, at most 8 are allowed"},
        BadInput{"NoColumns", "d", "in.txt, line 1: the line has no variable columns"},
        BadInput{"DInside", "0d1", "in.txt, line 1: 'd' may only end a line, found in column 2"},
        BadInput{"DoubleD", "01dd", "in.txt, line 1: 'd' may only end a line, found in column 3"},
        BadInput{"UppercaseD", "01D",
                 "in.txt, line 1: 'D' in column 3 is not allowed (only 0, 1, - and a final d)"},
        BadInput{"Letter", "0x1",
                 "in.txt, line 1: 'x' in column 2 is not allowed (only 0, 1, - and a final d)"},
        BadInput{"Space", "01\n0 1",
                 "in.txt, line 2: byte 0x20 in column 2 is not allowed (only 0, 1, - and a "
                 "final d)"},
        BadInput{"TrailingSpace", "01 ",
                 "in.txt, line 1: byte 0x20 in column 3 is not allowed (only 0, 1, - and a "
                 "final d)"},
        BadInput{"Tab", "\t01",
                 "in.txt, line 1: byte 0x09 in column 1 is not allowed (only 0, 1, - and a "
                 "final d)"},
        BadInput{"Nul",
                 std::string("0\0"
                             "1",
                             3),
                 "in.txt, line 1: byte 0x00 in column 2 is not allowed (only 0, 1, - and a "
                 "final d)"},
        BadInput{"LoneCarriageReturn", "01\r10",
                 "in.txt, line 1: a carriage return in column 3 is not allowed (only 0, 1, - "
                 "and a final d)"},
        BadInput{"Utf8ByteOrderMark",
                 "\xEF\xBB\xBF"
                 "01",
                 "in.txt, line 1: byte 0xEF in column 1 is not allowed (only 0, 1, - and a "
                 "final d)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputFormat, OneCodePerLineWithCrLfInCodeOrder) {
    // 0 before 1 before -, column by column: 01 before 10, and 1- before -1.
    const std::vector<logic::Cube> cover{{0b01, 0b10}, {0b10, 0b01}, {0b10, 0b00}, {0b01, 0b00}};
    EXPECT_EQ(qm::formatCover(cover, 2), "01\r\n10\r\n1-\r\n-1\r\n");
}

TEST(OutputFormat, EmptyOnSetGivesEmptyText) {
    const logic::Function function = qm::parseFunction("00d\r\n11d", "in.txt");
    EXPECT_EQ(qm::formatCover(qm::minimize(function), function.width), "");
}

TEST(OutputFormat, ConstantOneGivesOneLineOfDashes) {
    const logic::Function function = qm::parseFunction("0--\r\n1-0\r\n1-1d", "in.txt");
    EXPECT_EQ(qm::formatCover(qm::minimize(function), function.width), "---\r\n");
}

TEST(OutputFormat, ExchangeExampleMinimizes) {
    // Minterms 1 and 6 with don't-care 7 of three variables: A'B'C + AB.
    const logic::Function function = qm::parseFunction("001\r\n110\r\n111d", "in.txt");
    EXPECT_EQ(qm::formatCover(qm::minimize(function), function.width), "001\r\n11-\r\n");
}

}  // namespace
