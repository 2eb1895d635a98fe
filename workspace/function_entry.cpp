#include "workspace/function_entry.h"

#include "workspace/minimizer_exchange.h"
#include "workspace/simplification_log.h"

namespace quendal::workspace {

namespace {

std::string question(const char* what) {
    return std::string(what) + "\nDo you still want to continue ?";
}

std::string joined(const std::set<int>& rows) {
    std::string out;
    for (int t : rows) {
        if (!out.empty()) out += ',';
        out += std::to_string(t);
    }
    return out;
}

Codes termCodes(const std::set<int>& rows, int numVars) {
    Codes codes;
    for (int t : rows) codes.push_back(toBinary(t, numVars));
    return codes;
}

}  // namespace

void FunctionEntry::reset(int numVars) {
    numVars_ = numVars;
    mode_ = Mode::Undecided;
    option_ = Option::None;
    canSimplify_ = false;
    terms_.clear();
    dontCares_.clear();
    keyFilter_.reset(numVars);
    clearTexts();
}

void FunctionEntry::choose(Option option) {
    clearTexts();
    option_ = option;
    if (option == Option::MinTerms) mode_ = Mode::MinTerms;
    if (option == Option::MaxTerms) {
        mode_ = Mode::MaxTerms;
        equationLocked_ = true;
    }
}

std::string FunctionEntry::termsText() const {
    return joined(terms_);
}

std::string FunctionEntry::dontCareText() const {
    return joined(dontCares_);
}

std::optional<std::string> FunctionEntry::changeTick(int row, bool ticked) {
    clearTexts();
    if (ticked) {
        if (option_ == Option::DontCare) {
            dontCares_.insert(row);
        } else {
            terms_.insert(row);
            canSimplify_ = true;
        }
        return std::nullopt;
    }
    if (terms_.count(row) > 0) {
        if (mode_ == Mode::MinTerms && option_ != Option::MinTerms) {
            return question("You've Unchecked a MinTerm !");
        }
        if (mode_ == Mode::MaxTerms && option_ != Option::MaxTerms) {
            return question("You've Unchecked a MaxTerm !");
        }
        return std::nullopt;
    }
    if (option_ != Option::DontCare) return question("You've Unchecked a DontCare Term !");
    return std::nullopt;
}

FunctionEntry::Option FunctionEntry::confirmUntick(int row) {
    if (terms_.erase(row) > 0) {
        if (terms_.empty()) canSimplify_ = false;
        return mode_ == Mode::MaxTerms ? Option::MaxTerms : Option::MinTerms;
    }
    dontCares_.erase(row);
    return Option::DontCare;
}

bool FunctionEntry::startTyping() {
    terms_.clear();
    dontCares_.clear();
    option_ = Option::None;
    canSimplify_ = true;
    const bool emptyFirst = equationFromTerms_;
    if (emptyFirst) {
        equationFromTerms_ = false;
        texts_.sop.clear();
    }
    return emptyFirst;
}

void FunctionEntry::dropTrailingPlus() {
    if (!texts_.sop.empty() && texts_.sop.back() == '+') texts_.sop.pop_back();
}

void FunctionEntry::clearTexts() {
    texts_ = Texts{};
    equationFromTerms_ = false;
}

std::optional<FunctionEntry::Input> FunctionEntry::prepareSimplify() {
    texts_.minSop.clear();
    Input input;
    input.termsPath = termsPath_ = !terms_.empty() || !dontCares_.empty();
    if (input.termsPath) {
        keyFilter_.useAllLetters();
        input.columns = numVars_;
        const bool maxMode = mode_ == Mode::MaxTerms;
        // Only don't-care terms ticked: a function without minterms.
        const bool onlyDontCares = terms_.empty();
        Codes minCodes;
        if (maxMode && !onlyDontCares) {
            for (int t = 0; t < rowCount(); ++t) {
                if (!isTicked(t)) minCodes.push_back(toBinary(t, numVars_));
            }
        } else if (!maxMode) {
            minCodes = termCodes(terms_, numVars_);
        }
        input.nothingToMinimize = minCodes.empty();
        const Codes dcCodes = termCodes(dontCares_, numVars_);
        if (!input.nothingToMinimize) input.inText = inFileText(minCodes, dcCodes);

        const ExpressionPair shown =
            buildInputExpressions(onlyDontCares ? Codes{} : termCodes(terms_, numVars_), dcCodes,
                                  maxMode && !onlyDontCares, keyFilter_.varNames());
        texts_.sop = shown.sop;
        equationFromTerms_ = true;
        texts_.ipPos = shown.pos;
        if (input.nothingToMinimize) takeAnswer({});
        return input;
    }

    dropTrailingPlus();
    if (texts_.sop.empty()) return std::nullopt;
    keyFilter_.sortVarNames();
    input.columns = keyFilter_.varCount();
    productCodes_ = productCodes(texts_.sop, keyFilter_.varNames(), input.columns);
    input.inText = inFileText(productCodes_, {});
    texts_.ipPos = equationPosText(texts_.sop, productCodes_, keyFilter_.varNames());
    return input;
}

void FunctionEntry::takeAnswer(const Codes& implicants) {
    const ExpressionPair minimized = minimizedTexts(implicants, keyFilter_.varNames());
    texts_.minSop = minimized.sop;
    texts_.minPos = minimized.pos;
}

void FunctionEntry::completeSimplify() {
    drawing::FunctionView f;
    f.sopText = texts_.sop;
    f.ipPosText = texts_.ipPos;
    f.minSopText = texts_.minSop;
    f.minPosText = texts_.minPos;
    f.varNames = keyFilter_.varNames();
    if (termsPath_) {
        f.numVars = numVars_;
        f.terms.assign(terms_.begin(), terms_.end());
        f.minTermMode = mode_ != Mode::MaxTerms || terms_.empty();
        f.dontCares.assign(dontCares_.begin(), dontCares_.end());
        f.termsText = termsText();
        f.dontCareText = dontCareText();
    } else {
        f.numVars = keyFilter_.varCount();
        f.terms = coveredMinterms(productCodes_, keyFilter_.varCount());
        f.minTermMode = true;
        std::set<int> covered(f.terms.begin(), f.terms.end());
        f.termsText = joined(covered);
    }
    minimized_ = f;
}

LogRecord FunctionEntry::logRecord(const std::string& userName, const std::string& date,
                                   const std::string& time) const {
    return {userName, date, time, texts_};
}

}  // namespace quendal::workspace
