#include "practice/exercise.h"

#include <algorithm>
#include <cctype>

namespace quendal::practice {

namespace {

// Crockford's base 32: no I, L, O or U, so no code is misread.
constexpr std::string_view kDigits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int kSeedDigits = 4;
// Enough for every possible request many times over (the rarest, level 2 of two variables with
// don't-cares, comes about once in 40 attempts); a request that exhausts it is refused.
constexpr int kMaxAttempts = 20000;

int digitValue(char c) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c == 'O') c = '0';
    if (c == 'I' || c == 'L') c = '1';
    const auto at = kDigits.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

void checkRequest(const ExerciseRequest& r) {
    if (r.level < 1 || r.level > 3) throw ExerciseError("The level must be 1, 2 or 3.");
    if (r.width < ExerciseRequest::kMinWidth || r.width > ExerciseRequest::kMaxWidth)
        throw ExerciseError("An exercise has 2 to 6 variables.");
    if (r.seed >= ExerciseRequest::kSeedLimit)
        throw ExerciseError("The exercise number must be below 1048576.");
}

}  // namespace

int levelOf(const qm::Explanation& explanation) {
    int level = 1;
    for (const qm::Reduction& step : explanation.reductions) {
        if (step.kind == qm::Reduction::Kind::Search) return 3;
        if (step.kind != qm::Reduction::Kind::Essential) level = 2;
    }
    return level;
}

std::string exerciseCode(const ExerciseRequest& r) {
    checkRequest(r);
    std::string seed(kSeedDigits, '0');
    for (int i = kSeedDigits - 1, s = static_cast<int>(r.seed); i >= 0; --i, s >>= 5)
        seed[static_cast<std::size_t>(i)] = kDigits[static_cast<std::size_t>(s & 31)];
    return "L" + std::to_string(r.level) + "-" + std::to_string(r.width) + "V-" +
           (r.dontCares ? "D" : "N") + "-" + seed;
}

ExerciseRequest parseExerciseCode(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    const ExerciseError bad("\"" + std::string(text.substr(0, 40)) +
                            "\" is not an exercise code; a code looks like L2-4V-D-8K3Q.");
    // L<level>-<width>V-<D|N>-<four digits>
    if (text.size() != 12 || text[2] != '-' || text[5] != '-' || text[7] != '-') throw bad;
    auto upper = [&](std::size_t i) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    };
    if (upper(0) != 'L' || upper(4) != 'V' || (upper(6) != 'D' && upper(6) != 'N')) throw bad;
    if (text[1] < '1' || text[1] > '3' || text[3] < '0' || text[3] > '9') throw bad;
    ExerciseRequest r;
    r.level = text[1] - '0';
    r.width = text[3] - '0';
    r.dontCares = upper(6) == 'D';
    r.seed = 0;
    for (std::size_t i = 8; i < 12; ++i) {
        const int d = digitValue(text[i]);
        if (d < 0) throw bad;
        r.seed = r.seed * 32 + static_cast<std::uint32_t>(d);
    }
    if (r.width < ExerciseRequest::kMinWidth || r.width > ExerciseRequest::kMaxWidth)
        throw ExerciseError("An exercise has 2 to 6 variables; this code asks for " +
                            std::to_string(r.width) + ".");
    return r;
}

bool levelPossible(int level, int width, bool dontCares) {
    if (width <= 2) return level == 1 || (level == 2 && dontCares);
    return level >= 1 && level <= 3;
}

std::uint64_t splitmix64(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

Exercise generateExercise(const ExerciseRequest& request) {
    checkRequest(request);
    const ExerciseRequest& r = request;
    if (!levelPossible(r.level, r.width, r.dontCares)) {
        throw ExerciseError("No function of " + std::to_string(r.width) + " variables" +
                            (r.dontCares ? " with" : " without") + " don't-cares has level " +
                            std::to_string(r.level) + ".");
    }
    std::uint64_t state = (std::uint64_t{r.seed} << 12) | (std::uint64_t(r.level) << 8) |
                          (std::uint64_t(r.width) << 4) | (r.dontCares ? 1u : 0u);
    const unsigned dcShare = r.dontCares ? 3 : 0;
    const unsigned oneShare = r.level == 1 ? 4 : r.level == 2 ? 7 : 8;
    const int rows = 1 << r.width;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        logic::Function f;
        f.width = r.width;
        for (int row = 0; row < rows; ++row) {
            const unsigned v = static_cast<unsigned>(splitmix64(state) >> 60);
            if (v < dcShare)
                f.dc.set(row);
            else if (v < dcShare + oneShare)
                f.on.set(row);
        }
        const int ones = f.on.count(), dcs = f.dc.count();
        if (ones == 0 || ones + dcs == rows || (r.dontCares && dcs == 0)) continue;
        if (levelOf(qm::explain(f, qm::Deadline::max(), qm::ExplainScope::MinimumSop)) != r.level)
            continue;
        return {r, exerciseCode(r), f};
    }
    throw ExerciseError("No exercise was found for " + exerciseCode(r) + "; try another number.");
}

}  // namespace quendal::practice
