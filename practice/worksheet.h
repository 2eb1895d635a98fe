#pragma once

#include <QStringList>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "practice/exercise.h"

namespace quendal::practice {

// A worksheet's exercises: `count` of one kind, the i-th from seed (first + i) mod 2^20, so a
// sheet is named by its first code and its length.
std::vector<Exercise> worksheetExercises(int count, int level, int width, bool dontCares,
                                         std::uint32_t first);

// {"exercises": [{"code", "variables", "ones", "dontCares", "level"}, ...]}
std::string exercisesJson(const std::vector<Exercise>& exercises);

struct WorksheetOptions {
    static constexpr int kMaxExercises = 100;
    bool blankMaps = true;  // a blank Karnaugh map per exercise, else a blank combining table
    std::string title = "Quendal worksheet";
};

// The PDF of the exercises with a name and date line and room to work (needs a
// QGuiApplication, for the fonts), and the answer key: the minimum sum of products and product
// of sums of each and a summary of its steps. Each is written beside the target and renamed
// into place, every write checked; a target that is not a regular file (or a link to one) is
// refused. Throws std::runtime_error naming the file.
void writeWorksheetPdf(const std::string& path, const std::vector<Exercise>& exercises,
                       const WorksheetOptions& options = {});
void writeAnswerKeyPdf(const std::string& path, const std::vector<Exercise>& exercises,
                       const WorksheetOptions& options = {});
// The same replacing writer for a text file.
void writeTextFile(const std::string& path, const std::string& text);

// The exporter's exercises command, its arguments after the program's name:
//   --exercises N --level 1|2|3 --vars V [--dont-cares] --seed S --format json|pdf -o OUT
//   [--answers KEY.pdf]
// Returns the exit status: 0 written, 2 bad arguments (one line on `err`), 1 a file not written.
int runExercisesCommand(const QStringList& args, std::ostream& err);

}  // namespace quendal::practice
