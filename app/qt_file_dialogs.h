#pragma once

#include "common/file_dialogs.h"

namespace quendal::app {

// The platform's standard open, save, printer and page setup dialogs.
class QtFileDialogs : public common::FileDialogs {
public:
    QString openFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    QString exportFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer, const QString& title) override;
    void pageSetup(QWidget* parent, QPrinter& printer, const QString& title) override;
};

}  // namespace quendal::app
