#pragma once

namespace quendal::app {

class Shell;

// How the program sets up its application object before the first window:
// its name, the style the button feedback relies on, and that the shell,
// not the last closed window, decides when the program ends. Shared by
// main() and the drivers that start the real program in-process.
void prepareApplication();

// Ends the application's event loop when the shell has no window left.
void quitWhenFinished(Shell& shell);

}  // namespace quendal::app
