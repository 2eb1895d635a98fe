#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace quendal::common {

// The open, save and printer dialogs go through this seam, so that the file
// and print commands can be tested without a dialog that waits for a user.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The chosen file, or an empty text when the dialog was cancelled.
    virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // File > Export's dialog, titled "Export"; it asks nothing about an
    // existing file (the export command does).
    virtual QString exportFileName(QWidget* parent, const QString& folder, const QString& filter) {
        return saveFileName(parent, folder, filter);
    }
    // The printer dialog: sets up `printer` and returns true when the user
    // chose to print, false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, const QString& title) = 0;
    // The page setup dialog; the answer is kept in `printer`.
    virtual void pageSetup(QWidget* parent, QPrinter& printer, const QString& title) = 0;
};

}  // namespace quendal::common
