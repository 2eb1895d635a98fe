#include <QDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/workspace/work_form_support.h"

using namespace quendal::common;
using namespace quendal::drawing;

namespace {

// A function as the user enters it: ticked terms (or a typed equation).
struct Entry {
    int variables = 4;
    const char* mode = "rbMinTerms";
    std::vector<int> terms;
    std::vector<int> dontCares;
    const char* typed = nullptr;
};

Entry ticked(int variables, const char* mode, std::vector<int> terms,
             std::vector<int> dontCares = {}) {
    Entry e;
    e.variables = variables;
    e.mode = mode;
    e.terms = std::move(terms);
    e.dontCares = std::move(dontCares);
    return e;
}

Entry typed(const char* keys) {
    Entry e;
    e.typed = keys;
    return e;
}

void enter(WorkForm& w, const Entry& e) {
    if (e.variables != 4) w.chooseVariables(e.variables);
    if (e.typed) {
        w.type(e.typed);
        return;
    }
    w.choose(e.mode);
    w.tickAll(e.terms);
    if (!e.dontCares.empty()) {
        w.choose("rbDontCare");
        w.tickAll(e.dontCares);
    }
}

struct InFileCase {
    const char* name;
    Entry entry;
    const char* bytes;
};

class InFileBytes : public testing::TestWithParam<InFileCase> {};

TEST_P(InFileBytes, AreTheMinimizersInput) {
    WorkForm w;
    enter(w, GetParam().entry);
    w.click("cmdSimplify");
    ASSERT_EQ(w.scripted.runs, 1);
    EXPECT_EQ(w.scripted.inputs[0].toStdString(), GetParam().bytes);
    EXPECT_EQ(fileBytes(w.dir.file("in.txt")), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, InFileBytes,
    testing::Values(InFileCase{"MinTermsWithDontCare", ticked(3, "rbMinTerms", {1, 6}, {7}),
                               "001\r\n110\r\n111d"},
                    InFileCase{"MaxTermsGiveTheOtherRows", ticked(2, "rbMaxTerms", {0, 3}),
                               "01\r\n10"},
                    InFileCase{"MaxTermsLeaveOutDontCares", ticked(2, "rbMaxTerms", {0}, {3}),
                               "01\r\n10\r\n11d"},
                    InFileCase{"Equation", typed("ab'+c"), "10-\r\n--1"},
                    InFileCase{"EquationColumnsSorted", typed("C+A"), "-1\r\n1-"},
                    // B'A is the product of A and B', not a product without A
                    InFileCase{"ProductOutOfOrder", typed("B'A"), "10"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Simplify, ShowsTheFourTextsAndEnablesTheDrawings) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("01\r\n10\r\n");
    enter(w, ticked(2, "rbMinTerms", {1, 2}));
    w.click("cmdSimplify");
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"A'B+AB'", "((A+B')(A'+B))'", "A'B+AB'",
                                                   "((A+B')(A'+B))'"}));
    for (const char* b : {"cmdCircuit", "cmdMux", "cmdDemux"}) {
        EXPECT_TRUE(w.button(b)->isEnabled()) << b;
    }
    EXPECT_TRUE(w.prompts.shown.empty());
    // Any change of the function disables them again.
    w.choose("rbDontCare");
    w.tick(3);
    EXPECT_FALSE(w.button("cmdCircuit")->isEnabled());
}

TEST(Simplify, AllMaxTermsTickedNeedsNoMinimizer) {
    WorkForm w;
    enter(w, ticked(2, "rbMaxTerms", {0, 1, 2, 3}));
    w.click("cmdSimplify");
    EXPECT_EQ(w.scripted.runs, 0);
    EXPECT_FALSE(QFile::exists(w.dir.file("in.txt")));
    EXPECT_EQ(w.text("txtMinEquation"), "0");
    EXPECT_EQ(w.text("txtPosEquation"), "0");
    EXPECT_TRUE(w.button("cmdMux")->isEnabled());
    const std::string log = fileBytes(w.dir.file("log.txt"));
    EXPECT_NE(log.find("Output(SOP) : 0\r\nOutput(POS) : 0\r\n"), std::string::npos) << log;
}

TEST(Simplify, OnlyDontCaresIsAFunctionWithoutMinterms) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("1-\r\n");
    // A typed equation enables Simplify; choosing Don't Care then leaves it so.
    w.chooseVariables(2);
    w.type("A");
    w.choose("rbDontCare");
    w.tickAll({3, 1});
    writeBytes(w.dir.file("in.txt"), "1-");  // from an earlier run
    w.click("cmdSimplify");
    EXPECT_EQ(w.scripted.runs, 0);
    EXPECT_EQ(fileBytes(w.dir.file("in.txt")), "1-");
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"0 + d (A'B+AB)", "0", "0", "0"}));
    EXPECT_TRUE(w.button("cmdDemux")->isEnabled());
    EXPECT_NE(fileBytes(w.dir.file("log.txt")).find("input (SOP) : 0 + d (A'B+AB)\r\n"),
              std::string::npos);
    const FunctionView f = w.form->currentFunction();
    EXPECT_TRUE(f.function.on.empty());
    EXPECT_EQ(f.function.dc, (logic::functionOfTerms(2, {1, 3}, f.mode).on));
    EXPECT_EQ(f.mode, logic::TermMode::Minterms);
    EXPECT_TRUE(f.minimum.empty());
}

TEST(Simplify, AnEmptyEquationIsRefusedWithoutALogRecord) {
    WorkForm w;
    w.type("+");  // enables Simplify, leaves the box empty
    w.click("cmdSimplify");
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_EQ(w.prompts.shown[0].text, "Expression cannot be Empty!");
    EXPECT_EQ(w.prompts.shown[0].title, "Quendal");
    EXPECT_EQ(w.prompts.shown[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(w.scripted.runs, 0);
    EXPECT_FALSE(QFile::exists(w.dir.file("log.txt")));
    EXPECT_FALSE(w.button("cmdCircuit")->isEnabled());
}

// Every way a run can fail ends in the error trap: the reason, a line break
// and "Try Again !!!"; nothing is logged and the drawings stay disabled.
struct FailureCase {
    const char* name;
    std::function<void(WorkForm&)> arrange;
    const char* reasonMentions;
};

class ErrorTrap : public testing::TestWithParam<FailureCase> {};

TEST_P(ErrorTrap, ReportsAndLogsNothing) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("01\r\n");
    GetParam().arrange(w);
    enter(w, ticked(2, "rbMinTerms", {1}));
    w.click("cmdSimplify");

    ASSERT_EQ(w.prompts.shown.size(), 1u);
    const std::string text = w.prompts.shown[0].text.toStdString();
    EXPECT_TRUE(w.prompts.shown[0].text.endsWith("\nTry Again !!!")) << text;
    EXPECT_NE(text.find(GetParam().reasonMentions), std::string::npos) << text;
    EXPECT_EQ(w.prompts.shown[0].title, "Quendal");
    EXPECT_FALSE(QFileInfo(w.dir.file("log.txt")).isFile());
    for (const char* b : {"cmdCircuit", "cmdMux", "cmdDemux"}) {
        EXPECT_FALSE(w.button(b)->isEnabled()) << b;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ErrorTrap,
    testing::Values(
        FailureCase{"NoOutFile",
                    [](WorkForm& w) {
                        // A previous run's answer must not be read again.
                        writeBytes(w.dir.file("out.txt"), "01\r\n");
                        w.scripted.action = nullptr;
                    },
                    "out.txt"},
        FailureCase{"MinimizerFails",
                    [](WorkForm& w) {
                        w.scripted.action = ScriptedMinimizerLauncher::fails("Qm.exe crashed.");
                    },
                    "Qm.exe crashed."},
        FailureCase{
            "OutFileOfTheWrongWidth",
            [](WorkForm& w) { w.scripted.action = ScriptedMinimizerLauncher::writes("1\n"); },
            "out.txt"},
        FailureCase{"InFileNotWritable", [](WorkForm& w) { QDir(w.dir.path()).mkdir("in.txt"); },
                    "in.txt"},
        FailureCase{"OutFileIsAFolder", [](WorkForm& w) { QDir(w.dir.path()).mkdir("out.txt"); },
                    "out.txt"},
        FailureCase{"LogNotWritable", [](WorkForm& w) { QDir(w.dir.path()).mkdir("log.txt"); },
                    "log.txt"},
        // Opening a named pipe for writing would wait for a reader for ever.
        FailureCase{"LogIsANamedPipe",
                    [](WorkForm& w) {
                        ASSERT_EQ(::mkfifo(w.dir.file("log.txt").toLocal8Bit().constData(), 0644),
                                  0);
                    },
                    "Cannot write log.txt: it is not a regular file."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Simplify, TextsFilledBeforeAFailureStay) {
    WorkForm w;
    enter(w, ticked(2, "rbMinTerms", {1, 2}));
    w.click("cmdSimplify");  // the scripted minimizer writes nothing
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"A'B+AB'", "((A+B')(A'+B))'", "", ""}));
}

TEST(SimplificationLog, OneSixLineRecordPerRun) {
    WorkForm w;
    writeBytes(w.dir.file("log.txt"), "earlier\r\n");
    w.scripted.action = ScriptedMinimizerLauncher::writes("01\r\n10\r\n");
    enter(w, ticked(2, "rbMinTerms", {1, 2}));
    w.click("cmdSimplify");
    w.clock.set(LocalDateTime{2024, 12, 31, 12, 59, 0});
    w.scripted.action = ScriptedMinimizerLauncher::writes("0\r\n");
    w.click("cmdClear");
    w.chooseVariables(2);
    w.type("A'");
    w.click("cmdSimplify");
    EXPECT_EQ(fileBytes(w.dir.file("log.txt")),
              "earlier\r\n"
              "UserName    : ADA Date : 05-Mar-2024 Time : 12:07 AM\r\n"
              "input (SOP) : A'B+AB'\r\n"
              "input (POS) : ((A+B')(A'+B))'\r\n"
              "Output(SOP) : A'B+AB'\r\n"
              "Output(POS) : ((A+B')(A'+B))'\r\n"
              " \r\n"
              "UserName    : ADA Date : 31-Dec-2024 Time : 12:59 PM\r\n"
              "input (SOP) : A'\r\n"
              "input (POS) : A'\r\n"
              "Output(SOP) : A'\r\n"
              "Output(POS) : A'\r\n"
              " \r\n");
}

TEST(CurrentFunction, TickedTermsAsTheDrawingsNeedThem) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("00\r\n");
    enter(w, ticked(2, "rbMaxTerms", {3, 1}, {2}));
    w.click("cmdSimplify");
    w.clock.set(LocalDateTime{2025, 1, 2, 13, 5, 0});
    const FunctionView f = w.form->currentFunction();
    EXPECT_EQ(f.userName, "ADA");
    EXPECT_EQ(f.dateText, "02-Jan-2025");
    EXPECT_EQ(f.timeText, "01:05 PM");
    EXPECT_EQ(f.function.width, 2);
    EXPECT_EQ(f.letters, "AB");
    EXPECT_EQ(listedTerms(f), (std::vector<int>{1, 3}));
    EXPECT_EQ(f.mode, logic::TermMode::Maxterms);
    const logic::Function ticked = logic::functionOfTerms(2, {1, 3}, f.mode, {2});
    EXPECT_EQ(f.function.on, ticked.on);
    EXPECT_EQ(f.function.dc, ticked.dc);
    EXPECT_EQ(f.minimum, (std::vector<logic::Cube>{{0b00, 0b00}}));
    EXPECT_EQ(f.termsText, "1,3");
    EXPECT_EQ(f.dontCareText, "2");
    EXPECT_EQ(f.sopText, w.text("txtEquation"));
    EXPECT_EQ(f.ipPosText, "(A+B')(A'+B') + d ((A'+B))");
    EXPECT_EQ(f.minSopText, "A'B'");
    EXPECT_EQ(f.minPosText, w.text("txtPosEquation"));
}

TEST(CurrentFunction, TypedEquationAsTheMintermsItCovers) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("--1\r\n10-\r\n");
    w.type("C+B'A");
    w.click("cmdSimplify");
    const FunctionView f = w.form->currentFunction();
    EXPECT_EQ(f.function.width, 3);
    EXPECT_EQ(f.letters, "ABC");
    // columns A, B, C: C covers 1,3,5,7; AB' covers 4,5
    EXPECT_EQ(listedTerms(f), (std::vector<int>{1, 3, 4, 5, 7}));
    EXPECT_EQ(f.mode, logic::TermMode::Minterms);
    EXPECT_EQ(f.termsText, "1,3,4,5,7");
    EXPECT_TRUE(f.function.dc.empty());
    EXPECT_EQ(f.dontCareText, "");
    EXPECT_EQ(f.sopText, "C+B'A");
}

}  // namespace
