#pragma once

#include <string>
#include <vector>

namespace quendal::workspace {

// The texts that show a function: letters, "'" after a complemented letter,
// "+" for OR, juxtaposition for AND. A code has one character per variable
// column: "1" the letter, "0" its complement, anything else (normally "-")
// contributes nothing. varNames[k] is the letter of column k.
using Codes = std::vector<std::string>;
using Letters = std::vector<std::string>;

// The term code of t: numVars characters "0"/"1", most significant first;
// bits above the numVars-th are dropped.
std::string toBinary(int t, int numVars);

// "10-" -> "AB'"
std::string productText(const std::string& code, const Letters& varNames);
// "10-" -> "A'+B"
std::string sumText(const std::string& code, const Letters& varNames);
// The product texts joined by "+".
std::string sumOfProducts(const Codes& codes, const Letters& varNames);
// The product of sums of the complement, negated: ((A+B')(A'+B))' for the
// codes 01 and 10; "1" when the only code has no letter; "0" for no codes.
std::string complementForm(const Codes& codes, const Letters& varNames);
// A single letter, or a letter and "'", serves as its own product of sums.
bool isShortText(const std::string& sop);

struct ExpressionPair {
    std::string sop;
    std::string pos;
};

// The four expression texts of a function, as the work form shows them.
struct FunctionTexts {
    std::string sop;     // txtEquation: typed, or made from the ticked terms
    std::string ipPos;   // txtIpPosEquation
    std::string minSop;  // txtMinEquation
    std::string minPos;  // txtPosEquation
};

// The input texts of ticked terms. In min-term mode `termCodes` are the
// minterms' codes, in max-term mode the maxterms' codes. A min-term function
// without minterms reads "0".
ExpressionPair buildInputExpressions(const Codes& termCodes, const Codes& dcCodes, bool maxTermMode,
                                     const Letters& varNames);

// The product of sums shown beside a typed equation.
std::string equationPosText(const std::string& equation, const Codes& productCodes,
                            const Letters& varNames);

// The minimized texts of the implicants the minimizer returned: no implicant
// is the constant 0, an implicant without letters the constant 1.
ExpressionPair minimizedTexts(const Codes& implicants, const Letters& varNames);

}  // namespace quendal::workspace
