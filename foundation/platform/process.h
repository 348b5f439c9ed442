#pragma once

namespace tarnwick::platform {

// Makes the process safe to run before anything else happens:
// - standard descriptors 0, 1 and 2 that are closed at start are opened on
//   /dev/null, so a file opened later never takes their place (console
//   lines would otherwise land in the output file);
// - SIGPIPE and SIGXFSZ are ignored, so writing to a closed pipe or past a
//   file-size limit fails with an error instead of killing the process;
// - no core file is ever written: the core-file limit is 0 and the process
//   is marked not dumpable.
void PrepareProcess();

}  // namespace tarnwick::platform
