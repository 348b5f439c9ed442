#include "foundation/platform/console_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "foundation/platform/signals.h"
#include "foundation/platform/text.h"

namespace tarnwick::platform {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The next byte of standard input; false at end of input, on a read error
// or when an interrupt arrives first.
bool ReadByte(char& c) {
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {ConsoleInterruptFd(), POLLIN, 0}};
  for (;;) {
    const int ready = poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[1].revents != 0) return false;
    const ssize_t n = read(STDIN_FILENO, &c, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return n == 1;
  }
}

// Interrupts from before the question are not answers to it.
void DrainInterrupts() {
  const int fd = ConsoleInterruptFd();
  if (fd < 0) return;
  pollfd pending = {fd, POLLIN, 0};
  char bytes[64];
  while (poll(&pending, 1, 0) > 0 && (pending.revents & POLLIN) != 0 &&
         read(fd, bytes, sizeof bytes) > 0) {
  }
}

}  // namespace

std::wstring ReadConsoleWord() {
  // Drained before the question shows: an interrupt after that answers it.
  DrainInterrupts();
  std::cout.flush();
  std::string word;
  char c;
  bool ok = ReadByte(c);
  while (ok && IsBlank(c)) ok = ReadByte(c);
  while (ok && !IsBlank(c)) {
    if (word.size() < kMaxConsoleWordBytes) word.push_back(c);
    ok = ReadByte(c);
  }
  return DecodeSystemText(word);
}

}  // namespace tarnwick::platform
