#pragma once

#include <QString>

#include <stdexcept>
#include <string>

#include "minimizer/exchange.h"

namespace quendal::common {

// Why a minimizer run failed, in words the user can act on.
class MinimizerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a finished run tells besides the output file.
struct MinimizerReport {
    // Empty when the answer is a proven minimum; otherwise the minimizer's own
    // words on how far it may be from one (the output is still a valid cover).
    QString notProven;
};

// The longest message of the minimizer's own that a message box quotes.
inline constexpr int kProgramMessageChars = 120;

// Runs the minimizer on an input file, writing the output file, and returns
// once it has finished. The seam exists so that tests decide what the
// minimizer does (answers, fails, hangs) without a real process.
class MinimizerLauncher {
public:
    virtual ~MinimizerLauncher() = default;
    // Throws MinimizerError when the minimizer cannot be started, crashes,
    // fails (its status other than ok or not proven; its own message quoted)
    // or runs past the time limit.
    virtual MinimizerReport run(const QString& inFile, const QString& outFile) = 0;
    // How long one exchange may take: the minimizer's run, and also the wait
    // for another window's exchange in the same folder.
    virtual int timeLimitMs() const { return qm::kQuendalWaitMs; }
};

// The real minimizer: "Qm.exe IN OUT" as a separate process. While it runs
// the windows keep painting, but every top-level window is disabled and the
// busy cursor shows, so clicks and keys are discarded and no other command
// can run in between.
class ProcessMinimizerLauncher : public MinimizerLauncher {
public:
    static constexpr int kDefaultTimeoutMs = qm::kQuendalWaitMs;
    static inline const QString kProgramName = QStringLiteral("Qm.exe");

    // An empty program means: find kProgramName (see findProgram).
    explicit ProcessMinimizerLauncher(int timeoutMs = kDefaultTimeoutMs, QString program = {});

    MinimizerReport run(const QString& inFile, const QString& outFile) override;
    int timeLimitMs() const override { return timeoutMs_; }

    // Qm.exe next to the application's executable, else on the PATH. Never
    // the current directory (nor a relative PATH entry, which means the same),
    // so a stray file there is never executed. Empty when not found.
    static QString findProgram();
    // The same search over given places: the application's folder, a PATH
    // value and the current directory to keep out.
    static QString findProgramIn(const QString& appDir, const QString& pathVariable,
                                 const QString& currentDir);

    int timeoutMs() const { return timeoutMs_; }

private:
    int timeoutMs_;
    QString program_;
};

}  // namespace quendal::common
