#pragma once

#include <QFile>
#include <QStringList>

#include <functional>
#include <string>

#include "common/minimizer_launcher.h"

// A minimizer for tests: every run is recorded and handed to `action`, which
// may write the output file or throw MinimizerError. Without an action a run
// does nothing (and so leaves no output file).
class ScriptedMinimizerLauncher : public quendal::common::MinimizerLauncher {
public:
    using Action = std::function<void(const QString& inFile, const QString& outFile)>;

    quendal::common::MinimizerReport run(const QString& inFile, const QString& outFile) override {
        ++runs;
        QFile in(inFile);
        inputs.append(in.open(QIODevice::ReadOnly) ? QString::fromLatin1(in.readAll()) : QString());
        if (action) action(inFile, outFile);
        return report;
    }
    int timeLimitMs() const override { return waitMs; }

    // Convenience actions.
    static Action writes(const std::string& outText) {
        return [outText](const QString&, const QString& outFile) {
            QFile out(outFile);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                throw quendal::common::MinimizerError("cannot write " + outFile.toStdString());
            }
            out.write(outText.data(), static_cast<qint64>(outText.size()));
        };
    }
    static Action fails(const std::string& why) {
        return
            [why](const QString&, const QString&) { throw quendal::common::MinimizerError(why); };
    }

    Action action;
    quendal::common::MinimizerReport report;  // what every run returns
    int waitMs = qm::kQuendalWaitMs;
    int runs = 0;
    QStringList inputs;  // the input file's bytes at each run (Latin-1)
};
