#pragma once

namespace quendal::common {
class Clock;
class FileDialogs;
class MinimizerLauncher;
class Prompts;
}  // namespace quendal::common

namespace quendal::app {

// What the shell's forms reach the world through. A null entry means the
// real thing (message boxes, the system clock, the standard dialogs, the
// minimizer program); tests fill in scripted ones.
struct ShellSeams {
    common::Prompts* prompts = nullptr;
    const common::Clock* clock = nullptr;
    common::FileDialogs* fileDialogs = nullptr;
    common::MinimizerLauncher* launcher = nullptr;
};

}  // namespace quendal::app
