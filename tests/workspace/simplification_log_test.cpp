#include <QDir>

#include <gtest/gtest.h>

#include <stdexcept>

#include <sys/stat.h>

#include "tests/support/temp_workdir.h"
#include "tests/workspace/work_form_support.h"
#include "workspace/simplification_log.h"

using namespace quendal::workspace;

namespace {

const LogRecord kRecord{
    "ADA", "05-Mar-2024", "12:07 AM", {"A'B+AB'", "((A+B')(A'+B))'", "A'B+AB'", "((A+B')(A'+B))'"}};

const char* const kRecordText =
    "UserName    : ADA Date : 05-Mar-2024 Time : 12:07 AM\r\n"
    "input (SOP) : A'B+AB'\r\n"
    "input (POS) : ((A+B')(A'+B))'\r\n"
    "Output(SOP) : A'B+AB'\r\n"
    "Output(POS) : ((A+B')(A'+B))'\r\n"
    " \r\n";

TEST(SimplificationLog, SixLinesWithCrLf) {
    EXPECT_EQ(logRecordText(kRecord), kRecordText);
}

TEST(SimplificationLog, AppendsAndCreates) {
    TempWorkdir dir;
    appendToLog("log.txt", "first\r\n");
    appendToLog("log.txt", "second\r\n");
    EXPECT_EQ(fileBytes(dir.file("log.txt")), "first\r\nsecond\r\n");
}

TEST(SimplificationLog, AFolderInTheWayIsAnErrorNamingTheFile) {
    TempWorkdir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("log.txt"));
    try {
        appendToLog("log.txt", "x");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("log.txt"), std::string::npos) << e.what();
    }
}

// Only a regular file is written: anything else in its place is refused at
// once with a message naming it, and left as it was.
TEST(SimplificationLog, RefusesWhatIsNotARegularFile) {
    TempWorkdir dir;
    auto refusal = [](const char* path) {
        try {
            appendToLog(path, "x\r\n");
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("written");
    };
    ASSERT_EQ(::mkfifo("pipe.txt", 0644), 0);  // an open for writing would wait for a reader
    EXPECT_EQ(refusal("pipe.txt"), "Cannot write pipe.txt: it is not a regular file.");
    writeBytes(dir.file("other.txt"), "someone else's\n");
    ASSERT_TRUE(QFile::link("other.txt", dir.file("log.txt")));
    EXPECT_EQ(refusal("log.txt"),
              "Cannot write log.txt: it is a symbolic link, not a regular file.");
    EXPECT_EQ(fileBytes(dir.file("other.txt")), "someone else's\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    EXPECT_EQ(refusal("folder.txt"), "Cannot write folder.txt: it is a folder.");
}

}  // namespace
