#pragma once

#include "app/command_line.h"
#include "app/encrypt_data.h"

namespace thisapp {

// The main flow after the algorithm checks: paths, the existing output,
// the job header, then the job itself. `job` holds the algorithm and the
// flags; the answer is the exit code.
int RunJobFlow(const SCommandLine& commandLine, SEncryptData& job);

}  // namespace thisapp
