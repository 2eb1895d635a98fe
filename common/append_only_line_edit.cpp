#include "common/append_only_line_edit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

namespace quendal::common {

AppendOnlyLineEdit::AppendOnlyLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
    setDragEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Text set by the owner also leaves the caret at the end.
    connect(this, &QLineEdit::textChanged, this, [this] { end(false); });
}

void AppendOnlyLineEdit::keyPressEvent(QKeyEvent* event) {
    int key = 0;
    switch (event->key()) {
        case Qt::Key_Backspace: key = 8; break;
        case Qt::Key_Return:
        case Qt::Key_Enter: key = 13; break;
        case Qt::Key_Delete: break;  // would delete at the caret, not at the end
        default: {
            const QString text = event->text();
            if (!text.isEmpty() && text.front().unicode() != 127) key = text.front().unicode();
        }
    }
    // Control with a letter types a control character (Ctrl+V is 22), which
    // the owner's rules refuse; Shift+Insert pastes without typing one, so it
    // is handed on as the paste character too.
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if (control && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        key = event->key() - Qt::Key_A + 1;
    } else if (event->matches(QKeySequence::Paste)) {
        key = 22;
    }
    event->accept();
    if (key == 0) return;  // caret moves, selection, Delete: refused

    emit keyPress(key);
    if (key == 0 || isReadOnly()) return;
    if (key == 8) {
        if (!text().isEmpty()) setText(text().chopped(1));
    } else if (key != 13) {
        setText(text() + QChar(key));
    }
}

bool AppendOnlyLineEdit::event(QEvent* event) {
    switch (event->type()) {
        // A click gives the focus (the application does that before the
        // widget sees it) but neither moves the caret nor selects or pastes.
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: event->accept(); return true;
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: event->ignore(); return true;
        default: return QLineEdit::event(event);
    }
}

void AppendOnlyLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Tabbing into a line edit selects all of it.
    deselect();
    end(false);
}

void AppendOnlyLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit lostFocus();
}

}  // namespace quendal::common
