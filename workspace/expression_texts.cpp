#include "workspace/expression_texts.h"

#include <algorithm>

namespace quendal::workspace {

namespace {

const std::string& letterOf(const Letters& varNames, std::size_t column) {
    static const std::string none;
    return column < varNames.size() ? varNames[column] : none;
}

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

std::vector<std::string> sumTexts(const Codes& codes, const Letters& varNames) {
    std::vector<std::string> sums;
    sums.reserve(codes.size());
    for (const std::string& code : codes) sums.push_back(sumText(code, varNames));
    return sums;
}

std::vector<std::string> productTexts(const Codes& codes, const Letters& varNames) {
    std::vector<std::string> products;
    products.reserve(codes.size());
    for (const std::string& code : codes) products.push_back(productText(code, varNames));
    return products;
}

bool hasNoLetter(const std::string& code) {
    return std::none_of(code.begin(), code.end(), [](char c) { return c == '0' || c == '1'; });
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

std::string productText(const std::string& code, const Letters& varNames) {
    std::string out;
    for (std::size_t k = 0; k < code.size(); ++k) {
        if (code[k] == '1') {
            out += letterOf(varNames, k);
        } else if (code[k] == '0') {
            out += letterOf(varNames, k);
            out += '\'';
        }
    }
    return out;
}

std::string sumText(const std::string& code, const Letters& varNames) {
    std::vector<std::string> pieces;
    for (std::size_t k = 0; k < code.size(); ++k) {
        if (code[k] == '0') {
            pieces.push_back(letterOf(varNames, k));
        } else if (code[k] == '1') {
            pieces.push_back(letterOf(varNames, k) + "'");
        }
    }
    return join(pieces, "+");
}

std::string sumOfProducts(const Codes& codes, const Letters& varNames) {
    return join(productTexts(codes, varNames), "+");
}

std::string complementForm(const Codes& codes, const Letters& varNames) {
    if (codes.empty()) return "0";
    if (codes.size() == 1) {
        const std::string sum = sumText(codes.front(), varNames);
        return sum.empty() ? "1" : "(" + sum + ")'";
    }
    return "((" + join(sumTexts(codes, varNames), ")(") + "))'";
}

bool isShortText(const std::string& sop) {
    return sop.size() == 1 || (sop.size() == 2 && sop[1] == '\'');
}

ExpressionPair buildInputExpressions(const Codes& termCodes, const Codes& dcCodes, bool maxTermMode,
                                     const Letters& varNames) {
    ExpressionPair texts;
    if (!maxTermMode) {
        texts.sop = termCodes.empty() ? "0" : sumOfProducts(termCodes, varNames);
        if (!dcCodes.empty()) texts.sop += " + d (" + sumOfProducts(dcCodes, varNames) + ")";
        texts.pos = isShortText(texts.sop) ? texts.sop : complementForm(termCodes, varNames);
        return texts;
    }
    const std::string sums = join(sumTexts(termCodes, varNames), ")(");
    texts.pos = sums.empty() ? "1" : "(" + sums + ")";
    if (!dcCodes.empty()) texts.pos += " + d ((" + join(sumTexts(dcCodes, varNames), ")(") + "))";
    if (isShortText(texts.pos)) {
        texts.sop = texts.pos;
    } else {
        texts.sop = std::string(1, '(');
        texts.sop += join(productTexts(termCodes, varNames), "+");
        texts.sop += ")'";
    }
    return texts;
}

std::string equationPosText(const std::string& equation, const Codes& productCodes,
                            const Letters& varNames) {
    return isShortText(equation) ? equation : complementForm(productCodes, varNames);
}

ExpressionPair minimizedTexts(const Codes& implicants, const Letters& varNames) {
    if (implicants.empty()) return {"0", "0"};
    if (std::any_of(implicants.begin(), implicants.end(), hasNoLetter)) return {"1", "1"};
    ExpressionPair texts;
    texts.sop = sumOfProducts(implicants, varNames);
    texts.pos = isShortText(texts.sop) ? texts.sop : complementForm(implicants, varNames);
    return texts;
}

}  // namespace quendal::workspace
