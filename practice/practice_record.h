#pragma once

#include <string>
#include <vector>

namespace quendal::practice {

// The practice record, practice.csv, sits beside log.txt: one row per exercise.
inline const char* const kPracticeFile = "practice.csv";

struct PracticeRecord {
    std::string userName;
    std::string dateTime;  // "2026-12-08 14:05", when the exercise began
    std::string code;      // the exercise code
    // Each answer or set of loops checked, with what the check said: "C + AB: Correct ...".
    std::vector<std::string> checks;
    int hints = 0;
    int reveals = 0;
    int seconds = 0;  // from opening the exercise to writing the row
};

// The first line of the file.
std::string practiceHeader();
// One row, CR LF at its end; fields quoted as CSV does, and a field a spreadsheet would read as
// a formula (starting with =, +, - or @) kept as text by a leading apostrophe.
std::string practiceRow(const PracticeRecord& record);

// Appends the row (after the header when the file is new or empty) in one write, as safely as
// log.txt: a failed write is cut off again and anything but a regular file is refused. Throws
// std::runtime_error naming the file.
void appendPracticeRecord(const std::string& path, const PracticeRecord& record);

}  // namespace quendal::practice
