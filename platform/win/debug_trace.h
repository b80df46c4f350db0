// Routes the program's debug lines to the Windows debugger output.
#pragma once

namespace ventrio {

void InstallDebugOutputTrace();

}  // namespace ventrio
