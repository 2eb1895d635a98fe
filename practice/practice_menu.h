#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "common/clock.h"
#include "practice/exercise.h"
#include "practice/exercise_window.h"

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;
class QWidget;

namespace quendal::common {
class FileDialogs;
}
namespace quendal::drawing {
class Canvas;
}

namespace quendal::practice {

class PracticeMapWindow;

// The Practice menu: New Exercise..., Open Exercise Code... and Worksheet.... An exercise opens
// as its own window; its views open as documents in practice form (the map as a window to draw
// loops on).
class PracticeMenu : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // As the Explain menu's: a document window with this caption (and controls above it).
        std::function<drawing::Canvas&(const QString& caption, QWidget* controls)> openDocument;
        std::function<void(const QString& message)> message;
        common::FileDialogs* fileDialogs = nullptr;
        const common::Clock* clock = nullptr;
        std::string recordPath = kPracticeFile;
    };

    // Inserts the menu into `bar` before the menu of `before`.
    PracticeMenu(QMenuBar* bar, QAction* before, QMdiArea* area, Hooks hooks,
                 QObject* parent = nullptr);

    QMenu* menu() const { return mnuPractice; }

    // Opens the exercise a request or a code names; null (the user told why) when there is none.
    ExerciseWindow* startExercise(const ExerciseRequest& request);
    ExerciseWindow* openCode(const QString& code);
    // Opens a view of an exercise: in practice form until it is revealed.
    void openView(ExerciseWindow& exercise, ExerciseWindow::View view);

public slots:
    void mnuPracticeNew_Click();
    void mnuPracticeOpenCode_Click();
    void mnuPracticeWorksheet_Click();

private:
    void tell(const QString& text) const;

    Hooks hooks_;
    QMdiArea* area_;
    QMenu* mnuPractice = nullptr;
    int viewCount_ = 0;
};

}  // namespace quendal::practice
