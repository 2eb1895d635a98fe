#include "explain/explain_menu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <chrono>

#include "explain/explain_subject.h"
#include "explain/frmCheck.h"
#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "minimizer/exchange.h"

namespace quendal::explain {

namespace {
const QString kKarnaughText = QStringLiteral("&Karnaugh Map");
}

ExplainMenu::ExplainMenu(QMenuBar* bar, QAction* before, QMdiArea* area, Hooks hooks,
                         QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)), area_(area) {
    mnuExplain = new QMenu(QStringLiteral("E&xplain"), bar);
    mnuExplain->setObjectName(QStringLiteral("mnuExplain"));
    bar->insertMenu(before, mnuExplain);
    auto add = [this](const char* name, const QString& text, void (ExplainMenu::*slot)()) {
        QAction* action = mnuExplain->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    mnuExplainTruthTable = add("mnuExplainTruthTable", QStringLiteral("&Truth Table"),
                               &ExplainMenu::mnuExplainTruthTable_Click);
    mnuExplainKarnaughMap =
        add("mnuExplainKarnaughMap", kKarnaughText, &ExplainMenu::mnuExplainKarnaughMap_Click);
    mnuExplainPosLoops =
        add("mnuExplainPosLoops", QStringLiteral("Map Loops Around the &Zeros (POS)"),
            &ExplainMenu::mnuExplainPosLoops_Click);
    mnuExplainPosLoops->setCheckable(true);
    mnuExplain->addSeparator()->setObjectName(QStringLiteral("mnuExplainBar0"));
    mnuExplainSteps =
        add("mnuExplainSteps", QStringLiteral("&Steps"), &ExplainMenu::mnuExplainSteps_Click);
    mnuExplainCheck = add("mnuExplainCheck", QStringLiteral("&Check My Answer..."),
                          &ExplainMenu::mnuExplainCheck_Click);
    setAvailable(false);
}

void ExplainMenu::setAvailable(bool available) {
    explanation_.reset();
    mnuExplain->setEnabled(available);
    mnuExplainKarnaughMap->setText(kKarnaughText);
    mnuExplainKarnaughMap->setEnabled(true);
    mnuExplainKarnaughMap->setToolTip({});
    if (!available) return;
    const int width = hooks_.currentFunction().numVars;
    const std::string reason = karnaughUnavailableReason(width);
    if (!reason.empty()) {
        mnuExplainKarnaughMap->setText(kKarnaughText + QStringLiteral(" (up to 6 variables only)"));
        mnuExplainKarnaughMap->setEnabled(false);
        mnuExplainKarnaughMap->setToolTip(QString::fromStdString(reason));
        mnuExplainKarnaughMap->setStatusTip(QString::fromStdString(reason));
    }
    mnuExplain->setToolTipsVisible(true);
}

std::shared_ptr<const qm::Explanation> ExplainMenu::explanation() {
    if (explanation_) return explanation_;
    const ExplainSubject subject = subjectOf(hooks_.currentFunction());
    if (subject.function.width < 1 || subject.function.width > qm::kMaxWidth) return nullptr;
    letters_ = subject.letters;
    try {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(qm::kTimeLimitSeconds);
        explanation_ =
            std::make_shared<const qm::Explanation>(qm::explain(subject.function, deadline));
    } catch (const std::exception& failure) {
        if (hooks_.message) {
            hooks_.message(QStringLiteral("The explanation could not be computed: ") +
                           QString::fromStdString(failure.what()));
        }
    }
    return explanation_;
}

drawing::Canvas* ExplainMenu::openCanvas(const QString& kind, int& counter) {
    if (!explanation()) return nullptr;
    return &hooks_.openDocument(QStringLiteral("%1 %2").arg(kind).arg(++counter));
}

void ExplainMenu::mnuExplainTruthTable_Click() {
    if (drawing::Canvas* canvas = openCanvas(QStringLiteral("Truth Table"), truthTableCount_))
        drawTruthTable(*canvas, *explanation_, letters_);
}

void ExplainMenu::drawMap(drawing::Canvas& canvas, bool posLoops) {
    drawKarnaughMap(canvas, *explanation_, letters_, posLoops ? LoopForm::Pos : LoopForm::Sop);
    if (QMdiSubWindow* window = area_->currentSubWindow())
        maps_[window] = {QPointer<QMdiSubWindow>(window), explanation_, letters_};
}

void ExplainMenu::mnuExplainKarnaughMap_Click() {
    if (hooks_.currentFunction().numVars > kMaxKarnaughWidth) {
        if (hooks_.message)
            hooks_.message(QString::fromStdString(
                karnaughUnavailableReason(hooks_.currentFunction().numVars)));
        return;
    }
    if (drawing::Canvas* canvas = openCanvas(QStringLiteral("Karnaugh Map"), karnaughCount_))
        drawMap(*canvas, mnuExplainPosLoops->isChecked());
}

void ExplainMenu::mnuExplainPosLoops_Click() {
    // Redraw the current map, if one is current, in a fresh window in its place.
    QMdiSubWindow* window = area_->currentSubWindow();
    const auto found = maps_.find(window);
    if (found == maps_.end() || !found->second.window) return;
    const auto keptExplanation = explanation_;
    const std::string keptLetters = letters_;
    explanation_ = found->second.explanation;
    letters_ = found->second.letters;
    const QRect geometry = window->geometry();
    const bool maximized = window->isMaximized();
    const QString caption = window->widget()->windowTitle();
    maps_.erase(found);
    window->close();
    drawing::Canvas& canvas = hooks_.openDocument(caption);
    drawMap(canvas, mnuExplainPosLoops->isChecked());
    if (QMdiSubWindow* fresh = area_->currentSubWindow()) {
        if (maximized) {
            fresh->showMaximized();
        } else {
            fresh->setGeometry(geometry);
        }
    }
    explanation_ = keptExplanation;
    letters_ = keptLetters;
}

void ExplainMenu::mnuExplainSteps_Click() {
    if (drawing::Canvas* canvas = openCanvas(QStringLiteral("Steps"), stepsCount_))
        drawSteps(*canvas, *explanation_, letters_);
}

void ExplainMenu::mnuExplainCheck_Click() {
    const auto e = explanation();
    if (!e) return;
    auto* form = new frmCheck(e, letters_);
    form->setWindowTitle(QStringLiteral("Check %1").arg(++checkCount_));
    QMdiSubWindow* window = area_->addSubWindow(form);
    window->show();
    area_->setActiveSubWindow(window);
    form->findChild<QWidget*>(QStringLiteral("txtAnswer"))->setFocus();
}

}  // namespace quendal::explain
