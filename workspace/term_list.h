#pragma once

#include <string>
#include <vector>

// Term lists as the work form keeps them: decimal texts in ascending numeric
// order, shown joined by "," without spaces.
using TermList = std::vector<std::string>;

// Exchange sort of fnarray from position `lowerbound` (1 is the first entry)
// to its end by numeric value (9 before 10); equal values keep their order.
// Sorts in place and also returns the sorted list.
TermList SortArray(TermList& fnarray, int lowerbound);

std::string joinTerms(const TermList& list);
// The entries of a shown list; an empty text gives no entries.
TermList splitTerms(const std::string& text);
// The entries as numbers; a text that is not a number counts as 0.
std::vector<int> termNumbers(const TermList& list);
