#include "common/minimizer_launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

#include "common/input_blocker.h"
#include "common/quoted_text.h"

namespace quendal::common {

namespace {

// A quick minimizer is waited for without touching the windows, so they do
// not flash grey; a slower one gets the disabled windows and a painting loop.
constexpr int kBlockingWaitMs = 100;

// The minimizer's own words, as much as a message box should quote: the first
// line, without the program's name before it.
QString errorText(QProcess& process, const QString& name) {
    const QString all = QString::fromLocal8Bit(process.readAllStandardError());
    QString line;
    for (const QString& candidate : all.split(u'\n')) {
        line = candidate.trimmed();
        if (!line.isEmpty()) break;
    }
    if (line.startsWith(name + QStringLiteral(":"))) line = line.mid(name.size() + 1).trimmed();
    return QString::fromStdString(capped(line.toStdString(), kProgramMessageChars));
}

}  // namespace

ProcessMinimizerLauncher::ProcessMinimizerLauncher(int timeoutMs, QString program)
    : timeoutMs_(timeoutMs), program_(std::move(program)) {}

QString ProcessMinimizerLauncher::findProgram() {
    return findProgramIn(QCoreApplication::applicationDirPath(), qEnvironmentVariable("PATH"),
                         QDir::currentPath());
}

QString ProcessMinimizerLauncher::findProgramIn(const QString& appDir, const QString& pathVariable,
                                                const QString& currentDir) {
    if (!appDir.isEmpty()) {
        const QFileInfo beside(QDir(appDir).filePath(kProgramName));
        if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
    }
    const QString here = QDir(currentDir).canonicalPath();
    QStringList dirs;
    for (const QString& entry : pathVariable.split(u':', Qt::SkipEmptyParts)) {
        // A relative entry ("." among them) names the current directory.
        if (!QDir::isAbsolutePath(entry)) continue;
        if (QDir(entry).canonicalPath() == here) continue;
        dirs.append(entry);
    }
    if (dirs.isEmpty()) return {};
    return QStandardPaths::findExecutable(kProgramName, dirs);
}

MinimizerReport ProcessMinimizerLauncher::run(const QString& inFile, const QString& outFile) {
    const QString program = program_.isEmpty() ? findProgram() : program_;
    if (program.isEmpty()) {
        throw MinimizerError(QStringLiteral("%1 was not found next to Quendal nor on the PATH.")
                                 .arg(kProgramName)
                                 .toStdString());
    }
    const QString name = QFileInfo(program).fileName();

    QProcess process;
    process.setProgram(program);
    process.setArguments({inFile, outFile});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(timeoutMs_)) {
        throw MinimizerError(QStringLiteral("%1 could not be started: %2.")
                                 .arg(name, process.errorString())
                                 .toStdString());
    }

    InputBlocker blocker;
    if (!process.waitForFinished(std::min(kBlockingWaitMs, timeoutMs_))) {
        const int remaining = std::max(timeoutMs_ - kBlockingWaitMs, 0);
        if (process.state() != QProcess::NotRunning && remaining > 0) {
            blocker.showBusy();
            QEventLoop loop;
            QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
            QTimer::singleShot(remaining, &loop, &QEventLoop::quit);
            if (process.state() != QProcess::NotRunning) loop.exec();
        }
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(1000);
            throw MinimizerError(
                QStringLiteral("%1 did not finish within %2 seconds and was stopped.")
                    .arg(name)
                    .arg(timeoutMs_ / 1000.0)
                    .toStdString());
        }
    }

    if (process.exitStatus() == QProcess::CrashExit) {
        throw MinimizerError(QStringLiteral("%1 stopped abnormally.").arg(name).toStdString());
    }
    if (process.exitCode() == qm::kExitNotProven) {
        MinimizerReport report;
        report.notProven = errorText(process, name);
        // Quote the finding itself, whatever stands before it on the line.
        qsizetype at = report.notProven.indexOf(QStringLiteral("not proven minimal"));
        if (at < 0) at = report.notProven.indexOf(QStringLiteral("a minimum cover"));
        if (at > 0) report.notProven = report.notProven.mid(at);
        if (report.notProven.isEmpty()) report.notProven = QStringLiteral("not proven minimal");
        return report;
    }
    if (process.exitCode() != qm::kExitOk) {
        const QString why = errorText(process, name);
        QString text =
            QStringLiteral("%1 failed (exit status %2)").arg(name).arg(process.exitCode());
        text += why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why;
        throw MinimizerError(text.toStdString());
    }
    return {};
}

}  // namespace quendal::common
