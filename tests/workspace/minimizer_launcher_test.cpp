#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "common/minimizer_launcher.h"
#include "tests/workspace/work_form_support.h"

using namespace quendal::common;

namespace {

TEST(ProcessMinimizerLauncher, RunsTheProgramOnTheTwoFiles) {
    TempWorkdir dir;
    const QString program =
        writeScript(dir.file("fake-qm"), R"(test "$1" = in.txt && printf '01\r\n' > "$2")");
    writeBytes(dir.file("in.txt"), "01");
    ProcessMinimizerLauncher launcher(5000, program);
    launcher.run("in.txt", "out.txt");
    EXPECT_EQ(fileBytes(dir.file("out.txt")), "01\r\n");
    EXPECT_EQ(ProcessMinimizerLauncher().timeoutMs(), 10000);
}

// Each way the minimizer can fail, seen through the Simplify command: the
// error trap names it, nothing is logged, the drawings stay disabled.
struct BrokenMinimizer {
    const char* name;
    const char* script;  // nullptr: no program at all
    const char* reasonMentions;
};

class BrokenMinimizerRun : public testing::TestWithParam<BrokenMinimizer> {};

TEST_P(BrokenMinimizerRun, FailsTheSimplifyRun) {
    QTemporaryDir programs;
    const QString program = GetParam().script
                                ? writeScript(programs.filePath("Qm.exe"), GetParam().script)
                                : programs.filePath("Qm.exe");
    WorkForm w(program, 300);
    w.choose("rbMinTerms");
    w.tick(1);
    w.click("cmdSimplify");

    ASSERT_EQ(w.prompts.shown.size(), 1u);
    const QString text = w.prompts.shown[0].text;
    EXPECT_TRUE(text.contains(GetParam().reasonMentions)) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\nTry Again !!!")) << text.toStdString();
    EXPECT_FALSE(QFile::exists(w.dir.file("log.txt")));
    EXPECT_FALSE(w.button("cmdCircuit")->isEnabled());
    EXPECT_EQ(w.text("txtMinEquation"), "");
    EXPECT_TRUE(w.form->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, BrokenMinimizerRun,
    testing::Values(BrokenMinimizer{"Missing", nullptr, "could not be started"},
                    BrokenMinimizer{"ExitsNonZero",
                                    "echo 'Qm.exe: in.txt: line 1 is not a code' >&2; exit 1",
                                    "exit status 1): in.txt: line 1 is not a code"},
                    // Only its first line, cut to a readable length.
                    BrokenMinimizer{"LongMessage",
                                    "echo >&2; printf %0999d 0 >&2; echo; echo 2nd >&2; exit 1",
                                    "exit status 1): 000000000000000000000000000000000000000000"
                                    "00000000000000000000000000000000000000000000000000000000000"
                                    "0000000000000000000…\nTry Again !!!"},
                    BrokenMinimizer{"Crashes", "kill -SEGV $$", "stopped abnormally"},
                    BrokenMinimizer{"Hangs", "exec sleep 30", "did not finish within 0.3 seconds"},
                    BrokenMinimizer{"SucceedsWithoutOutput", "exit 0", "out.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessMinimizerLauncher, WindowsAreDisabledWhileItRuns) {
    QTemporaryDir programs;
    const QString program =
        writeScript(programs.filePath("Qm.exe"), R"(sleep 0.6; printf '01\r\n' > "$2")");
    WorkForm w(program, 5000);
    w.chooseVariables(2);
    w.choose("rbMinTerms");
    w.tick(1);

    bool enabledMeanwhile = true;
    QTimer::singleShot(350, [&] {
        enabledMeanwhile = w.form->window()->isEnabled();
        // Neither a click nor a key reaches the form.
        QTest::mouseClick(w.button("cmdClear"), Qt::LeftButton);
        w.type("B");
    });
    w.click("cmdSimplify");

    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(w.form->window()->isEnabled());
    EXPECT_TRUE(w.isTicked(1));
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"A'B", "(A+B')'", "A'B", "(A+B')'"}));
    EXPECT_TRUE(w.prompts.shown.empty());
}

TEST(ProcessMinimizerLauncher, InputWaitingDuringAQuickRunIsDiscarded) {
    QTemporaryDir programs;
    const QString program =
        writeScript(programs.filePath("Qm.exe"), R"(exec printf '01\r\n' > "$2")");
    WorkForm w(program, 5000);
    w.chooseVariables(2);
    w.choose("rbMinTerms");
    w.tick(1);
    // A click on Clear made while Simplify runs waits in the queue.
    QPushButton* clear = w.button("cmdClear");
    const QPointF centre = QRectF(clear->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            clear, new QMouseEvent(type, centre, clear->mapToGlobal(centre), Qt::LeftButton,
                                   type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                   Qt::NoModifier));
    }
    w.click("cmdSimplify");
    QCoreApplication::processEvents();

    EXPECT_TRUE(w.isTicked(1));
    EXPECT_EQ(w.text("txtMinEquation"), "A'B");
}

TEST(FindProgram, BesideTheApplicationThenOnThePathNeverHere) {
    TempWorkdir here;
    QTemporaryDir app, onPath, noProgram;
    writeScript(here.file("Qm.exe"), "exit 0");
    const QString besideApp = writeScript(app.filePath("Qm.exe"), "exit 0");
    const QString inPath = writeScript(onPath.filePath("Qm.exe"), "exit 0");
    auto canonical = [](const QString& p) { return QFileInfo(p).canonicalFilePath(); };
    auto find = [&](const QString& appDir, const QString& path) {
        return canonical(ProcessMinimizerLauncher::findProgramIn(appDir, path, here.path()));
    };

    EXPECT_EQ(find(app.path(), onPath.path()), canonical(besideApp));
    EXPECT_EQ(find(noProgram.path(), noProgram.path() + ":" + onPath.path()), canonical(inPath));
    // The current directory, however the PATH names it, is never searched.
    EXPECT_EQ(find(noProgram.path(), ".:bin::" + here.path()), "");
    EXPECT_EQ(find(QString(), QString()), "");
    // A file that cannot be executed is no program.
    QFile::setPermissions(besideApp, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(find(app.path(), onPath.path()), canonical(inPath));
}

}  // namespace
