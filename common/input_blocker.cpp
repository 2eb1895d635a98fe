#include "common/input_blocker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace quendal::common {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: return true;
        default: return false;
    }
}

}  // namespace

InputBlocker::InputBlocker() : focus_(QApplication::focusWidget()) {
    qApp->installEventFilter(this);
}

void InputBlocker::showBusy() {
    if (busy_) return;
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isEnabled()) {
            w->setEnabled(false);
            disabled_.append(w);
        }
    }
}

InputBlocker::~InputBlocker() {
    // Input that arrived while the thread was blocked is still pending:
    // deliver it now, into the filter.
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
    if (busy_) QApplication::restoreOverrideCursor();
    for (const QPointer<QWidget>& w : disabled_) {
        if (w) w->setEnabled(true);
    }
    if (!disabled_.isEmpty() && focus_ && focus_->isEnabled()) {
        focus_->setFocus(Qt::OtherFocusReason);
    }
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event->type())) return true;
    if (event->type() == QEvent::Close && event->spontaneous() && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        event->ignore();
        return true;
    }
    return false;
}

bool waitWhileBusy(const std::function<bool()>& ready, int timeoutMs) {
    if (ready()) return true;
    InputBlocker blocker;
    blocker.showBusy();
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(25, &loop, &QEventLoop::quit);
        loop.exec();
        if (ready()) return true;
    }
    return ready();
}

}  // namespace quendal::common
