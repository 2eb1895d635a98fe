#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "drawing/function_view.h"
#include "workspace/equation_key_filter.h"
#include "workspace/expression_texts.h"

namespace quendal::workspace {

struct LogRecord;

// The function the user states on the work form, and the Simplify steps that
// turn it into the minimizer's input and read its answer back. Plain data and
// rules: the form shows this state in its controls and asks the questions it
// returns.
class FunctionEntry {
public:
    // What the term list holds: fixed by the first choice of Min Terms or Max
    // Terms, open again only for a new number of variables.
    enum class Mode { Undecided, MinTerms, MaxTerms };
    // The selected option button: what a tick adds to.
    enum class Option { None, MinTerms, MaxTerms, DontCare };

    // The four expression texts, in their order on the form.
    using Texts = FunctionTexts;

    // What one Simplify sends to the minimizer.
    struct Input {
        bool termsPath = true;           // ticked terms, not a typed equation
        bool nothingToMinimize = false;  // no minterm at all: the answer is 0 without a run
        std::string inText;              // the bytes of in.txt
        int columns = 0;                 // the width of every in.txt and out.txt line
    };

    FunctionEntry() { reset(4); }

    // A new number of variables (also Clear): nothing ticked, no option, no
    // mode, empty texts.
    void reset(int numVars);
    int numVars() const { return numVars_; }
    int rowCount() const { return 1 << numVars_; }

    Mode mode() const { return mode_; }
    Option option() const { return option_; }
    // The option buttons the mode leaves open.
    bool minTermsOpen() const { return mode_ != Mode::MaxTerms; }
    bool maxTermsOpen() const { return mode_ != Mode::MinTerms; }
    // After Max Terms was chosen a typed equation is refused for good: it is a
    // sum of products, which max-term entry does not fit.
    bool equationLocked() const { return equationLocked_; }
    // Whether Simplify has something to work on.
    bool canSimplify() const { return canSimplify_; }

    // Selecting an option button empties the texts; Min or Max Terms fixes the mode.
    void choose(Option option);

    // Ticked minterms or maxterms (by the mode) and don't-care terms.
    const std::set<int>& terms() const { return terms_; }
    const std::set<int>& dontCares() const { return dontCares_; }
    bool isTicked(int row) const { return terms_.count(row) > 0 || dontCares_.count(row) > 0; }
    // The lists as the form shows them: ascending, joined by ",".
    std::string termsText() const;
    std::string dontCareText() const;

    // A tick box changed. Any change empties the texts. A tick joins the
    // don't-cares when Don't Care is selected, else the terms, at once. An
    // untick is only asked about: the question to put to the user first, if
    // any; the untick takes effect by confirmUntick.
    std::optional<std::string> changeTick(int row, bool ticked);
    // Takes the tick of `row` away (the user allowed it) and returns the
    // option this selects: the terms' option for a term, else Don't Care.
    Option confirmUntick(int row);

    // A key in the equation box ends term entry: nothing ticked, no option.
    // Returns whether the box must be emptied first (it showed the text made
    // from the term lists, no start for a typed equation).
    bool startTyping();
    EquationKeyFilter& keyFilter() { return keyFilter_; }
    const EquationKeyFilter& keyFilter() const { return keyFilter_; }
    const std::vector<std::string>& varNames() const { return keyFilter_.varNames(); }
    int varCount() const { return keyFilter_.varCount(); }

    const Texts& texts() const { return texts_; }
    void setEquationText(const std::string& text) { texts_.sop = text; }
    // A sum is not left open: one trailing "+" goes (when the box loses the
    // focus, and before a Simplify of the equation).
    void dropTrailingPlus();
    void clearTexts();
    // Whether the equation text was made from the term lists.
    bool equationFromTerms() const { return equationFromTerms_; }

    // Simplify, first step: the input texts and in.txt. Ticked terms are used
    // when any is ticked, else the typed equation (texts().sop, without a
    // trailing "+"); nothing when that is empty. Throws std::runtime_error for a product it cannot
    // read.
    std::optional<Input> prepareSimplify();
    // Last step: the minimizer's implicants (checked by the caller, codes
    // over the run's columns) as the minimum and its texts; without a run the
    // answer is the constant 0.
    void takeAnswer(const Codes& implicants);
    // The run completed: what the drawings get from now on.
    void completeSimplify();

    // The log record of the current texts.
    LogRecord logRecord(const std::string& userName, const std::string& date,
                        const std::string& time) const;
    // What the last completed Simplify minimized, without the header texts.
    const drawing::FunctionView& minimized() const { return minimized_; }

private:
    // The term mode of the ticked terms: max-term mode needs a max-term.
    logic::TermMode termMode() const;

    int numVars_ = 4;
    Mode mode_ = Mode::Undecided;
    Option option_ = Option::None;
    bool equationLocked_ = false;
    bool canSimplify_ = false;
    std::set<int> terms_;
    std::set<int> dontCares_;
    EquationKeyFilter keyFilter_;  // varNames, varCount, lastChar, primeCount
    Texts texts_;
    bool equationFromTerms_ = false;

    // The Simplify run in progress.
    bool termsPath_ = true;
    int columns_ = 0;         // the run's variables
    logic::Letters letters_;  // their letters
    Cubes products_;          // the typed products, for the minterms they cover
    Cubes minimum_;           // the minimizer's implicants

    drawing::FunctionView minimized_;
};

}  // namespace quendal::workspace
