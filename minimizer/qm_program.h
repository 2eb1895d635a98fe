#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "minimizer/exchange.h"

namespace qm {

// Input files larger than this are refused rather than read: a real one is a few kilobytes.
inline constexpr std::size_t kMaxInputBytes = 4 * 1024 * 1024;

// Reads a whole input file, refusing what is not a readable regular file of at most
// kMaxInputBytes. Throws InputError naming the file.
std::string readInputFile(const std::string& path);

// Replaces `path` with `text` through a temporary file in the same folder, so that the file is
// either written whole or left as it was. Throws InputError naming the file.
void writeFileAtomically(const std::string& path, const std::string& text);

// The whole program: `args` are the command-line arguments after the program name (IN OUT).
// Problems are reported as one line on `err`; returns the exit status.
int runQm(const std::vector<std::string>& args, std::ostream& err);

}  // namespace qm
