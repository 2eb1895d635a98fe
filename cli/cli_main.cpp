#include "cli/cli_main.h"

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

#include "cli/export_command.h"
#include "cli/export_options.h"
#include "practice/worksheet.h"

namespace quendal::cli {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string first = args.empty() ? std::string() : args.front();
    if (first == "--help" || first == "-h") {
        out << exportUsage()
            << "       quendal-export --exercises N --level 1|2|3 --vars V [--dont-cares] --seed "
               "S\n"
               "                      --format json|pdf -o OUT [--answers KEY.pdf]\n"
            << "Writes the circuit of the function in IN (in.txt's format), minimized as "
               "Simplify does,\nas File > Export or File > Save writes it. SOURCE_DATE_EPOCH, "
               "when set, dates the header.\n";
        return kExitOk;
    }
    // The modes other modules provide, by their first option.
    if (first == "--exercises") {
        QStringList all;
        for (const std::string& arg : args) all << QString::fromStdString(arg);
        return practice::runExercisesCommand(all, err);
    }
    return runExport(args, err);
}

void chooseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}

}  // namespace quendal::cli
