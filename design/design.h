#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/function.h"
#include "logic/pla.h"

namespace quendal::design {

inline constexpr int kMaxInputs = 8;
inline constexpr int kMaxOutputs = 8;

// A multi-output design: named inputs and outputs and a truth table, one cell per row and output,
// '1', '0' or 'x' (don't-care). Row r has the inputs of r's binary digits, the first input the
// most significant.
struct Design {
    std::vector<std::string> inputNames = {"A", "B", "C"};
    std::vector<std::string> outputNames = {"Y0"};
    std::vector<std::string> rows = std::vector<std::string>(8, "0");  // rows[r][j]

    int inputs() const { return static_cast<int>(inputNames.size()); }
    int outputs() const { return static_cast<int>(outputNames.size()); }
    friend bool operator==(const Design&, const Design&) = default;
};

// The default names: A, B, ... for inputs and Y0, Y1, ... for outputs.
std::string defaultInputName(int index);
std::string defaultOutputName(int index);

// The design with `inputs` and `outputs` (each 1 to 8): names and cells that still fit are kept,
// new names are the defaults, new cells 0.
Design resized(const Design& design, int inputs, int outputs);

// Why a name cannot be used (a letter or '_' first, then letters, digits and '_', at most 16;
// unique among the design's names), or nothing.
std::optional<std::string> nameProblem(const std::vector<std::string>& names, std::size_t index);

// The cell a typed text means: "1", "0", "x", "X" or "-" (the PLA's don't-care); nothing for
// anything else.
std::optional<char> cellOf(const std::string& text);

// Pasted text: lines of cells separated by tabs or commas, as a spreadsheet copies them. Fills
// the design from row `row` and output `column` on; refused whole, with the row, the output and
// the reason, when a cell is not 1, 0 or x or the block does not fit.
struct PasteResult {
    std::optional<Design> design;
    std::string problem;
};
PasteResult pasted(const Design& design, const std::string& text, int row, int column);

// One function per output (on-set the 1 cells, don't-cares the x cells).
std::vector<logic::Function> outputFunctions(const Design& design);

// The PLA of a design: .ilb, .ob, type fd, one row per table row, and a first comment line that
// marks it as Quendal's (with the preset it started from, if any).
logic::Pla designPla(const Design& design, const std::string& preset = {});

// The design a PLA describes: every row's cell from the PLA's functions (1 on, x don't-care,
// else 0), names from .ilb and .ob or the defaults. Refuses (a reason) more than 8 outputs and
// names that are not valid here.
struct DesignRead {
    std::optional<Design> design;
    std::string preset;  // from Quendal's comment line
    std::string problem;
};
DesignRead designOfPla(const logic::Pla& pla);

// The presets of the design window: BCD to 7-segment (rows 10 to 15 don't-care), full adder,
// 2-bit comparator, BCD to excess-3, binary to Gray, Gray to binary, 2-bit multiplier.
struct Preset {
    std::string key;    // as written in the settings comment
    std::string title;  // as shown
};
const std::vector<Preset>& presets();
Design presetDesign(const std::string& key);

}  // namespace quendal::design
