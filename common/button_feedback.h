#pragma once

#include <QColor>
#include <QList>
#include <QObject>

class QAbstractButton;
class QWidget;

namespace quendal::common {

// Command buttons light up under the pointer and while they have the focus,
// and go back to normal on losing the focus or when the pointer crosses the
// form's background. One instance per form; it owns the form's highlightOn.
class ButtonFeedback : public QObject {
    Q_OBJECT
public:
    static inline const QColor normal{224, 224, 224};
    static inline const QColor lit{192, 192, 255};

    ButtonFeedback(QWidget* background, QList<QAbstractButton*> buttons, QObject* parent = nullptr);

    bool highlightOn() const { return highlightOn_; }

    // The three rules, also called directly by tests.
    void light(QAbstractButton* button);
    void unlight(QAbstractButton* button);
    void reset();

    static QColor background(const QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void setBackground(QAbstractButton* button, const QColor& colour);

    QWidget* background_;
    QList<QAbstractButton*> buttons_;
    bool highlightOn_ = false;
};

}  // namespace quendal::common
