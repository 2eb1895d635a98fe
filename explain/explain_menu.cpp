#include "explain/explain_menu.h"

#include <QAction>
#include <QFutureWatcher>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>

#include "explain/check_answer_window.h"
#include "explain/check_page.h"
#include "explain/cost_table_view.h"
#include "explain/explain_subject.h"
#include "explain/karnaugh_map.h"
#include "explain/karnaugh_switch.h"
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
    mnuExplain = new QMenu(QStringLiteral("Ex&plain"), bar);
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
    // The item tells and changes what the current map shows.
    connect(mnuExplain, &QMenu::aboutToShow, this, [this] {
        const KarnaughSwitch* current = currentMapSwitch();
        mnuExplainPosLoops->setEnabled(current != nullptr);
        mnuExplainPosLoops->setChecked(current && current->form() == LoopForm::Pos);
    });
    mnuExplain->addSeparator()->setObjectName(QStringLiteral("mnuExplainBar0"));
    mnuExplainSteps =
        add("mnuExplainSteps", QStringLiteral("&Steps"), &ExplainMenu::mnuExplainSteps_Click);
    mnuExplainCheck = add("mnuExplainCheck", QStringLiteral("&Check My Answer..."),
                          &ExplainMenu::mnuExplainCheck_Click);
    mnuExplainCostTable = add("mnuExplainCostTable", QStringLiteral("C&ost Table"),
                              &ExplainMenu::mnuExplainCostTable_Click);
    // One explanation at a time: a new one waits only for the one called off before it to stop.
    pool_.setMaxThreadCount(1);
    setAvailable(false);
    setCheckPageClock(hooks_.clock);
}

ExplainMenu::~ExplainMenu() {
    setCheckPageClock(nullptr);
    dropAhead();
    pool_.waitForDone();
}

void ExplainMenu::dropAhead() {
    if (aheadCancelled_) aheadCancelled_->store(true, std::memory_order_relaxed);
    aheadCancelled_.reset();
    ahead_ = {};
    if (aheadWatcher_) {
        aheadWatcher_->disconnect(this);
        aheadWatcher_->deleteLater();  // it may be the sender being handled
        aheadWatcher_ = nullptr;
    }
}

void ExplainMenu::reportAhead() {
    if (!aheadWatcher_) return;  // reported already, or dropped
    aheadWatcher_->disconnect(this);
    aheadWatcher_->deleteLater();
    aheadWatcher_ = nullptr;
    const Ahead& ahead = ahead_.result();
    std::optional<std::string> pos;
    if (ahead.explanation && !ahead.explanation->unproven && ahead.explanation->pos)
        pos = logic::posText(*ahead.explanation->pos, ahead.explanation->function.width,
                             aheadLetters_);
    emit explained(aheadSubject_, pos);
}

void ExplainMenu::setAvailable(bool available) {
    explanation_.reset();
    dropAhead();
    mnuExplain->setEnabled(available);
    mnuExplainKarnaughMap->setText(kKarnaughText);
    mnuExplainKarnaughMap->setEnabled(true);
    mnuExplainKarnaughMap->setToolTip({});
    if (!available) return;
    const int width = hooks_.currentFunction().function.width;
    const std::string reason = karnaughUnavailableReason(width);
    if (!reason.empty()) {
        mnuExplainKarnaughMap->setText(kKarnaughText + QStringLiteral(" (up to 6 variables only)"));
        mnuExplainKarnaughMap->setEnabled(false);
        mnuExplainKarnaughMap->setToolTip(QString::fromStdString(reason));
        mnuExplainKarnaughMap->setStatusTip(QString::fromStdString(reason));
    }
    mnuExplain->setToolTipsVisible(true);
    startAhead();
}

void ExplainMenu::startAhead() {
    aheadSubject_ = hooks_.currentFunction();
    ExplainSubject subject = subjectOf(aheadSubject_);
    if (subject.function.width < 1 || subject.function.width > logic::kMaxWidth) return;
    aheadLetters_ = subject.letters;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(qm::kTimeLimitSeconds);
    aheadCancelled_ = std::make_shared<qm::CancelFlag>(false);
    ahead_ = QtConcurrent::run(
        &pool_, [subject = std::move(subject), deadline, cancelled = aheadCancelled_]() -> Ahead {
            try {
                return {std::make_shared<const qm::Explanation>(
                            qm::explain(subject.function, deadline, qm::ExplainScope::Everything,
                                        subject.minimum ? &*subject.minimum : nullptr,
                                        cancelled.get(), qm::WhenUnproven::Explain)),
                        {}};
            } catch (const std::exception& failure) {
                return {nullptr, failure.what()};
            }
        });
    aheadWatcher_ = new QFutureWatcher<Ahead>(this);
    connect(aheadWatcher_, &QFutureWatcherBase::finished, this, &ExplainMenu::reportAhead);
    aheadWatcher_->setFuture(ahead_);
}

std::shared_ptr<const qm::Explanation> ExplainMenu::explanation(qm::ExplainScope scope,
                                                                bool unprovenShown) {
    auto e = anyExplanation(scope);
    if (!e || !e->unproven || unprovenShown) return e;
    if (hooks_.message) {
        hooks_.message(
            QStringLiteral("The explanation could not be computed: no minimum found in time"));
    }
    return nullptr;
}

std::shared_ptr<const qm::Explanation> ExplainMenu::anyExplanation(qm::ExplainScope scope) {
    if (explanation_ && (explanation_->scope == qm::ExplainScope::Everything ||
                         scope == qm::ExplainScope::MinimumSop))
        return explanation_;
    if (ahead_.isValid() && (scope == qm::ExplainScope::Everything || ahead_.isFinished())) {
        const Ahead ahead = ahead_.result();
        if (ahead.explanation) {
            explanation_ = ahead.explanation;
            letters_ = aheadLetters_;
            return explanation_;
        }
        reportAhead();
        dropAhead();
        if (hooks_.message) {
            hooks_.message(QStringLiteral("The explanation could not be computed: ") +
                           QString::fromStdString(ahead.failure));
        }
        return nullptr;
    }
    const ExplainSubject subject = subjectOf(hooks_.currentFunction());
    if (subject.function.width < 1 || subject.function.width > logic::kMaxWidth) return nullptr;
    letters_ = subject.letters;
    try {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(qm::kTimeLimitSeconds);
        explanation_ = std::make_shared<const qm::Explanation>(qm::explain(
            subject.function, deadline, scope, subject.minimum ? &*subject.minimum : nullptr,
            nullptr, qm::WhenUnproven::Explain));
    } catch (const std::exception& failure) {
        if (hooks_.message) {
            hooks_.message(QStringLiteral("The explanation could not be computed: ") +
                           QString::fromStdString(failure.what()));
        }
        return nullptr;
    }
    return explanation_;
}

drawing::Canvas* ExplainMenu::openCanvas(const QString& kind, int& counter, qm::ExplainScope scope,
                                         QWidget* controls, bool unprovenShown) {
    if (!explanation(scope, unprovenShown)) {
        delete controls;
        return nullptr;
    }
    return &hooks_.openDocument(QStringLiteral("%1 %2").arg(kind).arg(++counter), controls);
}

void ExplainMenu::mnuExplainTruthTable_Click() {
    if (drawing::Canvas* canvas = openCanvas(QStringLiteral("Truth Table"), truthTableCount_,
                                             qm::ExplainScope::MinimumSop)) {
        drawTruthTable(*canvas, *explanation_, letters_);
        // Its window is the current one now: a simulated circuit can mark its rows.
        if (QMdiSubWindow* window = area_->currentSubWindow())
            new TruthTableDocument(explanation_, letters_, *canvas, window->widget());
    }
}

KarnaughSwitch* ExplainMenu::currentMapSwitch() const {
    QMdiSubWindow* window = area_->currentSubWindow();
    return window ? window->findChild<KarnaughSwitch*>() : nullptr;
}

void ExplainMenu::mnuExplainKarnaughMap_Click() {
    if (hooks_.currentFunction().function.width > kMaxKarnaughWidth) {
        if (hooks_.message)
            hooks_.message(QString::fromStdString(
                karnaughUnavailableReason(hooks_.currentFunction().function.width)));
        return;
    }
    auto* controls = new KarnaughSwitch;
    drawing::Canvas* canvas = openCanvas(QStringLiteral("Karnaugh Map"), karnaughCount_,
                                         qm::ExplainScope::Everything, controls);
    if (!canvas) return;
    // The map keeps the function it was opened for, whatever is simplified later.
    auto draw = [canvas, e = explanation_, letters = letters_](LoopForm form) {
        canvas->cls();
        drawKarnaughMap(*canvas, *e, letters, form);
    };
    draw(LoopForm::Sop);
    connect(controls, &KarnaughSwitch::formChanged, controls, draw);
}

void ExplainMenu::mnuExplainPosLoops_Click() {
    if (KarnaughSwitch* current = currentMapSwitch())
        current->setForm(mnuExplainPosLoops->isChecked() ? LoopForm::Pos : LoopForm::Sop);
}

void ExplainMenu::mnuExplainSteps_Click() {
    if (drawing::Canvas* canvas = openCanvas(QStringLiteral("Steps"), stepsCount_,
                                             qm::ExplainScope::Everything, nullptr, true))
        drawSteps(*canvas, *explanation_, letters_);
}

void ExplainMenu::mnuExplainCostTable_Click() {
    // Needs no explanation: each implementation is drawn and costed from its circuit.
    const drawing::FunctionView function = hooks_.currentFunction();
    if (function.function.width < 1 || function.function.width > logic::kMaxWidth) return;
    const std::vector<Implementation> rows = implementationsOf(function);
    drawing::Canvas& canvas =
        hooks_.openDocument(QStringLiteral("Cost Table %1").arg(++costTableCount_), nullptr);
    drawCostTable(canvas, rows, lettersOf(function), function.minSopText);
}

void ExplainMenu::mnuExplainCheck_Click() {
    // The window opens on the minimum sum of products; the product of sums is worked out when an
    // answer or Show needs it, for the function the window was opened for.
    const auto e = explanation(qm::ExplainScope::MinimumSop);
    if (!e) return;
    auto everything = [this, function = e->function]() -> std::shared_ptr<const qm::Explanation> {
        const auto current = explanation_ ? &explanation_->function : nullptr;
        if (current && current->width == function.width && current->on == function.on &&
            current->dc == function.dc)
            return explanation(qm::ExplainScope::Everything);
        try {
            return std::make_shared<const qm::Explanation>(qm::explain(
                function,
                std::chrono::steady_clock::now() + std::chrono::seconds(qm::kTimeLimitSeconds)));
        } catch (const std::exception&) {
            return nullptr;
        }
    };
    auto* form = new CheckAnswerWindow(e, letters_, everything);
    form->setWindowTitle(QStringLiteral("Check %1").arg(++checkCount_));
    QMdiSubWindow* window = area_->addSubWindow(form);
    window->show();
    area_->setActiveSubWindow(window);
    form->findChild<QWidget*>(QStringLiteral("txtAnswer"))->setFocus();
}

}  // namespace quendal::explain
