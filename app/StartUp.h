#pragma once

namespace Pellwin {

// The whole program: greeting, command line, window, GL, the frame loop and shutdown.
// Returns the process exit status.
int runTolva(int argc, char** argv);

} // namespace Pellwin
