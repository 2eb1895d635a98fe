#include <QDir>

#include <gtest/gtest.h>

#include <stdexcept>

#include "workspace/simplification_log.h"
#include "tests/support/temp_workdir.h"
#include "workspace/term_list.h"
#include "tests/workspace/work_form_support.h"

namespace {

const LogRecord kRecord{"ADA",     "05-Mar-2024",    "12:07 AM", "A'B+AB'", "((A+B')(A'+B))'",
                        "A'B+AB'", "((A+B')(A'+B))'"};

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

TEST(TermList, SortArrayIsNumeric) {
    TermList list{"12", "3", "5", "10", "9"};
    EXPECT_EQ(SortArray(list, 1), (TermList{"3", "5", "9", "10", "12"}));
    EXPECT_EQ(list, (TermList{"3", "5", "9", "10", "12"}));
    TermList partly{"9", "12", "10"};
    EXPECT_EQ(SortArray(partly, 2), (TermList{"9", "10", "12"}));
    TermList tail{"12", "10", "9"};
    EXPECT_EQ(SortArray(tail, 2), (TermList{"12", "9", "10"}));
}

TEST(TermList, ShownJoinedByCommas) {
    EXPECT_EQ(joinTerms({"3", "5", "12"}), "3,5,12");
    EXPECT_EQ(joinTerms({}), "");
    EXPECT_EQ(splitTerms("3,5,12"), (TermList{"3", "5", "12"}));
    EXPECT_EQ(splitTerms(""), TermList{});
}

}  // namespace
