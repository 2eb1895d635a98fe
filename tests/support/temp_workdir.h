#pragma once

#include <QString>
#include <QTemporaryDir>

// Runs a test inside its own empty working directory (the program writes
// in.txt, out.txt and log.txt to the current directory) and restores the
// previous one afterwards.
class TempWorkdir {
public:
    TempWorkdir();
    ~TempWorkdir();
    TempWorkdir(const TempWorkdir&) = delete;
    TempWorkdir& operator=(const TempWorkdir&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};
