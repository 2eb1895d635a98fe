#pragma once

#include <QString>

#include <string>

#include "workspace/expression_texts.h"

namespace quendal::common {
class MinimizerLauncher;
}

namespace quendal::workspace {

// The exchange files in the current folder.
inline const char* const kInFile = "in.txt";
inline const char* const kOutFile = "out.txt";
inline const char* const kLogFile = "log.txt";

// The minimizer's answer, checked against the function it was asked about.
struct MinimizerAnswer {
    Codes implicants;
    QString notProven;  // empty for a proven minimum, else the minimizer's own note
};

// One exchange with the minimizer in the current folder. Waits for the
// exchange lock (another window's exchange in this folder; busy cursor, at
// most the launcher's time limit), writes in.txt, removes a stale out.txt,
// runs the minimizer, reads out.txt and checks it against in.txt, then gives
// the lock back. Throws std::runtime_error describing any failure.
MinimizerAnswer exchangeWithMinimizer(const std::string& inText, int columns,
                                      common::MinimizerLauncher& launcher);

// What the user is told about an answer the minimizer could not prove minimal.
QString notProvenMessage(const QString& note);

}  // namespace quendal::workspace
