#include "workspace/equation_key_filter.h"

#include <algorithm>
#include <utility>

namespace quendal::workspace {

void EquationKeyFilter::reset(int numVars) {
    numVars_ = numVars;
    varNames_.assign(static_cast<std::size_t>(numVars), std::string());
    varCount_ = 0;
    lastChar_.clear();
}

int EquationKeyFilter::letter(const std::string& text, int key) {
    if (lastChar_.empty()) lastChar_.assign(1, '+');
    // Two letters typed one after the other must ascend; comparing with the
    // last key only is what lets B'A through, which the pipeline reads by letter.
    if (static_cast<unsigned char>(lastChar_[0]) >= key) return -1;

    const int eqLen = static_cast<int>(text.size());
    const std::size_t plus = text.rfind('+');
    const int pos = plus == std::string::npos ? 0 : static_cast<int>(plus) + 1;
    const char ch = static_cast<char>(key);
    bool refused = false;
    if (eqLen != 0) {
        if (eqLen - numVars_ - primeCount_ >= pos) refused = true;
        if (text.find(ch, static_cast<std::size_t>(pos)) != std::string::npos) refused = true;
    }
    const std::string name(1, ch);
    bool varFound = std::find(varNames_.begin(), varNames_.end(), name) != varNames_.end();
    if (!varFound && varCount_ < numVars_ && !refused) {
        varNames_[static_cast<std::size_t>(varCount_)] = name;
        ++varCount_;
        varFound = true;
    }
    return (refused || !varFound) ? 0 : key;
}

int EquationKeyFilter::keyPress(const std::string& text, int key, const Hooks& hooks) {
    if (key >= 'a' && key <= 'z') key -= 32;

    if (key >= 'A' && key <= 'Z') {
        key = letter(text, key);
        if (key < 0) return 0;  // refused by the order test; lastChar stays
    } else if (key == '+' || key == '=') {
        key = '+';
        if (text.empty() || text.back() == '+') {
            key = 0;
        } else {
            primeCount_ = 0;
        }
    } else if (key == '\'') {
        if (text.empty() || text.back() == '\'' || text.back() == '+') {
            key = 0;
        } else {
            ++primeCount_;
        }
    } else if (key == kBackspace) {
        if (text.size() == 1 && hooks.clear) hooks.clear();
        lastChar_ = std::string(1, static_cast<char>(kBackspace));
        return key;
    } else if (key == kEnter) {
        if (hooks.lostFocus) hooks.lostFocus();
        if (hooks.simplify) hooks.simplify();
        lastChar_ = std::string(1, static_cast<char>(kEnter));
        return key;
    } else {
        return 0;
    }
    lastChar_ = std::string(1, static_cast<char>(key));
    return key;
}

void EquationKeyFilter::sortVarNames() {
    const auto n = static_cast<std::size_t>(std::min<int>(varCount_, numVars_));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i; j < n; ++j) {
            if (varNames_[i] > varNames_[j]) std::swap(varNames_[i], varNames_[j]);
        }
    }
}

void EquationKeyFilter::useAllLetters() {
    for (int k = 0; k < numVars_; ++k) {
        varNames_[static_cast<std::size_t>(k)] = std::string(1, static_cast<char>('A' + k));
    }
    varCount_ = numVars_;
}

}  // namespace quendal::workspace
