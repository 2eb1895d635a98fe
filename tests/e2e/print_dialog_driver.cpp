#include "tests/e2e/print_dialog_driver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>

#include <cstdio>

#include "tests/e2e/ui_driver.h"

namespace e2e {

namespace {

const QString kPdfPrinter = QStringLiteral("Print to File (PDF)");

}  // namespace

void answerPrintDialog(QWidget* dialog, const QString& pdfPath,
                       const std::function<void()>& beforePrint) {
    check(qobject_cast<QPrintDialog*>(dialog) != nullptr,
          QStringLiteral("expected a print dialog, got %1")
              .arg(QLatin1String(dialog->metaObject()->className())));
    checkEqual(dialog->windowTitle(), QStringLiteral("Print"),
               QStringLiteral("print dialog title"));
    // Qt's own printer dialog on this platform: a list of printers, which
    // ends with printing to a PDF file, and the file name box.
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!printers || !fileName) {
        std::fprintf(stderr, "e2e: the print dialog holds:\n%s",
                     qPrintable(describeWidgets(dialog)));
        check(false, QStringLiteral("the print dialog has no printer list or file name box"));
    }
    if (printers->currentText() != kPdfPrinter) chooseComboEntry(printers, kPdfPrinter);
    checkEqual(printers->currentText(), kPdfPrinter, QStringLiteral("printer"));
    check(waitUntil([fileName] { return fileName->isEnabled(); }),
          QStringLiteral("the file name box stays disabled"));
    click(fileName);
    pressKey(fileName, Qt::Key_A, Qt::ControlModifier);
    type(fileName, pdfPath);
    checkEqual(fileName->text(), pdfPath, QStringLiteral("print file name"));
    beforePrint();
    QPushButton* print = nullptr;
    for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* b : box->buttons()) {
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole)
                print = qobject_cast<QPushButton*>(b);
        }
    }
    check(print != nullptr, QStringLiteral("the print dialog has no Print button"));
    click(print);
}

}  // namespace e2e
