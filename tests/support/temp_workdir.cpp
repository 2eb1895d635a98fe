#include "tests/support/temp_workdir.h"

#include <QDir>

TempWorkdir::TempWorkdir() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

TempWorkdir::~TempWorkdir() {
    QDir::setCurrent(previous_);
}
