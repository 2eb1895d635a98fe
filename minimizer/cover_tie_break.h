#pragma once

// The tie-break: among the covers of minimum cost, the one whose ascending index list comes
// first, decided candidate by candidate once the minimum is known.

#include <vector>

#include "minimizer/cover_node.h"
#include "minimizer/cover_search.h"

namespace qm::covering {

// Decides the node's candidates in index order, each included exactly when some cover of cost
// `minimum` with all earlier decisions holds it, and returns the chosen candidates, ascending.
// Past SolveOptions::choiceWork, a candidate is included only when the witness holds it, as it
// is or with one undecided candidate traded for it: still a cover of cost `minimum`.
// `witness` is a known cover of cost `minimum` through the node; `reach` the node's open rows of
// each active candidate, as reduce leaves them.
std::vector<int> preferredCover(CoverSearch& search, Node node, std::vector<logic::RowSet> reach,
                                const Cost& minimum, std::vector<int> witness);

}  // namespace qm::covering
