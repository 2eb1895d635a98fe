// Renders every drawn Explain view of a worked example to PNG files, for looking at the views
// and for the README's pictures: explain_pictures OUTDIR
// (ones 1, 3, 7, 11, 15 with don't-cares 0, 2, 5, and a 6-variable function).

#include <QApplication>
#include <QDir>

#include "drawing/canvas_document.h"
#include "explain/check_page.h"
#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "tests/support/whole_picture.h"

using namespace quendal::drawing;
using namespace quendal::explain;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    logic::Function f;
    f.width = 4;
    for (int row : {1, 3, 7, 11, 15}) f.on.set(row);
    for (int row : {0, 2, 5}) f.dc.set(row);
    const qm::Explanation e = qm::explain(f);
    logic::Function six;
    six.width = 6;
    for (int row = 0; row < 64; ++row) {
        if ((row * 37 + 11) % 7 < 3) six.on.set(row);
        if (row % 13 == 4) six.dc.set(row);
    }
    six.dc -= six.on;
    const qm::Explanation e6 = qm::explain(six);
    auto save = [&](const char* name, auto draw) {
        DocumentCanvas canvas;
        draw(canvas);
        wholePicture(canvas).save(dir + QLatin1Char('/') + QLatin1String(name));
    };
    save("truth_table.png", [&](Canvas& c) { drawTruthTable(c, e, "ABCD"); });
    save("karnaugh_sop.png", [&](Canvas& c) { drawKarnaughMap(c, e, "ABCD", LoopForm::Sop); });
    save("karnaugh_pos.png", [&](Canvas& c) { drawKarnaughMap(c, e, "ABCD", LoopForm::Pos); });
    save("karnaugh_6.png", [&](Canvas& c) { drawKarnaughMap(c, e6, "ABCDEF", LoopForm::Sop); });
    save("steps.png", [&](Canvas& c) { drawSteps(c, e, "ABCD"); });
    const CheckPage checked{true, "A'B'D+CD",
                            "Equivalent, but not minimal: your sum of products has 2 products "
                            "and 5 literals; a minimum one has 4 literals.",
                            "A minimum sum of products: F = A'B'+CD\n"
                            "A minimum product of sums: F = (A'+C)D"};
    save("check_page.png", [&](Canvas& c) { drawCheckPage(c, e, "ABCD", checked); });
    return 0;
}
