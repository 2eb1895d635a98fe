#pragma once

#include <string>

#include "workspace/expression_texts.h"

namespace quendal::workspace {

// One record of log.txt per completed simplification: who, when, and the
// four texts of the function.
struct LogRecord {
    std::string userName;
    std::string date;  // "dd-mmm-yyyy"
    std::string time;  // "hh:mm AMPM"
    FunctionTexts texts;
};

// The six lines of a record, each ending in CR LF.
std::string logRecordText(const LogRecord& record);

// Appends `text` to the file at `path` (created when missing) in one write.
// Throws std::runtime_error naming the file when that fails; a failed write
// is cut off again, so the file never ends in half a record. Only a regular
// file is written: a folder, a named pipe, a device or a symbolic link in its
// place is refused at once (never waited on, never followed).
void appendToLog(const std::string& path, const std::string& text);

}  // namespace quendal::workspace
