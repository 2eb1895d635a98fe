#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace e2e {

// Answers the platform's printer dialog so that it prints to a PDF file:
// picks the PDF "printer", types the file name, calls `beforePrint` (for a
// screenshot) and presses Print. Fails the step when the dialog offers no
// way to print to a file.
void answerPrintDialog(QWidget* dialog, const QString& pdfPath,
                       const std::function<void()>& beforePrint);

}  // namespace e2e
