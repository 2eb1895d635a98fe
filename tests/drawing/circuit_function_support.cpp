#include "tests/drawing/circuit_function_support.h"

#include <algorithm>

#include "logic/expression_parser.h"

using namespace quendal::drawing;

FunctionView circuitFunction(const std::string& minSop, std::vector<std::string> varNames) {
    FunctionView f;
    f.userName = "ADA";
    f.dateText = "05-Mar-2024";
    f.timeText = "07:40 AM";
    f.sopText = "A'BC+AB'C'+AB'C+ABC";
    f.ipPosText = "((A+B+C)(A+B'+C)(A'+B'+C))'";
    f.minSopText = minSop;
    f.minPosText = "(" + minSop + ")'";
    // The work form leaves the positions a typed equation does not use empty.
    for (const std::string& name : varNames) {
        if (!name.empty()) f.letters += name.front();
    }
    f.function.width = static_cast<int>(f.letters.size());
    f.minimum = logic::parseSumOfProducts(minSop, f.function.width, f.letters);
    for (const logic::Cube& cube : f.minimum) f.function.on |= cube.rows(f.function.width);
    return f;
}

namespace {

// A cube over n variables: for each column 0, 1 or 2 (absent).
using Cube = std::vector<int>;

bool covers(const Cube& cube, int row, int n) {
    for (int k = 0; k < n; ++k) {
        const int bit = (row >> (n - 1 - k)) & 1;
        if (cube[k] != 2 && cube[k] != bit) return false;
    }
    return true;
}

bool implicant(const Cube& cube, const std::vector<bool>& truth, int n) {
    for (int row = 0; row < (1 << n); ++row)
        if (covers(cube, row, n) && !truth[row]) return false;
    return true;
}

}  // namespace

std::string sopFor(const std::vector<bool>& truth, const std::vector<std::string>& letters) {
    const int n = static_cast<int>(letters.size());
    if (std::none_of(truth.begin(), truth.end(), [](bool b) { return b; })) return "0";

    std::vector<Cube> primes;
    int total = 1;
    for (int k = 0; k < n; ++k) total *= 3;
    for (int code = 0; code < total; ++code) {
        Cube cube(n);
        for (int k = 0, c = code; k < n; ++k, c /= 3) cube[k] = c % 3;
        if (!implicant(cube, truth, n)) continue;
        bool prime = true;
        for (int k = 0; k < n && prime; ++k) {
            if (cube[k] == 2) continue;
            Cube wider = cube;
            wider[k] = 2;
            if (implicant(wider, truth, n)) prime = false;
        }
        if (prime) primes.push_back(cube);
    }

    std::vector<bool> left = truth;
    std::vector<Cube> chosen;
    while (std::any_of(left.begin(), left.end(), [](bool b) { return b; })) {
        int best = -1, bestCount = 0;
        for (int p = 0; p < static_cast<int>(primes.size()); ++p) {
            int count = 0;
            for (int row = 0; row < (1 << n); ++row)
                if (left[row] && covers(primes[p], row, n)) ++count;
            if (count > bestCount) {
                best = p;
                bestCount = count;
            }
        }
        chosen.push_back(primes[best]);
        for (int row = 0; row < (1 << n); ++row)
            if (covers(primes[best], row, n)) left[row] = false;
    }
    // The minimizer lists implicants in no particular order; sort them as
    // codes so that the texts are stable.
    std::sort(chosen.begin(), chosen.end(), std::greater<>());

    std::string text;
    for (const Cube& cube : chosen) {
        if (!text.empty()) text += "+";
        for (int k = 0; k < n; ++k) {
            if (cube[k] == 2) continue;
            text += letters[k];
            if (cube[k] == 0) text += "'";
        }
    }
    return text.empty() ? "1" : text;
}

bool evaluateSop(const std::string& sop, const std::vector<std::string>& letters, int row) {
    if (sop == "1") return true;
    const int n = static_cast<int>(letters.size());
    auto value = [&](char letter) {
        for (int k = 0; k < n; ++k)
            if (letters[k] == std::string(1, letter)) return ((row >> (n - 1 - k)) & 1) != 0;
        return false;
    };
    bool any = false;
    std::size_t start = 0;
    while (start <= sop.size()) {
        std::size_t end = sop.find('+', start);
        if (end == std::string::npos) end = sop.size();
        const std::string term = sop.substr(start, end - start);
        bool all = !term.empty();
        for (std::size_t j = 0; j < term.size(); ++j) {
            const bool marked = j + 1 < term.size() && term[j + 1] == '\'';
            if (value(term[j]) == marked) all = false;
            if (marked) ++j;
        }
        any = any || all;
        start = end + 1;
    }
    return any;
}
