#pragma once

#include <string>
#include <vector>

#include "logic/cube.h"
#include "logic/expression_text.h"
#include "logic/function.h"

namespace quendal::workspace {

// The code texts of in.txt and out.txt: one character per variable column,
// "1", "0" or "-".
using Codes = std::vector<std::string>;
using Cubes = std::vector<logic::Cube>;

// The term code of t: numVars characters "0"/"1", most significant first;
// bits above the numVars-th are dropped.
std::string toBinary(int t, int numVars);

// The cubes of codes, each over the codes' width.
Cubes cubesOf(const Codes& codes);

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

// The input texts of ticked terms over `width` columns: the minterms in
// min-term mode, the maxterms in max-term mode. A min-term function without
// minterms reads "0".
ExpressionPair buildInputExpressions(const Cubes& terms, const Cubes& dontCares, int width,
                                     logic::TermMode mode, const logic::Letters& letters);

// The product of sums shown beside a typed equation of these products.
std::string equationPosText(const std::string& equation, const Cubes& products, int width,
                            const logic::Letters& letters);

// The minimized texts of the implicants the minimizer returned: no implicant
// is the constant 0, an implicant without letters the constant 1.
ExpressionPair minimizedTexts(const Cubes& implicants, int width, const logic::Letters& letters);

}  // namespace quendal::workspace
