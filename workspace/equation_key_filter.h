#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quendal::workspace {

// The key filter of the equation box. Every key is judged against the box's
// text as if it were appended at the end (the box is an append-only line), so
// that the text stays a sum of products over at most numVars letters. It also
// collects the letters in use (varNames, varCount), the columns of the
// minimizer's files.
class EquationKeyFilter {
public:
    static constexpr int kBackspace = 8;
    static constexpr int kEnter = 13;

    // What the form does for the keys that act on it.
    struct Hooks {
        std::function<void()> clear;      // Backspace on a one-character text
        std::function<void()> lostFocus;  // Enter, before simplifying
        std::function<void()> simplify;   // Enter
    };

    // Forget the letters for a new number of variables. primeCount is kept:
    // only an accepted "+" resets it.
    void reset(int numVars);

    // Judges `key` (a character code) typed at the end of `text`. Returns the
    // key to apply (letters come back in capitals, "=" as "+"), or 0 when the
    // key is refused.
    int keyPress(const std::string& text, int key, const Hooks& hooks);

    // Sorts varNames(1..varCount) alphabetically, as the equation's columns.
    void sortVarNames();
    // After a run of the term lists: the letters "A", "B", ... of every variable.
    void useAllLetters();

    int numVars() const { return numVars_; }
    // Positions 1..numVars as indexes 0..numVars-1; unused entries are empty.
    const std::vector<std::string>& varNames() const { return varNames_; }
    int varCount() const { return varCount_; }
    // Empty, or the last character handled (code 0 for a refused key).
    const std::string& lastChar() const { return lastChar_; }
    int primeCount() const { return primeCount_; }

private:
    int letter(const std::string& text, int key);

    int numVars_ = 4;
    std::vector<std::string> varNames_ = std::vector<std::string>(4);
    int varCount_ = 0;
    std::string lastChar_;
    int primeCount_ = 0;
};

}  // namespace quendal::workspace
