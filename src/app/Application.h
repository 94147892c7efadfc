#pragma once

namespace kelvane {

// The composition root: the one place where the core, the platform layer and the windows are wired
// together. Runs the whole program and gives the process's exit status.
int RunApplication(int argc, char* argv[]);

} // namespace kelvane
