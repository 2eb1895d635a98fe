#include "tests/minimizer/reference_minimizer.h"

#include <algorithm>
#include <bitset>
#include <set>

namespace qm_test {
namespace {

int rank(char c) {
    return c == '0' ? 0 : c == '1' ? 1 : 2;
}

bool coversOnlyCareRows(const TruthTable& table, const std::string& code) {
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOff && codeCovers(code, row)) return false;
    }
    return true;
}

bool coversOnRow(const TruthTable& table, const std::string& code) {
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOn && codeCovers(code, row)) return true;
    }
    return false;
}

std::vector<int> onRows(const TruthTable& table) {
    std::vector<int> rows;
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] == kOn) rows.push_back(row);
    }
    return rows;
}

std::string rowCode(int row, int width) {
    std::string code;
    for (int bit = width - 1; bit >= 0; --bit) code += ((row >> bit) & 1) ? '1' : '0';
    return code;
}

// (products, literals, codes): the order in which covers are preferred.
bool preferred(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    const int la = literalCount(a), lb = literalCount(b);
    if (la != lb) return la < lb;
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), codeLess);
}

}  // namespace

int functionCount(int width) {
    int total = 1;
    for (int i = 0; i < (1 << width); ++i) total *= 3;
    return total;
}

TruthTable nthFunction(int width, int n) {
    TruthTable table{width, std::vector<char>(std::size_t{1} << width)};
    for (std::size_t row = 0; row < table.rows.size(); ++row, n /= 3)
        table.rows[row] = static_cast<char>(n % 3);
    return table;
}

bool codeCovers(const std::string& code, int row) {
    const int width = static_cast<int>(code.size());
    for (int column = 0; column < width; ++column) {
        const int bit = (row >> (width - 1 - column)) & 1;
        if (code[column] == '0' && bit != 0) return false;
        if (code[column] == '1' && bit != 1) return false;
    }
    return true;
}

bool codeLess(const std::string& a, const std::string& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (rank(a[i]) != rank(b[i])) return rank(a[i]) < rank(b[i]);
    }
    return a.size() < b.size();
}

int literalCount(const std::vector<std::string>& cover) {
    int count = 0;
    for (const auto& code : cover)
        count += static_cast<int>(
            std::count_if(code.begin(), code.end(), [](char c) { return c != '-'; }));
    return count;
}

std::string coverFault(const TruthTable& table, const std::vector<std::string>& cover) {
    for (std::size_t i = 0; i < cover.size(); ++i) {
        const std::string& code = cover[i];
        if (static_cast<int>(code.size()) != table.width) return "wrong width: " + code;
        if (code.find_first_not_of("01-") != std::string::npos) return "bad character: " + code;
        if (i > 0 && !codeLess(cover[i - 1], code)) return "out of order or repeated: " + code;
        if (!coversOnlyCareRows(table, code)) return "covers an off row: " + code;
        for (std::size_t column = 0; column < code.size(); ++column) {
            if (code[column] == '-') continue;
            std::string grown = code;
            grown[column] = '-';
            if (coversOnlyCareRows(table, grown)) return "not prime: " + code;
        }
    }
    for (int row : onRows(table)) {
        if (std::none_of(cover.begin(), cover.end(),
                         [&](const std::string& c) { return codeCovers(c, row); })) {
            return "on row " + std::to_string(row) + " not covered";
        }
    }
    for (std::size_t i = 0; i < cover.size(); ++i) {
        bool needed = false;
        for (int row : onRows(table)) {
            if (!codeCovers(cover[i], row)) continue;
            bool elsewhere = false;
            for (std::size_t j = 0; j < cover.size() && !elsewhere; ++j) {
                elsewhere = j != i && codeCovers(cover[j], row);
            }
            if (!elsewhere) needed = true;
        }
        if (!needed) return "redundant: " + cover[i];
    }
    return "";
}

std::vector<std::string> bruteForceMinimum(const TruthTable& table) {
    // Every product over the columns that stays inside the care rows and touches the on-set.
    std::vector<std::string> implicants;
    int total = 1;
    for (int i = 0; i < table.width; ++i) total *= 3;
    for (int n = 0; n < total; ++n) {
        std::string code;
        for (int i = 0, rest = n; i < table.width; ++i, rest /= 3)
            code.insert(code.begin(), "01-"[rest % 3]);
        if (coversOnlyCareRows(table, code) && coversOnRow(table, code)) implicants.push_back(code);
    }
    std::sort(implicants.begin(), implicants.end(), codeLess);
    const std::vector<int> rows = onRows(table);

    // Sets by growing size; the first size with a cover is the minimum count.
    for (std::size_t size = 0; size <= implicants.size(); ++size) {
        std::vector<std::string> best;
        bool found = false;
        std::vector<std::size_t> pick(size);
        for (std::size_t i = 0; i < size; ++i) pick[i] = i;
        for (;;) {
            std::vector<std::string> cover;
            for (std::size_t i : pick) cover.push_back(implicants[i]);
            const bool covers = std::all_of(rows.begin(), rows.end(), [&](int row) {
                return std::any_of(cover.begin(), cover.end(),
                                   [&](const std::string& c) { return codeCovers(c, row); });
            });
            if (covers && (!found || preferred(cover, best))) {
                best = cover;
                found = true;
            }
            // Next combination.
            std::size_t i = size;
            while (i > 0 && pick[i - 1] == implicants.size() - size + i - 1) --i;
            if (i == 0) break;
            ++pick[i - 1];
            for (std::size_t j = i; j < size; ++j) pick[j] = pick[j - 1] + 1;
        }
        if (found) return best;
    }
    return {};
}

namespace {

std::vector<std::string> mergedPrimes(const TruthTable& table) {
    // Tabular method: merge codes that differ in one fixed column until nothing merges; codes
    // that never merged are prime.
    std::set<std::string> level;
    for (int row = 0; row < (1 << table.width); ++row) {
        if (table.rows[row] != kOff) level.insert(rowCode(row, table.width));
    }
    std::set<std::string> primes;
    while (!level.empty()) {
        std::set<std::string> next, merged;
        for (auto a = level.begin(); a != level.end(); ++a) {
            for (auto b = std::next(a); b != level.end(); ++b) {
                int diff = -1, count = 0;
                for (std::size_t i = 0; i < a->size(); ++i) {
                    if ((*a)[i] == (*b)[i]) continue;
                    ++count;
                    diff = static_cast<int>(i);
                }
                if (count != 1 || (*a)[diff] == '-' || (*b)[diff] == '-') continue;
                std::string joined = *a;
                joined[diff] = '-';
                next.insert(joined);
                merged.insert(*a);
                merged.insert(*b);
            }
        }
        for (const auto& code : level) {
            if (!merged.count(code)) primes.insert(code);
        }
        level = std::move(next);
    }
    std::vector<std::string> result;
    for (const auto& code : primes) {
        if (coversOnRow(table, code)) result.push_back(code);
    }
    return result;
}

struct PlainSearch {
    explicit PlainSearch(const TruthTable& t) : table(t) {}
    const TruthTable& table;
    std::vector<std::string> primes;
    std::vector<std::bitset<256>> reach;  // on-rows of each prime
    std::vector<int> weight;
    std::bitset<256> onSet;
    long nodes = 0;
    long nodeLimit = 0;
    bool found = false;
    long bestCost = 0;
    std::vector<std::string> best;

    // Rows of `open` that pairwise share no usable prime: each needs a prime of its own.
    long packing(const std::bitset<256>& open, const std::vector<bool>& excluded) const {
        std::bitset<256> blocked;
        long count = 0;
        for (int row = 0; row < 256; ++row) {
            if (!open.test(row) || blocked.test(row)) continue;
            ++count;
            for (std::size_t i = 0; i < primes.size(); ++i) {
                if (!excluded[i] && reach[i].test(row)) blocked |= reach[i];
            }
        }
        return count;
    }

    // Takes the open on-row with the fewest usable primes and tries each of them; the k-th
    // choice leaves out the choices before it, so each set of primes is met once. Covers of
    // equal cost are all visited so that the preferred one wins.
    bool run(const std::bitset<256>& covered, std::vector<bool>& excluded, std::vector<int>& chosen,
             long cost) {
        if (++nodes > nodeLimit) return false;
        const std::bitset<256> open = onSet & ~covered;
        if (open.none()) {
            std::vector<std::string> cover;
            for (int i : chosen) cover.push_back(primes[i]);
            std::sort(cover.begin(), cover.end(), codeLess);
            if (!found || preferred(cover, best)) {
                best = cover;
                bestCost = cost;
                found = true;
            }
            return true;
        }
        if (found && cost + packing(open, excluded) * 4096 > bestCost) return true;
        int pickRow = -1;
        std::size_t fewest = primes.size() + 1;
        for (int row = 0; row < 256; ++row) {
            if (!open.test(row)) continue;
            std::size_t users = 0;
            for (std::size_t i = 0; i < primes.size(); ++i)
                users += !excluded[i] && reach[i].test(row);
            if (users < fewest) {
                fewest = users;
                pickRow = row;
            }
        }
        std::vector<int> tried;
        bool finished = true;
        for (std::size_t i = 0; i < primes.size() && finished; ++i) {
            if (excluded[i] || !reach[i].test(pickRow)) continue;
            chosen.push_back(static_cast<int>(i));
            finished = run(covered | reach[i], excluded, chosen, cost + weight[i]);
            chosen.pop_back();
            excluded[i] = true;
            tried.push_back(static_cast<int>(i));
        }
        for (int i : tried) excluded[i] = false;
        return finished;
    }
};

}  // namespace

std::optional<std::vector<std::string>> referenceMinimum(const TruthTable& table, long nodeLimit) {
    PlainSearch search(table);
    search.primes = mergedPrimes(table);
    search.nodeLimit = nodeLimit;
    for (int row : onRows(table)) search.onSet.set(row);
    for (const auto& prime : search.primes) {
        std::bitset<256> rows;
        for (int row : onRows(table)) rows.set(row, codeCovers(prime, row));
        search.reach.push_back(rows);
        search.weight.push_back(4096 + literalCount({prime}));
    }
    std::vector<bool> excluded(search.primes.size(), false);
    std::vector<int> chosen;
    if (!search.run(std::bitset<256>(), excluded, chosen, 0)) return std::nullopt;
    return search.best;
}

}  // namespace qm_test
