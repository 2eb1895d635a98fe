// File > New Design...: the design window, and its files written through the replacing writer.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include "app/circuit_simulation.h"
#include "design/frmDesign.h"
#include "drawing/canvas_document.h"
#include "logic/pla.h"
#include "minimizer/multi_output.h"
#include "tests/app/main_window_support.h"

namespace {

TEST_F(MainWindowTest, NewDesignOpensAWindowThatSavesThroughTheReplacingWriter) {
    action("mnuFileNewDesign")->trigger();
    auto* window = main->findChild<quendal::design::frmDesign*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    window->loadPreset(QStringLiteral("bcd7seg"));

    const QString path = workdir.file(QStringLiteral("seven.pla"));
    dialogs.saveNames.push_back(path);
    ASSERT_TRUE(window->saveAs());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const logic::Pla pla = logic::parsePla(saved.readAll().toStdString());
    EXPECT_EQ(pla.outputNames.size(), 7U);
    EXPECT_EQ(pla.comments.at(0), " quendal design preset=bcd7seg");

    // A named pipe in the file's place is refused, named, and left as it was.
    const QString pipe = workdir.file(QStringLiteral("pipe.pla"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    dialogs.saveNames.push_back(pipe);
    EXPECT_FALSE(window->saveAs());
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_TRUE(prompts.shown.back().text.startsWith(QStringLiteral("Cannot save pipe.pla: ")))
        << prompts.shown.back().text.toStdString();
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // Draw opens a drawing window of the main window, holding the design's model.
    window->minimize();
    window->waitForResult();
    ASSERT_TRUE(window->draw(quendal::design::DrawingStyle::NorNor));
    const auto documents = main->findChildren<quendal::app::frmCircuit*>();
    ASSERT_EQ(documents.size(), 1);
    const auto& model = documents[0]->canvas().circuit();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->netlist.outputs.size(), 7U);
}

// Simulating a design's drawing shows each output's own value after its name.
TEST(DesignSimulation, EachOutputShowsItsOwnValue) {
    using namespace quendal;
    const design::Design adder = design::presetDesign("fulladder");
    drawing::DocumentCanvas canvas;
    design::drawDesign(canvas, adder, qm::minimizeMultiOutput(design::outputFunctions(adder)),
                       design::DrawingStyle::AndOr);
    const auto& drawn = *canvas.circuit();
    for (std::uint64_t row : {1U, 3U, 7U}) {
        drawing::DocumentCanvas shown;
        app::drawSimulation(shown, drawn, app::simulate(drawn.netlist, row));
        std::string values;  // in the order the outputs are drawn: S, then Cout
        for (const auto& op : shown.operations())
            if (op.text == "= 1" || op.text == "= 0") values += op.text.back();
        EXPECT_EQ(values, std::string(1, adder.rows[row][0]) + adder.rows[row][1]) << row;
        // Each output at 1 has its product framed: rows 1 and 3 one (S, Cout), row 7 both.
        EXPECT_EQ(app::simulate(drawn.netlist, row).products.size(), row == 7 ? 2U : 1U) << row;
    }
}

}  // namespace
