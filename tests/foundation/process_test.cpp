#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "foundation/platform/process.h"

namespace tarnwick::platform {
namespace {

bool IsNullDevice(int fd) {
  struct stat st, null;
  return fstat(fd, &st) == 0 && stat("/dev/null", &null) == 0 && st.st_rdev == null.st_rdev;
}

bool IsIgnored(int sig) {
  struct sigaction action {};
  return sigaction(sig, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

// Closed standard descriptors are taken by /dev/null, so the next file
// opened cannot become standard output.
TEST(ProcessDeathTest, ClosedStandardDescriptorsAreFilledAndSignalsIgnored) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        close(0);
        close(1);
        PrepareProcess();
        const bool ok = IsNullDevice(0) && IsNullDevice(1) && open("/dev/zero", O_RDONLY) > 2 &&
                        IsIgnored(SIGPIPE) && IsIgnored(SIGXFSZ);
        _exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tarnwick::platform
