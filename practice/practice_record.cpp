#include "practice/practice_record.h"

#include <sys/stat.h>

#include "workspace/simplification_log.h"

namespace quendal::practice {

namespace {

std::string field(std::string text) {
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n'") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string practiceHeader() {
    return "user,date,exercise,checks,hints,reveals,seconds\r\n";
}

std::string practiceRow(const PracticeRecord& r) {
    std::string checks;
    for (std::size_t i = 0; i < r.checks.size(); ++i) checks += (i > 0 ? " | " : "") + r.checks[i];
    return field(r.userName) + "," + field(r.dateTime) + "," + field(r.code) + "," + field(checks) +
           "," + std::to_string(r.hints) + "," + std::to_string(r.reveals) + "," +
           std::to_string(r.seconds) + "\r\n";
}

void appendPracticeRecord(const std::string& path, const PracticeRecord& record) {
    struct stat info {};
    const bool fresh =
        ::lstat(path.c_str(), &info) != 0 || (S_ISREG(info.st_mode) && info.st_size == 0);
    workspace::appendToLog(path, (fresh ? practiceHeader() : std::string()) + practiceRow(record));
}

}  // namespace quendal::practice
