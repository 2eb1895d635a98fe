#include "app/qt_file_dialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace quendal::app {

QString QtFileDialogs::openFileName(QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder, filter);
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& folder, const QString& filter) {
    // Saving over a file replaces it without a question; no extension is
    // added to a name typed without one.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool QtFileDialogs::choosePrinter(QWidget* parent, QPrinter& printer, const QString& title) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

void QtFileDialogs::pageSetup(QWidget* parent, QPrinter& printer, const QString& title) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    dialog.exec();
}

}  // namespace quendal::app
