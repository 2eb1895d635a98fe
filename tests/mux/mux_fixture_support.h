#pragma once

#include "drawing/function_view.h"
#include "tests/support/recording_canvas.h"

#include <string>
#include <vector>

// A function as the work form hands it to the drawings, with letters A, B, …
// and the header texts a ticked function has (user "Tester" on a fixed day).
quendal::drawing::FunctionView makeFunction(int n, std::vector<int> terms,
                                            logic::TermMode mode = logic::TermMode::Minterms,
                                            std::vector<int> dontCares = {});

// The three operations of a filled dot in the foreground colour.
std::vector<std::string> filledDot(int x, int y);

// Appends b to a.
void append(std::vector<std::string>& a, const std::vector<std::string>& b);

// Whether `expected` occurs in `actual` in this order (other lines may lie
// between), with the first missing line in `missing`.
bool containsInOrder(const std::vector<std::string>& actual,
                     const std::vector<std::string>& expected, std::string* missing);
