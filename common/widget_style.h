#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace quendal::common {

// The look the forms give their controls, in one place so that every form
// colours and letters its controls the same way.

// One colour role of a widget's palette, in every state.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// The text of a control (window text, text and button text) in its enabled
// looks only: a disabled control keeps the style's grey, so it shows as such.
void setTextColour(QWidget* widget, const QColor& colour);

// The background of a control: the window colour of forms, frames and labels
// and the base colour of text boxes and lists.
void setBackgroundColour(QWidget* widget, const QColor& colour);

// Times New Roman at the given size; a serif face where it is missing.
QFont timesFont(double points);

}  // namespace quendal::common
