#include "common/button_feedback.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace quendal::common {

ButtonFeedback::ButtonFeedback(QWidget* background, QList<QAbstractButton*> buttons,
                               QObject* parent)
    : QObject(parent), background_(background), buttons_(std::move(buttons)) {
    for (QAbstractButton* b : buttons_) {
        setBackground(b, normal);
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }
    if (background_) {
        background_->setMouseTracking(true);
        background_->installEventFilter(this);
    }
}

QColor ButtonFeedback::background(const QAbstractButton* button) {
    return button->palette().color(QPalette::Button);
}

void ButtonFeedback::setBackground(QAbstractButton* button, const QColor& colour) {
    QPalette p = button->palette();
    p.setColor(QPalette::Button, colour);
    button->setPalette(p);
}

void ButtonFeedback::light(QAbstractButton* button) {
    if (background(button) != normal) return;
    setBackground(button, lit);
    highlightOn_ = true;
}

void ButtonFeedback::unlight(QAbstractButton* button) {
    setBackground(button, normal);
    highlightOn_ = false;
}

void ButtonFeedback::reset() {
    if (!highlightOn_) return;
    for (QAbstractButton* b : buttons_) setBackground(b, normal);
    highlightOn_ = false;
}

bool ButtonFeedback::eventFilter(QObject* watched, QEvent* event) {
    if (watched == background_) {
        // Moves over child controls propagate up to the background; only the
        // bare background resets the buttons.
        if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (!background_->childAt(move->position().toPoint())) reset();
        }
        return false;
    }
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !buttons_.contains(button)) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseMove:
        case QEvent::Enter: light(button); break;
        case QEvent::FocusOut: unlight(button); break;
        default: break;
    }
    return false;
}

}  // namespace quendal::common
