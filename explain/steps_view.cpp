#include "explain/steps_view.h"

#include <algorithm>
#include <array>
#include <map>

#include "explain/sized_drawing.h"
#include "logic/expression_text.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kIndent = 360;
// Lines that go on past this are wrapped: the page is as wide as a drawing's page.
constexpr int kRight = drawing::Canvas::kDefaultWidth - kMargin;
constexpr int kWrapIndent = 240;
constexpr int kChartCell = 330;
const drawing::Rgb kStrike{160, 160, 160};
const drawing::Rgb kEssential{220, 20, 60};

std::string joined(const std::vector<int>& values) {
    std::string text;
    for (int v : values) text += (text.empty() ? "" : ", ") + std::to_string(v);
    return text.empty() ? "none" : text;
}

std::vector<int> rowsOf(const logic::RowSet& rows) {
    std::vector<int> list;
    rows.forEach([&](int r) { list.push_back(r); });
    return list;
}

// "1 product", "2 products".
std::string counted(long n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string costText(const logic::FormCost& cost, const std::string& noun) {
    return counted(cost.terms, noun) + ", " + counted(cost.literals, "literal");
}

class Page {
public:
    Page(drawing::Canvas& canvas, const qm::Explanation& e, const std::string& letters)
        : c_(canvas), e_(e), letters_(letters), width_(e.function.width), lh_(canvas.lineHeight()) {
        y_ = kMargin;
    }

    void draw(int shown = kStepsParts) {
        const logic::Function& f = e_.function;
        say("Minimizing " + kName + "(" + argumentList() + ") step by step", 0);
        say("1-rows: " + joined(rowsOf(f.on)) + "    don't-cares: " + joined(rowsOf(f.dc)), 0);
        gap();
        // In practice the page grows one part at a time (Next Step).
        const std::array<void (Page::*)(), kStepsParts> parts{
            &Page::combining, &Page::primes, &Page::chart, &Page::reductions, &Page::result};
        for (int part = 0; part < std::min(shown, kStepsParts); ++part) (this->*parts[part])();
        if (shown < kStepsParts) {
            gap();
            say("Next Step shows more.", 0);
        }
    }

private:
    // The function's name on this page: never one of its variables' letters, as on the circuits.
    inline static const std::string kName = "Y";

    std::string argumentList() const {
        std::string list;
        for (char letter : letters_) list += std::string(list.empty() ? "" : ",") + letter;
        return list;
    }

    // A line of text, wrapped at spaces where it would run past the page's right edge; the
    // lines it wraps onto are indented a little further.
    void say(const std::string& text, int indent = kIndent) {
        const int left = kMargin + indent;
        std::string rest = text;
        int x = left;
        while (c_.textWidth(rest) > kRight - x) {
            // The last place that fits: at a space (dropped), after a '+' or between sums. A
            // prefix only grows wider, so the places are searched by halves: a long line of an
            // 8-variable function measures a few prefixes, not every one.
            std::vector<std::size_t> places;
            for (std::size_t at = 1; at < rest.size(); ++at) {
                if (rest[at] == ' ' || rest[at - 1] == '+' ||
                    (rest[at - 1] == ')' && rest[at] == '('))
                    places.push_back(at);
            }
            const auto fits = std::partition_point(
                places.begin(), places.end(),
                [&](std::size_t at) { return c_.textWidth(rest.substr(0, at)) <= kRight - x; });
            if (fits == places.begin()) break;
            const std::size_t cut = *(fits - 1);
            c_.printAt(x, y_, {rest.substr(0, cut)});
            y_ += lh_;
            rest = rest.substr(std::min(rest.size() - 1, rest.find_first_not_of(' ', cut)));
            x = left + kWrapIndent;
        }
        c_.printAt(x, y_, {rest});
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
    int indexOf(const logic::Cube& cube) const {
        return static_cast<int>(std::find(e_.primes.begin(), e_.primes.end(), cube) -
                                e_.primes.begin());
    }
    std::string shortName(const logic::Cube& cube) const {
        return "P" + std::to_string(indexOf(cube) + 1);
    }
    // "P2 AB'"; a prime with no literal is the constant 1, and says so.
    std::string named(const logic::Cube& cube) const {
        if (cube.literals(width_) == 0) return shortName(cube) + " (the constant 1)";
        return shortName(cube) + " " + product(cube);
    }
    std::string names(const std::vector<logic::Cube>& cubes) const {
        std::string text;
        for (const auto& cube : cubes) text += (text.empty() ? "" : ", ") + named(cube);
        return text;
    }
    std::string sopLine(const std::vector<logic::Cube>& cover) const {
        return kName + " = " + logic::sopText(cover, width_, letters_);
    }
    // The minterm numbers of a cube, the don't-cares marked d; long lists are cut short.
    std::string mintermsOf(const logic::Cube& cube) const {
        std::vector<std::string> numbers;
        cube.rows(width_).forEach([&](int r) {
            numbers.push_back(std::to_string(r) + (e_.function.dc.test(r) ? "d" : ""));
        });
        std::string text;
        const std::size_t shown = numbers.size() > 16 ? 3 : numbers.size();
        for (std::size_t i = 0; i < shown; ++i) text += (i > 0 ? "," : "") + numbers[i];
        if (shown < numbers.size()) text += ",\u2026," + numbers.back();
        return text;
    }

    void combining() {
        heading("1. Combining table");
        if (e_.combining.empty()) {
            say("The table is drawn for up to " + std::to_string(qm::Explanation::kMaxTableWidth) +
                " variables; the prime implicants follow.");
            return;
        }
        say("Each cube is written with the rows it covers (d: a don't-care row, which may merge "
            "but need not be covered). Cubes that differ in one variable merge (a check mark); "
            "the ones that never merge and cover a 1-row are the prime implicants (*). Groups: "
            "number of 1s.");
        gap();
        // Columns side by side, starting a new band below when the next would pass the edge.
        int top = y_;
        int x = kMargin + kIndent;
        int bottom = y_;
        for (std::size_t s = 0; s < e_.combining.size(); ++s) {
            const auto& entries = e_.combining[s].entries;
            const std::string title =
                std::to_string(s) + (s == 1 ? " free variable" : " free variables");
            std::vector<std::string> texts;
            int columnWidth = c_.textWidth(title);
            for (const auto& entry : entries) {
                const std::string mark = entry.prime ? " *" : entry.merged ? " \u2713" : "";
                texts.push_back(mintermsOf(entry.cube) + " \u2192 " +
                                logic::codeOf(entry.cube, width_) + mark);
                columnWidth = std::max(columnWidth, c_.textWidth(texts.back()));
            }
            if (x > kMargin + kIndent && x + columnWidth > kRight) {
                top = bottom + lh_;
                x = kMargin + kIndent;
            }
            int y = top;
            c_.printAt(x, y, {title});
            y += lh_;
            int group = -1;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (entries[i].ones != group) {
                    // A rule between groups, clear of the text above and below.
                    if (group >= 0) c_.line(x, y + 30, x + columnWidth, y + 30);
                    y += 60;
                    group = entries[i].ones;
                }
                c_.printAt(x, y, {texts[i]});
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
            say(named(cube) + " = " + logic::codeOf(cube, width_) + "   covers 1-rows " +
                joined(rowsOf(cube.rows(width_) & e_.function.on)));
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
            say("The chart has " + counted(static_cast<long>(e_.primes.size()), "row") + " and " +
                counted(static_cast<long>(columns.size()), "column") +
                ", too large to draw; the reductions follow.");
            return;
        }
        say("Essential primes (the only X in a column, circled) are marked, and the columns they "
            "cover are struck through.");
        int labelWidth = 0;
        for (const auto& cube : e_.primes)
            labelWidth = std::max(labelWidth, c_.textWidth(named(cube) + " (essential)"));
        // A chart wider than the page is drawn in bands of columns, each with the rows that
        // have an X in it.
        const int left = kMargin + kIndent + labelWidth + 120;
        // Wide enough that three-digit column numbers keep apart.
        cell_ = std::max(kChartCell, c_.textWidth(std::to_string(columns.back())) + 120);
        const std::size_t perBand = static_cast<std::size_t>(std::max(8, (kRight - left) / cell_));
        for (std::size_t first = 0; first < columns.size(); first += perBand) {
            gap();
            const std::vector<int> band(columns.begin() + static_cast<std::ptrdiff_t>(first),
                                        columns.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                              columns.size(), first + perBand)));
            chartBand(band, left);
        }
    }

    void chartBand(const std::vector<int>& columns, int left) {
        const int top = y_;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string label = std::to_string(columns[k]);
            c_.printAt(left + static_cast<int>(k) * cell_ + (cell_ - c_.textWidth(label)) / 2, top,
                       {label});
        }
        // The rule under the numbers, and the first row's circles clear below it.
        const int rule = top + lh_ + 15;
        const int gridTop = rule + lh_ / 6 + 30;
        const int rowHeight = lh_ + 45;
        const int radius = lh_ * 2 / 3;
        const auto isEssential = [&](const logic::Cube& cube) {
            return std::find(e_.essential.begin(), e_.essential.end(), cube) != e_.essential.end();
        };
        logic::RowSet struck;
        for (const auto& cube : e_.essential) struck |= cube.rows(width_);
        std::vector<logic::Cube> rows;
        for (const auto& cube : e_.primes) {
            if (std::any_of(columns.begin(), columns.end(),
                            [&](int column) { return cube.contains(column); }))
                rows.push_back(cube);
        }
        for (std::size_t p = 0; p < rows.size(); ++p) {
            const logic::Cube& cube = rows[p];
            const int y = gridTop + static_cast<int>(p) * rowHeight;
            c_.printAt(kMargin + kIndent, y,
                       {named(cube) + (isEssential(cube) ? " (essential)" : "")});
            for (std::size_t k = 0; k < columns.size(); ++k) {
                if (!cube.contains(columns[k])) continue;
                const int x = left + static_cast<int>(k) * cell_ + (cell_ - c_.textWidth("X")) / 2;
                c_.printAt(x, y, {"X"});
                bool only = true;
                for (const auto& other : e_.primes) {
                    if (!(other == cube) && other.contains(columns[k])) only = false;
                }
                if (only) {
                    c_.circle(left + static_cast<int>(k) * cell_ + cell_ / 2, y + lh_ / 2, radius,
                              kEssential);
                }
            }
        }
        const int gridBottom = gridTop + static_cast<int>(rows.size()) * rowHeight;
        const int right = left + static_cast<int>(columns.size()) * cell_;
        c_.line(kMargin + kIndent, rule, right, rule);
        c_.line(left - 60, top, left - 60, gridBottom);
        // A struck column's line starts below its number and breaks round each mark.
        const int clear = radius + 30;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (!struck.test(columns[k])) continue;
            const int x = left + static_cast<int>(k) * cell_ + cell_ / 2;
            int from = rule;
            for (std::size_t p = 0; p < rows.size(); ++p) {
                if (!rows[p].contains(columns[k])) continue;
                const int centre = gridTop + static_cast<int>(p) * rowHeight + lh_ / 2;
                if (centre - clear > from) c_.line(x, from, x, centre - clear, kStrike);
                from = centre + clear;
            }
            // It goes on a little below the chart, so that a column with an X in every row
            // still shows it is struck.
            if (gridBottom + lh_ / 3 > from) c_.line(x, from, x, gridBottom + lh_ / 3, kStrike);
        }
        y_ = gridBottom + lh_ / 3 + 30;
    }

    // The chart as the reductions leave it, replayed step by step to say why each applies.
    struct Chart {
        logic::RowSet open;
        std::vector<logic::Cube> left;
    };
    // "column 6", "columns 4, 6".
    static std::string columnWords(const std::vector<int>& columns) {
        return (columns.size() == 1 ? "column " : "columns ") + joined(columns);
    }
    std::string columnWords(const Chart& chart, const logic::Cube& cube) const {
        return columnWords(rowsOf(cube.rows(width_) & chart.open));
    }
    std::vector<logic::Cube> primesOfColumn(const Chart& chart, int column) const {
        std::vector<logic::Cube> of;
        for (const auto& cube : chart.left)
            if (cube.contains(column)) of.push_back(cube);
        return of;
    }
    std::string shortNames(const std::vector<logic::Cube>& cubes, const std::string& by) const {
        std::string text;
        for (const auto& cube : cubes) text += (text.empty() ? "" : by) + shortName(cube);
        return text;
    }

    void reductions() {
        heading("4. Reducing the chart");
        if (e_.reductions.empty()) say("Nothing to reduce.");
        Chart chart{e_.function.on, e_.primes};
        auto drop = [&](const std::vector<logic::Cube>& gone) {
            std::erase_if(chart.left, [&](const logic::Cube& c) {
                return std::find(gone.begin(), gone.end(), c) != gone.end();
            });
        };
        int number = 0;
        for (const auto& r : e_.reductions) {
            const std::string step = std::string(1, static_cast<char>('a' + number++ % 26)) + ") ";
            switch (r.kind) {
                case qm::Reduction::Kind::Essential: {
                    say(step + "Essential " + (r.primesTaken.size() == 1 ? "prime" : "primes") +
                        ": a column with a single prime left needs that prime.");
                    for (const auto& cube : r.primesTaken) {
                        std::vector<int> alone;
                        (cube.rows(width_) & chart.open).forEach([&](int column) {
                            if (primesOfColumn(chart, column).size() == 1) alone.push_back(column);
                        });
                        say("    " + named(cube) + " alone covers " + columnWords(alone) +
                            "; take it (it covers " + columnWords(chart, cube) + ").");
                    }
                    for (const auto& cube : r.primesTaken) chart.open -= cube.rows(width_);
                    break;
                }
                case qm::Reduction::Kind::RowDominance:
                    say(step +
                        "Row dominance: a prime whose columns left another prime also covers, "
                        "with no more literals, is dominated by it and dropped.");
                    for (std::size_t i = 0; i < r.primesRemoved.size(); ++i) {
                        const logic::Cube &p = r.primesRemoved[i], &q = r.dominatedBy[i];
                        if (r.tied[i]) {
                            say("    " + named(p) + " and " + named(q) + " cover the same " +
                                columnWords(chart, p) + " with " +
                                counted(p.literals(width_), "literal") +
                                " each: equal, either may go; the later one, " + shortName(p) +
                                ", goes.");
                        } else {
                            say("    " + named(p) + " (" + columnWords(chart, p) + "; " +
                                counted(p.literals(width_), "literal") + ") is dominated by " +
                                named(q) + " (" + columnWords(chart, q) + "; " +
                                counted(q.literals(width_), "literal") + ").");
                        }
                    }
                    break;
                case qm::Reduction::Kind::ColumnDominance:
                    say(step +
                        "Column dominance: a column that has an X wherever another column has "
                        "one dominates it; covering the other covers it too, so it is dropped.");
                    for (std::size_t i = 0; i < r.mintermsRemoved.size(); ++i) {
                        const int mine = r.mintermsRemoved[i], other = r.dominatedColumns[i];
                        if (r.tied[i]) {
                            say("    Columns " + std::to_string(other) + " and " +
                                std::to_string(mine) + " have the same primes (" +
                                shortNames(primesOfColumn(chart, mine), ", ") +
                                "): equal, either may go; the later one, " + std::to_string(mine) +
                                ", goes.");
                        } else {
                            say("    Column " + std::to_string(mine) + " (" +
                                shortNames(primesOfColumn(chart, mine), ", ") +
                                ") dominates column " + std::to_string(other) + " (" +
                                shortNames(primesOfColumn(chart, other), ", ") + ").");
                        }
                    }
                    for (int column : r.mintermsRemoved) chart.open.reset(column);
                    break;
                case qm::Reduction::Kind::Search: search(step, r); break;
            }
            drop(r.primesTaken);
            if (!r.primesRemoved.empty() && r.kind != qm::Reduction::Kind::RowDominance) {
                say("    " + names(r.primesRemoved) +
                    (r.primesRemoved.size() == 1 ? " now covers no column left and is dropped."
                                                 : " now cover no column left and are dropped."));
            }
            drop(r.primesRemoved);
        }
        reachedCover();
    }

    void search(const std::string& step, const qm::Reduction& r) {
        say(step +
            "What is left is cyclic: no prime is essential, none is dominated, no column "
            "dominates another (" +
            counted(static_cast<long>(r.primesLeft.size()), "prime") + ", " +
            counted(static_cast<long>(r.columnsLeft.size()), "column") + ").");
        if (r.petrick) {
            say("    Petrick's method: each column left (" + joined(r.columnsLeft) +
                ") needs one of its primes, so the cover must make this product of sums true:");
            std::string sums;
            for (const auto& sum : r.petrick->sums) sums += "(" + shortNames(sum, "+") + ")";
            say("    " + sums);
            say("    Multiplied out, a product that holds another dropped (X + XY = X), each "
                "product a cover of what is left:");
            std::string expansion;
            for (const auto& product : r.petrick->products)
                expansion += (expansion.empty() ? "" : " + ") + shortNames(product, "");
            say("    " + expansion);
            const logic::FormCost least = qm::costOf(r.petrick->products.front(), width_);
            std::vector<std::string> cheapest;
            for (const auto& product : r.petrick->products)
                if (qm::costOf(product, width_) == least)
                    cheapest.push_back(shortNames(product, ""));
            if (cheapest.size() == 1) {
                say("    The cheapest product, with fewest primes and then fewest literals, is " +
                    cheapest.front() + " (" + costText(least, "product") + ").");
            } else {
                std::string list;
                for (const auto& text : cheapest) list += (list.empty() ? "" : ", ") + text;
                say("    The cheapest products, with fewest primes and then fewest literals, are " +
                    list + ", each of " + counted(least.terms, "product") + " and " +
                    counted(least.literals, "literal") + ": equal, any of them will do.");
            }
        } else if (r.branching) {
            const qm::Branching& b = *r.branching;
            say("    Too large for Petrick's method here: a search branches on column " +
                std::to_string(b.column) + ", which " +
                counted(static_cast<long>(b.primes.size()), "prime") +
                " cover; each branch takes one of them and leaves out the ones before it:");
            for (std::size_t i = 0; i < b.primes.size(); ++i) {
                const std::string cost = b.costs[i]
                                             ? "what is left is then covered by " +
                                                   costText(*b.costs[i], "product") + " at best"
                                             : std::string("not settled in time, or no cover");
                say("        take " + named(b.primes[i]) + ": " + cost + ".");
            }
        }
        say("    Take " + names(r.primesTaken) + ", covering " + joined(r.mintermsCovered) + ".");
    }

    // The reductions reach one minimum cover; when the minimum shown (what Qm.exe writes) is
    // another of the same cost, say why that one may hold primes the reductions dropped.
    void reachedCover() {
        std::vector<logic::Cube> reached;
        for (const auto& r : e_.reductions)
            reached.insert(reached.end(), r.primesTaken.begin(), r.primesTaken.end());
        const auto byIndex = [&](const logic::Cube& a, const logic::Cube& b) {
            return indexOf(a) < indexOf(b);
        };
        std::sort(reached.begin(), reached.end(), byIndex);
        std::vector<logic::Cube> chosen = e_.covers.front();
        std::sort(chosen.begin(), chosen.end(), byIndex);
        if (reached == chosen || e_.reductions.empty()) return;
        if (e_.unproven) {
            gap();
            say("The reductions reach " + sopLine(reached) + ". Quendal gives " +
                sopLine(e_.covers.front()) + ", the best cover its search found in time.");
            return;
        }
        const std::string why = standInsOf(chosen);
        gap();
        say("The reductions reach " + sopLine(reached) + ". Quendal gives " +
            sopLine(e_.covers.front()) +
            ", the minimum cover whose primes come first, of the same cost" +
            (why.empty() ? "." : " (" + why + ")."));
    }

    // Why a minimum cover may hold primes that row dominance dropped: each costs as much as its
    // dominator.
    std::string standInsOf(const std::vector<logic::Cube>& cover) const {
        std::string text;
        for (const auto& r : e_.reductions) {
            if (r.kind != qm::Reduction::Kind::RowDominance) continue;
            for (std::size_t i = 0; i < r.primesRemoved.size(); ++i) {
                const logic::Cube& p = r.primesRemoved[i];
                if (std::find(cover.begin(), cover.end(), p) == cover.end()) continue;
                text += (text.empty() ? "" : "; ") + shortName(p) +
                        (r.tied[i] ? " went as equal to " : " was dominated by ") +
                        shortName(r.dominatedBy[i]) + " but costs the same";
            }
        }
        return text;
    }

    // "(2 products, 5 literals)", or what a constant means.
    std::string costNote(const logic::FormCost& cost, const std::string& noun,
                         const std::string& constant) const {
        return cost.literals == 0 ? "(the constant " + constant + ")"
                                  : "(" + costText(cost, noun) + ")";
    }

    // What is proven of a cover found when time ran out, and why the other minima are not listed.
    void unprovenResult() {
        const qm::BestCover& u = *e_.unproven;
        const int products = static_cast<int>(e_.covers.front().size());
        if (u.costProven) {
            say("It is a minimum (proven), but Quendal ran out of time before proving it the "
                "minimum cover whose primes come first.");
        } else if (u.countProven) {
            say("Not proven the smallest: Quendal ran out of time. It has the fewest products "
                "(proven), but a cover of " +
                std::to_string(products) + " products may have as few as " +
                std::to_string(u.literalBound) + " literals.");
        } else {
            say("Not proven the smallest: Quendal ran out of time. Every cover needs at least " +
                std::to_string(u.lowerBound) + " products; this one has " +
                std::to_string(products) + ".");
        }
        heading("6. Every minimum sum of products");
        say("Not listed: the minimum is not proven.");
    }

    void result() {
        const auto& cover = e_.covers.front();
        heading(e_.unproven ? "5. The smallest sum of products found"
                            : "5. The minimum sum of products");
        say(sopLine(cover) + "   " +
            costNote(e_.sopCost, "product",
                     cover.empty() ? "0: no 1-row" : "1: every row is a 1-row or a don't-care"));
        if (e_.unproven) {
            unprovenResult();
        } else {
            everyMinimum();
        }
        posResult();
    }

    void everyMinimum() {
        heading("6. Every minimum sum of products");
        const long listed = static_cast<long>(e_.covers.size());
        if (!e_.coverCount) {
            say("Counting the minimum covers was not finished within " +
                std::to_string(qm::Explanation::kCoverSearchMilliseconds) + " ms; " +
                (listed == 1 ? std::string("one was found:")
                             : "these " + std::to_string(listed) + " were found:"));
        } else if (*e_.coverCount == 1) {
            say("This is the only minimum cover.");
        } else if (e_.coversComplete) {
            say("There are " + std::to_string(*e_.coverCount) + " minimum covers, all as small:");
        } else {
            say("There are " + std::to_string(*e_.coverCount) +
                " minimum covers, all as small; "
                "the first " +
                std::to_string(listed) + ":");
        }
        if (listed > 1 || !e_.coverCount) {
            for (const auto& other : e_.covers) {
                const std::string why = standInsOf(other);
                say(sopLine(other) + (why.empty() ? "" : "   (" + why + ")"));
            }
        }
    }

    void posResult() {
        heading("7. The minimum product of sums");
        if (!e_.pos) {
            say("The 0-rows could not be minimized in time.");
            return;
        }
        const std::vector<logic::Cube>& zeros = *e_.pos;
        say("Minimize the 0-rows with the don't-cares as a sum of products of " + kName + "':");
        say(kName + "' = " + logic::sopText(zeros, width_, letters_));
        say("then apply De Morgan: each product of " + kName +
            "' becomes a sum, complemented literal by literal:");
        say(kName + " = " + logic::posText(zeros, width_, letters_) + "   " +
            costNote(e_.posCost, "sum",
                     zeros.empty() ? "1: no 0-row" : "0: every row is a 0-row or a don't-care"));
        say("The work form's POS box shows the minimum sum of products complemented twice; this "
            "is the true minimum product of sums.");
    }

    drawing::Canvas& c_;
    const qm::Explanation& e_;
    const std::string& letters_;
    int width_;
    int lh_;
    int y_ = 0;
    int cell_ = kChartCell;  // the chart's column width
};

}  // namespace

void drawSteps(drawing::Canvas& canvas, const qm::Explanation& explanation,
               const std::string& letters, int parts) {
    drawSized(canvas,
              [&](drawing::Canvas& target) { Page(target, explanation, letters).draw(parts); });
}

}  // namespace quendal::explain
