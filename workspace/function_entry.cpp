#include "workspace/function_entry.h"

#include "logic/expression_parser.h"
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

// The letters of the first `count` names, one character each.
logic::Letters lettersOf(const std::vector<std::string>& names, int count) {
    logic::Letters letters;
    for (int k = 0; k < count && k < static_cast<int>(names.size()); ++k) {
        const std::string& name = names[static_cast<std::size_t>(k)];
        letters +=
            name.empty() ? logic::kDefaultLetters[static_cast<std::size_t>(k)] : name.front();
    }
    return letters;
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
        input.columns = columns_ = numVars_;
        letters_ = lettersOf(keyFilter_.varNames(), numVars_);
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
            buildInputExpressions(onlyDontCares ? Cubes{} : cubesOf(termCodes(terms_, numVars_)),
                                  cubesOf(dcCodes), numVars_, termMode(), letters_);
        texts_.sop = shown.sop;
        equationFromTerms_ = true;
        texts_.ipPos = shown.pos;
        if (input.nothingToMinimize) takeAnswer({});
        return input;
    }

    dropTrailingPlus();
    if (texts_.sop.empty()) return std::nullopt;
    keyFilter_.sortVarNames();
    input.columns = columns_ = keyFilter_.varCount();
    letters_ = lettersOf(keyFilter_.varNames(), columns_);
    products_ = logic::parseSumOfProducts(texts_.sop, columns_, letters_);
    Codes codes;
    for (const logic::Cube& product : products_) codes.push_back(logic::codeOf(product, columns_));
    input.inText = inFileText(codes, {});
    texts_.ipPos = equationPosText(texts_.sop, products_, columns_, letters_);
    return input;
}

void FunctionEntry::takeAnswer(const Codes& implicants) {
    minimum_ = cubesOf(implicants);
    const ExpressionPair minimized = minimizedTexts(minimum_, columns_, letters_);
    texts_.minSop = minimized.sop;
    texts_.minPos = minimized.pos;
}

void FunctionEntry::completeSimplify() {
    drawing::FunctionView f;
    f.sopText = texts_.sop;
    f.ipPosText = texts_.ipPos;
    f.minSopText = texts_.minSop;
    f.minPosText = texts_.minPos;
    f.letters = letters_;
    f.minimum = minimum_;
    logic::Function& function = f.function;
    if (termsPath_) {
        f.mode = termMode();
        function = logic::functionOfTerms(columns_, {terms_.begin(), terms_.end()}, f.mode,
                                          {dontCares_.begin(), dontCares_.end()});
        f.termsText = termsText();
        f.dontCareText = dontCareText();
    } else {
        function.width = columns_;
        for (const logic::Cube& product : products_) function.on |= product.rows(columns_);
        std::string covered;
        function.on.forEach([&covered](int t) {
            if (!covered.empty()) covered += ',';
            covered += std::to_string(t);
        });
        f.termsText = covered;
    }
    minimized_ = f;
}

logic::TermMode FunctionEntry::termMode() const {
    return mode_ != Mode::MaxTerms || terms_.empty() ? logic::TermMode::Minterms
                                                     : logic::TermMode::Maxterms;
}

LogRecord FunctionEntry::logRecord(const std::string& userName, const std::string& date,
                                   const std::string& time) const {
    return {userName, date, time, texts_};
}

}  // namespace quendal::workspace
