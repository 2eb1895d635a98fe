#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "cli/cli_main.h"
#include "tests/app/main_window_support.h"

using namespace quendal;

#ifdef QUENDAL_QM_EXE

namespace {

struct Case {
    const char* name;
    int variables;
    std::vector<int> minterms;
    std::vector<int> dontCares;
    const char* command;  // the work form's button
    const char* option;   // the radio button chosen in its dialog
    std::vector<std::string> cliStyle;
    const char* format;  // the CLI's --format
    const char* suffix;  // the exported file's, which names the format to File > Export
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Qt stamps a PDF with the moment it was written, whoever writes it.
QByteArray withoutCreationTime(QByteArray pdf) {
    static const QRegularExpression stamp(QStringLiteral("/CreationDate \\(D:[0-9Z+'-]*\\)"));
    return QString::fromLatin1(pdf).replace(stamp, QStringLiteral("/CreationDate ()")).toLatin1();
}

// The program's own export of the case: the function ticked on the work form,
// simplified by the real Qm.exe, drawn by its command and exported or saved.
QByteArray exportedByProgram(const Case& c, const QString& path) {
    ScriptedPrompts prompts;
    FixedClock clock{common::LocalDateTime{2024, 3, 5, 19, 40, 0}};
    ScriptedFileDialogs dialogs;
    common::ProcessMinimizerLauncher launcher(common::ProcessMinimizerLauncher::kDefaultTimeoutMs,
                                              QStringLiteral(QUENDAL_QM_EXE));
    app::ShellSeams seams{&prompts, &clock, &dialogs, &launcher};
    common::Session::current().UserName = "Test User";
    app::mdifrmMain main(seams);
    QWidget* work = main.workForm();
    auto* variables = work->findChild<QComboBox*>("cboVar");
    variables->setCurrentIndex(variables->findText(QString::number(c.variables)));
    emit variables->activated(variables->currentIndex());
    auto* list = work->findChild<QListWidget*>("lstTerms");
    work->findChild<QRadioButton*>("rbMinTerms")->click();
    for (int t : c.minterms) list->item(t)->setCheckState(Qt::Checked);
    work->findChild<QRadioButton*>("rbDontCare")->click();
    for (int t : c.dontCares) list->item(t)->setCheckState(Qt::Checked);
    work->findChild<QAbstractButton*>("cmdSimplify")->click();
    EXPECT_TRUE(prompts.shown.empty());
    work->findChild<QAbstractButton*>(c.command)->click();
    QWidget* dialog = QApplication::activeModalWidget();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->findChild<QRadioButton*>(c.option)) dialog = top;
    if (!dialog) return {};
    dialog->findChild<QRadioButton*>(c.option)->click();
    dialog->findChild<QAbstractButton*>("cmdOk")->click();
    if (QString(c.suffix) == "cir") {
        dialogs.saveNames.push_back(path);
        main.findChild<QAction*>("mnuFileSaveAs")->trigger();
    } else {
        dialogs.saveNames.push_back(path);
        // The scale page opens modally; Enter takes 100 %.
        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "ExportDialog" && top->isVisible())
                    static_cast<QDialog*>(top)->accept();
        });
        main.findChild<QAction*>("mnuFileExport")->trigger();
    }
    return bytesOf(path);
}

QString inFileOf(const Case& c, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    // Codes, not rows ticked: the exporter reads what Qm.exe reads.
    auto code = [&](int row) {
        QByteArray text;
        for (int bit = c.variables - 1; bit >= 0; --bit) text += (row >> bit) & 1 ? '1' : '0';
        return text;
    };
    for (int t : c.minterms) file.write(code(t) + "\n");
    for (int t : c.dontCares) file.write(code(t) + "d\n");
    return path;
}

class ExportEquality : public ::testing::TestWithParam<Case> {};

}  // namespace

// The exporter writes byte for byte what the program writes for the same
// function, style and header.
TEST_P(ExportEquality, CommandLineWritesWhatTheProgramWrites) {
    const Case& c = GetParam();
    TempWorkdir workdir;
    const QString suffix = QString::fromLatin1(c.suffix);
    const QByteArray program = exportedByProgram(c, workdir.file("program." + suffix));
    ASSERT_FALSE(program.isEmpty());

    std::tm at{};
    at.tm_year = 2024 - 1900;
    at.tm_mon = 2;
    at.tm_mday = 5;
    at.tm_hour = 19;
    at.tm_min = 40;
    setenv("SOURCE_DATE_EPOCH", std::to_string(timegm(&at)).c_str(), 1);
    std::vector<std::string> args = c.cliStyle;
    for (const char* arg : {"--user", "Test User", "--format", c.format, "-o"}) args.push_back(arg);
    args.push_back(workdir.file("cli." + suffix).toStdString());
    args.push_back(inFileOf(c, workdir.file("f.txt")).toStdString());
    std::ostringstream out, err;
    EXPECT_EQ(cli::runCli(args, out, err), 0) << err.str();
    unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(err.str(), "");

    QByteArray written = bytesOf(workdir.file("cli." + suffix));
    QByteArray expected = program;
    if (suffix == "pdf") {
        written = withoutCreationTime(written);
        expected = withoutCreationTime(expected);
    }
    EXPECT_TRUE(written == expected) << "sizes " << written.size() << " and " << expected.size();
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ExportEquality,
    ::testing::Values(
        Case{"BasicSvg",
             4,
             {1, 3, 5, 6, 7},
             {},
             "cmdCircuit",
             "rbBasic",
             {"--style", "basic"},
             "svg",
             "svg"},
        Case{"NandPngWithDontCares",
             4,
             {0, 2, 5, 8, 10, 13},
             {7, 15},
             "cmdCircuit",
             "rbNand",
             {"--style", "nand"},
             "png",
             "png"},
        Case{"NorCircuitFile",
             3,
             {1, 2, 4, 7},
             {},
             "cmdCircuit",
             "rbNor",
             {"--style", "nor"},
             "cir",
             "cir"},
        Case{"MuxTreePdf",
             4,
             {0, 3, 5, 6, 9, 10, 12, 15},
             {},
             "cmdMux",
             "rb4",
             {"--style", "mux", "--mux-size", "2"},
             "pdf",
             "pdf"},
        Case{"DemuxDinZeroSvg",
             3,
             {0, 6},
             {3},
             "cmdDemux",
             "rb0",
             {"--style", "demux", "--din", "0"},
             "svg",
             "svg"},
        Case{"NorVerilog",
             4,
             {1, 3, 5, 6, 7, 14},
             {15},
             "cmdCircuit",
             "rbNor",
             {"--style", "nor"},
             "verilog",
             "v"},
        Case{"MuxSingleVhdl", 3, {1, 2, 6}, {}, "cmdMux", "rb8", {"--style", "mux"}, "vhdl", "vhd"},
        Case{"DemuxJsonWithItsCost",
             3,
             {0, 5, 6},
             {7},
             "cmdDemux",
             "rb1",
             {"--style", "demux"},
             "json",
             "json"}),
    [](const auto& info) { return std::string(info.param.name); });

#endif
