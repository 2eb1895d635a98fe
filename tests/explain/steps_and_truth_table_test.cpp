// The truth table and the Steps page read back from their recorded texts and compared with the
// explanation they show, over every function of two variables and a seeded sample of three to
// five, don't-cares included.

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <map>
#include <random>
#include <set>

#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "logic/expression_text.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;
using namespace quendal::explain;

namespace {

using Op = RecordingCanvas::Op;

// A function from its truth table column, row 0 first: '1', '0' or '-' (don't care).
logic::Function functionOf(const std::string& column) {
    logic::Function f;
    while ((1u << f.width) < column.size()) ++f.width;
    for (std::size_t row = 0; row < column.size(); ++row) {
        if (column[row] == '1') f.on.set(static_cast<int>(row));
        if (column[row] == '-') f.dc.set(static_cast<int>(row));
    }
    return f;
}

// Every column of two variables, then a seeded sample of three to five.
std::vector<std::string> columns() {
    std::vector<std::string> all;
    for (int code = 0; code < 81; ++code) {
        std::string column;
        for (int row = 0, c = code; row < 4; ++row, c /= 3) column += "10-"[c % 3];
        all.push_back(column);
    }
    std::mt19937 random(5);
    for (int width = 3; width <= 5; ++width) {
        for (int member = 0; member < 25; ++member) {
            std::string column;
            for (int row = 0; row < (1 << width); ++row) column += "1110000--"[random() % 9];
            all.push_back(column);
        }
    }
    return all;
}

std::vector<Op> textsOf(const RecordingCanvas& canvas) {
    std::vector<Op> texts;
    for (const Op& op : canvas.operations())
        if (op.kind == RecordingCanvas::Kind::Text) texts.push_back(op);
    return texts;
}

std::string rowsText(const logic::RowSet& rows) {
    std::string text;
    rows.forEach([&](int r) { text += (text.empty() ? "" : ", ") + std::to_string(r); });
    return text.empty() ? "none" : text;
}

// One row of the table as printed: the texts on one line, by the column heading they stand
// under (the covering products, in order, with their colours).
struct TableRow {
    std::map<std::string, std::string> cells;
    std::vector<std::pair<std::string, Rgb>> coveredBy;
};

std::vector<TableRow> readTable(const RecordingCanvas& canvas) {
    const std::vector<Op> texts = textsOf(canvas);
    const auto heading =
        std::find_if(texts.begin(), texts.end(), [](const Op& t) { return t.text == "Row"; });
    EXPECT_NE(heading, texts.end());
    if (heading == texts.end()) return {};
    std::map<int, std::string> columnAt;  // left edge -> heading text
    int coveredByX = 0;
    for (const Op& t : texts) {
        if (t.y1 != heading->y1) continue;
        columnAt[t.x1] = t.text;
        if (t.text == "Covered by") coveredByX = t.x1;
    }
    std::vector<TableRow> rows;
    int lastY = heading->y1;
    for (const Op& t : texts) {
        if (t.y1 <= heading->y1) continue;
        if (t.y1 != lastY) rows.emplace_back();
        lastY = t.y1;
        if (t.x1 >= coveredByX && t.text != ", ") {
            rows.back().coveredBy.emplace_back(t.text, t.colour.value_or(Rgb{}));
        } else if (t.x1 < coveredByX) {
            const auto column = std::prev(columnAt.upper_bound(t.x1));
            EXPECT_FALSE(rows.back().cells.count(column->second)) << t.text;
            rows.back().cells[column->second] = t.text;
        }
    }
    return rows;
}

TEST(TruthTableView, EveryRowShowsItsInputsOutputAndCoveringProducts) {
    for (const std::string& column : columns()) {
        SCOPED_TRACE(column);
        const logic::Function f = functionOf(column);
        const qm::Explanation e = qm::explain(f);
        const std::string letters = std::string("ABCDE").substr(0, f.width);
        RecordingCanvas canvas;
        drawTruthTable(canvas, e, letters);
        const std::vector<TableRow> rows = readTable(canvas);
        ASSERT_EQ(rows.size(), column.size());
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            const TableRow& read = rows[static_cast<std::size_t>(row)];
            EXPECT_EQ(read.cells.at("Row"), std::to_string(row));
            for (int v = 0; v < f.width; ++v) {
                const std::string bit = ((row >> (f.width - 1 - v)) & 1) ? "1" : "0";
                EXPECT_EQ(read.cells.at(letters.substr(v, 1)), bit) << row;
            }
            const char value = column[static_cast<std::size_t>(row)];
            EXPECT_EQ(read.cells.at("Y"), value == '-' ? "x" : std::string(1, value)) << row;
            std::vector<std::pair<std::string, Rgb>> expected;
            if (value == '1') {
                const std::vector<logic::Cube>& cover = e.covers.front();
                for (std::size_t k = 0; k < cover.size(); ++k)
                    if (cover[k].contains(row))
                        expected.emplace_back(logic::productText(cover[k], f.width, letters),
                                              loopColour(static_cast<int>(k)));
            }
            EXPECT_EQ(read.coveredBy, expected) << row;
        }
    }
}

// The Steps page's lines under each numbered heading, a line wrapped at the page's edge joined
// again (its rest is on the next line, indented 240 further; the cut was at a space, after a
// '+' or between two sums).
std::map<std::string, std::vector<std::string>> readSections(const RecordingCanvas& canvas) {
    std::map<std::string, std::vector<std::string>> sections;
    std::string current;
    int lineX = -1, lastY = -1;
    for (const Op& t : textsOf(canvas)) {
        if (t.text.size() > 3 && std::isdigit(static_cast<unsigned char>(t.text[0])) &&
            t.text.substr(1, 2) == ". ") {
            current = t.text.substr(0, 1);
        } else if (t.x1 == lineX + 240 && t.y1 == lastY + RecordingCanvas::kLineHeight) {
            std::string& line = sections[current].back();
            const bool glued = line.ends_with("+") || (line.ends_with(")") && t.text[0] == '(');
            line += (glued ? "" : " ") + t.text;
            lastY = t.y1;
            continue;
        } else {
            sections[current].push_back(t.text);
        }
        if (t.y1 != lastY) lineX = t.x1;
        lastY = t.y1;
    }
    return sections;
}

TEST(StepsView, ListsThePrimesEssentialPrimesAndMinimumCoversOfTheExplanation) {
    for (const std::string& column : columns()) {
        SCOPED_TRACE(column);
        const logic::Function f = functionOf(column);
        const qm::Explanation e = qm::explain(f);
        const std::string letters = std::string("ABCDE").substr(0, f.width);
        const auto product = [&](const logic::Cube& c) {
            return logic::productText(c, f.width, letters);
        };
        const auto sop = [&](const std::vector<logic::Cube>& c) {
            return "Y = " + logic::sopText(c, f.width, letters);
        };
        const auto name = [&](std::size_t p) {
            return "P" + std::to_string(p + 1) + " " +
                   (e.primes[p].literals(f.width) == 0 ? "(the constant 1)" : product(e.primes[p]));
        };
        RecordingCanvas canvas;
        drawSteps(canvas, e, letters);
        auto sections = readSections(canvas);

        std::vector<std::string> primes;
        for (std::size_t p = 0; p < e.primes.size(); ++p) {
            const logic::Cube& c = e.primes[p];
            primes.push_back(name(p) + " = " + logic::codeOf(c, f.width) + "   covers 1-rows " +
                             rowsText(c.rows(f.width) & f.on));
        }
        if (primes.empty()) primes.push_back("None: the function has no 1-row.");
        EXPECT_EQ(sections["2"], primes);

        // The chart labels its rows with the primes and marks the essential ones.
        std::set<std::string> labelled, essential, expectedLabels, expectedEssential;
        for (const std::string& line : sections["3"]) {
            if (line.size() < 2 || line[0] != 'P' || !std::isdigit(line[1])) continue;
            labelled.insert(line);
            if (line.ends_with(" (essential)")) essential.insert(line.substr(0, line.size() - 12));
        }
        for (std::size_t p = 0; p < e.primes.size(); ++p) {
            const bool isEssential =
                std::find(e.essential.begin(), e.essential.end(), e.primes[p]) != e.essential.end();
            expectedLabels.insert(name(p) + (isEssential ? " (essential)" : ""));
            if (isEssential) expectedEssential.insert(name(p));
        }
        EXPECT_EQ(labelled, expectedLabels);
        EXPECT_EQ(essential, expectedEssential);

        // Counts agree with their nouns; a constant says it is one.
        const logic::FormCost cost = qm::costOf(e.covers.front(), f.width);
        const auto counted = [](int n, const std::string& noun) {
            return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
        };
        const std::string costText =
            cost.literals == 0
                ? std::string(e.covers.front().empty() ? "(the constant 0: no 1-row)"
                                                       : "(the constant 1: every row "
                                                         "is a 1-row or a don't-care)")
                : "(" + counted(cost.terms, "product") + ", " + counted(cost.literals, "literal") +
                      ")";
        EXPECT_EQ(sections["5"],
                  std::vector<std::string>{sop(e.covers.front()) + "   " + costText});
        // All minimum covers are found at these sizes.
        ASSERT_TRUE(e.coverCount);
        std::vector<std::string> covers;
        if (e.covers.size() == 1) {
            covers.push_back("This is the only minimum cover.");
        } else {
            covers.push_back("There are " + std::to_string(e.covers.size()) +
                             " minimum covers, all as small:");
            for (const auto& cover : e.covers) covers.push_back(sop(cover));
        }
        // A cover may carry why it holds a dominated prime, after its text.
        std::vector<std::string> read = sections["6"];
        for (std::string& line : read) line = line.substr(0, line.find("   ("));
        EXPECT_EQ(read, covers);

        // No "1 products", and nothing left over from the function's old name.
        for (const auto& [section, lines] : sections) {
            for (const std::string& line : lines) {
                EXPECT_EQ(line.find(" 1 products"), std::string::npos) << line;
                EXPECT_EQ(line.find(" 1 literals"), std::string::npos) << line;
                EXPECT_EQ(line.find(" 1 sums"), std::string::npos) << line;
                EXPECT_FALSE(line.starts_with("F")) << line;
            }
        }
    }
}

TEST(StepsView, NamesEachDominatedPrimeAndItsDominator) {
    // m(1,4,5,6)+d(3): B'C dominates A'C and AB' after the essential AC'; no search follows.
    logic::Function f;
    f.width = 3;
    for (int row : {1, 4, 5, 6}) f.on.set(row);
    f.dc.set(3);
    RecordingCanvas canvas;
    drawSteps(canvas, qm::explain(f), "ABC");
    const std::vector<std::string> reductions = readSections(canvas)["4"];
    EXPECT_NE(std::find(reductions.begin(), reductions.end(),
                        "    P1 A'C (column 1; 2 literals) is dominated by P4 B'C (columns 1, 5; 2 "
                        "literals)."),
              reductions.end());
    for (const std::string& line : reductions) EXPECT_EQ(line.find("cyclic"), std::string::npos);
}

TEST(StepsView, GivesTheExactCountPastTheCoversItLists) {
    // "Not all variables equal" in 6 variables: 5! = 120 minimum covers, 32 of them listed.
    logic::Function f;
    f.width = 6;
    for (int row = 1; row < 63; ++row) f.on.set(row);
    RecordingCanvas canvas;
    drawSteps(canvas, qm::explain(f), "ABCDEF");
    const std::vector<std::string> covers = readSections(canvas)["6"];
    ASSERT_EQ(covers.size(), 33U);
    EXPECT_EQ(covers.front(), "There are 120 minimum covers, all as small; the first 32:");
}

TEST(StepsView, NamesTheFunctionYStaysOnThePageAndStrikesNoMarkAtSixToEightVariables) {
    std::mt19937 random(68);
    for (int width = 6; width <= 8; ++width) {
        std::string column;
        for (int row = 0; row < (1 << width); ++row) column += "1110000--"[random() % 9];
        const logic::Function f = functionOf(column);
        SCOPED_TRACE(width);
        RecordingCanvas canvas;
        drawSteps(canvas, qm::explain(f), std::string("ABCDEFGH").substr(0, width));
        const std::vector<Op> texts = textsOf(canvas);
        for (const Op& t : texts) {
            EXPECT_LE(t.x1 + canvas.textWidth(t.text), Canvas::kDefaultWidth - 240) << t.text;
            // The function is Y: F is a variable here.
            EXPECT_FALSE(t.text.starts_with("F =") || t.text.starts_with("F' =")) << t.text;
        }
        // The strike-through lines of the chart (grey, upright) cross no number and no X.
        for (const Op& line : canvas.operations()) {
            if (line.kind != RecordingCanvas::Kind::Line || line.colour != Rgb{160, 160, 160})
                continue;
            for (const Op& t : texts) {
                const bool across = line.x1 > t.x1 && line.x1 < t.x1 + canvas.textWidth(t.text);
                const bool along =
                    std::min(line.y1, line.y2) < t.y1 + RecordingCanvas::kLineHeight &&
                    std::max(line.y1, line.y2) > t.y1;
                EXPECT_FALSE(across && along) << t.text << " at " << t.x1 << "," << t.y1;
            }
        }
    }
}

}  // namespace

namespace {

TEST(StepsView, SaysWhatIsProvenOfACoverFoundWhenTimeRanOut) {
    // 1 where 3 to 5 of 8 inputs are 1, but one row: its minimum needs a search, given no time.
    logic::Function f;
    f.width = 8;
    for (int row = 0; row < 256; ++row) {
        const int ones = std::popcount(static_cast<unsigned>(row));
        if (ones >= 3 && ones <= 5 && row != 0x07) f.on.set(row);
    }
    const qm::Explanation e =
        qm::explain(f, std::chrono::steady_clock::now(), qm::ExplainScope::Everything, nullptr,
                    nullptr, qm::WhenUnproven::Explain);
    ASSERT_TRUE(e.unproven);
    RecordingCanvas canvas;
    drawSteps(canvas, e, "ABCDEFGH");
    auto sections = readSections(canvas);
    ASSERT_FALSE(sections["5"].empty());
    EXPECT_EQ(sections["5"].back(),
              "Not proven the smallest: Quendal ran out of time. Every cover "
              "needs at least " +
                  std::to_string(e.unproven->lowerBound) + " products; this one has " +
                  std::to_string(e.covers.front().size()) + ".");
    EXPECT_EQ(sections["6"], std::vector<std::string>{"Not listed: the minimum is not proven."});
}

}  // namespace
