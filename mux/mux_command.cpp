#include "mux_command.h"

void runMuxCommand(QWidget*, QWidget*, DocumentHost&, const FunctionView&) {}
