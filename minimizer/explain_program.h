#pragma once

#include <ostream>
#include <string>

namespace qm {

// "Qm.exe --explain IN": the explanation of the function in IN as JSON on `out`. Problems are
// reported as "Qm.exe IN OUT" reports them (one line on `err`, nothing on `out`); returns the
// exit status.
int runExplain(const std::string& inPath, std::ostream& out, std::ostream& err);

}  // namespace qm
