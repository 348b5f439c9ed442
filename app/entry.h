#pragma once

#include "app/command_line.h"
#include "app/encrypt_data.h"

// The program's entry, called by main with the converted arguments; its
// answer is the process exit code (0 to 7).
int wmain(int argc, wchar_t* argv[]);

namespace thisapp {

// The job record as far as the command line fills it; the algorithm and
// the paths come later.
SEncryptData MakeJobRecord(const SCommandLine& commandLine);

// The main flow after the algorithm checks: paths, the existing output,
// the job header, then the job itself on the worker of g_encryptor, while
// the progress line is rewritten, and the closing lines. `job` holds the
// algorithm and the flags; the answer is the exit code.
int RunJobFlow(const SCommandLine& commandLine, SEncryptData& job);

}  // namespace thisapp
