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

QString QtFileDialogs::exportFileName(QWidget* parent, const QString& folder,
                                      const QString& filter) {
    // The export command asks before replacing a file, naming the file a
    // link leads to, which this dialog's own question would not.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Export"), folder, filter, nullptr,
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
