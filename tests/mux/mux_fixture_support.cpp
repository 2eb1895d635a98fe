#include "tests/mux/mux_fixture_support.h"

using namespace quendal::drawing;

namespace {

std::string joined(const std::vector<int>& list) {
    std::string text;
    for (int t : list) {
        if (!text.empty()) text += ",";
        text += std::to_string(t);
    }
    return text;
}

}  // namespace

FunctionView makeFunction(int n, std::vector<int> terms, logic::TermMode mode,
                          std::vector<int> dontCares) {
    FunctionView f;
    f.userName = "Tester";
    f.dateText = "05-Mar-2024";
    f.timeText = "07:40 AM";
    f.letters = std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(n)));
    f.termsText = joined(terms);
    f.dontCareText = joined(dontCares);
    f.mode = mode;
    f.function = logic::functionOfTerms(n, terms, f.mode, dontCares);
    return f;
}

std::vector<std::string> filledDot(int x, int y) {
    return {"fill solid", "circle " + std::to_string(x) + "," + std::to_string(y) + " 25 fg filled",
            "fill transparent"};
}

void append(std::vector<std::string>& a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
}

bool containsInOrder(const std::vector<std::string>& actual,
                     const std::vector<std::string>& expected, std::string* missing) {
    std::size_t at = 0;
    for (const std::string& line : expected) {
        while (at < actual.size() && actual[at] != line) ++at;
        if (at == actual.size()) {
            if (missing) *missing = line;
            return false;
        }
        ++at;
    }
    return true;
}
