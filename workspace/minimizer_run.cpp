#include "workspace/minimizer_run.h"

#include <filesystem>
#include <stdexcept>

#include "common/input_blocker.h"
#include "common/minimizer_launcher.h"
#include "workspace/exchange_lock.h"
#include "workspace/minimizer_exchange.h"

namespace quendal::workspace {

MinimizerAnswer exchangeWithMinimizer(const std::string& inText, int columns,
                                      common::MinimizerLauncher& launcher) {
    // Another window simplifying in this folder owns in.txt and out.txt until
    // it has read its answer: wait for it, as long as one run may take.
    ExchangeLock lock(ExchangeLock::lockFileFor(kInFile));
    const int limitMs = launcher.timeLimitMs();
    if (!common::waitWhileBusy([&lock] { return lock.tryLock(); }, limitMs)) {
        throw std::runtime_error(
            "Another Quendal window is simplifying in this folder and did "
            "not finish within " +
            QString::number(limitMs / 1000.0).toStdString() + " seconds.");
    }
    writeFileAtomically(kInFile, inText);

    // A stale answer must never pass for this run's.
    std::error_code ec;
    if (std::filesystem::is_directory(kOutFile, ec)) {
        throw std::runtime_error(std::string("Cannot replace ") + kOutFile + ": it is a folder.");
    }
    std::filesystem::remove(kOutFile, ec);
    if (ec) {
        throw std::runtime_error(std::string("Cannot remove the old ") + kOutFile + ": " +
                                 ec.message() + ".");
    }
    MinimizerAnswer answer;
    answer.notProven =
        launcher.run(QString::fromLatin1(kInFile), QString::fromLatin1(kOutFile)).notProven;
    answer.implicants = readOutFile(kOutFile, columns);
    checkAnswer(inText, answer.implicants, columns);
    return answer;
}

QString notProvenMessage(const QString& note) {
    // The headline follows what the minimizer proved: a proven count is never doubted.
    QString headline =
        QStringLiteral("The minimized equation is correct but may not be the smallest.");
    if (note.startsWith(QStringLiteral("a minimum cover"))) {
        headline = QStringLiteral(
            "The minimized equation is a minimum, but Quendal ran out of time choosing which of "
            "the equal minima to show.");
    } else if (note.contains(QStringLiteral("(proven the fewest)"))) {
        headline = QStringLiteral(
            "The minimized equation is correct and has the fewest products, but may not have "
            "the fewest literals.");
    }
    return headline + QStringLiteral("\nQm.exe: ") + note;
}

}  // namespace quendal::workspace
