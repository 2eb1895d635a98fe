#include "app/startup.h"

#include <QApplication>
#include <QStyleFactory>

#include "app/shell.h"

namespace quendal::app {

void prepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Quendal"));
    // Fusion draws button backgrounds from the palette, which the button
    // feedback relies on.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    // Between the login form and the main window the shell decides when the
    // program ends.
    QApplication::setQuitOnLastWindowClosed(false);
}

void quitWhenFinished(Shell& shell) {
    QObject::connect(&shell, &Shell::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace quendal::app
