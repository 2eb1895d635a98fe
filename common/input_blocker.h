#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace quendal::common {

// While a command waits (for the minimizer, or for another window's
// minimizer), clicks and keys are discarded, not queued: a Simplify never has
// another command run in its middle or right after it by a click made while it
// was busy. Closing a window is refused as well, since a command is still
// running on it. A longer wait also disables every top-level window and shows
// the busy cursor, so the user sees that input is not taken, while the windows
// keep painting.
class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;

    // The visible half: disabled windows and the busy cursor, until the end.
    void showBusy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> focus_;
    QList<QPointer<QWidget>> disabled_;
    bool busy_ = false;
};

// Waits until `ready` returns true, asking it every few milliseconds, or until
// `timeoutMs` have passed; the windows paint meanwhile and input is blocked as
// above. Returns the last answer of `ready`.
bool waitWhileBusy(const std::function<bool()>& ready, int timeoutMs);

}  // namespace quendal::common
