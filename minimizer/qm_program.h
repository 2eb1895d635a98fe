#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "minimizer/exchange.h"
#include "minimizer/minimize.h"

namespace qm {

// Input files larger than this are refused rather than read: a real one is a few kilobytes.
inline constexpr std::size_t kMaxInputBytes = 4 * 1024 * 1024;

// Reads a whole input file, refusing what is not a readable regular file of at most
// kMaxInputBytes. Throws InputError naming the file.
std::string readInputFile(const std::string& path);

// Renames a file over another, reporting failure in `error`; tests pass one that fails.
using RenameFile = void (*)(const std::filesystem::path& from, const std::filesystem::path& to,
                            std::error_code& error);

// Replaces `path` with `text` through a temporary file in the same folder, so that the file is
// either written whole or left as it was. An existing `path` must be a regular file or a
// symbolic link (the link itself is replaced): a device, a pipe or a folder is refused. Throws
// InputError naming the file.
void writeFileAtomically(const std::string& path, const std::string& text,
                         RenameFile rename = nullptr);

// The search's time limit: kTimeLimitSeconds, or for tests the milliseconds given in the
// environment variable QM_TIME_LIMIT_MS.
std::chrono::milliseconds timeLimit();

// Runs `body` (which returns the exit status) and turns what it throws into one line on
// `err` and kExitFailed, as every mode of Qm.exe reports failures.
int reportingFailures(std::ostream& err, const std::function<int()>& body);

// The line (after "Qm.exe: ") that says what is proven of an unproven answer for IN: the
// product count not, the count but not the literals, or the cost but not the documented choice.
std::string notProvenNote(const BestCover& best, int width, const std::string& inPath);

// The whole program: `args` are the command-line arguments after the program name (IN OUT).
// Problems are reported as one line on `err`; returns the exit status.
int runQm(const std::vector<std::string>& args, std::ostream& err);

}  // namespace qm
