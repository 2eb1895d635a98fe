#pragma once

#include <string>
#include <vector>

#include "workspace/expression_texts.h"

namespace quendal::workspace {

// The files exchanged with the minimizer: in.txt holds one code per line
// ("d" after a don't-care term's code), CR LF between lines and none after the
// last; out.txt holds the implicants' codes. Failures throw std::runtime_error
// with a description naming the file.

// The bytes of in.txt.
std::string inFileText(const Codes& termCodes, const Codes& dcCodes);

// Replaces the file at `path` with `text` through a temporary file in the
// same folder, so a failure never leaves a half-written file.
void writeFileAtomically(const std::string& path, const std::string& text);

// The implicants in out.txt: CR LF or LF, with or without a last line end;
// blank lines are skipped and characters other than "0"/"1" read as "-". A
// missing file or a line of the wrong width is an error.
Codes readOutFile(const std::string& path, int varCount);

// Checks the implicants read back against the in.txt just written (its text):
// they must cover every row its term or product lines ask for, and no row
// outside those and its don't-care lines. Throws std::runtime_error saying
// that the minimizer's answer does not match the function.
void checkAnswer(const std::string& inText, const Codes& implicants, int varCount);

}  // namespace quendal::workspace
