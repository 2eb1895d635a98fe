#include "app/frmCircuit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "app/circuit_simulation.h"
#include "common/twips.h"

namespace quendal::app {

PictureBox::PictureBox(const drawing::DocumentCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(&canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setCanvas(const drawing::DocumentCanvas& canvas) {
    canvas_ = &canvas;
    update();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked(event->position() / zoom_);
    QWidget::mousePressEvent(event);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    // Only the exposed part is rendered: a window never holds its whole
    // picture, however large the drawing or the zoom.
    const QRect exposed = event->rect().intersected(rect());
    if (exposed.isEmpty()) return;
    QImage strip = drawing::blankStrip(exposed.size());
    canvas_->paintStrip(strip, exposed.topLeft(), zoom_);
    QPainter painter(this);
    painter.drawImage(exposed.topLeft(), strip);
}

const std::vector<double>& frmCircuit::zoomSteps() {
    static const std::vector<double> steps = {0.1,  0.125, 0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1.0,
                                              1.25, 1.5,   2.0,  3.0,     4.0, 6.0,     8.0};
    return steps;
}

frmCircuit::frmCircuit(drawing::DocumentKind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setObjectName(QStringLiteral("frmCircuit"));
    setWindowTitle(QStringLiteral("Circuit"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    picCircuit = new PictureBox(canvas_, this);
    picCircuit->setObjectName(QStringLiteral("picCircuit"));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->setRange(0, 0);
        bar->setSingleStep(10 * common::kTwipsPerPixel);
    }

    connect(picCircuit, &PictureBox::clicked, this, &frmCircuit::pictureClicked);
    connect(HScroll1, &QScrollBar::valueChanged, this, &frmCircuit::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmCircuit::VScroll1_Change);
    connect(&canvas_, &drawing::DocumentCanvas::imageChanged, picCircuit,
            qOverload<>(&QWidget::update));
    connect(&canvas_, &drawing::DocumentCanvas::canvasResized, this, &frmCircuit::canvasResized);
    connect(&canvas_, &drawing::DocumentCanvas::scrollMaximumChanged, this,
            [this](bool horizontal) {
                (horizontal ? hMaxFromDrawing_ : vMaxFromDrawing_) = true;
                updateScrollRanges();
            });

    resize(sizeHint());
    Form_Load();
    // Only the window's zoom changes: saved pictures, prints and exports stay at 100 %.
    switch (kind_) {
        case drawing::DocumentKind::Explain: setZoom(kExplainZoom, QPoint(0, top_)); break;
        case drawing::DocumentKind::Circuit:
        case drawing::DocumentKind::Mux:
        case drawing::DocumentKind::Demux:
            // The drawing is made after the window opens, before the event loop runs again.
            QTimer::singleShot(0, this, &frmCircuit::fitNewDrawing);
            break;
        case drawing::DocumentKind::Opened: break;
    }
}

void frmCircuit::fitNewDrawing() {
    // A zoom chosen meanwhile wins; a drawing on the default canvas is small enough as it is.
    if (zoom_ != 1.0 || (canvas_.width() <= drawing::Canvas::kDefaultWidth &&
                         canvas_.height() <= drawing::Canvas::kDefaultHeight))
        return;
    const QSize visible = visiblePixels();
    const QSize actual = canvas_.pixelSize();
    if (actual.width() > visible.width() || actual.height() > visible.height()) fitInWindow();
}

QSize frmCircuit::sizeHint() const {
    return QSize(common::twipsToPixels(9510), common::twipsToPixels(6825));
}

void frmCircuit::Form_Load() {
    picCircuit->setGeometry(QRect(QPoint(0, top_), zoomedSize()));
    Form_Resize();
}

void frmCircuit::setControls(QWidget* controls) {
    controls_ = controls;
    controls_->setParent(this);
    top_ = controls_->sizeHint().height();
    controls_->setGeometry(0, 0, width(), top_);
    controls_->show();
    placePicture();
    Form_Resize();
}

void frmCircuit::placePicture() {
    picCircuit->move(-offsetPixels(HScroll1->value()), top_ - offsetPixels(VScroll1->value()));
}

void frmCircuit::Form_Resize() {
    const int bar = common::twipsToPixels(kBarTwips);
    const int w = width(), h = height();
    // The vertical bar runs down to the horizontal one, which spans the
    // whole width along the bottom edge.
    if (h > bar + top_)
        VScroll1->setGeometry(w - bar, top_, bar, h - bar - top_);
    else
        VScroll1->move(w - bar, VScroll1->y());
    HScroll1->setGeometry(0, h - bar, w, bar);
    HScroll1->raise();
    VScroll1->raise();
    if (controls_) {
        controls_->setGeometry(0, 0, w, top_);
        controls_->raise();
    }
    updateScrollRanges();
}

void frmCircuit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

QSize frmCircuit::zoomedSize() const {
    const QSize actual = canvas_.pixelSize();
    if (zoom_ == 1.0) return actual;
    return QSize(std::max(1, int(std::ceil(actual.width() * zoom_))),
                 std::max(1, int(std::ceil(actual.height() * zoom_))));
}

int frmCircuit::offsetPixels(int twips) const {
    if (zoom_ == 1.0) return common::twipsToPixels(twips);
    return int(std::lround(twips / double(common::kTwipsPerPixel) * zoom_));
}

QSize frmCircuit::visiblePixels() const {
    const int bar = common::twipsToPixels(kBarTwips);
    return QSize(std::max(0, width() - bar), std::max(0, height() - bar - top_));
}

void frmCircuit::canvasResized() {
    picCircuit->resize(zoomedSize());
    updateScrollRanges();
}

void frmCircuit::updateScrollRanges() {
    const QSize visible = visiblePixels();
    const QSize picture = zoomedSize();
    const bool actual = zoom_ == 1.0;
    // In twips of the drawing: at another zoom a screen pixel is 15 / zoom.
    auto toDrawing = [this](int pixels) {
        return int(std::lround(pixels * common::kTwipsPerPixel / zoom_));
    };
    HScroll1->setMaximum(actual && hMaxFromDrawing_
                             ? canvas_.hScrollMax()
                             : std::max(0, toDrawing(picture.width() - visible.width())));
    VScroll1->setMaximum(actual && vMaxFromDrawing_
                             ? canvas_.vScrollMax()
                             : std::max(0, toDrawing(picture.height() - visible.height())));
    HScroll1->setPageStep(std::max(common::kTwipsPerPixel, toDrawing(visible.width())));
    VScroll1->setPageStep(std::max(common::kTwipsPerPixel, toDrawing(visible.height())));
    HScroll1->setSingleStep(std::max(1, toDrawing(10)));
    VScroll1->setSingleStep(std::max(1, toDrawing(10)));
}

void frmCircuit::HScroll1_Change(int value) {
    picCircuit->move(-offsetPixels(value), picCircuit->y());
}

void frmCircuit::VScroll1_Change(int value) {
    picCircuit->move(picCircuit->x(), top_ - offsetPixels(value));
}

void frmCircuit::setZoom(double zoom, QPoint anchor) {
    zoom = std::clamp(zoom, drawing::DocumentCanvas::kMinZoom, drawing::DocumentCanvas::kMaxZoom);
    if (zoom == zoom_) return;
    // The drawing's point under the anchor, in 100 % pixels, stays there.
    const double x = (anchor.x() + offsetPixels(HScroll1->value())) / zoom_;
    const double y = (anchor.y() - top_ + offsetPixels(VScroll1->value())) / zoom_;
    zoom_ = zoom;
    picCircuit->setZoom(zoom_);
    picCircuit->resize(zoomedSize());
    updateScrollRanges();
    const auto value = [this](double point, int anchorPixels) {
        return int(std::lround((point - anchorPixels / zoom_) * common::kTwipsPerPixel));
    };
    HScroll1->setValue(value(x, anchor.x()));
    VScroll1->setValue(value(y, anchor.y() - top_));
    // Either bar may not have moved: place the picture for both.
    placePicture();
    picCircuit->update();
    emit zoomChanged(zoom_);
}

void frmCircuit::setZoom(double zoom) {
    const QSize visible = visiblePixels();
    setZoom(zoom, QPoint(visible.width() / 2, top_ + visible.height() / 2));
}

void frmCircuit::zoomIn() {
    for (double step : zoomSteps()) {
        if (step > zoom_ * 1.001) {
            setZoom(step);
            return;
        }
    }
}

void frmCircuit::zoomOut() {
    const auto& steps = zoomSteps();
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (*step < zoom_ / 1.001) {
            setZoom(*step);
            return;
        }
    }
}

void frmCircuit::actualSize() {
    setZoom(1.0, QPoint(0, top_));
}

void frmCircuit::fitInWindow() {
    const QSize visible = visiblePixels();
    const QSize actual = canvas_.pixelSize();
    if (visible.isEmpty() || actual.isEmpty()) return;
    const double zoom = std::min(double(visible.width()) / actual.width(),
                                 double(visible.height()) / actual.height());
    setZoom(zoom, QPoint(0, top_));
    HScroll1->setValue(0);
    VScroll1->setValue(0);
}

void frmCircuit::wheelEvent(QWheelEvent* event) {
    const int steps =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (event->modifiers() & Qt::ControlModifier) {
        // About the pointer: one zoom step a notch.
        const QPoint anchor = event->position().toPoint();
        const auto& zooms = zoomSteps();
        double next = zoom_;
        if (steps > 0) {
            auto it = std::find_if(zooms.begin(), zooms.end(),
                                   [this](double z) { return z > zoom_ * 1.001; });
            if (it != zooms.end()) next = *it;
        } else if (steps < 0) {
            auto it = std::find_if(zooms.rbegin(), zooms.rend(),
                                   [this](double z) { return z < zoom_ / 1.001; });
            if (it != zooms.rend()) next = *it;
        }
        setZoom(next, anchor);
        event->accept();
        return;
    }
    QScrollBar* bar = event->modifiers() & Qt::ShiftModifier ? HScroll1 : VScroll1;
    bar->setValue(bar->value() - steps * 3 * bar->singleStep() / 120);
    event->accept();
}

bool frmCircuit::canSimulate() const {
    return canvas_.circuit() != nullptr;
}

void frmCircuit::setSimulating(bool on) {
    if (on == isSimulating() || (on && !canSimulate())) return;
    if (on) {
        simulation_ = std::make_unique<Simulation>();
        // The letters are typed into the window.
        setFocusPolicy(Qt::StrongFocus);
        setFocus();
        showSimulation();
    } else {
        picCircuit->setCanvas(canvas_);
        simulation_.reset();
        setFocusPolicy(Qt::NoFocus);
    }
    emit simulationChanged();
}

std::uint64_t frmCircuit::simulatedRow() const {
    return simulation_ ? simulation_->row : 0;
}

void frmCircuit::setSimulatedRow(std::uint64_t row) {
    if (!simulation_) return;
    const int width = canvas_.circuit()->netlist.width();
    simulation_->row = row & ((std::uint64_t{1} << width) - 1);
    showSimulation();
    emit simulationChanged();
}

QString frmCircuit::simulatedRowText() const {
    if (!simulation_) return {};
    return QString::fromStdString(rowText(canvas_.circuit()->netlist, simulation_->row));
}

const drawing::DocumentCanvas& frmCircuit::shownCanvas() const {
    return simulation_ ? simulation_->picture : canvas_;
}

void frmCircuit::showSimulation() {
    const drawing::DrawnCircuit& circuit = *canvas_.circuit();
    simulation_->picture.cls();
    drawSimulation(simulation_->picture, circuit, simulate(circuit.netlist, simulation_->row));
    picCircuit->setCanvas(simulation_->picture);
}

void frmCircuit::pictureClicked(QPointF picturePixel) {
    const circuit::Point at{int(picturePixel.x() * common::kTwipsPerPixel),
                            int(picturePixel.y() * common::kTwipsPerPixel)};
    emit pictureClickedAt(QPoint(at.x, at.y));
    if (!simulation_) return;
    const circuit::Netlist& netlist = canvas_.circuit()->netlist;
    if (const std::optional<int> column = switchAt(netlist, at))
        setSimulatedRow(toggled(netlist, simulation_->row, *column));
}

void frmCircuit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (simulation_ && typed.size() == 1 && !(event->modifiers() & Qt::ControlModifier)) {
        const circuit::Netlist& netlist = canvas_.circuit()->netlist;
        for (int column = 0; column < netlist.width(); ++column) {
            const QString letter =
                QString::fromStdString(netlist.letters[static_cast<std::size_t>(column)]);
            if (letter.compare(typed, Qt::CaseInsensitive) == 0) {
                setSimulatedRow(toggled(netlist, simulation_->row, column));
                event->accept();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace quendal::app
