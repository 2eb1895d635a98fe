#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "practice/practice_record.h"

namespace quendal::practice {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Reads one CSV row back into its fields, as a spreadsheet does.
std::vector<std::string> readRow(const std::string& row) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (quoted && c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else if (!quoted && (c == '\r' || c == '\n')) {
            break;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(PracticeRecord, EveryFieldReadsBackWhateverItHolds) {
    for (const std::string nasty :
         {"plain", "a, b", "say \"hi\"", "two\r\nlines", "=SUM(A1)", "-1", "", "O'Brien"}) {
        PracticeRecord r{
            nasty, "2026-12-08 14:05", "L2-4V-D-8K3Q", {nasty, "C + AB: Correct"}, 3, 1, 95};
        const auto fields = readRow(practiceRow(r));
        ASSERT_EQ(fields.size(), 7u) << nasty;
        const std::string text = (nasty.find_first_of("=+-@") == 0 ? "'" : "") + nasty;
        EXPECT_EQ(fields[0], text);
        EXPECT_EQ(fields[3], text + " | C + AB: Correct");
        EXPECT_EQ(fields[4] + fields[5] + fields[6], "3195");
    }
}

class PracticeFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = dir.filePath(QStringLiteral("practice.csv")).toStdString();
    PracticeRecord record{"ann", "2026-12-08 14:05", "L1-3V-N-0000", {"C: Correct"}, 0, 0, 12};
};

TEST_F(PracticeFile, HeaderOnceThenOneRowPerExercise) {
    appendPracticeRecord(path, record);
    appendPracticeRecord(path, record);
    EXPECT_EQ(contents(path), practiceHeader() + practiceRow(record) + practiceRow(record));
}

TEST_F(PracticeFile, RefusesWhatIsNoRegularFileAtOnce) {
    std::filesystem::create_directory(path);
    EXPECT_THROW(appendPracticeRecord(path, record), std::runtime_error);
    std::filesystem::remove(path);
    // A named pipe with no reader: refused, never waited on.
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_THROW(appendPracticeRecord(path, record), std::runtime_error);
    std::filesystem::remove(path);
    const std::string target = dir.filePath(QStringLiteral("elsewhere.csv")).toStdString();
    std::filesystem::create_symlink(target, path);
    try {
        appendPracticeRecord(path, record);
        ADD_FAILURE();
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("practice.csv"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(target));
}

// A write cut short (the file-size limit reached half-way) leaves the file as it was.
TEST_F(PracticeFile, AFailedWriteIsCutOffAgain) {
    appendPracticeRecord(path, record);
    const std::string before = contents(path);
    record.checks.assign(200, "a long answer checked again and again");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = before.size() + 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(appendPracticeRecord(path, record), std::runtime_error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(contents(path), before);
}

}  // namespace
}  // namespace quendal::practice
