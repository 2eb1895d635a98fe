#pragma once

#include <QFuture>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/clock.h"
#include "drawing/function_view.h"
#include "minimizer/explanation.h"

class QAction;
template <typename T>
class QFutureWatcher;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QWidget;

namespace quendal::drawing {
class Canvas;
}

namespace quendal::explain {

class KarnaughSwitch;

// The Explain menu of the main window: after a successful Simplify its items open the teaching
// views of the function as document windows "Truth Table n", "Karnaugh Map n", "Steps n",
// "Check n" and "Cost Table n". The drawn views go on document canvases, so they print and save as
// drawings do; being made again from the function at will, they are never unsaved work.
class ExplainMenu : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<drawing::FunctionView()> currentFunction;  // what Simplify last minimized
        // Opens a document window showing a view with this caption and, when given, `controls`
        // above the drawing (the window takes them); makes it current and returns its empty
        // canvas.
        std::function<drawing::Canvas&(const QString& caption, QWidget* controls)> openDocument;
        std::function<void(const QString& message)> message;
        // The date printed on check pages; none: no date.
        const common::Clock* clock = nullptr;
    };

    // Inserts the menu into `bar` before the menu of `before`.
    ExplainMenu(QMenuBar* bar, QAction* before, QMdiArea* area, Hooks hooks,
                QObject* parent = nullptr);
    // Stops the explanation being worked out and waits for its thread, so that none outlives
    // the menu.
    ~ExplainMenu() override;

    QMenu* menu() const { return mnuExplain; }

    // The explanation of the current function in the given scope. The whole of it is worked out
    // in the background from each Simplify on (the minimum product of sums of a sparse function
    // of 8 variables can take a second), and a view that needs it waits for what is left; the
    // work is called off when the function changes or the menu goes. A view
    // that shows only the minimum sum of products computes that part at once if the rest is not
    // ready. Null when it could not be computed (the user was told why). A minimum not proven in
    // time is explained only for a view that says so (`unprovenShown`: the Steps page); any
    // other view is told it could not be computed.
    std::shared_ptr<const qm::Explanation> explanation(
        qm::ExplainScope scope = qm::ExplainScope::Everything, bool unprovenShown = false);
    const std::string& letters() const { return letters_; }

signals:
    // The explanation worked out after a Simplify is ready: the function it explains, as the
    // work form gave it, and its minimum product of sums as the Steps page writes it (none: not
    // found in time). Never sent for a function changed since.
    void explained(const drawing::FunctionView& subject,
                   const std::optional<std::string>& minimumPos);

public slots:
    // The work form's drawing commands became available (a successful Simplify) or not.
    void setAvailable(bool available);
    void mnuExplainTruthTable_Click();
    void mnuExplainKarnaughMap_Click();
    void mnuExplainSteps_Click();
    void mnuExplainCheck_Click();
    // The cost of every implementation of the function, side by side.
    void mnuExplainCostTable_Click();
    // The current Karnaugh map's switch between the loops of the minimum sum of products and
    // of the minimum product of sums, as a menu item.
    void mnuExplainPosLoops_Click();

private:
    drawing::Canvas* openCanvas(const QString& kind, int& counter, qm::ExplainScope scope,
                                QWidget* controls = nullptr, bool unprovenShown = false);
    // explanation() whether its minimum is proven or not.
    std::shared_ptr<const qm::Explanation> anyExplanation(qm::ExplainScope scope);
    // Starts working out the whole explanation of the current function in the background.
    void startAhead();
    // Calls off the background work, if any, and forgets it; its thread stops at its next look
    // at the flag.
    void dropAhead();
    // Sends explained() for the background work, once.
    void reportAhead();
    // The switch of the Karnaugh map in the current window, if it shows one.
    KarnaughSwitch* currentMapSwitch() const;

    Hooks hooks_;
    QMdiArea* area_;
    QMenu* mnuExplain = nullptr;
    QAction* mnuExplainTruthTable = nullptr;
    QAction* mnuExplainKarnaughMap = nullptr;
    QAction* mnuExplainSteps = nullptr;
    QAction* mnuExplainCheck = nullptr;
    QAction* mnuExplainCostTable = nullptr;
    QAction* mnuExplainPosLoops = nullptr;
    std::shared_ptr<const qm::Explanation> explanation_;  // the fullest computed so far
    // The whole explanation of what Simplify last minimized, being worked out in the background
    // (null with the reason when it could not be), and the flag that calls that work off. The
    // task owns copies of what it reads and its share of the flag, never the menu.
    struct Ahead {
        std::shared_ptr<const qm::Explanation> explanation;
        std::string failure;
    };
    QFuture<Ahead> ahead_;
    std::shared_ptr<qm::CancelFlag> aheadCancelled_;
    std::string aheadLetters_;
    drawing::FunctionView aheadSubject_;
    QFutureWatcher<Ahead>* aheadWatcher_ = nullptr;
    std::string letters_;
    int truthTableCount_ = 0, karnaughCount_ = 0, stepsCount_ = 0, checkCount_ = 0;
    int costTableCount_ = 0;
    // Declared last, so that it is gone, its thread waited for, before anything above.
    QThreadPool pool_;
};

}  // namespace quendal::explain
