#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/stat.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_main.h"
#include "cli/export_command.h"
#include "cli/export_options.h"
#include "tests/support/temp_workdir.h"

using namespace quendal;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Outcome {
    int status;
    std::string err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = cli::runCli(args, out, err);
    return {status, err.str()};
}

struct BadCase {
    const char* name;
    std::vector<std::string> args;  // "OUT" and "IN" stand for the files
    const char* says;               // a part of the one line on stderr
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadInput : public ::testing::TestWithParam<BadCase> {};

}  // namespace

// Every refusal is one line on stderr with a non-zero status, and leaves OUT
// exactly as it was, with nothing beside it.
TEST_P(BadInput, OneLineAndOutUntouched) {
    TempWorkdir workdir;
    write(workdir.file("in.txt"), "0001\n0011\n0101\n0111d\n");
    write(workdir.file("bad.txt"), "0001\n01x1\n");
    write(workdir.file("wide.txt"), "0000001\n");
    write(workdir.file("zero.txt"), "0001d\n");
    ASSERT_EQ(mkfifo(workdir.file("pipe").toLocal8Bit().constData(), 0600), 0);
    const QByteArray old = "an older export\n";
    write(workdir.file("out.svg"), old);

    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args)
        args.push_back(arg == "OUT"  ? workdir.file("out.svg").toStdString()
                       : arg == "IN" ? workdir.file("in.txt").toStdString()
                                     : arg);
    const Outcome result = run(args);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find(GetParam().says), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_TRUE(result.err.starts_with("quendal-export: ")) << result.err;
    EXPECT_EQ(bytesOf(workdir.file("out.svg")), old);
    EXPECT_EQ(QDir(workdir.path()).entryList(QDir::Files | QDir::System).size(), 6);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    ::testing::Values(
        BadCase{"MissingIn",
                {"--style", "basic", "--format", "svg", "-o", "OUT", "none.txt"},
                "none.txt"},
        BadCase{"MalformedIn",
                {"--style", "basic", "--format", "svg", "-o", "OUT", "bad.txt"},
                "bad.txt, line 2"},
        BadCase{"InIsAPipe", {"--style", "basic", "--format", "svg", "-o", "OUT", "pipe"}, "pipe"},
        BadCase{"NoOneRow",
                {"--style", "basic", "--format", "svg", "-o", "OUT", "zero.txt"},
                "no row is 1"},
        BadCase{"UnknownOption",
                {"--style", "basic", "--colour", "red", "-o", "OUT", "IN"},
                "unknown option --colour"},
        BadCase{"UnknownStyle",
                {"--style", "xor", "--format", "svg", "-o", "OUT", "IN"},
                "basic|nand|nor|mux|demux"},
        BadCase{"MissingFormat", {"--style", "basic", "-o", "OUT", "IN"}, "--format is missing"},
        BadCase{"OptionTwice",
                {"--style", "nor", "--style", "nand", "--format", "svg", "-o", "OUT", "IN"},
                "twice"},
        BadCase{"ValueMissing",
                {"--style", "basic", "--format", "svg", "IN", "-o"},
                "-o needs a value"},
        BadCase{"TwoInputs",
                {"--style", "basic", "--format", "svg", "-o", "OUT", "IN", "IN"},
                "one input file"},
        BadCase{"DinWithoutDemux",
                {"--style", "basic", "--din", "0", "--format", "svg", "-o", "OUT", "IN"},
                "--din goes with"},
        BadCase{"DinOutOfRange",
                {"--style", "demux", "--din", "2", "--format", "svg", "-o", "OUT", "IN"},
                "from 0 to 1"},
        BadCase{"MuxSizeNotOffered",
                {"--style", "mux", "--mux-size", "1", "--format", "svg", "-o", "OUT", "IN"},
                "sizes offered are 2, 3, 4"},
        BadCase{"DemuxTooWide",
                {"--style", "demux", "--format", "svg", "-o", "OUT", "wide.txt"},
                "1 to 6"},
        BadCase{"ModuleIsAKeyword",
                {"--style", "nand", "--module", "entity", "--format", "vhdl", "-o", "OUT", "IN"},
                "reserved word"},
        BadCase{"ModuleIsAPort",
                {"--style", "mux", "--module", "b", "--format", "verilog", "-o", "OUT", "IN"},
                "name of an input"},
        BadCase{"ModuleForAPicture",
                {"--style", "basic", "--module", "f", "--format", "svg", "-o", "OUT", "IN"},
                "--module goes with"},
        BadCase{"OutIsAFolder",
                {"--style", "basic", "--format", "svg", "-o", ".", "IN"},
                "cannot write"},
        BadCase{"OutIsAPipe",
                {"--style", "basic", "--format", "png", "-o", "pipe", "IN"},
                "cannot write"},
        BadCase{"OutInNoFolder",
                {"--style", "basic", "--format", "svg", "-o", "no/such/out.svg", "IN"},
                "no/such/out.svg"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExportOptions, OptionsComeInAnyOrderWithTheDialogsPresets) {
    const cli::ExportRequest request = cli::parseExportArguments(
        {"IN", "--format", "vhdl", "--module", "Adder4", "-o", "x", "--style", "nand"});
    EXPECT_EQ(request.moduleName, "Adder4");
    EXPECT_EQ(request.style, cli::Style::Nand);
    EXPECT_EQ(request.din, 1);  // the Demux dialog's preset
    EXPECT_FALSE(request.muxSize.has_value());
}

TEST(ExportOptions, SourceDateEpochDatesTheHeaderInUtc) {
    const common::LocalDateTime epoch = cli::headerDateTime("0");
    EXPECT_EQ(common::headerDate(epoch) + " " + common::headerTime(epoch), "01-Jan-1970 12:00 AM");
    const common::LocalDateTime leap = cli::headerDateTime("951825600");  // 2000-02-29 12:00
    EXPECT_EQ(common::headerDate(leap) + " " + common::headerTime(leap), "29-Feb-2000 12:00 PM");
    for (const char* bad : {"", "-1", "12a", "1e9", "99999999999999"})
        EXPECT_THROW(cli::headerDateTime(bad), cli::UsageError) << bad;
}

// Every style writes each netlist format, named as asked, and the JSON
// carries the cost of the circuit it describes.
TEST(ExportNetlists, EveryStyleInEveryNetlistFormat) {
    TempWorkdir workdir;
    write(workdir.file("in.txt"), "0001\n0011\n0101\n0110\n0111\n1111d\n");
    const std::vector<std::vector<std::string>> styles = {{"--style", "basic"},
                                                          {"--style", "nand"},
                                                          {"--style", "nor"},
                                                          {"--style", "mux", "--mux-size", "2"},
                                                          {"--style", "demux", "--din", "0"}};
    for (const auto& style : styles) {
        for (const std::string format : {"verilog", "vhdl", "json"}) {
            SCOPED_TRACE(style[1] + " " + format);
            std::vector<std::string> args = style;
            const QString out = workdir.file(QString::fromStdString(style[1] + "." + format));
            for (const std::string& arg :
                 {std::string("--module"), std::string("adder_4"), std::string("--format"), format,
                  std::string("-o"), out.toStdString(), workdir.file("in.txt").toStdString()})
                args.push_back(arg);
            const Outcome result = run(args);
            ASSERT_EQ(result.status, 0) << result.err;
            const QByteArray text = bytesOf(out);
            EXPECT_TRUE(text.contains(format == "vhdl"   ? "entity adder_4 is"
                                      : format == "json" ? "\"adder_4\""
                                                         : "module adder_4 ("));
            if (format == "json") {
                EXPECT_TRUE(text.contains("\"cost\": {\"gates\": "));
                EXPECT_FALSE(text.contains("\"package_count\": 0}"));
            }
        }
    }
}

#ifdef QUENDAL_EXPORT_EXE
// The program itself needs no display and says nothing on success; its
// usage errors are status 2.
TEST(ExportProgram, RunsWithoutADisplay) {
    TempWorkdir workdir;
    write(workdir.file("in.txt"), "011\n101\n110\n111\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(workdir.path());
    program.start(QStringLiteral(QUENDAL_EXPORT_EXE),
                  {"--style", "basic", "--format", "png", "-o", "out.png", "in.txt"});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardError(), "");
    EXPECT_TRUE(bytesOf(workdir.file("out.png")).startsWith("\x89PNG"));

    program.start(QStringLiteral(QUENDAL_EXPORT_EXE), {"--style"});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), cli::kExitUsage);
    EXPECT_EQ(program.readAllStandardError().count('\n'), 1);
}
#endif

// "--exercises" first is the practice module's command, not an export.
TEST(ExportProgram, ExercisesGoToThePracticeCommand) {
    TempWorkdir workdir;
    const std::string out = workdir.file("exercises.json").toStdString();
    const Outcome made = run({"--exercises", "2", "--level", "1", "--vars", "3", "--seed", "7",
                              "--format", "json", "-o", out});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(bytesOf(QString::fromStdString(out)).contains("\"code\""));
    EXPECT_EQ(run({"--exercises", "2"}).status, 2);
}
