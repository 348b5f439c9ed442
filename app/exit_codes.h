#pragma once

namespace thisapp {

// The process exit codes, as the help text lists them.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitInvalidCommandLine = 1,
  kExitInputNotDefined = 2,
  kExitInputNotFound = 3,
  kExitUndefinedAlgorithm = 4,
  kExitInvalidAlgorithm = 5,
  kExitOutputExists = 6,
  kExitJobFailed = 7,
};

}  // namespace thisapp
