#pragma once

#include <QLineEdit>

namespace quendal::common {

// A one-line text box whose text changes only by keys judged at its end: the
// caret stays at the end, and selecting, Delete, cut, paste, drop, undo, redo
// and input-method text are refused. Every character key (and Backspace,
// Enter) goes through keyPress, which may change or refuse it (0); the box
// then appends the character, or removes its last one for Backspace.
class AppendOnlyLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AppendOnlyLineEdit(QWidget* parent = nullptr);

signals:
    // KeyAscii in and out, as the box's owner decides.
    void keyPress(int& KeyAscii);
    void lostFocus();

protected:
    // Swallows the mouse, drag and input-method events before QLineEdit sees them.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace quendal::common
