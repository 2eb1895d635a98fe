#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/workspace/work_form_support.h"
#include "workspace/exchange_lock.h"
#include "workspace/minimizer_exchange.h"

using namespace quendal::common;
using namespace quendal::workspace;

namespace {

TEST(ExchangeLock, OneHolderAtATimeAndOnlyOnARegularFile) {
    TempWorkdir dir;
    const std::string lockFile = ExchangeLock::lockFileFor("in.txt");
    EXPECT_EQ(lockFile, "in.txt.lock");
    ExchangeLock first(lockFile), second(lockFile);
    EXPECT_TRUE(first.tryLock());
    EXPECT_FALSE(second.tryLock());
    first.unlock();
    EXPECT_TRUE(second.tryLock());

    // Neither a named pipe (which would block an open) nor a planted link.
    ASSERT_EQ(::mkfifo("pipe.lock", 0644), 0);
    EXPECT_THROW(ExchangeLock("pipe.lock"), std::runtime_error);
    writeBytes(dir.file("target"), "keep");
    ASSERT_TRUE(QFile::link("target", dir.file("link.lock")));
    EXPECT_THROW(ExchangeLock("link.lock"), std::runtime_error);
    EXPECT_EQ(fileBytes(dir.file("target")), "keep");
}

// Another window's exchange in this folder: Simplify waits for it with the
// busy cursor, then runs; past the time limit it gives up through the trap.
TEST(ExchangeLock, SimplifyWaitsForTheOtherWindowWithTheBusyCursor) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes("01\r\n");
    ExchangeLock other("in.txt.lock");
    ASSERT_TRUE(other.tryLock());
    w.chooseVariables(2);
    w.choose("rbMinTerms");
    w.tick(1);
    bool busyMeanwhile = false;
    int runsMeanwhile = -1;
    QTimer::singleShot(150, [&] {
        busyMeanwhile = QApplication::overrideCursor() &&
                        QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        runsMeanwhile = w.scripted.runs;
        other.unlock();
    });
    w.click("cmdSimplify");
    EXPECT_TRUE(busyMeanwhile);
    EXPECT_EQ(runsMeanwhile, 0);
    EXPECT_EQ(w.scripted.runs, 1);
    EXPECT_EQ(w.text("txtMinEquation"), "A'B");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w.prompts.shown.empty());

    // Held for good: the run stops after the time limit and logs nothing.
    ASSERT_TRUE(other.tryLock());
    QFile::remove(w.dir.file("log.txt"));
    w.scripted.waitMs = 200;
    w.choose("rbMinTerms");
    w.tick(2);
    w.click("cmdSimplify");
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_TRUE(w.prompts.shown[0].text.startsWith("Another Quendal window is simplifying"))
        << w.prompts.shown[0].text.toStdString();
    EXPECT_EQ(w.scripted.runs, 1);
    EXPECT_FALSE(QFile::exists(w.dir.file("log.txt")));
    EXPECT_FALSE(w.button("cmdCircuit")->isEnabled());
    // The lock is given back after a failed run too.
    other.unlock();
    ExchangeLock after("in.txt.lock");
    EXPECT_TRUE(after.tryLock());
}

#if defined(QUENDAL_QM_EXE) && defined(QUENDAL_SIMPLIFY_PROBE)

// Two Quendal processes simplify different functions in one folder at the
// same moment. A slow wrapper around the real minimizer makes them overlap
// every time: the second starts while the first one's minimizer is still
// waiting to read in.txt. Each must show its own function's answer.
TEST(TwoProcesses, SimplifyingInOneFolderEachGetTheirOwnAnswer) {
    TempWorkdir dir;
    const QString slowQm =
        writeScript(dir.file("slow-qm"), "echo start >> trace; sleep 0.4; '" QUENDAL_QM_EXE
                                         "' \"$@\"; s=$?; echo end >> trace; exit $s");
    struct Run {
        const char* equation;
        std::vector<std::string> texts;
    };
    const Run runs[] = {{"AB'+AB", {"AB'+AB", "((A'+B)(A'+B'))'", "A", "A"}},
                        {"A'B+A'B'", {"A'B+A'B'", "((A+B')(A+B))'", "A'", "A'"}}};
    for (int attempt = 0; attempt < 3; ++attempt) {
        QFile::remove(dir.file("trace"));
        QProcess first, second;
        first.start(QUENDAL_SIMPLIFY_PROBE, {slowQm, runs[0].equation});
        QElapsedTimer waited;
        waited.start();
        while (fileBytes(dir.file("trace")).empty() && waited.elapsed() < 20000) {
            QThread::msleep(10);
        }
        second.start(QUENDAL_SIMPLIFY_PROBE, {slowQm, runs[1].equation});
        ASSERT_TRUE(first.waitForFinished(30000));
        ASSERT_TRUE(second.waitForFinished(30000));
        QProcess* probes[] = {&first, &second};
        for (int p = 0; p < 2; ++p) {
            const QStringList lines = QString::fromUtf8(probes[p]->readAllStandardOutput())
                                          .split(u'\n', Qt::SkipEmptyParts);
            std::vector<std::string> shown;
            for (const QString& line : lines) shown.push_back(line.toStdString());
            EXPECT_EQ(shown, runs[p].texts) << "attempt " << attempt << ", process " << p;
        }
        // The exchanges took turns.
        EXPECT_EQ(fileBytes(dir.file("trace")), "start\nend\nstart\nend\n");
    }
    const std::string log = fileBytes(dir.file("log.txt"));
    EXPECT_NE(log.find("input (SOP) : A'B+A'B'\r\ninput (POS) : ((A+B')(A+B))'\r\n"
                       "Output(SOP) : A'\r\n"),
              std::string::npos)
        << log;
}

#endif

// An answer that is not the function's never reaches the texts or the log.
struct WrongAnswer {
    const char* name;
    const char* out;
};

class WrongAnswerRun : public testing::TestWithParam<WrongAnswer> {};

TEST_P(WrongAnswerRun, EndsInTheErrorTrap) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes(GetParam().out);
    w.type("AB'+C");
    w.click("cmdSimplify");
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    const QString text = w.prompts.shown[0].text;
    EXPECT_TRUE(text.startsWith("The minimizer's answer does not match the function"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("\nTry Again !!!"));
    EXPECT_EQ(w.text("txtMinEquation"), "");
    EXPECT_FALSE(QFile::exists(w.dir.file("log.txt")));
    EXPECT_FALSE(w.button("cmdCircuit")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Answers, WrongAnswerRun,
                         testing::Values(WrongAnswer{"Empty", ""},
                                         WrongAnswer{"GarbageLetters", "xyz\r\n"},
                                         WrongAnswer{"AnotherFunction", "0-1\r\n"},
                                         WrongAnswer{"ARowMissing", "--1\r\n"},
                                         WrongAnswer{"ARowTooMany", "--1\r\n1--\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WrongAnswerRun, AHugeLineIsQuotedShort) {
    WorkForm w;
    w.scripted.action = ScriptedMinimizerLauncher::writes(std::string(3'000'000, '1') + "\r\n");
    w.type("AB'+C");
    w.click("cmdSimplify");
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_LT(w.prompts.shown[0].text.size(), 200) << w.prompts.shown[0].text.toStdString();
    EXPECT_TRUE(w.prompts.shown[0].text.contains(u'…'));
}

// Qm.exe's "not proven minimal" status: the cover is shown, checked and
// logged as usual, and the user is told that it may not be the smallest.
TEST(NotProven, TheAnswerIsShownWithTheMinimizersNote) {
    QTemporaryDir programs;
    const QString program = writeScript(
        programs.filePath("Qm.exe"),
        "printf '10-\\r\\n--1\\r\\n' > \"$2\"; echo 'Qm.exe: in.txt: not proven minimal: 2 "
        "products found, at least 1 needed' >&2; exit 3");
    WorkForm w(program, 5000);
    w.type("AB'+C");
    w.click("cmdSimplify");
    EXPECT_EQ(w.text("txtMinEquation"), "AB'+C");
    EXPECT_TRUE(w.button("cmdCircuit")->isEnabled());
    EXPECT_NE(fileBytes(w.dir.file("log.txt")).find("Output(SOP) : AB'+C\r\n"), std::string::npos);
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_EQ(w.prompts.shown[0].text,
              "The minimized equation is correct but may not be the smallest.\n"
              "Qm.exe: not proven minimal: 2 products found, at least 1 needed");
    EXPECT_EQ(w.prompts.shown[0].icon, PromptIcon::Information);

    // A proven count or cost is never doubted: the headline follows the minimizer's line.
    const struct {
        const char* line;
        const char* headline;
    } notes[] = {
        {"not proven minimal: 2 products (proven the fewest), 3 literals found, at least 2 needed",
         "The minimized equation is correct and has the fewest products, but may not have the "
         "fewest literals."},
        {"a minimum cover (2 products, 3 literals, proven), not proven the first in the "
         "documented order",
         "The minimized equation is a minimum, but Quendal ran out of time choosing which of the "
         "equal minima to show."},
    };
    for (const auto& note : notes) {
        writeScript(programs.filePath("Qm.exe"),
                    std::string("printf '10-\\r\\n--1\\r\\n' > \"$2\"; echo 'Qm.exe: in.txt: ") +
                        note.line + "' >&2; exit 3");
        w.prompts.shown.clear();
        w.click("cmdSimplify");
        ASSERT_EQ(w.prompts.shown.size(), 1u);
        EXPECT_EQ(w.prompts.shown[0].text, QString::fromLatin1(note.headline) +
                                               "\nQm.exe: " + QString::fromLatin1(note.line));
    }

    // The note does not excuse a wrong cover.
    writeScript(programs.filePath("Qm.exe"),
                "printf -- '--1\\r\\n' > \"$2\"; echo 'not proven minimal' >&2; exit 3");
    w.prompts.shown.clear();
    QFile::remove(w.dir.file("log.txt"));
    w.click("cmdSimplify");
    ASSERT_EQ(w.prompts.shown.size(), 1u);
    EXPECT_TRUE(w.prompts.shown[0].text.startsWith("The minimizer's answer does not match"));
    EXPECT_FALSE(QFile::exists(w.dir.file("log.txt")));
}

}  // namespace
