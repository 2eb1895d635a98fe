#include <QApplication>

#include "app/shell.h"
#include "app/startup.h"

using namespace quendal::app;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    prepareApplication();
    Shell shell;
    quitWhenFinished(shell);
    shell.start();
    return app.exec();
}
