#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace qm {

// Exit statuses of Qm.exe.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // bad input, unreadable IN or unwritable OUT
inline constexpr int kExitUsage = 2;   // wrong number of arguments

// Input files larger than this are refused rather than read: a real one is a few kilobytes.
inline constexpr std::size_t kMaxInputBytes = 4 * 1024 * 1024;

// A few symmetric functions of 8 variables take the exact search minutes or more. Past this
// limit Qm.exe gives up with a message rather than run on unseen; every function met in
// practice, and every benchmark family but the hardest symmetric ones, needs far less.
inline constexpr int kTimeLimitSeconds = 60;

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
