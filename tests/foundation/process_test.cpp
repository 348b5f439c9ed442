#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "foundation/platform/platform.h"

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
// opened cannot become standard output; no core file can be written.
TEST(ProcessDeathTest, ClosedStandardDescriptorsAreFilledSignalsIgnoredAndNoCore) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        close(0);
        close(1);
        PrepareProcess();
        rlimit core;
        core.rlim_cur = 1;
        const bool ok = IsNullDevice(0) && IsNullDevice(1) && open("/dev/zero", O_RDONLY) > 2 &&
                        IsIgnored(SIGPIPE) && IsIgnored(SIGXFSZ) &&
                        getrlimit(RLIMIT_CORE, &core) == 0 && core.rlim_cur == 0 &&
                        prctl(PR_GET_DUMPABLE) == 0;
        _exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tarnwick::platform
