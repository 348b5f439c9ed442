#include "foundation/platform/signals.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace tarnwick::platform {
namespace {

struct InterruptPipe {
  int readFd = -1;
  int writeFd = -1;

  InterruptPipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
      readFd = fds[0];
      writeFd = fds[1];
    }
  }
};

const InterruptPipe& Pipe() {
  static const InterruptPipe pipe;
  return pipe;
}

struct Dispatcher {
  std::mutex mutex;    // guards thread, and call once thread has ended
  std::thread thread;  // waits for the signals
  // The handler call in progress, or the last one. Only the waiting thread
  // starts and joins it, and StopConsoleDispatch once that thread is gone.
  std::thread call;
  std::atomic<bool> calling{false};
  std::atomic<ConsoleHandler> handler{nullptr};
  std::atomic<bool> stopping{false};
};

// Never destroyed: a dispatcher still running at exit must not end the
// process through std::thread's destructor.
Dispatcher& State() {
  static Dispatcher* const dispatcher = new Dispatcher;
  return *dispatcher;
}

// Sent to the dispatching thread alone to wake it for stopping.
int WakeSignal() { return SIGRTMIN; }

sigset_t ConsoleSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : {SIGINT, SIGQUIT, SIGHUP, SIGTERM}) sigaddset(&set, sig);
  return set;
}

sigset_t WaitedSignals() {
  sigset_t set = ConsoleSignals();
  sigaddset(&set, WakeSignal());
  return set;
}

uint32_t EventOf(int sig) {
  switch (sig) {
    case SIGINT: return kConsoleCtrlC;
    case SIGQUIT: return kConsoleBreak;
    case SIGHUP: return kConsoleClosed;
    default: return kConsoleShutdown;
  }
}

// What would have happened without a handler.
void DefaultAction(int sig) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(sig, &action, nullptr);
  sigset_t one;
  sigemptyset(&one);
  sigaddset(&one, sig);
  pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
  raise(sig);
  pthread_sigmask(SIG_BLOCK, &one, nullptr);  // only when the process lives on
}

void CallHandler(int sig) {
  Dispatcher& state = State();
  const ConsoleHandler handler = state.handler.load();
  if (!handler || !handler(EventOf(sig))) DefaultAction(sig);
  state.calling.store(false);
}

// Each handler call runs on a thread of its own, as a console's do, so the
// waiting thread is free for the next signal while a call blocks (a
// cancellation waits for the job, which may wait for a stalled write).
// A signal that comes while a call is still in progress is not queued
// behind it: it ends the process by its default action.
void Dispatch(int sig) {
  if (sig == SIGINT || sig == SIGHUP) {
    const char byte = 1;
    // A full pipe already tells the reader enough.
    [[maybe_unused]] const ssize_t written = write(Pipe().writeFd, &byte, 1);
  }
  Dispatcher& state = State();
  if (state.calling.exchange(true)) {
    DefaultAction(sig);
    return;
  }
  if (state.call.joinable()) state.call.join();  // it has returned already
  try {
    state.call = std::thread(CallHandler, sig);
  } catch (const std::system_error&) {
    CallHandler(sig);  // no thread to be had: better late than never
  }
}

void WaitLoop() {
  const sigset_t set = WaitedSignals();
  Dispatcher& state = State();
  for (;;) {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) continue;
    if (state.stopping.load()) return;
    if (sig != WakeSignal()) Dispatch(sig);
  }
}

}  // namespace

void BlockConsoleSignals() {
  const sigset_t set = WaitedSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

uint32_t InstallConsoleHandler(ConsoleHandler handler) {
  Dispatcher& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.handler.store(handler);
  if (state.thread.joinable()) return 0;
  BlockConsoleSignals();
  Pipe();  // made before the first dispatch, never lazily on that thread
  state.stopping.store(false);
  try {
    state.thread = std::thread(WaitLoop);
  } catch (const std::system_error& e) {
    const sigset_t set = ConsoleSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    return static_cast<uint32_t>(e.code().value());
  }
  return 0;
}

void StopConsoleDispatch() {
  Dispatcher& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (!state.thread.joinable()) return;
  state.stopping.store(true);
  pthread_kill(state.thread.native_handle(), WakeSignal());
  state.thread.join();
  if (state.call.joinable()) state.call.join();
}

int ConsoleInterruptFd() { return Pipe().readFd; }

}  // namespace tarnwick::platform
