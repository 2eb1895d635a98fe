#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "logic/cube.h"
#include "logic/function.h"

namespace logic {

// Most outputs a PLA may have here: a product's outputs are kept as bits of a 32-bit mask.
inline constexpr int kMaxPlaOutputs = 32;

// A malformed PLA text: the line it was found on (1-based; past the last line for what is
// missing at the end) and the reason, in words.
class PlaError : public std::runtime_error {
public:
    PlaError(int line, const std::string& reason)
        : std::runtime_error("line " + std::to_string(line) + ": " + reason),
          line_(line),
          reason_(reason) {}
    int line() const { return line_; }
    const std::string& reason() const { return reason_; }

private:
    int line_;
    std::string reason_;
};

// One product row: its input cube and one character per output, '1', '0', '-' or '~'.
struct PlaRow {
    Cube input;
    std::string outputs;
    int line = 0;  // where it was read (0 for a row made in memory)
};

// A two-level multi-output function in the Berkeley PLA format, as read: the header, the rows in
// file order and the comment lines (without their '#').
struct Pla {
    int inputs = 0;
    int outputs = 0;
    std::vector<std::string> inputNames;   // empty, or one per input (.ilb)
    std::vector<std::string> outputNames;  // empty, or one per output (.ob)
    // f, fd, fr, fdr, r or dr; empty when the file gives none, which means fd.
    std::string type;
    std::vector<PlaRow> rows;
    std::vector<std::string> comments;
};

// Reads a PLA text: comments (#), .i, .o, .ilb, .ob, .p, .type and .e (or .end; what follows it
// is not read), rows of input characters 0, 1, - and output characters 1, 0, -, ~, with or
// without spaces between them. At most kMaxWidth inputs and kMaxPlaOutputs outputs. Lines end
// with LF or CR LF. Anything else is refused whole, with the line and the reason: a PlaError.
Pla parsePla(std::string_view text);

// The PLA text of `pla`: its comments, header, .p with the row count, the rows, ".e", LF line
// ends. parsePla reads it back as it was.
std::string formatPla(const Pla& pla);

// The function of each output. A '1' is in the on-set when the type has f, a '-' in the
// don't-care set when it has d, a '0' in the off-set when it has r; '~' and characters the type
// does not read say nothing. The set the type leaves out is the rest of the table: the off-set
// for f and fd, the on-set for r and dr, the don't-cares for fr and fdr. A row in both the on-set
// and the don't-cares is a don't-care, as espresso reads it; a row both on and off, or a
// don't-care and off, is refused with the line that made it so (PlaError).
std::vector<Function> plaFunctions(const Pla& pla);

// The display name of output `index` (0-based): its .ob name, else "Y<index>".
std::string plaOutputName(const Pla& pla, int index);

}  // namespace logic
