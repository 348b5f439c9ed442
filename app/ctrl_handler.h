#pragma once

#include <cstdint>

// The console control handler, called on the signal-dispatching thread with
// the console event (foundation/platform/signals.h). Ctrl+C and a closed
// console cancel the running job and count as handled (true); every other
// event is left to its default action (false).
bool ConsoleCtrlHandler(uint32_t ctrlType);
