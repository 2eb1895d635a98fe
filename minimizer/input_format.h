#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "logic/function.h"

namespace qm {

// A problem with the input or output files. The message is one line that names the file and,
// where it applies, the line number.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the text of an input file: lines of one width (1 to 8 columns) holding "0", "1" and
// "-", each optionally followed by a lower-case "d" (a don't-care line). Lines end with CR LF or
// LF, the last one with or without a line end; empty lines after the last code line are only
// line ends. A row that is both on and don't-care counts as on. Everything else is refused with
// the line number: an empty line before a code line, an upper-case "D", spaces, tabs, a
// byte-order mark, NUL or other bytes, a "d" before the end, a lone CR. `fileName` is only used
// in messages. Throws InputError.
logic::Function parseFunction(std::string_view text, std::string_view fileName);

// The output text for a cover: one code per line in the output order, CR LF line ends.
// An empty cover gives an empty text.
std::string formatCover(std::vector<logic::Cube> cover, int width);

}  // namespace qm
