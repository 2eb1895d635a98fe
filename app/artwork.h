#pragma once

#include <QIcon>
#include <QMap>
#include <QPixmap>
#include <QString>

namespace quendal::app {

// The program's own pictures, drawn in code.

// The toolbar icons, 16 x 16, keyed "Open", "Save" and "Print".
QMap<QString, QIcon> toolbarIcons();

// The program's window icon: an AND gate.
QIcon appIcon();

// The logo of the login form: a row of gate symbols joined by wires.
QPixmap logoPicture(QSize size);

}  // namespace quendal::app
