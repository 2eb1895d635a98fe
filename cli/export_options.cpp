#include "cli/export_options.h"

#include <array>
#include <cctype>
#include <map>
#include <utility>

namespace quendal::cli {

namespace {

template <typename T>
T choice(const std::string& option, const std::string& value,
         const std::vector<std::pair<const char*, T>>& choices) {
    std::string names;
    for (const auto& [name, result] : choices) {
        if (value == name) return result;
        names += names.empty() ? name : std::string("|") + name;
    }
    throw UsageError(option + " takes " + names + ", not \"" + value + "\"");
}

int number(const std::string& option, const std::string& value, int low, int high) {
    // Digits only: "3x" or "+3" is a slip, not a 3.
    bool digits = !value.empty() && value.size() <= 3;
    for (char c : value) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    const int n = digits ? std::stoi(value) : -1;
    if (n < low || n > high)
        throw UsageError(option + " takes a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + value + "\"");
    return n;
}

}  // namespace

ExportRequest parseExportArguments(const std::vector<std::string>& args) {
    static const std::array<const char*, 7> kValued = {
        "--style", "--mux-size", "--din", "--module", "--format", "-o", "--user"};
    std::map<std::string, std::string> given;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg.front() == '-') {
            bool known = false;
            for (const char* name : kValued) known = known || arg == name;
            if (!known) throw UsageError("unknown option " + arg);
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            if (!given.emplace(arg, args[++i]).second) throw UsageError(arg + " is given twice");
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) throw UsageError("no input file (IN) given");
    if (files.size() > 1) throw UsageError("one input file only, not \"" + files[1] + "\" too");
    for (const char* required : {"--style", "--format", "-o"}) {
        if (!given.count(required)) throw UsageError(std::string(required) + " is missing");
    }

    ExportRequest request;
    request.inPath = files.front();
    request.outPath = given["-o"];
    if (request.outPath.empty()) throw UsageError("-o names no file");
    request.style = choice<Style>("--style", given["--style"],
                                  {{"basic", Style::Basic},
                                   {"nand", Style::Nand},
                                   {"nor", Style::Nor},
                                   {"mux", Style::Mux},
                                   {"demux", Style::Demux}});
    request.format = choice<OutputFormat>("--format", given["--format"],
                                          {{"verilog", OutputFormat::Verilog},
                                           {"vhdl", OutputFormat::Vhdl},
                                           {"json", OutputFormat::Json},
                                           {"svg", OutputFormat::Svg},
                                           {"pdf", OutputFormat::Pdf},
                                           {"png", OutputFormat::Png},
                                           {"cir", OutputFormat::Cir}});
    // An option the chosen style or format ignores is a slip worth saying.
    if (given.count("--mux-size")) {
        if (request.style != Style::Mux) throw UsageError("--mux-size goes with --style mux only");
        request.muxSize = number("--mux-size", given["--mux-size"], 1, 6);
    }
    if (given.count("--din")) {
        if (request.style != Style::Demux) throw UsageError("--din goes with --style demux only");
        request.din = number("--din", given["--din"], 0, 1);
    }
    if (given.count("--module")) {
        const bool textual = request.format == OutputFormat::Verilog ||
                             request.format == OutputFormat::Vhdl ||
                             request.format == OutputFormat::Json;
        if (!textual) throw UsageError("--module goes with --format verilog, vhdl or json only");
        // Checked against the circuit's port names once it is drawn.
        request.moduleName = given["--module"];
    }
    if (given.count("--user")) request.userName = given["--user"];
    return request;
}

std::string exportUsage() {
    return "usage: quendal-export --style basic|nand|nor|mux|demux [--mux-size K] [--din 0|1]\n"
           "                      [--module NAME] [--user NAME]\n"
           "                      --format verilog|vhdl|json|svg|pdf|png|cir -o OUT IN\n";
}

}  // namespace quendal::cli
