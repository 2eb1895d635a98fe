#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/export_options.h"
#include "common/clock.h"
#include "drawing/function_view.h"

namespace quendal::cli {

// The date and time of the drawing header: SOURCE_DATE_EPOCH (seconds since
// 1970, read as UTC) when the environment sets it, so that a script's output
// does not depend on when it ran; otherwise the local time now. Throws
// UsageError for a SOURCE_DATE_EPOCH that is no such number.
common::LocalDateTime headerDateTime(const char* sourceDateEpoch);

// The caption File > Export titles a PDF or SVG with: the first document of
// the style's series in a new session ("Circuit 1", "Mux 1", "Demux 1").
std::string documentTitle(Style style);

// Writes the request's output exactly as File > Export (or File > Save for
// a circuit file) writes it for the same drawing: drawn by the drawing
// command of its style with the dialog's choice, on a document canvas.
// Throws std::runtime_error with a message for the user; OUT is then left as
// it was.
void writeExport(const ExportRequest& request, const drawing::FunctionView& function);

// The whole export: reads the arguments, minimizes IN, writes OUT. A failure
// is one line on `err` and a non-zero status; a note that the minimum is not
// proven is a line on `err` too, with status 0, since OUT holds a correct
// circuit.
int runExport(const std::vector<std::string>& args, std::ostream& err);

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // bad input, or OUT could not be written
inline constexpr int kExitUsage = 2;   // arguments that make no request

}  // namespace quendal::cli
