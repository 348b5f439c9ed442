#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "foundation/platform/platform.h"

namespace tarnwick::platform {
namespace {

std::atomic<int> g_calls{0};
std::atomic<uint32_t> g_lastEvent{99};

bool Recording(uint32_t event) {
  g_lastEvent = event;
  ++g_calls;
  return true;
}

bool WaitForCalls(int calls) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (g_calls.load() < calls && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return g_calls.load() >= calls;
}

ssize_t DrainInterruptPipe() {
  char bytes[16];
  return std::max<ssize_t>(read(ConsoleInterruptFd(), bytes, sizeof bytes), 0);
}

TEST(ConsoleSignals, EachSignalReachesTheHandlerAsItsEvent) {
  BlockConsoleSignals();
  ASSERT_EQ(InstallConsoleHandler(Recording), 0u);
  // Only Ctrl+C and a closed console end a console read.
  const struct { int sig; uint32_t event; ssize_t interruptBytes; } cases[] = {
      {SIGINT, 0, 1}, {SIGQUIT, 1, 0}, {SIGHUP, 2, 1}, {SIGTERM, 6, 0}, {SIGINT, 0, 1}};
  for (const auto& c : cases) {
    const int before = g_calls.load();
    ASSERT_EQ(kill(getpid(), c.sig), 0);
    ASSERT_TRUE(WaitForCalls(before + 1)) << "signal " << c.sig;
    EXPECT_EQ(g_lastEvent.load(), c.event) << "signal " << c.sig;
    EXPECT_EQ(DrainInterruptPipe(), c.interruptBytes) << "signal " << c.sig;
  }
  StopConsoleDispatch();
}

TEST(ConsoleSignals, NothingIsDispatchedAfterStopping) {
  BlockConsoleSignals();
  ASSERT_EQ(InstallConsoleHandler(Recording), 0u);
  StopConsoleDispatch();
  StopConsoleDispatch();
  const int before = g_calls.load();
  ASSERT_EQ(kill(getpid(), SIGINT), 0);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  const timespec wait = {5, 0};
  EXPECT_EQ(sigtimedwait(&set, nullptr, &wait), SIGINT);  // still pending
  EXPECT_EQ(g_calls.load(), before);
  EXPECT_EQ(DrainInterruptPipe(), 0);

  ASSERT_EQ(InstallConsoleHandler(Recording), 0u);  // dispatching starts again
  ASSERT_EQ(kill(getpid(), SIGHUP), 0);
  EXPECT_TRUE(WaitForCalls(before + 1));
  StopConsoleDispatch();
}

// A handler that declines leaves the signal its default action.
TEST(ConsoleSignalsDeathTest, DecliningHandlerLetsTheSignalEndTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (int sig : {SIGINT, SIGTERM}) {
    EXPECT_EXIT(
        {
          BlockConsoleSignals();
          InstallConsoleHandler([](uint32_t) { return false; });
          kill(getpid(), sig);
          alarm(10);  // a lost signal fails instead of hanging
          for (;;) pause();
        },
        ::testing::KilledBySignal(sig), "")
        << "signal " << sig;
  }
}

// Answers, in a child process, three words read after a Ctrl+C that came
// before the first question: 0 when they are as typed and the fourth
// read finds the end.
int ReadWordsAfterAnInterrupt() {
  BlockConsoleSignals();
  InstallConsoleHandler(Recording);
  kill(getpid(), SIGINT);
  pollfd pending = {ConsoleInterruptFd(), POLLIN, 0};
  if (poll(&pending, 1, 10000) != 1) return 2;
  const std::string typed = " y\n" + std::string(kMaxConsoleWordBytes + 10, 'n') + " yes\n";
  int fds[2];
  if (pipe(fds) != 0 || write(fds[1], typed.data(), typed.size()) != ssize_t(typed.size())) {
    return 3;
  }
  close(fds[1]);
  dup2(fds[0], 0);
  const bool asTyped = ReadConsoleWord() == L"y" &&
                       ReadConsoleWord() == std::wstring(kMaxConsoleWordBytes, L'n') &&
                       ReadConsoleWord() == L"yes" && ReadConsoleWord().empty();
  return asTyped ? 0 : 1;
}

// A Ctrl+C from before the question is no answer to it; a word longer
// than the cap is cut there, and the rest of it does not become the next.
TEST(ConsoleInputDeathTest, StaleInterruptsAndOverlongWords) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(_exit(ReadWordsAfterAnInterrupt()), ::testing::ExitedWithCode(0), "");
}

// A handler call that never returns (a cancellation waiting for a job
// stuck in a write) keeps no signal waiting behind it: the next one ends
// the process by its default action.
TEST(ConsoleSignalsDeathTest, SignalsDuringABlockedCallEndTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  static std::atomic<bool> blocked{false};
  for (int sig : {SIGINT, SIGTERM}) {
    EXPECT_EXIT(
        {
          BlockConsoleSignals();
          InstallConsoleHandler([](uint32_t) {
            blocked = true;
            for (;;) pause();
            return true;
          });
          alarm(10);  // a lost signal fails instead of hanging
          kill(getpid(), SIGINT);
          while (!blocked) usleep(1000);
          kill(getpid(), sig);
          for (;;) pause();
        },
        ::testing::KilledBySignal(sig), "")
        << "signal " << sig;
  }
}

}  // namespace
}  // namespace tarnwick::platform
