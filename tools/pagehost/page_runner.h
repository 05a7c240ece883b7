#pragma once
// Runs a page: every script file in order in one engine, then OnEndPage for the started
// components, then the engine is closed and the modules named for it are checked for anything
// left alive. Returns the process exit code.
#include "command_line.h"

namespace pagehost {

int RunPage(const HostCommand& command);

}  // namespace pagehost
