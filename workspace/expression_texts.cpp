#include "workspace/expression_texts.h"

#include <algorithm>

namespace quendal::workspace {

namespace {

// Every sum in parentheses, as the max-term texts write them: "(A+B)(A'+B')".
std::string bracketedSums(const Cubes& cubes, int width, const logic::Letters& letters) {
    std::string out;
    for (std::size_t i = 0; i < cubes.size(); ++i) {
        if (i > 0) out += ")(";
        out += logic::sumText(cubes[i], width, letters);
    }
    return out;
}

}  // namespace

std::string toBinary(int t, int numVars) {
    std::string code(static_cast<std::size_t>(std::max(numVars, 0)), '0');
    for (int k = numVars - 1; k >= 0 && t != 0; --k) {
        code[static_cast<std::size_t>(k)] = static_cast<char>('0' + (t & 1));
        t >>= 1;
    }
    return code;
}

Cubes cubesOf(const Codes& codes) {
    Cubes cubes;
    cubes.reserve(codes.size());
    for (const std::string& code : codes) cubes.push_back(logic::cubeOfCode(code));
    return cubes;
}

bool isShortText(const std::string& sop) {
    return sop.size() == 1 || (sop.size() == 2 && sop[1] == '\'');
}

ExpressionPair buildInputExpressions(const Cubes& terms, const Cubes& dontCares, int width,
                                     logic::TermMode mode, const logic::Letters& letters) {
    ExpressionPair texts;
    if (mode == logic::TermMode::Minterms) {
        texts.sop = logic::sopText(terms, width, letters);
        if (!dontCares.empty())
            texts.sop += " + d (" + logic::sopText(dontCares, width, letters) + ")";
        texts.pos =
            isShortText(texts.sop) ? texts.sop : logic::complementedPosText(terms, width, letters);
        return texts;
    }
    texts.pos = terms.empty() ? "1" : "(" + bracketedSums(terms, width, letters) + ")";
    if (!dontCares.empty())
        texts.pos += " + d ((" + bracketedSums(dontCares, width, letters) + "))";
    texts.sop =
        isShortText(texts.pos) ? texts.pos : "(" + logic::sopText(terms, width, letters) + ")'";
    return texts;
}

std::string equationPosText(const std::string& equation, const Cubes& products, int width,
                            const logic::Letters& letters) {
    return isShortText(equation) ? equation : logic::complementedPosText(products, width, letters);
}

ExpressionPair minimizedTexts(const Cubes& implicants, int width, const logic::Letters& letters) {
    if (implicants.empty()) return {"0", "0"};
    const bool one = std::any_of(implicants.begin(), implicants.end(),
                                 [width](const logic::Cube& c) { return c.literals(width) == 0; });
    if (one) return {"1", "1"};
    ExpressionPair texts;
    texts.sop = logic::sopText(implicants, width, letters);
    texts.pos =
        isShortText(texts.sop) ? texts.sop : logic::complementedPosText(implicants, width, letters);
    return texts;
}

}  // namespace quendal::workspace
