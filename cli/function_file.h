#pragma once

#include <string>

#include "drawing/function_view.h"

namespace quendal::cli {

// A function file minimized as Simplify minimizes the same function entered
// on the work form: its 1 rows ticked as min-terms and its don't-care rows
// as don't-cares, with the default letters. The work form's own entry model
// makes the texts and the view, and the minimizer library answers with the
// rules and time limit of Qm.exe; the answer is checked as the work form
// checks it. The header texts are left empty.
struct MinimizedFile {
    drawing::FunctionView view;
    // Empty, or what is proven of a minimum not proven in time (one line,
    // as Qm.exe says it).
    std::string notProven;
};

// Throws qm::InputError (a file that cannot be read or is no function
// file, or a function without a 1 row, which the work form cannot
// simplify) or std::runtime_error, each with one line naming the file.
MinimizedFile minimizeFunctionFile(const std::string& path);

}  // namespace quendal::cli
