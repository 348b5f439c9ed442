#include "foundation/platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick::platform {

void PrepareProcess() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is `fd` itself, as the lower ones are open.
    const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
  // The memory holds the password, the key and plaintext. Not dumpable
  // also covers a core pattern that pipes to a program, which the limit
  // does not.
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

}  // namespace tarnwick::platform
