#include "cli/cli_main.h"

#include <QByteArray>
#include <QtGlobal>

#include "cli/export_command.h"
#include "cli/export_options.h"

namespace quendal::cli {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string first = args.empty() ? std::string() : args.front();
    if (first == "--help" || first == "-h") {
        out << exportUsage()
            << "Writes the circuit of the function in IN (in.txt's format), minimized as "
               "Simplify does,\nas File > Export or File > Save writes it. SOURCE_DATE_EPOCH, "
               "when set, dates the header.\n";
        return kExitOk;
    }
    // Further modes are dispatched here, by their first option.
    return runExport(args, err);
}

void chooseOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}

}  // namespace quendal::cli
