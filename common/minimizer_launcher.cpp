#include "common/minimizer_launcher.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// A quick minimizer is waited for without touching the windows, so they do
// not flash grey; a slower one gets the disabled windows and a painting loop.
constexpr int kBlockingWaitMs = 100;

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: return true;
        default: return false;
    }
}

// While a run lasts, clicks and keys are discarded, not queued: a Simplify
// never has another command run in its middle or right after it by a click
// made while it was busy. Closing a window is refused as well, since a
// command is still running on it. A run that takes longer also disables
// every top-level window, so the user sees that input is not taken, while
// the windows keep painting.
class InputBlocker : public QObject {
public:
    InputBlocker() : focus_(QApplication::focusWidget()) { qApp->installEventFilter(this); }

    void disableWindows() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isEnabled()) {
                w->setEnabled(false);
                disabled_.append(w);
            }
        }
    }

    ~InputBlocker() override {
        // Input that arrived while the thread was blocked is still pending:
        // deliver it now, into the filter.
        QCoreApplication::processEvents();
        qApp->removeEventFilter(this);
        for (const QPointer<QWidget>& w : disabled_) {
            if (w) w->setEnabled(true);
        }
        if (!disabled_.isEmpty() && focus_ && focus_->isEnabled()) {
            focus_->setFocus(Qt::OtherFocusReason);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isUserInput(event->type())) return true;
        if (event->type() == QEvent::Close && event->spontaneous() && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            event->ignore();
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> focus_;
    QList<QPointer<QWidget>> disabled_;
};

QString errorText(QProcess& process) {
    QString text = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (text.size() > 400) text = text.left(400) + QStringLiteral("...");
    return text;
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

void ProcessMinimizerLauncher::run(const QString& inFile, const QString& outFile) {
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
            blocker.disableWindows();
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
    if (process.exitCode() != 0) {
        const QString why = errorText(process);
        QString text =
            QStringLiteral("%1 failed (exit status %2)").arg(name).arg(process.exitCode());
        text += why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why;
        throw MinimizerError(text.toStdString());
    }
}

void ScriptedMinimizerLauncher::run(const QString& inFile, const QString& outFile) {
    ++runs;
    QFile in(inFile);
    inputs.append(in.open(QIODevice::ReadOnly) ? QString::fromLatin1(in.readAll()) : QString());
    if (action) action(inFile, outFile);
}

std::function<void(const QString&, const QString&)> ScriptedMinimizerLauncher::writes(
    const std::string& outText) {
    return [outText](const QString&, const QString& outFile) {
        QFile out(outFile);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            throw MinimizerError("cannot write " + outFile.toStdString());
        }
        out.write(outText.data(), static_cast<qint64>(outText.size()));
    };
}

std::function<void(const QString&, const QString&)> ScriptedMinimizerLauncher::fails(
    const std::string& why) {
    return [why](const QString&, const QString&) { throw MinimizerError(why); };
}
