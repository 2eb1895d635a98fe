#include "demux_command.h"

void runDemuxCommand(QWidget*, QWidget*, DocumentHost&, Prompts&, const FunctionView&) {}
