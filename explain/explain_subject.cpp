#include "explain/explain_subject.h"

namespace quendal::explain {

std::string lettersOf(const drawing::FunctionView& view) {
    std::string letters;
    for (int i = 0; i < view.numVars; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const bool named = at < view.varNames.size() && !view.varNames[at].empty();
        letters += named ? view.varNames[at].front() : logic::kDefaultLetters[at];
    }
    return letters;
}

namespace {

// Reads "A'B+CD" (the letters' order gives the columns), "1" or "0" as cubes.
std::optional<std::vector<logic::Cube>> readProducts(const std::string& text,
                                                     const std::string& letters) {
    const int width = static_cast<int>(letters.size());
    const auto all = static_cast<std::uint8_t>((1U << width) - 1U);
    if (text == "0") return std::vector<logic::Cube>{};
    if (text == "1") return std::vector<logic::Cube>{logic::Cube{0, all}};
    std::vector<logic::Cube> cubes;
    logic::Cube cube{0, all};
    int lastBit = -1;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const char c = at < text.size() ? text[at] : '+';
        if (c == '+') {
            if (cube.free == all) return std::nullopt;
            cubes.push_back(cube);
            cube = logic::Cube{0, all};
            lastBit = -1;
        } else if (c == '\'') {
            if (lastBit < 0) return std::nullopt;
            cube.value = static_cast<std::uint8_t>(cube.value & ~(1U << lastBit));
            lastBit = -1;
        } else {
            const auto column = letters.find(c);
            if (column == std::string::npos) return std::nullopt;
            lastBit = width - 1 - static_cast<int>(column);
            if (!((cube.free >> lastBit) & 1U)) return std::nullopt;  // a letter twice
            cube.free = static_cast<std::uint8_t>(cube.free & ~(1U << lastBit));
            cube.value = static_cast<std::uint8_t>(cube.value | (1U << lastBit));
        }
    }
    return cubes;
}

}  // namespace

ExplainSubject subjectOf(const drawing::FunctionView& view) {
    ExplainSubject subject;
    subject.function.width = view.numVars;
    subject.letters = lettersOf(view);
    const int rows = 1 << view.numVars;
    for (int t : view.dontCares) {
        if (t >= 0 && t < rows) subject.function.dc.set(t);
    }
    logic::RowSet listed;
    for (int t : view.terms) {
        if (t >= 0 && t < rows) listed.set(t);
    }
    if (view.minTermMode) {
        subject.function.on = listed;
    } else {
        // Every row not ticked, as a max-term or a don't-care, is a 1.
        for (int row = 0; row < rows; ++row) {
            if (!listed.test(row) && !subject.function.dc.test(row)) subject.function.on.set(row);
        }
    }
    // A row that is both stays a 1, as in the minimizer's input.
    subject.function.dc -= subject.function.on;
    if (view.minimumProven && view.numVars >= 1 && view.numVars <= logic::kMaxWidth)
        subject.minimum = readProducts(view.minSopText, subject.letters);
    return subject;
}

std::string functionName(const std::string& letters) {
    std::string name = "F(";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i > 0) name += ',';
        name += letters[i];
    }
    return name + ")";
}

}  // namespace quendal::explain
