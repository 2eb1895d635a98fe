#include <QApplication>
#include <QStyleFactory>

#include "shell.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendal"));
    // Fusion draws button backgrounds from the palette, which the button
    // feedback relies on.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    // Between the login form and the main window the shell decides when the
    // program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    Shell shell;
    QObject::connect(&shell, &Shell::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    shell.start();
    return app.exec();
}
