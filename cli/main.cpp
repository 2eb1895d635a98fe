#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_main.h"

namespace {

// Qt's own notes (fonts, runtime folders) would break the promise of one
// line on stderr per failure; the program reports its failures itself.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) std::cerr << "quendal-export: " << text.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    // Taken before Qt sees them: Qt would consume options such as -style.
    const std::vector<std::string> args(argv + 1, argv + argc);
    quendal::cli::chooseOffscreenPlatform();
    qInstallMessageHandler(quietQt);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    return quendal::cli::runCli(args, std::cout, std::cerr);
}
