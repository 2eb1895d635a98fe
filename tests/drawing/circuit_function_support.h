#pragma once

#include <string>
#include <vector>

#include "drawing/function_view.h"

// Functions for the circuit tests: the description a drawing reads, and
// sum-of-products texts of the shape the minimizer gives.

// A function as the circuits read it: the minimized sum of products over the
// given letters (varNames as the work form holds them), fixed header texts.
quendal::drawing::FunctionView circuitFunction(const std::string& minSop,
                                               std::vector<std::string> varNames = {"A", "B", "C"});

// A minimal-looking sum of products for the truth table (row r: column 1 is
// the most significant bit): prime implicants chosen greedily, written as
// the expression texts write them. "1" for a function that is always 1, "0"
// for one that is never 1.
std::string sopFor(const std::vector<bool>& truth, const std::vector<std::string>& letters);

// The value of a sum-of-products text for a row of the truth table over the
// letters, read independently of any drawing.
bool evaluateSop(const std::string& sop, const std::vector<std::string>& letters, int row);
