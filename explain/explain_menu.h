#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "drawing/function_view.h"
#include "minimizer/explanation.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QWidget;

namespace quendal::drawing {
class Canvas;
}

namespace quendal::explain {

// The Explain menu of the main window: after a successful Simplify its items open the teaching
// views of the function as document windows "Truth Table n", "Karnaugh Map n", "Steps n" and
// "Check n". The drawn views go on document canvases, so they print and save as drawings do.
class ExplainMenu : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<drawing::FunctionView()> currentFunction;  // what Simplify last minimized
        // Opens a drawing document window with this caption, makes it current and returns its
        // empty canvas.
        std::function<drawing::Canvas&(const QString& caption)> openDocument;
        std::function<void(const QString& message)> message;
    };

    // Inserts the menu into `bar` before the menu of `before`.
    ExplainMenu(QMenuBar* bar, QAction* before, QMdiArea* area, Hooks hooks,
                QObject* parent = nullptr);

    QMenu* menu() const { return mnuExplain; }

    // The explanation of the current function, computed on first use after each Simplify.
    // Null when it could not be computed (the user was told why).
    std::shared_ptr<const qm::Explanation> explanation();
    const std::string& letters() const { return letters_; }

public slots:
    // The work form's drawing commands became available (a successful Simplify) or not.
    void setAvailable(bool available);
    void mnuExplainTruthTable_Click();
    void mnuExplainKarnaughMap_Click();
    void mnuExplainSteps_Click();
    void mnuExplainCheck_Click();
    // The switch between the loops of the minimum sum of products and of the minimum product of
    // sums: redraws the current Karnaugh map in place.
    void mnuExplainPosLoops_Click();

private:
    drawing::Canvas* openCanvas(const QString& kind, int& counter);
    void drawMap(drawing::Canvas& canvas, bool posLoops);

    Hooks hooks_;
    QMdiArea* area_;
    QMenu* mnuExplain = nullptr;
    QAction* mnuExplainTruthTable = nullptr;
    QAction* mnuExplainKarnaughMap = nullptr;
    QAction* mnuExplainSteps = nullptr;
    QAction* mnuExplainCheck = nullptr;
    QAction* mnuExplainPosLoops = nullptr;
    std::shared_ptr<const qm::Explanation> explanation_;
    std::string letters_;
    int truthTableCount_ = 0, karnaughCount_ = 0, stepsCount_ = 0, checkCount_ = 0;
    // The Karnaugh map windows with what they show, so that the switch can redraw them.
    struct MapWindow {
        QPointer<QMdiSubWindow> window;
        std::shared_ptr<const qm::Explanation> explanation;
        std::string letters;
    };
    std::map<QMdiSubWindow*, MapWindow> maps_;
};

}  // namespace quendal::explain
