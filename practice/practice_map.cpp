#include "practice/practice_map.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

#include "common/twips.h"
#include "logic/expression_text.h"
#include "practice/judging.h"

namespace quendal::practice {

namespace {

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

PracticeMapView::PracticeMapView(std::shared_ptr<const qm::Explanation> explanation,
                                 std::string letters, QWidget* parent)
    : QWidget(parent),
      explanation_(std::move(explanation)),
      letters_(std::move(letters)),
      layout_(explain::karnaughLayout(explanation_->function.width)) {
    setObjectName(QStringLiteral("PracticeMapView"));
    setMouseTracking(false);
    redraw();
}

void PracticeMapView::redraw() {
    explain::KarnaughPractice practice{loops_};
    if (candidate_) practice.loops.push_back(*candidate_);
    canvas_.cls();
    explain::drawKarnaughMap(canvas_, *explanation_, letters_, explain::LoopForm::Sop, &practice);
    setFixedSize(canvas_.pixelSize());
    update();
}

void PracticeMapView::drawPage(drawing::Canvas& canvas) const {
    explain::KarnaughPractice practice{loops_};
    explain::drawKarnaughMap(canvas, *explanation_, letters_, explain::LoopForm::Sop, &practice);
}

void PracticeMapView::addLoop(const logic::Cube& loop) {
    loops_.push_back(loop);
    redraw();
    emit loopAdded(loop);
    emit loopsChanged();
}

void PracticeMapView::clearLoops() {
    loops_.clear();
    redraw();
    emit loopsChanged();
}

MapPoint PracticeMapView::pointAt(QPoint position) const {
    const explain::KarnaughGrid g = explain::practiceGrid(canvas_, layout_.width);
    const int x = position.x() * common::kTwipsPerPixel + common::kTwipsPerPixel / 2;
    const int y = position.y() * common::kTwipsPerPixel + common::kTwipsPerPixel / 2;
    // The map whose grid, with half the gap on either side, holds x.
    const int gridWidth = layout_.cols() * g.cellWidth;
    const int gap = g.mapStep - gridWidth;
    MapPoint p;
    p.map = std::clamp(floorDiv(x - g.firstLeft + gap / 2, g.mapStep), 0, layout_.maps() - 1);
    p.col =
        std::clamp(floorDiv(x - g.firstLeft - p.map * g.mapStep, g.cellWidth), -1, layout_.cols());
    p.row = std::clamp(floorDiv(y - g.gridTop, g.cellHeight), -1, layout_.rows());
    return p;
}

QPoint PracticeMapView::cellCentre(int minterm) const {
    const explain::KarnaughGrid g = explain::practiceGrid(canvas_, layout_.width);
    const auto cell = layout_.cellOf(minterm);
    const int x = g.firstLeft + cell.map * g.mapStep + cell.col * g.cellWidth + g.cellWidth / 2;
    const int y = g.gridTop + cell.row * g.cellHeight + g.cellHeight / 2;
    return {x / common::kTwipsPerPixel, y / common::kTwipsPerPixel};
}

std::optional<logic::Cube> PracticeMapView::dragged(QMouseEvent* event) const {
    if (!dragStart_) return std::nullopt;
    return loopOfDrag(layout_, *dragStart_, pointAt(event->position().toPoint()),
                      event->modifiers().testFlag(Qt::ShiftModifier));
}

void PracticeMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    canvas_.render(painter, 1.0, event->rect());
}

void PracticeMapView::mousePressEvent(QMouseEvent* event) {
    const MapPoint p = pointAt(event->position().toPoint());
    const bool inside =
        p.row >= 0 && p.row < layout_.rows() && p.col >= 0 && p.col < layout_.cols();
    if (!inside) return;
    if (event->button() == Qt::RightButton) {
        // The newest loop on that cell goes.
        const int minterm = layout_.mintermAt(p.map, p.row, p.col);
        for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
            if (it->contains(minterm)) {
                loops_.erase(std::next(it).base());
                redraw();
                emit loopsChanged();
                break;
            }
        }
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    dragStart_ = p;
    candidate_ = dragged(event);
    redraw();
}

void PracticeMapView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragStart_) return;
    const auto loop = dragged(event);
    if (loop != candidate_) {
        candidate_ = loop;
        redraw();
    }
}

void PracticeMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragStart_ || event->button() != Qt::LeftButton) return;
    const auto loop = dragged(event);
    dragStart_.reset();
    candidate_.reset();
    if (loop)
        addLoop(*loop);
    else
        redraw();
}

PracticeMapWindow::PracticeMapWindow(
    std::shared_ptr<const qm::Explanation> explanation, std::string letters,
    std::function<void(const std::string&, const std::string&)> report, QWidget* parent)
    : QWidget(parent),
      explanation_(std::move(explanation)),
      letters_(std::move(letters)),
      report_(std::move(report)) {
    setObjectName(QStringLiteral("PracticeMapWindow"));
    view_ = new PracticeMapView(explanation_, letters_);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrMap"));
    scroll->setWidget(view_);
    scroll->setBackgroundRole(QPalette::Base);
    lblLoop = new QLabel(QStringLiteral("Drag from cell to cell to draw a loop; right-click a "
                                        "cell to take its newest loop away."),
                         this);
    lblLoop->setObjectName(QStringLiteral("lblLoop"));
    lblLoop->setWordWrap(true);
    lblLoops = new QLabel(this);
    lblLoops->setObjectName(QStringLiteral("lblLoops"));
    lblLoops->setWordWrap(true);
    cmdCheckLoops = new QPushButton(QStringLiteral("Check &Loops"), this);
    cmdCheckLoops->setObjectName(QStringLiteral("cmdCheckLoops"));
    cmdClearLoops = new QPushButton(QStringLiteral("C&lear Loops"), this);
    cmdClearLoops->setObjectName(QStringLiteral("cmdClearLoops"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(scroll, 0, 0, 1, 3);
    grid->addWidget(lblLoop, 1, 0, 1, 3);
    grid->addWidget(lblLoops, 2, 0);
    grid->addWidget(cmdCheckLoops, 2, 1);
    grid->addWidget(cmdClearLoops, 2, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);

    connect(view_, &PracticeMapView::loopAdded, this, [this](const logic::Cube& loop) {
        const LoopVerdict verdict = judgeLoop(explanation_->function, explanation_->primes, loop);
        lblLoop->setText(QString::fromStdString(
            loopVerdictText(verdict, loop, explanation_->function.width, letters_)));
    });
    connect(view_, &PracticeMapView::loopsChanged, lblLoops, [this] { lblLoops->clear(); });
    connect(cmdCheckLoops, &QPushButton::clicked, this, &PracticeMapWindow::cmdCheckLoops_Click);
    connect(cmdClearLoops, &QPushButton::clicked, this, &PracticeMapWindow::cmdClearLoops_Click);
    resize(720, 560);
}

void PracticeMapWindow::cmdCheckLoops_Click() {
    const auto& loops = view_->loops();
    const int width = explanation_->function.width;
    const std::string verdict =
        loops.empty() ? std::string("No loops yet: drag from cell to cell to draw one.")
                      : coverVerdictText(judgeCover(*explanation_, loops, false), loops, width,
                                         letters_, "loops");
    lblLoops->setText(QString::fromStdString(verdict));
    if (report_) report_(logic::sopText(loops, width, letters_), verdict);
}

void PracticeMapWindow::cmdClearLoops_Click() {
    view_->clearLoops();
    lblLoop->clear();
}

void PracticeMapWindow::drawPage(drawing::Canvas& canvas) const {
    view_->drawPage(canvas);
}

}  // namespace quendal::practice
