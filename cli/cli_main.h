#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quendal::cli {

// quendal-export after the program name: the first argument chooses the
// mode. "--help" prints the usage, "--exercises" writes practice exercises
// (practice::runExercisesCommand); every other first argument begins an
// export, whose options come in any order. Another mode is one more branch
// that calls its module. Needs a QApplication. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// What main() does before the QApplication: without a platform named, the
// program draws offscreen, so it runs where there is no display.
void chooseOffscreenPlatform();

}  // namespace quendal::cli
