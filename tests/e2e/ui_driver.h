#pragma once

// Driving the real program's windows the way a person does: mouse clicks and
// key presses sent to the widgets on the screen, modal boxes answered while
// they wait, screenshots of the whole X screen.

#include <QDir>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

class QAbstractButton;
class QAction;
class QComboBox;
class QListWidget;
class QMainWindow;
class QWidget;

namespace e2e {

// A step did not show what it must; the text says what was wrong.
class StepFailure : public std::runtime_error {
public:
    explicit StepFailure(const QString& what) : std::runtime_error(what.toStdString()) {}
};

void check(bool condition, const QString& what);
// Fails unless `actual` is `expected`, naming both.
void checkEqual(const QString& actual, const QString& expected, const QString& what);

// Lets the program run for a while (its timers, painting, the minimizer).
void wait(int ms);
// Lets the program run until `ready` holds; false after `timeoutMs`.
bool waitUntil(const std::function<bool()>& ready, int timeoutMs = 5000);

// The visible top-level window of that object name, or null.
QWidget* visibleTopLevel(const QString& objectName);

// The named child of `parent`; a missing control fails the step.
template <typename T>
T* child(QWidget* parent, const char* name) {
    T* found = parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
    check(found != nullptr, QStringLiteral("no control %1").arg(QLatin1String(name)));
    return found;
}

// A left click at `pos` (the centre when null) of a visible, enabled widget.
void click(QWidget* widget, QPoint pos = {});
// Option buttons are clicked near their left edge, on the round mark.
void clickOption(QAbstractButton* option);
// Clicks the tick box of an entry of a tick-box list, scrolled into view.
void clickTickBox(QListWidget* list, int row);
// Opens the drop-down list and clicks the entry with that text.
void chooseComboEntry(QComboBox* combo, const QString& text);
// Clicks a menu of the menu bar, then the first item that `which` accepts in
// the menu that opened (`what` names it in a failure).
void chooseMenuItem(QMainWindow* window, const char* menuName,
                    const std::function<bool(const QAction*)>& which, const QString& what);
// The same for the item of that object name.
void chooseMenuItem(QMainWindow* window, const char* menuName, const char* itemName);
// Types the characters one key at a time.
void type(QWidget* widget, const QString& keys);
void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Answers modal windows while they block the program: every `intervalMs`
// the handler gets the active modal widget (if any) and returns true when it
// answered it. Modal loops block the caller, so the answer comes from here.
class ModalAnswerer {
public:
    using Handler = std::function<bool(QWidget* modal)>;
    explicit ModalAnswerer(Handler handler, int intervalMs = 100);
    ~ModalAnswerer();
    int answered() const { return answered_; }
    // The last failure inside the handler, if any.
    const QString& failure() const { return failure_; }

private:
    QTimer timer_;
    Handler handler_;
    int answered_ = 0;
    bool busy_ = false;
    QString failure_;
};

// Screenshots of the whole X screen, numbered in the order taken.
class Screenshots {
public:
    explicit Screenshots(const QDir& folder) : folder_(folder) {}
    // Waits for painting to reach the screen, grabs it and saves
    // "NN_<name>.png"; returns the picture.
    QImage take(const QString& name);
    const QDir& folder() const { return folder_; }

    // Pictures for the user guide: a part of a screenshot saved as
    // "e2e_<name>.png" in the guide folder, when one is set.
    void setGuideFolder(const QDir& folder) { guide_ = folder; }
    void keep(const QString& name, const QImage& shot, const QRect& part) const;

private:
    QDir folder_;
    std::optional<QDir> guide_;
    int count_ = 0;
};

// The widgets under `root`, one a line (class, name, text), for diagnosis.
QString describeWidgets(QWidget* root);

// Whether the region of the picture holds a pixel other than `background`.
bool hasInk(const QImage& picture, const QRect& region, QRgb background);
// The smallest rectangle of the region holding every pixel other than
// `background`; null when there is none.
QRect inkBounds(const QImage& picture, const QRect& region, QRgb background);
// The widget's rectangle in screen coordinates, limited to the screen.
QRect onScreen(const QWidget* widget);

}  // namespace e2e
