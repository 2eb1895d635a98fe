#pragma once

#include <QPrinter>
#include <QStringList>

#include <deque>

#include "common/file_dialogs.h"

// File and printer dialogs for tests: answers from queues (an empty text
// once a queue is used up, as a cancelled dialog), and a printer dialog
// that prints to a PDF file or is cancelled.
class ScriptedFileDialogs : public quendal::common::FileDialogs {
public:
    QString openFileName(QWidget*, const QString& folder, const QString& filter) override {
        ++opens;
        folders << folder;
        filters << filter;
        return next(openNames);
    }
    QString saveFileName(QWidget*, const QString& folder, const QString& filter) override {
        ++saves;
        folders << folder;
        filters << filter;
        return next(saveNames);
    }
    bool choosePrinter(QWidget*, QPrinter& printer, const QString& title) override {
        ++printerDialogs;
        titles << title;
        if (pdfPath.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
    void pageSetup(QWidget*, QPrinter&, const QString& title) override {
        ++pageSetups;
        titles << title;
    }

    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    QString pdfPath;  // empty: the printer dialog is cancelled
    int opens = 0, saves = 0, printerDialogs = 0, pageSetups = 0;
    QStringList folders, filters, titles;

private:
    static QString next(std::deque<QString>& names) {
        if (names.empty()) return {};
        QString name = names.front();
        names.pop_front();
        return name;
    }
};
