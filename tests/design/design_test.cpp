// The design model (names, cells, pasting, presets, PLA files) and the design window driven with
// scripted prompts and file dialogs.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <bit>

#include "design/design.h"
#include "design/design_minimum.h"
#include "design/frmDesign.h"
#include "minimizer/multi_output.h"
#include "tests/app/scripted_file_dialogs.h"
#include "tests/support/recording_host.h"
#include "tests/support/scripted_prompts.h"

namespace {

using namespace quendal::design;

// Every preset is what its name says, row by row, and reads back through its PLA unchanged.
TEST(Designs, PresetsComputeTheirFunctionsAndReadBackThroughPla) {
    for (const Preset& preset : presets()) {
        const Design design = presetDesign(preset.key);
        ASSERT_EQ(design.rows.size(), 1U << design.inputs()) << preset.key;
        const std::string text = logic::formatPla(designPla(design, preset.key));
        const DesignRead read = designOfPla(logic::parsePla(text));
        ASSERT_TRUE(read.design) << read.problem;
        EXPECT_EQ(*read.design, design) << preset.key;
        EXPECT_EQ(read.preset, preset.key);
    }
    const auto value = [](const Design& d, int row) {
        int v = 0;
        for (char c : d.rows[row]) v = v * 2 + (c == '1');
        return v;
    };
    const Design multiplier = presetDesign("multiplier2");
    const Design gray = presetDesign("gray");
    const Design ungray = presetDesign("ungray");
    const Design excess = presetDesign("excess3");
    for (int r = 0; r < 16; ++r) {
        EXPECT_EQ(value(multiplier, r), (r >> 2) * (r & 3));
        EXPECT_EQ(value(ungray, value(gray, r)), r);  // the two Gray presets undo each other
        EXPECT_EQ(std::popcount(static_cast<unsigned>(value(gray, r) ^ value(gray, (r + 1) % 16))),
                  1);
        if (r < 10) {
            EXPECT_EQ(value(excess, r), r + 3);
        } else {
            EXPECT_EQ(excess.rows[r], "xxxx");
        }
    }
    const Design full = presetDesign("fulladder");
    for (int r = 0; r < 8; ++r) {  // S, Cout: the sum is Cout S
        const std::string& cells = full.rows[r];
        EXPECT_EQ((cells[1] - '0') * 2 + (cells[0] - '0'), std::popcount(static_cast<unsigned>(r)));
    }
    const Design comparator = presetDesign("comparator2");
    EXPECT_EQ(comparator.rows[0b1001], "100");  // 2 > 1
    EXPECT_EQ(comparator.rows[0b1010], "010");
    EXPECT_EQ(presetDesign("bcd7seg").rows[2], "1101101");
}

// Cells, names and pasted blocks: what is taken, and what is refused whole with its place.
TEST(Designs, CellsNamesAndPastesAreCheckedBeforeTheyAreTaken) {
    for (const char* text : {"1", " 0 ", "x", "X", "-"}) EXPECT_TRUE(cellOf(text)) << text;
    for (const char* text : {"", "2", "10", "y", "1 1"}) EXPECT_FALSE(cellOf(text)) << text;

    const std::vector<std::string> names = {"A", "b_2", "A", "2x", "", "a-b"};
    EXPECT_FALSE(nameProblem(names, 0));
    EXPECT_FALSE(nameProblem(names, 1));
    EXPECT_NE(nameProblem(names, 2)->find("used twice"), std::string::npos);
    EXPECT_NE(nameProblem(names, 3)->find("start with a letter"), std::string::npos);
    EXPECT_TRUE(nameProblem(names, 4));
    EXPECT_TRUE(nameProblem(names, 5));

    const Design design = resized(Design{}, 2, 3);
    EXPECT_EQ(design.outputNames, (std::vector<std::string>{"Y0", "Y1", "Y2"}));
    const PasteResult ok = pasted(design, "1\t0\r\nx,1\n", 2, 1);
    ASSERT_TRUE(ok.design) << ok.problem;
    EXPECT_EQ(ok.design->rows, (std::vector<std::string>{"000", "000", "010", "0x1"}));
    // Resizing keeps what still fits.
    EXPECT_EQ(resized(*ok.design, 2, 2).rows[3], "0x");
    EXPECT_EQ(resized(*ok.design, 3, 2).rows[3], "00");

    struct Bad {
        const char* text;
        int row, column;
        const char* mentions;
    };
    for (const Bad& bad : {Bad{"1\n2", 0, 0, "row 1, output Y0: \"2\""},
                           Bad{"1,1,1,1", 0, 0, "go past the last output"},
                           Bad{"1\n1\n1", 2, 0, "past the last row"}, Bad{"1,,0", 0, 0, "\"\""}}) {
        const PasteResult result = pasted(design, bad.text, bad.row, bad.column);
        EXPECT_FALSE(result.design) << bad.text;
        EXPECT_NE(result.problem.find(bad.mentions), std::string::npos) << result.problem;
    }
}

// Other tools' PLAs open as designs when they fit one; the rest say why.
TEST(Designs, PlaFilesFromOtherToolsOpenOrAreRefused) {
    const DesignRead read = designOfPla(logic::parsePla(".i 2\n.o 2\n1- 10\n-1 0-\n"));
    ASSERT_TRUE(read.design);
    EXPECT_EQ(read.design->inputNames, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(read.design->rows, (std::vector<std::string>{"00", "0x", "10", "1x"}));
    EXPECT_NE(designOfPla(logic::parsePla(".i 1\n.o 9\n")).problem.find("at most 8 outputs"),
              std::string::npos);
    EXPECT_NE(designOfPla(logic::parsePla(".i 1\n.o 1\n.ilb 9a\n")).problem.find("9a"),
              std::string::npos);
}

// The 7-segment decoder: 9 shared products against 25 alone, each output's sums in both.
TEST(Designs, TheResultComparesSharingWithEachOutputAlone) {
    const Design design = presetDesign("bcd7seg");
    const DesignMinimum minimum = minimizeDesign(design, qm::Deadline::max());
    EXPECT_TRUE(qm::coversAll(minimum.shared.products, outputFunctions(design)));
    EXPECT_EQ(sharedGates(minimum.shared, 4).andGates, 9);
    EXPECT_EQ(separateGates(minimum.separate, 4).andGates, 25);
    const std::string html = resultHtml(design, minimum);
    EXPECT_NE(html.find("<b>A</b> (shared)"), std::string::npos) << html;
    EXPECT_NE(html.find("<td>B'D' + CD'</td>"), std::string::npos) << html;  // e on its own
    EXPECT_NE(html.find("Sharing saves"), std::string::npos);
    // The maps: e's cell 0 (row 00, column 00) is covered by P4 = B'D' alone, in its colour
    // on every map that takes it.
    const std::string maps = karnaughMapsHtml(design, minimum.shared);
    const std::string eMap =
        maps.substr(maps.find("<b>e</b>"), maps.find("<b>f</b>") - maps.find("<b>e</b>"));
    EXPECT_NE(eMap.find("bgcolor=\"#ffc9c9\">1<br><small> P4</small>"), std::string::npos) << eMap;
    EXPECT_EQ(karnaughMapsHtml(resized(Design{}, kMaxMapInputs + 1, 1), {}).find("<table"),
              std::string::npos);
    // Six inputs: four maps of AB in Gray order, each row of the table in one cell, row 45
    // (AB = 10, CD = 11, EF = 01) in the last map.
    Design six = resized(Design{}, 6, 1);
    six.rows[45] = "1";
    const std::string sixMaps = karnaughMapsHtml(six, {});
    std::size_t cells = 0;
    for (std::size_t at = 0; (at = sixMaps.find("<td align", at)) != std::string::npos; ++at)
        ++cells;
    EXPECT_EQ(cells, 64U);
    const std::size_t last = sixMaps.find("AB = 10");
    ASSERT_NE(last, std::string::npos);
    EXPECT_GT(sixMaps.find("AB = 11"), sixMaps.find("AB = 01"));
    const std::size_t rowAt = sixMaps.find("<tr><th>11</th>", last);
    EXPECT_EQ(sixMaps.substr(rowAt, sixMaps.find("</tr>", rowAt) - rowAt),
              "<tr><th>11</th><td align=\"center\">0</td><td align=\"center\">1</td>"
              "<td align=\"center\">0</td><td align=\"center\">0</td>");
    EXPECT_EQ(sixMaps.find(">1<"), sixMaps.find(">1<", last));  // the only 1
    Design named = design;
    named.inputNames = {"In3", "B", "C", "D"};
    EXPECT_EQ(productText(logic::cubeOfCode("10-1"), named), "In3*B'*D");
}

class DesignWindow : public ::testing::Test {
protected:
    std::optional<QString> write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QStringLiteral("cannot write");
        return std::nullopt;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    RecordingHost host;
    frmDesign window{{prompts, dialogs,
                      [this](const QString& p, const QByteArray& b) { return write(p, b); },
                      &host}};
};

TEST_F(DesignWindow, TypingPastingAndBadCells) {
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdTable"));
    ASSERT_EQ(grid->rowCount(), 8);
    ASSERT_EQ(grid->columnCount(), 5);  // 3 inputs, 2 outputs
    grid->item(5, 3)->setText(QStringLiteral("X"));
    EXPECT_EQ(window.design().rows[5], "x0");
    EXPECT_EQ(grid->item(5, 3)->text(), QStringLiteral("x"));
    grid->item(5, 4)->setText(QStringLiteral("7"));
    ASSERT_EQ(prompts.shown.size(), 1U);
    EXPECT_EQ(prompts.shown[0].text,
              QStringLiteral("Row 5, output Y1: \"7\" is not 1, 0 or x (x is a don't-care)."));
    EXPECT_EQ(grid->item(5, 4)->text(), QStringLiteral("0"));
    grid->setCurrentCell(6, 3);
    window.pasteText(QStringLiteral("1\t1\n1,0\n"));
    EXPECT_EQ(window.design().rows[6], "11");
    EXPECT_EQ(window.design().rows[7], "10");
    window.pasteText(QStringLiteral("1\nq\n"));
    EXPECT_NE(prompts.shown.back().text.indexOf(QStringLiteral("Nothing was pasted")), -1);
    EXPECT_EQ(window.design().rows[6], "11");

    auto* names = window.findChild<QLineEdit*>(QStringLiteral("txtOutputNames"));
    names->setText(QStringLiteral("S S"));
    emit names->editingFinished();
    EXPECT_NE(prompts.shown.back().text.indexOf(QStringLiteral("used twice")), -1);
    names->setText(QStringLiteral("Sum Carry"));
    emit names->editingFinished();
    EXPECT_EQ(window.design().outputNames, (std::vector<std::string>{"Sum", "Carry"}));
    window.findChild<QSpinBox*>(QStringLiteral("spnInputs"))->setValue(4);
    EXPECT_EQ(grid->rowCount(), 16);
}

TEST_F(DesignWindow, DrawsTheSharedMinimumInANewDocument) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuDesignDraw"));
    ASSERT_NE(menu, nullptr);
    window.loadPreset(QStringLiteral("fulladder"));
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_FALSE(window.draw(DrawingStyle::AndOr));
    EXPECT_EQ(prompts.shown.back().text,
              QStringLiteral("Minimize the design first, then draw it."));
    window.minimize();
    window.waitForResult();
    EXPECT_TRUE(menu->isEnabled());
    menu->actions().at(1)->trigger();  // NAND-NAND
    ASSERT_EQ(host.documents.size(), 1U);
    EXPECT_EQ(host.documents[0].kind, quendal::drawing::DocumentKind::Circuit);
    const auto& model = host.documents[0].canvas->circuit()->netlist;
    EXPECT_EQ(model.style, quendal::circuit::Style::Nand);
    ASSERT_EQ(model.outputs.size(), 2U);
    EXPECT_EQ(model.outputs[1].name, "Cout");
    // An edit takes the minimum away, and with it what there is to draw.
    window.findChild<QTableWidget*>(QStringLiteral("grdTable"))->item(0, 3)->setText("1");
    EXPECT_FALSE(menu->isEnabled());
}

TEST_F(DesignWindow, ClosingAnEditedDesignAsksToSaveIt) {
    window.setAttribute(Qt::WA_DeleteOnClose, false);  // the fixture owns it
    EXPECT_FALSE(window.modified());
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(prompts.shown.empty());
    window.findChild<QTableWidget*>(QStringLiteral("grdTable"))->item(1, 3)->setText("1");
    ASSERT_TRUE(window.modified());
    // Yes, then the save dialog cancelled: the window stays open.
    prompts.replies = {quendal::common::PromptReply::Yes};
    EXPECT_FALSE(window.close());
    ASSERT_EQ(prompts.shown.size(), 1U);
    EXPECT_EQ(prompts.shown[0].text,
              QStringLiteral("Save the changes to the design before closing?"));
    // Yes and saved: it closes, and the saved design asks no more.
    prompts.replies = {quendal::common::PromptReply::Yes};
    dialogs.saveNames.push_back(dir.filePath(QStringLiteral("edited.pla")));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.modified());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("edited.pla"))));
    EXPECT_TRUE(window.close());
    EXPECT_EQ(prompts.shown.size(), 2U);
    // No: it closes without saving.
    window.loadPreset(QStringLiteral("gray"));
    prompts.replies = {quendal::common::PromptReply::No};
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(window.modified());
}

TEST_F(DesignWindow, MinimizesSavesAndOpens) {
    window.loadPreset(QStringLiteral("fulladder"));
    window.minimize();
    window.waitForResult();
    ASSERT_TRUE(window.result());
    EXPECT_EQ(window.result()->shared.products.size(), 7U);
    EXPECT_NE(window.resultText().indexOf(QStringLiteral("Sharing saves no gates")), -1);

    const QString path = dir.filePath(QStringLiteral("adder"));
    dialogs.saveNames.push_back(path);
    ASSERT_TRUE(window.saveAs());
    EXPECT_EQ(window.fileName(), path + QStringLiteral(".pla"));
    window.loadPreset(QStringLiteral("gray"));
    dialogs.openNames.push_back(path + QStringLiteral(".pla"));
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.design(), presetDesign("fulladder"));
    EXPECT_FALSE(window.result());  // a result is never shown for another table

    QFile bad(dir.filePath(QStringLiteral("bad.pla")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(".i 2\n.o 1\n.p 3\n00 1\n");
    bad.close();
    EXPECT_FALSE(window.openFile(bad.fileName()));
    EXPECT_EQ(prompts.shown.back().text,
              QStringLiteral("Cannot open bad.pla: line 3: .p announces 3 product rows, the "
                             "file has 1."));
    EXPECT_FALSE(window.openFile(dir.path()));
    EXPECT_NE(prompts.shown.back().text.indexOf(QStringLiteral("not a regular file")), -1);
    EXPECT_EQ(window.design(), presetDesign("fulladder"));
}

}  // namespace
