#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quendal::cli {

// What `quendal-export` is asked to write, read from its arguments.

// The drawing commands' choices: the Circuit command's three styles, the Mux
// command and the Demux command.
enum class Style { Basic, Nand, Nor, Mux, Demux };

enum class OutputFormat { Verilog, Vhdl, Json, Svg, Pdf, Png, Cir };

struct ExportRequest {
    Style style = Style::Basic;
    std::optional<int> muxSize;  // select lines k of a 2^k : 1 multiplexer; the dialog's preset
    int din = 1;                 // the demultiplexer's data input, as its dialog presets it
    std::string moduleName = "quendal_f";
    std::string userName;  // the drawing header's user
    OutputFormat format = OutputFormat::Svg;
    std::string outPath;
    std::string inPath;
};

// Arguments that do not make a request; the text is one line for the user.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the export's arguments (after the program name). Options take their
// value as the next argument and may come in any order; each at most once.
// Throws UsageError.
ExportRequest parseExportArguments(const std::vector<std::string>& args);

// The synopsis, for --help and after a usage error.
std::string exportUsage();

}  // namespace quendal::cli
