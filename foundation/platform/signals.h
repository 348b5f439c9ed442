#pragma once

#include <cstdint>

namespace tarnwick::platform {

// Console events, numbered as a console control handler receives them.
enum ConsoleEvent : uint32_t {
  kConsoleCtrlC = 0,     // SIGINT
  kConsoleBreak = 1,     // SIGQUIT
  kConsoleClosed = 2,    // SIGHUP
  kConsoleShutdown = 6,  // SIGTERM
};

// Answers true when it handled the event; false lets the signal's default
// action follow (for these four signals: the process ends).
using ConsoleHandler = bool (*)(uint32_t event);

// Blocks the console signals in the calling thread. Call it first thing in
// main, before any other thread starts: threads inherit the mask, so the
// signals reach only the dispatching thread.
void BlockConsoleSignals();

// Installs `handler` and starts the one thread that waits for the console
// signals; each handler call runs on a thread of its own, so a call that
// blocks never holds up the next signal. A signal that arrives while a call
// is still in progress takes its default action (the process ends). Answers
// 0, or the error number when the thread could not be started; the signals
// are then unblocked again and keep their default action. A second call
// only replaces the handler.
uint32_t InstallConsoleHandler(ConsoleHandler handler);

// Ends the dispatching and waits for a handler call in progress: no handler
// runs after this returns. Signals that arrive later stay blocked.
void StopConsoleDispatch();

// Read end of a non-blocking pipe that receives one byte each time Ctrl+C or
// a closed console is dispatched (before the handler is called), so a
// blocking console read can poll it together with standard input. The bytes
// stay until read. -1 when the pipe could not be made.
int ConsoleInterruptFd();

}  // namespace tarnwick::platform
