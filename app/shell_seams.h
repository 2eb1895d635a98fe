#pragma once

class Clock;
class FileDialogs;
class MinimizerLauncher;
class Prompts;

// What the shell's forms reach the world through. A null entry means the
// real thing (message boxes, the system clock, the standard dialogs, the
// minimizer program); tests fill in scripted ones.
struct ShellSeams {
    Prompts* prompts = nullptr;
    const Clock* clock = nullptr;
    FileDialogs* fileDialogs = nullptr;
    MinimizerLauncher* launcher = nullptr;
};
