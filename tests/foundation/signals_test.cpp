#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "foundation/platform/signals.h"

namespace tarnwick::platform {
namespace {

std::atomic<int> g_calls{0};
std::atomic<uint32_t> g_lastEvent{99};

bool Recording(uint32_t event) {
  g_lastEvent = event;
  ++g_calls;
  return true;
}

bool Declining(uint32_t) { return false; }

bool WaitForCalls(int calls) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (g_calls.load() < calls) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

size_t DrainInterruptPipe() {
  char bytes[16];
  const ssize_t n = read(ConsoleInterruptFd(), bytes, sizeof bytes);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

TEST(ConsoleSignals, EachSignalReachesTheHandlerAsItsEvent) {
  BlockConsoleSignals();
  ASSERT_EQ(InstallConsoleHandler(Recording), 0u);
  ASSERT_GE(ConsoleInterruptFd(), 0);
  const struct {
    int sig;
    uint32_t event;
    size_t interruptBytes;  // only Ctrl+C and a closed console end a console read
  } cases[] = {{SIGINT, 0, 1}, {SIGQUIT, 1, 0}, {SIGHUP, 2, 1}, {SIGTERM, 6, 0}, {SIGINT, 0, 1}};
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
  StopConsoleDispatch();  // a second stop is harmless
  const int before = g_calls.load();
  ASSERT_EQ(kill(getpid(), SIGINT), 0);
  // The signal stays pending instead of reaching the handler.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  const timespec wait = {5, 0};
  EXPECT_EQ(sigtimedwait(&set, nullptr, &wait), SIGINT);
  EXPECT_EQ(g_calls.load(), before);
  EXPECT_EQ(DrainInterruptPipe(), 0u);

  // Dispatching can start again.
  ASSERT_EQ(InstallConsoleHandler(Recording), 0u);
  ASSERT_EQ(kill(getpid(), SIGHUP), 0);
  EXPECT_TRUE(WaitForCalls(before + 1));
  StopConsoleDispatch();
}

// A handler that declines leaves the signal its default action: the
// process ends by that signal.
TEST(ConsoleSignalsDeathTest, DecliningHandlerLetsTheSignalEndTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (int sig : {SIGINT, SIGTERM}) {
    EXPECT_EXIT(
        {
          BlockConsoleSignals();
          InstallConsoleHandler(Declining);
          kill(getpid(), sig);
          alarm(10);  // a lost signal fails instead of hanging
          for (;;) pause();
        },
        ::testing::KilledBySignal(sig), "")
        << "signal " << sig;
  }
}

}  // namespace
}  // namespace tarnwick::platform
