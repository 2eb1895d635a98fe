// Simulate mode: the model evaluated row by row (read back against the sum
// of products each circuit draws), its switches, and the drawing window and
// main window that show it without touching the drawing.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <set>

#include "app/circuit_simulation.h"
#include "drawing/universal_circuits.h"
#include "explain/truth_table_view.h"
#include "tests/app/main_window_support.h"
#include "tests/drawing/circuit_function_support.h"

using namespace quendal;
using namespace quendal::app;

namespace {

const std::vector<std::string> kLetters = {"A", "B", "C"};

std::shared_ptr<const drawing::DrawnCircuit> drawnCircuit(const drawing::FunctionView& f,
                                                          drawing::CircuitKind kind) {
    drawing::DocumentCanvas canvas;
    drawing::drawCircuit(canvas, f, kind);
    return canvas.circuit();
}

// The variables a part reads, through every part before it.
std::set<int> columnsFeeding(const circuit::Netlist& n, const std::vector<int>& parts) {
    std::set<int> columns;
    std::vector<int> pending = parts;
    std::set<int> seen;
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        if (!seen.insert(index).second) continue;
        const circuit::Part& part = n.part(index);
        if (part.kind == circuit::PartKind::Input) columns.insert(part.column);
        for (const circuit::Pin& pin : part.inputs())
            if (pin.net != circuit::kNoNet && n.net(pin.net).driver.part >= 0)
                pending.push_back(n.net(pin.net).driver.part);
    }
    return columns;
}

}  // namespace

// Every function of three variables in each gate style: Y is the sum of
// products for every row, and the framed product reads exactly the
// variables of a product of the minimum that is 1 in that row (none is
// framed where Y is 0).
TEST(Simulation, EveryRowOfEveryThreeVariableCircuitAgreesWithItsSum) {
    for (int table = 1; table < 255; ++table) {
        std::vector<bool> truth(8);
        for (int row = 0; row < 8; ++row) truth[row] = (table >> row) & 1;
        const std::string sop = sopFor(truth, kLetters);
        const drawing::FunctionView f = circuitFunction(sop, kLetters);
        for (auto kind :
             {drawing::CircuitKind::Basic, drawing::CircuitKind::Nand, drawing::CircuitKind::Nor}) {
            const auto drawn = drawnCircuit(f, kind);
            ASSERT_NE(drawn, nullptr) << sop;
            for (int row = 0; row < 8; ++row) {
                SCOPED_TRACE(sop + ", row " + std::to_string(row) + ", style " +
                             std::to_string(int(kind)));
                const SimulatedRow s = simulate(drawn->netlist, row);
                ASSERT_EQ(s.output, evaluateSop(sop, kLetters, row));
                if (!s.output) {
                    EXPECT_TRUE(s.products.empty());
                    continue;
                }
                std::set<std::set<int>> products;  // the columns of each product true here
                bool literalAlone = false;
                for (const logic::Cube& cube : f.minimum) {
                    if (!cube.contains(row)) continue;
                    std::set<int> columns;
                    for (int c = 0; c < 3; ++c)
                        if (!((cube.free >> (2 - c)) & 1U)) columns.insert(c);
                    literalAlone |= columns.size() == 1;
                    products.insert(columns);
                }
                ASSERT_LE(s.products.size(), 1U);
                if (s.products.empty())
                    EXPECT_TRUE(literalAlone);
                else
                    EXPECT_TRUE(products.count(columnsFeeding(drawn->netlist, s.products[0])));
            }
        }
    }
}

TEST(Simulation, SwitchesRowsAndTheirTexts) {
    const auto drawn =
        drawnCircuit(circuitFunction("AB'+C", kLetters), drawing::CircuitKind::Basic);
    const circuit::Netlist& n = drawn->netlist;
    const std::vector<Switch> switches = switchesOf(n);
    ASSERT_EQ(switches.size(), 3u);
    for (const Switch& s : switches) {
        const circuit::Point centre{s.box.x + s.box.width / 2, s.box.y + s.box.height / 2};
        EXPECT_EQ(switchAt(n, centre), s.column);
        EXPECT_EQ(toggled(n, toggled(n, 5, s.column), s.column), 5u);
        EXPECT_NE(toggled(n, 5, s.column), 5u);
    }
    EXPECT_EQ(switchAt(n, {0, 0}), std::nullopt);
    EXPECT_EQ(toggled(n, 5, 0), 1u);  // A is the most significant bit
    EXPECT_EQ(rowText(n, 5), "row 5: A=1 B=0 C=1");
}

// Clicking a switch and typing a letter toggle the input; the drawing that
// Save, Print and Export take stays as drawn.
TEST(Simulation, DrawingWindowToggles) {
    frmCircuit document(drawing::DocumentKind::Circuit);
    drawing::drawCircuit(document.canvas(), circuitFunction("AB'+C", kLetters),
                         drawing::CircuitKind::Basic);
    const auto before = document.canvas().operations();
    ASSERT_TRUE(document.canSimulate());
    document.setSimulating(true);
    EXPECT_EQ(document.simulatedRowText(), "row 0: A=0 B=0 C=0");
    EXPECT_NE(&document.shownCanvas(), &document.canvas());

    const circuit::Netlist& n = document.canvas().circuit()->netlist;
    const Switch b = switchesOf(n)[1];
    const QPoint pixel((b.box.x + b.box.width / 2) / 15, (b.box.y + b.box.height / 2) / 15);
    QTest::mouseClick(document.findChild<QWidget*>("picCircuit"), Qt::LeftButton, {}, pixel);
    EXPECT_EQ(document.simulatedRow(), 2u);
    QTest::keyClick(&document, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(document.simulatedRowText(), "row 6: A=1 B=1 C=0");
    QTest::keyClick(&document, Qt::Key_Z, Qt::NoModifier);  // no such variable
    EXPECT_EQ(document.simulatedRow(), 6u);

    EXPECT_EQ(document.canvas().operations().size(), before.size());
    document.setSimulating(false);
    EXPECT_EQ(&document.shownCanvas(), &document.canvas());

    frmCircuit opened(drawing::DocumentKind::Opened);
    EXPECT_FALSE(opened.canSimulate());
}

// View > Simulate follows the active drawing, the status bar names the row,
// and Export of a simulated drawing asks which picture to take.
TEST_F(MainWindowTest, SimulateCommandFollowsTheActiveDrawing) {
    QAction* simulate = action("mnuViewSimulate");
    ASSERT_NE(simulate, nullptr);
    EXPECT_FALSE(simulate->isEnabled());
    drawing::Canvas& canvas = main->LoadNewDoc(drawing::DocumentKind::Circuit);
    drawing::drawCircuit(canvas, circuitFunction("AB'+C", kLetters), drawing::CircuitKind::Basic);
    QCoreApplication::processEvents();
    ASSERT_TRUE(simulate->isEnabled());
    simulate->trigger();
    EXPECT_TRUE(main->frmD()->isSimulating());
    auto* status = main->findChild<QLabel*>("pnlStatus");
    EXPECT_EQ(status->text(), "row 0: A=0 B=0 C=0");
    main->frmD()->setSimulatedRow(7);
    EXPECT_EQ(status->text(), "row 7: A=1 B=1 C=1");

    dialogs.saveNames.push_back(QString());  // the file dialog is cancelled
    main->findChild<QAction*>("mnuFileExport")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("row 7: A=1 B=1 C=1"));

    simulate->trigger();
    EXPECT_FALSE(main->frmD()->isSimulating());
    EXPECT_EQ(status->text(), "Status");
}

// A Truth Table of the same function marks the simulated row, and a click
// on one of its rows sets the switches.
TEST_F(MainWindowTest, TruthTableFollowsTheSimulatedCircuit) {
    launcher.action = ScriptedMinimizerLauncher::writes("10-\r\n--1\r\n");  // AB' + C
    QWidget* work = main->workForm();
    auto* variables = work->findChild<QComboBox*>("cboVar");
    variables->setCurrentIndex(variables->findText("3"));
    emit variables->activated(variables->currentIndex());
    work->findChild<QRadioButton*>("rbMinTerms")->click();
    auto* terms = work->findChild<QListWidget*>("lstTerms");
    for (int term : {1, 3, 4, 5, 7}) terms->item(term)->setCheckState(Qt::Checked);
    work->findChild<QPushButton*>("cmdSimplify")->click();
    work->findChild<QPushButton*>("cmdCircuit")->click();
    main->findChild<QDialog*>("frmCktOpt")->findChild<QPushButton*>("cmdOk")->click();
    frmCircuit* circuit = main->frmD();
    action("mnuExplainTruthTable")->trigger();
    frmCircuit* table = main->frmD();
    ASSERT_NE(table, circuit);
    settle();
    auto* marks = table->findChild<explain::TruthTableDocument*>();
    ASSERT_NE(marks, nullptr);
    EXPECT_EQ(marks->markedRow(), std::nullopt);

    area()->setActiveSubWindow(windowOf(circuit));
    circuit->setSimulating(true);
    circuit->setSimulatedRow(5);
    EXPECT_EQ(marks->markedRow(), 5);

    const explain::TableRowBand band = explain::truthTableRowBand(table->canvas().lineHeight(), 2);
    emit table->pictureClickedAt(QPoint(400, band.top + band.height / 2));
    EXPECT_EQ(circuit->simulatedRow(), 2u);
    EXPECT_EQ(marks->markedRow(), 2);
    circuit->setSimulating(false);
    EXPECT_EQ(marks->markedRow(), std::nullopt);
}
