#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/canvas_document.h"
#include "drawing/page_source.h"
#include "explain/karnaugh_map.h"
#include "minimizer/explanation.h"
#include "practice/map_loops.h"

class QLabel;
class QPushButton;

namespace quendal::practice {

// The practice Karnaugh map as a surface the student draws on: a drag from cell to cell makes
// a loop (past an edge, or with Shift held, it wraps round), a right click on a cell takes the
// newest loop there away. The map is the Explain view's own drawing, in practice form.
class PracticeMapView : public QWidget {
    Q_OBJECT
public:
    PracticeMapView(std::shared_ptr<const qm::Explanation> explanation, std::string letters,
                    QWidget* parent = nullptr);

    const std::vector<logic::Cube>& loops() const { return loops_; }
    void addLoop(const logic::Cube& loop);
    void clearLoops();
    // The map cell (or the place past an edge) a point of this widget lies on.
    MapPoint pointAt(QPoint position) const;
    // The centre of a cell, in this widget's coordinates, for a pointer to go to.
    QPoint cellCentre(int minterm) const;
    void drawPage(drawing::Canvas& canvas) const;

signals:
    void loopAdded(const logic::Cube& loop);
    void loopsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redraw();
    std::optional<logic::Cube> dragged(QMouseEvent* event) const;

    std::shared_ptr<const qm::Explanation> explanation_;
    std::string letters_;
    explain::KarnaughLayout layout_;
    drawing::DocumentCanvas canvas_;
    std::vector<logic::Cube> loops_;
    std::optional<MapPoint> dragStart_;
    std::optional<logic::Cube> candidate_;
};

// "Practice Map n": the map, each loop judged as it is drawn, and Check Loops for the set.
class PracticeMapWindow : public QWidget, public drawing::PageSource {
    Q_OBJECT
public:
    // `report` hears each check of the set (for the practice record).
    PracticeMapWindow(
        std::shared_ptr<const qm::Explanation> explanation, std::string letters,
        std::function<void(const std::string& loops, const std::string& verdict)> report = {},
        QWidget* parent = nullptr);

    PracticeMapView* view() const { return view_; }
    void drawPage(drawing::Canvas& canvas) const override;

public slots:
    void cmdCheckLoops_Click();
    void cmdClearLoops_Click();

private:
    std::shared_ptr<const qm::Explanation> explanation_;
    std::string letters_;
    std::function<void(const std::string&, const std::string&)> report_;
    PracticeMapView* view_ = nullptr;
    QLabel* lblLoop = nullptr;
    QLabel* lblLoops = nullptr;
    QPushButton* cmdCheckLoops = nullptr;
    QPushButton* cmdClearLoops = nullptr;
};

}  // namespace quendal::practice
