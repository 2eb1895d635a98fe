#include "explain/steps_view.h"

#include <algorithm>

#include "explain/explain_subject.h"
#include "explain/karnaugh_map.h"
#include "explain/sized_drawing.h"
#include "logic/expression_text.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kIndent = 360;
constexpr int kChartCell = 330;
const drawing::Rgb kStrike{160, 160, 160};
const drawing::Rgb kEssential{220, 20, 60};

std::string joined(const std::vector<int>& values) {
    std::string text;
    for (int v : values) text += (text.empty() ? "" : ", ") + std::to_string(v);
    return text.empty() ? "none" : text;
}

class Page {
public:
    Page(drawing::Canvas& canvas, const qm::Explanation& e, const std::string& letters)
        : c_(canvas), e_(e), letters_(letters), width_(e.function.width), lh_(canvas.lineHeight()) {
        y_ = kMargin;
    }

    void draw() {
        const logic::Function& f = e_.function;
        std::vector<int> ones, dcs;
        f.on.forEach([&](int r) { ones.push_back(r); });
        f.dc.forEach([&](int r) { dcs.push_back(r); });
        say("Minimizing " + functionName(letters_) + " step by step", 0);
        say("1-rows: " + joined(ones) + "    don't-cares: " + joined(dcs), 0);
        gap();
        combining();
        primes();
        chart();
        reductions();
        result();
    }

private:
    void say(const std::string& text, int indent = kIndent) {
        c_.printAt(kMargin + indent, y_, {text});
        y_ += lh_;
    }
    void heading(const std::string& text) {
        gap();
        say(text, 0);
        c_.line(kMargin, y_, kMargin + c_.textWidth(text), y_);
        y_ += 60;
    }
    void gap() { y_ += lh_ / 2; }
    std::string product(const logic::Cube& cube) const {
        return logic::productText(cube, width_, letters_);
    }
    std::string named(const logic::Cube& cube) const {
        const auto at = std::find(e_.primes.begin(), e_.primes.end(), cube) - e_.primes.begin();
        return "P" + std::to_string(at + 1) + " " + product(cube);
    }
    std::string names(const std::vector<logic::Cube>& cubes) const {
        std::string text;
        for (const auto& cube : cubes) text += (text.empty() ? "" : ", ") + named(cube);
        return text;
    }

    void combining() {
        heading("1. Combining table");
        if (e_.combining.empty()) {
            say("The table is drawn for up to " + std::to_string(qm::Explanation::kMaxTableWidth) +
                " variables; the prime implicants follow.");
            return;
        }
        say("Cubes that differ in one variable merge (a check mark); the ones that never merge");
        say("and cover a 1-row are the prime implicants (*). Groups: number of 1s.");
        gap();
        const int top = y_;
        int x = kMargin + kIndent;
        int bottom = y_;
        for (std::size_t s = 0; s < e_.combining.size(); ++s) {
            const auto& entries = e_.combining[s].entries;
            int y = top;
            const std::string title =
                std::to_string(s) + (s == 1 ? " free variable" : " free variables");
            c_.printAt(x, y, {title});
            y += lh_;
            int columnWidth = c_.textWidth(title);
            int group = -1;
            for (const auto& entry : entries) {
                if (entry.ones != group) {
                    // A rule between groups, clear of the text above and below.
                    if (group >= 0)
                        c_.line(x, y + 30, x + c_.textWidth(std::string(width_ + 3, '0')), y + 30);
                    y += 60;
                    group = entry.ones;
                }
                const std::string mark = entry.prime ? " *" : entry.merged ? " \u2713" : "";
                const std::string text = logic::codeOf(entry.cube, width_) + mark;
                c_.printAt(x, y, {text});
                columnWidth = std::max(columnWidth, c_.textWidth(text));
                y += lh_;
            }
            bottom = std::max(bottom, y);
            x += columnWidth + 360;
        }
        y_ = bottom;
    }

    void primes() {
        heading("2. Prime implicants");
        if (e_.primes.empty()) say("None: the function has no 1-row.");
        for (const auto& cube : e_.primes) {
            std::vector<int> covered;
            (cube.rows(width_) & e_.function.on).forEach([&](int r) { covered.push_back(r); });
            say(named(cube) + " = " + logic::codeOf(cube, width_) + "   covers 1-rows " +
                joined(covered));
        }
    }

    void chart() {
        heading("3. Prime-implicant chart");
        const auto& columns = e_.chartColumns;
        if (columns.empty()) {
            say("No 1-row: nothing to cover.");
            return;
        }
        if (static_cast<int>(e_.primes.size()) > kMaxChartPrimes ||
            static_cast<int>(columns.size()) > kMaxChartColumns) {
            say("The chart has " + std::to_string(e_.primes.size()) + " rows and " +
                std::to_string(columns.size()) +
                " columns, too large to draw; the reductions follow.");
            return;
        }
        say("Essential primes (the only X in a column, circled) are marked, and the columns they");
        say("cover are struck through.");
        gap();
        int labelWidth = 0;
        for (const auto& cube : e_.primes)
            labelWidth = std::max(labelWidth, c_.textWidth(named(cube) + " (essential)"));
        const int left = kMargin + kIndent + labelWidth + 120;
        const int top = y_;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string label = std::to_string(columns[k]);
            c_.printAt(
                left + static_cast<int>(k) * kChartCell + (kChartCell - c_.textWidth(label)) / 2,
                top, {label});
        }
        const int gridTop = top + lh_ + 30;
        const auto isEssential = [&](const logic::Cube& cube) {
            return std::find(e_.essential.begin(), e_.essential.end(), cube) != e_.essential.end();
        };
        logic::RowSet struck;
        for (const auto& cube : e_.essential) struck |= cube.rows(width_);
        for (std::size_t p = 0; p < e_.primes.size(); ++p) {
            const logic::Cube& cube = e_.primes[p];
            const int y = gridTop + static_cast<int>(p) * (lh_ + 45);
            const bool essential = isEssential(cube);
            c_.printAt(kMargin + kIndent, y, {named(cube) + (essential ? " (essential)" : "")});
            for (std::size_t k = 0; k < columns.size(); ++k) {
                if (!cube.contains(columns[k])) continue;
                const int x =
                    left + static_cast<int>(k) * kChartCell + (kChartCell - c_.textWidth("X")) / 2;
                c_.printAt(x, y, {"X"});
                bool only = true;
                for (const auto& other : e_.primes) {
                    if (!(other == cube) && other.contains(columns[k])) only = false;
                }
                if (only) {
                    c_.circle(left + static_cast<int>(k) * kChartCell + kChartCell / 2, y + lh_ / 2,
                              lh_ * 2 / 3, kEssential);
                }
            }
        }
        const int gridBottom = gridTop + static_cast<int>(e_.primes.size()) * (lh_ + 45);
        const int right = left + static_cast<int>(columns.size()) * kChartCell;
        c_.line(kMargin + kIndent, gridTop - 15, right, gridTop - 15);
        c_.line(left - 60, top, left - 60, gridBottom);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (!struck.test(columns[k])) continue;
            const int x = left + static_cast<int>(k) * kChartCell + kChartCell / 2;
            c_.line(x, top - 30, x, gridBottom, kStrike);
        }
        y_ = gridBottom + 30;
    }

    void reductions() {
        heading("4. Reducing the chart");
        if (e_.reductions.empty()) say("Nothing to reduce.");
        int number = 0;
        for (const auto& r : e_.reductions) {
            const std::string step = std::string(1, static_cast<char>('a' + number++ % 26)) + ") ";
            switch (r.kind) {
                case qm::Reduction::Kind::Essential:
                    say(step + "Essential: take " + names(r.primesTaken) + "; they cover " +
                        joined(r.mintermsCovered) + ".");
                    break;
                case qm::Reduction::Kind::RowDominance:
                    say(step +
                        "Row dominance: drop the primes whose remaining columns a prime with no "
                        "more");
                    say("    literals also covers:");
                    for (std::size_t i = 0; i < r.primesRemoved.size(); ++i) {
                        say("    " + named(r.primesRemoved[i]) + " (dominated by " +
                            named(r.dominatedBy[i]) + ")");
                    }
                    continue;
                case qm::Reduction::Kind::ColumnDominance:
                    say(step + "Column dominance: drop columns " + joined(r.mintermsRemoved) +
                        "; each is covered whenever another remaining column is.");
                    break;
                case qm::Reduction::Kind::Search:
                    say(step +
                        "No prime is essential in what is left (a cyclic chart): a search for the");
                    say("    cheapest choice takes " + names(r.primesTaken) + ", covering " +
                        joined(r.mintermsCovered) + ".");
                    break;
            }
            if (!r.primesRemoved.empty() && r.kind != qm::Reduction::Kind::RowDominance)
                say("    " + names(r.primesRemoved) + " now cover nothing left and are dropped.");
        }
    }

    void result() {
        const auto& cover = e_.covers.front();
        heading("5. The minimum sum of products");
        say("F = " + logic::sopText(cover, width_, letters_) + "   (" +
            std::to_string(e_.sopCost.terms) + " products, " + std::to_string(e_.sopCost.literals) +
            " literals)");

        heading("6. Every minimum sum of products");
        if (e_.coverCount) {
            say(*e_.coverCount == 1 ? std::string("This is the only minimum cover.")
                                    : "There are " + std::to_string(*e_.coverCount) +
                                          " minimum covers, all as small:");
        } else {
            say("There are more than " + std::to_string(qm::Explanation::kMaxCovers) +
                " minimum covers (or the search for them stopped); " +
                std::to_string(e_.covers.size()) + " of them:");
        }
        if (e_.covers.size() > 1) {
            for (const auto& other : e_.covers)
                say("F = " + logic::sopText(other, width_, letters_));
        }

        heading("7. The minimum product of sums");
        if (!e_.pos) {
            say("The 0-rows could not be minimized in time.");
            return;
        }
        std::vector<logic::Cube> zeros = *e_.pos;
        say("Minimize the 0-rows with the don't-cares as a sum of products of F':");
        say("F' = " + logic::sopText(zeros, width_, letters_));
        say("then apply De Morgan: each product of F' becomes a sum, complemented literal by "
            "literal:");
        say("F = " + logic::posText(zeros, width_, letters_) + "   (" +
            std::to_string(e_.posCost.terms) + " sums, " + std::to_string(e_.posCost.literals) +
            " literals)");
        say("The work form's POS box shows the minimum sum of products complemented twice; this "
            "is");
        say("the true minimum product of sums.");
    }

    drawing::Canvas& c_;
    const qm::Explanation& e_;
    const std::string& letters_;
    int width_;
    int lh_;
    int y_ = 0;
};

}  // namespace

void drawSteps(drawing::Canvas& canvas, const qm::Explanation& explanation,
               const std::string& letters) {
    drawSized(canvas, [&](drawing::Canvas& target) { Page(target, explanation, letters).draw(); });
}

}  // namespace quendal::explain
