#include "logic/pla.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using logic::parsePla;
using logic::Pla;
using logic::PlaError;

std::string rowsText(const logic::RowSet& set) {
    std::string text;
    set.forEach([&text](int row) { text += std::to_string(row) + " "; });
    return text;
}

// Any PLA the writer makes reads back as it was: header, names, type, comments and rows.
TEST(PlaFiles, WrittenFilesReadBackAsTheyWere) {
    std::mt19937 random(7);
    const std::string inputCells = "01-";
    const std::string outputCells = "10-~";
    for (int trial = 0; trial < 200; ++trial) {
        Pla pla;
        pla.inputs = 1 + static_cast<int>(random() % 8);
        pla.outputs = 1 + static_cast<int>(random() % 10);
        if (random() % 2) {
            for (int i = 0; i < pla.inputs; ++i) pla.inputNames.push_back("x" + std::to_string(i));
        }
        if (random() % 2) {
            for (int j = 0; j < pla.outputs; ++j)
                pla.outputNames.push_back("out_" + std::to_string(j));
        }
        const char* types[] = {"", "f", "fd", "fr", "fdr", "r", "dr"};
        pla.type = types[random() % 7];
        if (random() % 2) pla.comments = {" quendal design", "another # comment"};
        const int rows = static_cast<int>(random() % 12);
        for (int r = 0; r < rows; ++r) {
            std::string code;
            for (int i = 0; i < pla.inputs; ++i) code += inputCells[random() % 3];
            logic::PlaRow row;
            row.input = logic::cubeOfCode(code);
            for (int j = 0; j < pla.outputs; ++j) row.outputs += outputCells[random() % 4];
            pla.rows.push_back(row);
        }
        const std::string text = logic::formatPla(pla);
        const Pla back = parsePla(text);
        EXPECT_EQ(back.inputs, pla.inputs);
        EXPECT_EQ(back.outputs, pla.outputs);
        EXPECT_EQ(back.inputNames, pla.inputNames);
        EXPECT_EQ(back.outputNames, pla.outputNames);
        EXPECT_EQ(back.type, pla.type);
        EXPECT_EQ(back.comments, pla.comments);
        ASSERT_EQ(back.rows.size(), pla.rows.size()) << text;
        for (std::size_t r = 0; r < pla.rows.size(); ++r) {
            EXPECT_EQ(back.rows[r].input, pla.rows[r].input) << text;
            EXPECT_EQ(back.rows[r].outputs, pla.rows[r].outputs) << text;
        }
        EXPECT_EQ(logic::formatPla(back), text);
    }
}

// What other tools write: CR LF, tabs, no space between the parts, .end, text after the end.
TEST(PlaFiles, ReadsTheCommonSpellings) {
    const Pla pla = parsePla(
        "# adder\r\n.i 2\r\n.o 2\r\n\r\n  .ilb a b\r\n.ob s c\r\n.p 3\r\n"
        "01\t10\r\n1010\r\n1 1 0 1\r\n.end\r\nanything at all\r\n");
    EXPECT_EQ(pla.inputNames, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(logic::plaOutputName(pla, 1), "c");
    ASSERT_EQ(pla.rows.size(), 3U);
    EXPECT_EQ(pla.rows[2].outputs, "01");
    EXPECT_EQ(pla.rows[2].line, 10);
    const std::vector<logic::Function> f = logic::plaFunctions(pla);
    EXPECT_EQ(rowsText(f[0].on), "1 2 ");
    EXPECT_EQ(rowsText(f[1].on), "3 ");
    EXPECT_EQ(logic::plaOutputName(parsePla(".i 1\n.o 3\n"), 2), "Y2");
}

// Each type reads its own sets and makes the one it leaves out the rest of the table.
TEST(PlaFiles, TheTypeSaysWhichSetsTheRowsGive) {
    const std::string rows = "00 1\n01 -\n10 0\n11 ~\n";
    struct Case {
        const char* type;
        const char* on;
        const char* dc;
    };
    for (const Case& c : {Case{"f", "0 ", ""}, Case{"fd", "0 ", "1 "}, Case{"", "0 ", "1 "},
                          Case{"fr", "0 ", "1 3 "}, Case{"fdr", "0 ", "1 3 "},
                          Case{"r", "0 1 3 ", ""}, Case{"dr", "0 3 ", "1 "}}) {
        const std::string type = *c.type ? std::string(".type ") + c.type + "\n" : "";
        const auto f = logic::plaFunctions(parsePla(".i 2\n.o 1\n" + type + rows));
        EXPECT_EQ(rowsText(f[0].on), c.on) << c.type;
        EXPECT_EQ(rowsText(f[0].dc), c.dc) << c.type;
    }
    // A row both on and don't-care is a don't-care; one both on and off is refused.
    const auto overlap = logic::plaFunctions(parsePla(".i 2\n.o 1\n0- 1\n00 -\n"));
    EXPECT_EQ(rowsText(overlap[0].on), "1 ");
    EXPECT_EQ(rowsText(overlap[0].dc), "0 ");
    try {
        logic::plaFunctions(parsePla(".i 2\n.o 2\n.ob p q\n.type fr\n1- 11\n11 10\n"));
        FAIL() << "a row both 1 and 0 was taken";
    } catch (const PlaError& error) {
        EXPECT_EQ(error.line(), 6);
        EXPECT_NE(error.reason().find("output q is 0"), std::string::npos) << error.what();
    }
}

// Every kind of malformed file is refused with its line and a reason naming the fault.
TEST(PlaFiles, MalformedFilesAreRefusedWithTheLineAndTheReason) {
    struct Case {
        const char* text;
        int line;
        const char* mentions;
    };
    const Case cases[] = {
        {"", 1, "no .i line"},
        {".i 3\n", 2, "no .o line"},
        {".i 2\n10 1\n", 2, "before the .i and .o lines"},
        {".i 2\n.o 1\n1\n", 3, "needs 2 input and 1 output characters, not 1"},
        {".i 2\n.o 1\n10 11\n", 3, "not 4"},
        {".i 2\n.o 1\n1x 1\n", 3, "input 2 is 'x'"},
        {".i 2\n.o 1\n10 2\n", 3, "output 1 is '2'"},
        {".i 0\n", 1, "1 to 8"},
        {".i 9\n", 1, "1 to 8"},
        {".i 2\n.o 33\n", 2, "1 to 32"},
        {".i two\n", 1, "not \"two\""},
        {".i 2 3\n", 1, "takes one number"},
        {".i 2\n.i 2\n", 2, "a second .i line"},
        {".i 2\n.o 1\n.ilb a\n", 3, "names 1, not 2 inputs"},
        {".ilb a b\n.i 2\n", 1, ".ilb before .i"},
        {".i 1\n.o 2\n.ob y\n", 3, "names 1, not 2 outputs"},
        {".i 1\n.o 1\n.type q\n", 3, ".type must be"},
        {".i 1\n.o 1\n.phase 1\n", 3, "unsupported keyword \".phase\""},
        {".i 1\n.o 1\n1 1\n.o 1\n", 4, ".o after the first product row"},
        {".i 1\n.o 1\n.p 2\n1 1\n", 3, ".p announces 2 product rows, the file has 1"},
        {".i 1\n.o 1\n1 1\x01\n", 3, "control character (byte 0x01)"},
        {".i 1\n.o 1\n1 1\r\r\n", 3, "control character (byte 0x0D)"},
        {".i 1\n.o 1\n1\x00 1\n", 3, "byte 0x00"},
    };
    for (const Case& c : cases) {
        // The NUL case needs its length: the others end at their first NUL.
        const std::string text = c.line == 3 && std::string(c.mentions) == "byte 0x00"
                                     ? std::string(".i 1\n.o 1\n1\0 1\n", 15)
                                     : std::string(c.text);
        try {
            parsePla(text);
            ADD_FAILURE() << "taken: " << text;
        } catch (const PlaError& error) {
            EXPECT_EQ(error.line(), c.line) << text << " -> " << error.what();
            EXPECT_NE(std::string(error.what()).find(c.mentions), std::string::npos)
                << text << " -> " << error.what();
        }
    }
}

}  // namespace
