// Renders every drawing, options dialog and Explain view picture that the documentation shows
// and the picture comparison checks, through the product's own document canvas, so that a
// picture never comes from anywhere but the code the program draws with. The window
// screenshots come from the end-to-end road and the tour; scripts/pictures runs all three.
//
// Usage: quendal_pictures OUT [--guide DIR]
//   OUT      gets circuit/, mux/, demux/ and explain/, each picture under its usual name
//   --guide  also writes the user guide's drawings (circuit_basic.png, …) to DIR

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QStyleFactory>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/circuit_simulation.h"
#include "common/prompts.h"
#include "demux/demux_command.h"
#include "demux/demux_drawing.h"
#include "demux/frmDemuxOpt.h"
#include "drawing/canvas_document.h"
#include "drawing/circuit_layout.h"
#include "drawing/document_host.h"
#include "drawing/drawn_circuit.h"
#include "drawing/universal_circuits.h"
#include "explain/check_page.h"
#include "explain/cost_table_view.h"
#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "mux/frmMuxOpt.h"
#include "mux/mux_command.h"
#include "mux/mux_drawing.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/whole_picture.h"

using namespace quendal;
using drawing::Canvas;
using drawing::DocumentCanvas;
using drawing::FunctionView;

namespace {

std::string joined(const std::vector<int>& list) {
    std::string text;
    for (int t : list) text += (text.empty() ? "" : ",") + std::to_string(t);
    return text;
}

// A function as the work form hands it to the drawings after ticking terms, with letters A, B, …
FunctionView ticked(int n, const std::vector<int>& terms, logic::TermMode mode,
                    const std::string& user) {
    FunctionView f;
    f.userName = user;
    f.dateText = "05-Mar-2024";
    f.timeText = "07:40 AM";
    f.letters = std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(n)));
    f.termsText = joined(terms);
    f.mode = mode;
    f.function = logic::functionOfTerms(n, terms, mode);
    return f;
}

FunctionView mux(int n, const std::vector<int>& terms) {
    return ticked(n, terms, logic::TermMode::Minterms, "Tester");
}

FunctionView demux(int n, const std::vector<int>& terms,
                   logic::TermMode mode = logic::TermMode::Minterms) {
    return ticked(n, terms, mode, "Ada");
}

std::vector<int> everyNth(int rows, int step) {
    std::vector<int> terms;
    for (int t = 0; t < rows; t += step) terms.push_back(t);
    return terms;
}

// AB'+C as the work form describes it after ticking minterms 1, 3, 4, 5, 7.
FunctionView circuitExample() {
    FunctionView f = circuitFunction("AB'+C");
    f.userName = "STUDENT";
    f.sopText = "A'B'C+A'BC+AB'C'+AB'C+ABC";
    f.ipPosText = "((A+B+C')(A+B'+C')(A'+B+C)(A'+B+C')(A'+B'+C'))'";
    f.minPosText = "((A'+B)(C'))'";
    return f;
}

// An eight-variable function with many terms of mixed lengths.
FunctionView circuitEightVariables() {
    std::vector<std::string> letters;
    for (char c = 'A'; c < 'A' + 8; ++c) letters.emplace_back(1, c);
    std::vector<bool> truth(256);
    unsigned state = 12345;
    for (int r = 0; r < 256; ++r) {
        state = state * 1103515245u + 12345u;
        truth[r] = ((state >> 16) % 3) == 0;
    }
    return circuitFunction(sopFor(truth, letters), letters);
}

QImage drawn(const std::function<void(Canvas&)>& draw) {
    DocumentCanvas canvas;
    draw(canvas);
    return drawing::wholePicture(canvas);
}

// The guide shows a large picture cut to its ink with a white margin, so that the drawing, not
// its canvas, fills the table cell.
QImage inked(const QImage& picture) {
    const QRgb white = qRgb(255, 255, 255);
    QRect ink;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((line[x] | 0xff000000u) != white) ink |= QRect(x, y, 1, 1);
    }
    const int margin = 12;
    return picture.copy(ink.adjusted(-margin, -margin, margin, margin));
}

// The dialogs open through their commands as the work form opens them; nothing is drawn.
class NoDocuments : public drawing::DocumentHost {
public:
    Canvas& LoadNewDoc(drawing::DocumentKind) override { return canvas_; }

private:
    DocumentCanvas canvas_;
};

class NoPrompts : public common::Prompts {
public:
    common::PromptReply show(const common::Prompt&) override { return common::PromptReply::Ok; }
};

template <class Dialog>
QImage dialogPicture(void (*run)(const drawing::CommandContext&, const FunctionView&),
                     const FunctionView& f, const char* name, bool showParent) {
    QWidget parent;
    auto* workForm = new QWidget(&parent);
    if (showParent) parent.show();
    NoDocuments host;
    NoPrompts prompts;
    run({&parent, workForm, host, prompts}, f);
    auto* dialog = parent.findChild<Dialog*>(name);
    if (!dialog) return {};
    dialog->show();
    return dialog->grab().toImage();
}

struct Picture {
    Picture(QString folder, QString name, std::function<QImage()> render, QString guideName = {},
            bool guideInked = false)
        : folder(std::move(folder)),
          name(std::move(name)),
          render(std::move(render)),
          guideName(std::move(guideName)),
          guideInked(guideInked) {}
    QString folder;
    QString name;
    std::function<QImage()> render;
    QString guideName;  // its name among the user guide's pictures, if it is one
    bool guideInked;
};

std::vector<Picture> pictures() {
    using logic::TermMode;
    std::vector<Picture> all;
    using Draw = void (*)(Canvas&, const FunctionView&);
    const std::tuple<const char*, Draw, const char*> styles[] = {
        {"basic", drawing::drawBasicCircuit, "circuit_basic.png"},
        {"nand", drawing::drawUniversalNandCircuit, "circuit_nand.png"},
        {"nor", drawing::drawUniversalNorCircuit, "circuit_nor.png"}};
    for (const auto& [style, draw, guide] : styles) {
        all.push_back({"circuit", QStringLiteral("circuit-%1.png").arg(QLatin1String(style)),
                       [draw] { return drawn([&](Canvas& c) { draw(c, circuitExample()); }); },
                       guide});
        all.push_back(
            {"circuit", QStringLiteral("circuit-%1-8vars.png").arg(QLatin1String(style)),
             [draw] { return drawn([&](Canvas& c) { draw(c, circuitEightVariables()); }); }});
    }

    auto muxPicture = [](FunctionView f, int k) {
        return [f, k] { return drawn([&](Canvas& c) { mux::drawMuxImplementation(c, f, k); }); };
    };
    all.push_back({"mux", "mux_single_8to1.png", muxPicture(mux(3, {1, 3, 5}), 3),
                   "mux_single_8to1.png", true});
    all.push_back({"mux", "mux_tree_3vars_4to1.png", muxPicture(mux(3, {1, 3, 5}), 2)});
    all.push_back({"mux", "mux_tree_4vars_4to1.png", muxPicture(mux(4, {0, 5, 10, 15}), 2),
                   "mux_tree_4to1.png", true});
    all.push_back({"mux", "mux_tree_5vars_8to1.png", muxPicture(mux(5, {1, 6, 11, 20, 31}), 3)});
    all.push_back({"mux", "mux_tree_8vars_64to1.png", muxPicture(mux(8, everyNth(256, 3)), 6)});
    all.push_back({"mux", "frmMuxOpt.png", [] {
                       return dialogPicture<mux::frmMuxOpt>(mux::runMuxCommand, mux(4, {1}),
                                                            "frmMuxOpt", false);
                   }});

    auto demuxPicture = [](FunctionView f, int din) {
        return [f, din] { return drawn([&](Canvas& c) { demux::drawDemux(c, f, din); }); };
    };
    all.push_back(
        {"demux", "demux_example.png", demuxPicture(demux(3, {1, 3, 5}), 1), "demux_example.png"});
    all.push_back({"demux", "demux_six_variables.png", demuxPicture(demux(6, everyNth(64, 9)), 0)});
    FunctionView longName = demux(2, {0, 1, 2, 3});
    longName.userName = "Maximiliana Wolfeschlegelsteinhausenbergerdorff";
    all.push_back({"demux", "demux_long_header.png", demuxPicture(longName, 1)});
    all.push_back({"demux", "demux_ground.png", demuxPicture(demux(2, {}), 1)});
    all.push_back({"demux", "demux_vcc.png", demuxPicture(demux(2, {}, TermMode::Maxterms), 0)});
    all.push_back({"demux", "demux_maxterms_din0.png",
                   demuxPicture(demux(3, {0, 2, 3, 6}, TermMode::Maxterms), 0)});
    all.push_back({"demux", "frmDemuxOpt.png", [] {
                       FunctionView f = ticked(3, {0, 7}, TermMode::Minterms, "ADA");
                       f.dateText.clear();
                       f.timeText.clear();
                       return dialogPicture<demux::frmDemuxOpt>(demux::runDemuxCommand, f,
                                                                "frmDemuxOpt", true);
                   }});

    // Ones 1, 3, 7, 11, 15 with don't-cares 0, 2, 5 (the guide's worked example), and a
    // 6-variable function for the four maps side by side.
    static const qm::Explanation four = [] {
        logic::Function f;
        f.width = 4;
        for (int row : {1, 3, 7, 11, 15}) f.on.set(row);
        for (int row : {0, 2, 5}) f.dc.set(row);
        return qm::explain(f);
    }();
    static const qm::Explanation six = [] {
        logic::Function f;
        f.width = 6;
        for (int row = 0; row < 64; ++row) {
            if ((row * 37 + 11) % 7 < 3) f.on.set(row);
            if (row % 13 == 4) f.dc.set(row);
        }
        f.dc -= f.on;
        return qm::explain(f);
    }();
    using namespace explain;
    auto view = [](std::function<void(Canvas&)> draw) { return [draw] { return drawn(draw); }; };
    all.push_back(
        {"explain", "truth_table.png", view([](Canvas& c) { drawTruthTable(c, four, "ABCD"); })});
    all.push_back({"explain", "karnaugh_sop.png",
                   view([](Canvas& c) { drawKarnaughMap(c, four, "ABCD", LoopForm::Sop); })});
    all.push_back({"explain", "karnaugh_pos.png",
                   view([](Canvas& c) { drawKarnaughMap(c, four, "ABCD", LoopForm::Pos); })});
    all.push_back({"explain", "karnaugh_6.png",
                   view([](Canvas& c) { drawKarnaughMap(c, six, "ABCDEF", LoopForm::Sop); })});
    all.push_back({"explain", "steps.png", view([](Canvas& c) { drawSteps(c, four, "ABCD"); })});
    all.push_back({"explain", "check_page.png", view([](Canvas& c) {
                       const CheckPage checked{
                           true, "A'B'D+CD",
                           "Equivalent, but not minimal: your sum of products has 2 products "
                           "and 5 literals; a minimum one has 4 literals.",
                           "A minimum sum of products: F = A'B'+CD\n"
                           "A minimum product of sums: F = (A'+C)D"};
                       drawCheckPage(c, four, "ABCD", checked);
                   })});
    // Simulate mode: the drawing's model drawn for one row.
    auto simulated = [](std::function<void(Canvas&)> draw, std::uint64_t row) {
        return [draw, row] {
            DocumentCanvas drawing;
            draw(drawing);
            if (!drawing.circuit()) return QImage();
            return drawn([&](Canvas& c) {
                app::drawSimulation(c, *drawing.circuit(),
                                    app::simulate(drawing.circuit()->netlist, row));
            });
        };
    };
    const FunctionView simulatedFunction = circuitFunction("A'BC+A'D", {"A", "B", "C", "D"});
    all.push_back(
        {"circuit", "circuit_simulated.png",
         simulated([f = simulatedFunction](
                       Canvas& c) { drawing::drawCircuit(c, f, drawing::CircuitKind::Basic); },
                   6),
         "circuit_simulated.png", true});
    all.push_back(
        {"circuit", "circuit_simulated_nand.png",
         simulated([f = simulatedFunction](
                       Canvas& c) { drawing::drawCircuit(c, f, drawing::CircuitKind::Nand); },
                   6)});
    all.push_back(
        {"circuit", "circuit_simulated_nor.png",
         simulated([f = simulatedFunction](
                       Canvas& c) { drawing::drawCircuit(c, f, drawing::CircuitKind::Nor); },
                   5)});
    all.push_back(
        {"mux", "mux_tree_simulated.png",
         simulated([f = simulatedFunction](Canvas& c) { mux::drawMuxImplementation(c, f, 2); },
                   6)});
    all.push_back(
        {"demux", "demux_simulated.png",
         simulated([f = simulatedFunction](Canvas& c) { demux::drawDemux(c, f, 0); }, 6)});
    all.push_back({"explain", "cost_table.png", view([](Canvas& c) {
                       const FunctionView f = circuitFunction("A'BC+A'D", {"A", "B", "C", "D"});
                       drawCostTable(c, implementationsOf(f), "ABCD", f.minSopText);
                   }),
                   "cost_table.png"});
    return all;
}

bool save(const QImage& picture, const QString& path) {
    if (!picture.isNull() && picture.save(path, "PNG")) return true;
    std::fprintf(stderr, "pictures: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The dialogs look as in the program and the widget tests: Fusion takes the button colours
    // from the palette.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const QStringList args = QApplication::arguments();
    QString out, guide;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--guide") && i + 1 < args.size())
            guide = args[++i];
        else if (out.isEmpty() && !args[i].startsWith(QLatin1Char('-')))
            out = args[i];
        else
            out.clear(), i = static_cast<int>(args.size());
    }
    if (out.isEmpty()) {
        std::fprintf(stderr, "usage: quendal_pictures OUT [--guide DIR]\n");
        return 2;
    }
    int failures = 0;
    for (const Picture& p : pictures()) {
        const QString folder = QDir(out).filePath(p.folder);
        QDir().mkpath(folder);
        const QImage picture = p.render();
        if (!save(picture, QDir(folder).filePath(p.name))) ++failures;
        if (!p.guideName.isEmpty() && !guide.isEmpty()) {
            QDir().mkpath(guide);
            const QString path = QDir(guide).filePath(p.guideName);
            if (!save(p.guideInked ? inked(picture) : picture, path)) ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
