#pragma once

namespace quendal::common {

class Prompts;

// Logout and Exit close every drawing. With every drawing saved they behave
// as they always have (Exit asks "Are you sure you want to Exit ?", Logout
// asks nothing); with drawings not saved the question says how many and
// defaults to No. Returns true to go on closing.
enum class ClosingCommand { Logout, Exit };

bool confirmClosing(Prompts& prompts, ClosingCommand command, int unsavedDrawings);

}  // namespace quendal::common
