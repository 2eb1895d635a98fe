#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>

#include "circuit/netlist_export.h"
#include "tests/circuit/circuit_cases_support.h"

using namespace quendal::circuit;

// The exported Verilog and VHDL behave as the function: every module is
// simulated on every row of its truth table against a testbench made here
// from the table (don't-care rows are free), batched so that one compile and
// one run check hundreds of circuits.

namespace {

struct Module {
    std::string label;  // what it was made from, for messages
    Netlist netlist;
    logic::Function function;
};

// The truth table as a bit string, row 0 last (Verilog) or first (VHDL).
std::string tableOf(const logic::Function& f, bool rowZeroFirst) {
    std::string s;
    for (int row = 0; row < (1 << f.width); ++row) s += expected(f, row);
    if (!rowZeroFirst) std::reverse(s.begin(), s.end());
    return s;
}

// Every drawing of every function of up to `width` variables; up to two
// variables also with their first or last row free.
std::vector<Module> everyFunction(int width) {
    std::vector<Module> modules;
    std::set<std::string> seen;
    for (int n = 1; n <= width; ++n) {
        const int rows = 1 << n;
        for (unsigned long long ones = 0; ones < (1ull << rows); ++ones) {
            for (unsigned long long dc : {0ull, 1ull, 1ull << (rows - 1)}) {
                if ((dc && n > 2) || (ones & dc)) continue;
                const logic::Function f = functionOfBits(n, ones, dc);
                for (CircuitCase& c : everyDrawing(f))
                    // Drawings that differ only in what is drawn (the
                    // multiplexers' term modes) are one module.
                    if (seen.insert(toVerilog(c.netlist, "m") + tableOf(f, true)).second)
                        modules.push_back({std::to_string(n) + " variables, ones " +
                                               std::to_string(ones) + " dc " + std::to_string(dc) +
                                               ", " + c.label,
                                           std::move(c.netlist), f});
            }
        }
    }
    return modules;
}

// Seeded functions of four to eight variables with don't-cares; sparse above
// six so that their minimum is quick to find.
std::vector<Module> sampledFunctions(int perWidth) {
    std::vector<Module> modules;
    std::mt19937 random(2026);
    for (int n = 4; n <= 8; ++n) {
        for (int i = 0; i < perWidth; ++i) {
            std::vector<int> ones, dcs;
            for (int row = 0; row < (1 << n); ++row) {
                const unsigned draw = random() % (n > 6 ? 24 : 5);
                if (draw == 0)
                    ones.push_back(row);
                else if (draw == 1 && n <= 6)
                    dcs.push_back(row);
                else if (draw == 2 && n <= 6)
                    ones.push_back(row);
            }
            const logic::Function f =
                logic::functionOfTerms(n, ones, logic::TermMode::Minterms, dcs);
            for (CircuitCase& c : everyDrawing(f))
                modules.push_back(
                    {std::to_string(n) + " variables, sample " + std::to_string(i) + ", " + c.label,
                     std::move(c.netlist), f});
        }
    }
    return modules;
}

struct Output {
    bool ran = false;
    QString text;
};

Output run(const QString& program, const QStringList& args, const QString& dir) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    // Only a guard against a hung tool; how long it takes is no concern here.
    const bool finished = p.waitForFinished(600000);
    Output out;
    out.text = QString::fromLocal8Bit(p.readAll());
    out.ran = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return out;
}

bool write(const QString& path, const std::string& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
}

std::string moduleName(std::size_t i) {
    return "m" + std::to_string(i);
}

// One testbench per number of variables; each prints "FAIL module row value"
// for a wrong row and "DONE n" at its end.
std::string verilogBench(const std::vector<Module>& modules) {
    std::map<int, std::vector<std::size_t>> byWidth;
    for (std::size_t i = 0; i < modules.size(); ++i)
        byWidth[modules[i].function.width].push_back(i);
    std::ostringstream out;
    for (const auto& [n, list] : byWidth) {
        const int rows = 1 << n;
        out << "module tb" << n << ";\n    reg [" << n - 1 << ":0] r;\n    wire ["
            << list.size() - 1 << ":0] y;\n    reg [" << rows - 1
            << ":0] want [0:" << list.size() - 1 << "];\n    reg [" << rows - 1
            << ":0] care [0:" << list.size() - 1 << "];\n    integer row, i;\n";
        for (std::size_t k = 0; k < list.size(); ++k) {
            out << "    " << moduleName(list[k]) << " u" << k << " (";
            for (int c = 0; c < n; ++c) out << "r[" << n - 1 - c << "], ";
            out << "y[" << k << "]);\n";
        }
        out << "    initial begin\n";
        for (std::size_t k = 0; k < list.size(); ++k) {
            const std::string table = tableOf(modules[list[k]].function, false);
            std::string want = table, care = table;
            for (char& c : want) c = c == '1' ? '1' : '0';
            for (char& c : care) c = c == '-' ? '0' : '1';
            out << "        want[" << k << "] = " << rows << "'b" << want << "; care[" << k
                << "] = " << rows << "'b" << care << ";\n";
        }
        out << "        for (row = 0; row < " << rows << "; row = row + 1) begin\n"
            << "            r = row; #1;\n"
            << "            for (i = 0; i < " << list.size() << "; i = i + 1)\n"
            << "                if (care[i][row] && y[i] !== want[i][row])\n"
            << "                    $display(\"FAIL " << n << " %0d %0d %b\", i, row, y[i]);\n"
            << "        end\n        $display(\"DONE " << n << "\");\n    end\nendmodule\n";
    }
    return out.str();
}

std::string vhdlBench(const std::vector<Module>& modules, int n) {
    std::vector<std::size_t> list;
    for (std::size_t i = 0; i < modules.size(); ++i)
        if (modules[i].function.width == n) list.push_back(i);
    std::ostringstream out;
    out << "library ieee;\nuse ieee.std_logic_1164.all;\nuse ieee.numeric_std.all;\n\n";
    out << "entity tb" << n << " is\nend entity;\n\narchitecture run of tb" << n << " is\n"
        << "    signal r : std_logic_vector(" << n - 1 << " downto 0);\n"
        << "    signal y : std_logic_vector(" << list.size() - 1 << " downto 0);\n"
        << "    type table is array (0 to " << list.size() - 1 << ") of std_logic_vector(0 to "
        << (1 << n) - 1 << ");\n"
        << "    constant want : table := (\n";
    for (std::size_t k = 0; k < list.size(); ++k)
        out << "        " << k << " => \"" << tableOf(modules[list[k]].function, true) << "\""
            << (k + 1 < list.size() ? ",\n" : ");\n");
    out << "begin\n";
    for (std::size_t k = 0; k < list.size(); ++k) {
        out << "    u" << k << " : entity work." << moduleName(list[k]) << " port map (";
        for (int c = 0; c < n; ++c) out << "r(" << n - 1 - c << "), ";
        out << "y(" << k << "));\n";
    }
    out << "    process\n    begin\n"
        << "        for row in 0 to " << (1 << n) - 1 << " loop\n"
        << "            r <= std_logic_vector(to_unsigned(row, " << n << "));\n"
        << "            wait for 1 ns;\n"
        << "            for i in 0 to " << list.size() - 1 << " loop\n"
        << "                if want(i)(row) /= '-' and y(i) /= want(i)(row) then\n"
        << "                    report \"FAIL " << n
        << " \" & integer'image(i) & \" \" & integer'image(row);\n"
        << "                end if;\n            end loop;\n        end loop;\n"
        << "        report \"DONE " << n
        << "\";\n        wait;\n    end process;\nend architecture;\n";
    return out.str();
}

// The failures a run reported ("FAIL width instance row"), with the module
// they name; `index` maps a bench's instance number back to the module.
void reportFailures(const QString& output, const std::vector<Module>& modules,
                    const std::map<int, std::vector<std::size_t>>& index) {
    int shown = 0;
    std::istringstream lines(output.toStdString());
    std::string line;
    while (std::getline(lines, line)) {
        const auto at = line.find("FAIL ");
        if (at == std::string::npos) continue;
        std::istringstream fields(line.substr(at + 5));
        int n = 0, row = 0;
        std::size_t instance = 0;
        fields >> n >> instance >> row;
        const auto list = index.find(n);
        const std::string label = list != index.end() && instance < list->second.size()
                                      ? modules[list->second[instance]].label
                                      : line;
        if (++shown <= 8) ADD_FAILURE() << "row " << row << " is wrong: " << label;
    }
}

class Hdl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// iverilog and ghdl take far longer for one large file than for several
// small ones, so the modules go in batches.
constexpr std::size_t kBatch = 400;

std::vector<std::vector<Module>> batches(std::vector<Module> modules) {
    std::vector<std::vector<Module>> out;
    for (std::size_t i = 0; i < modules.size(); i += kBatch)
        out.emplace_back(
            std::make_move_iterator(modules.begin() + static_cast<long>(i)),
            std::make_move_iterator(modules.begin() +
                                    static_cast<long>(std::min(i + kBatch, modules.size()))));
    return out;
}

std::map<int, std::vector<std::size_t>> byWidth(const std::vector<Module>& modules) {
    std::map<int, std::vector<std::size_t>> index;
    for (std::size_t i = 0; i < modules.size(); ++i) index[modules[i].function.width].push_back(i);
    return index;
}

void checkVerilog(std::vector<Module> all, const QString& folder) {
    const QString iverilog = QStandardPaths::findExecutable("iverilog");
    const QString vvp = QStandardPaths::findExecutable("vvp");
    if (iverilog.isEmpty() || vvp.isEmpty()) GTEST_SKIP() << "iverilog is not installed";
    for (const std::vector<Module>& modules : batches(std::move(all))) {
        std::string source;
        for (std::size_t i = 0; i < modules.size(); ++i)
            source += toVerilog(modules[i].netlist, moduleName(i));
        source += verilogBench(modules);
        ASSERT_TRUE(write(QDir(folder).filePath("batch.v"), source));
        const Output compiled = run(iverilog, {"-o", "batch.vvp", "batch.v"}, folder);
        ASSERT_TRUE(compiled.ran) << compiled.text.left(3000).toStdString();
        const Output ran = run(vvp, {"-n", "batch.vvp"}, folder);
        ASSERT_TRUE(ran.ran) << ran.text.left(3000).toStdString();
        const auto index = byWidth(modules);
        for (const auto& entry : index)
            EXPECT_TRUE(ran.text.contains(QStringLiteral("DONE %1").arg(entry.first)));
        reportFailures(ran.text, modules, index);
    }
}

void checkVhdl(std::vector<Module> all, const QString& folder) {
    const QString ghdl = QStandardPaths::findExecutable("ghdl");
    if (ghdl.isEmpty()) GTEST_SKIP() << "ghdl is not installed";
    for (const std::vector<Module>& modules : batches(std::move(all))) {
        std::string source;
        for (std::size_t i = 0; i < modules.size(); ++i)
            source += toVhdl(modules[i].netlist, moduleName(i)) + "\n";
        const auto index = byWidth(modules);
        for (const auto& entry : index) source += vhdlBench(modules, entry.first);
        ASSERT_TRUE(write(QDir(folder).filePath("batch.vhd"), source));
        const Output analysed = run(ghdl, {"-a", "batch.vhd"}, folder);
        ASSERT_TRUE(analysed.ran) << analysed.text.left(3000).toStdString();
        for (const auto& entry : index) {
            const Output ran =
                run(ghdl, {"--elab-run", QStringLiteral("tb%1").arg(entry.first)}, folder);
            ASSERT_TRUE(ran.ran) << ran.text.left(3000).toStdString();
            EXPECT_TRUE(ran.text.contains(QStringLiteral("DONE %1").arg(entry.first)));
            reportFailures(ran.text, modules, index);
        }
    }
}

}  // namespace

TEST_F(Hdl, VerilogOfEveryDrawingOfEveryFunctionUpToThreeVariables) {
    checkVerilog(everyFunction(3), dir.path());
}

TEST_F(Hdl, VerilogOfSampledFunctionsUpToEightVariables) {
    checkVerilog(sampledFunctions(4), dir.path());
}

// Every function of up to two variables and the samples: the VHDL writer
// shares its structure with the Verilog one, checked on every function above.
TEST_F(Hdl, VhdlOfEveryDrawingOfEveryFunctionUpToTwoVariables) {
    checkVhdl(everyFunction(2), dir.path());
}

TEST_F(Hdl, VhdlOfSampledFunctionsUpToEightVariables) {
    checkVhdl(sampledFunctions(2), dir.path());
}

// yosys proves each module equivalent to the function's table for every
// input, not only on the rows a testbench applies.
TEST_F(Hdl, YosysProvesSampledModulesEquivalentToTheirFunction) {
    const QString yosys = QStandardPaths::findExecutable("yosys");
    if (yosys.isEmpty()) GTEST_SKIP() << "yosys is not installed";
    std::mt19937 random(23);
    std::string source, script = "read_verilog batch.v\nproc\n";
    int count = 0;
    for (int n : {3, 5}) {
        std::vector<int> ones;
        for (int row = 0; row < (1 << n); ++row)
            if (random() % 2) ones.push_back(row);
        const logic::Function f = logic::functionOfTerms(n, ones, logic::TermMode::Minterms);
        for (const CircuitCase& c : everyDrawing(f)) {
            const std::string id = std::to_string(count++);
            source += toVerilog(c.netlist, "m" + id);
            // The reference: Y read from the table, row 0 the lowest bit.
            std::string table = tableOf(f, false), ports, select;
            for (int col = 0; col < n; ++col) {
                const std::string letter(1, static_cast<char>('A' + col));
                ports += "input wire " + letter + ", ";
                select += (col ? ", " : "") + letter;
            }
            source += "module r" + id + " (" + ports + "output wire Y);\n    wire [" +
                      std::to_string((1 << n) - 1) + ":0] t = " + std::to_string(1 << n) + "'b" +
                      table + ";\n    assign Y = t[{" + select + "}];\nendmodule\n";
            script += "miter -equiv -flatten -make_assert r" + id + " m" + id + " q" + id +
                      "\nsat -verify -prove-asserts q" + id + "\n";
        }
    }
    ASSERT_TRUE(write(path("batch.v"), source));
    ASSERT_TRUE(write(path("prove.ys"), script));
    const Output proved = run(yosys, {"-q", "-s", "prove.ys"}, dir.path());
    EXPECT_TRUE(proved.ran) << proved.text.right(3000).toStdString();
}
