#include "foundation/platform/platform.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cwctype>
#include <iostream>
#include <locale>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

// The POSIX backend of the platform layer (Linux).
namespace tarnwick::platform {

// ---- System text: bytes and wide strings ----

namespace {

constexpr uint32_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF carry bytes 0x80..0xFF

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at the start of `s` and its code
// point, or 0 when the sequence is not valid (overlong, surrogate, beyond
// U+10FFFF, truncated).
size_t DecodeOne(std::string_view s, uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  size_t len;
  uint32_t min;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < len) return 0;
  for (size_t i = 1; i < len; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (!IsContinuation(c)) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Appends the bytes of one code point; false when it has none.
bool EncodeOne(std::string& out, uint32_t cp) {
  if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
    out.push_back(static_cast<char>(cp - kEscapeBase));
    return true;
  }
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  AppendUtf8(out, cp);
  return true;
}

}  // namespace

std::wstring DecodeSystemText(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    uint32_t cp = 0;
    size_t len = DecodeOne(bytes, cp);
    if (len == 0) {
      cp = kEscapeBase + static_cast<unsigned char>(bytes[0]);
      len = 1;
    }
    out.push_back(static_cast<wchar_t>(cp));
    bytes.remove_prefix(len);
  }
  return out;
}

std::string EncodeSystemText(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    if (!EncodeOne(out, static_cast<uint32_t>(wc))) {
      throw std::range_error("wide text holds a code point that UTF-8 cannot carry");
    }
  }
  return out;
}

std::string EncodeSystemTextLossy(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    if (!EncodeOne(out, static_cast<uint32_t>(wc))) out.push_back('?');
  }
  return out;
}

// ---- Case-insensitive comparison ----

namespace {

wint_t Fold(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wint_t>(c - L'A' + L'a');
  if (c < 0x80) return static_cast<wint_t>(c);
  return std::towlower(static_cast<wint_t>(c));
}

}  // namespace

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const wint_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// ---- Error messages ----

std::wstring ErrorMessage(uint32_t code) {
  const int number = static_cast<int>(code);
  // A number without a name is one the C library only calls "Unknown
  // error N" (in the message language): that is no message.
  if (number < 0 || strerrorname_np(number) == nullptr) return std::wstring();
  char buffer[256];
  // The GNU strerror_r answers a pointer that need not be `buffer`.
  const char* text = strerror_r(number, buffer, sizeof buffer);
  return text ? DecodeSystemText(text) : std::wstring();
}

// ---- Files and paths ----

namespace {

// Descriptor + 1, so that descriptor 0 is not mistaken for "no file".
FileHandle ToHandle(int fd) { return reinterpret_cast<FileHandle>(static_cast<intptr_t>(fd) + 1); }
int ToDescriptor(FileHandle file) { return static_cast<int>(reinterpret_cast<intptr_t>(file) - 1); }

// The bytes the kernel sees: the tidied path, encoded. EINVAL for a path
// no byte string can carry (it can name no file), ENOENT for one that
// cannot be made absolute.
int ToSystemPath(std::wstring_view path, std::string& bytes) {
  const std::wstring full = GetFullPath(std::wstring(path));
  if (full.empty()) return ENOENT;
  try {
    bytes = EncodeSystemText(full);
  } catch (const std::range_error&) {
    return EINVAL;
  }
  return 0;
}

int StatPath(const std::wstring& path, struct stat& st, bool followLinks) {
  std::string bytes;
  if (const int error = ToSystemPath(path, bytes)) return error;
  const int answer = followLinks ? stat(bytes.c_str(), &st) : lstat(bytes.c_str(), &st);
  return answer == 0 ? 0 : errno;
}

PathKind KindOf(const std::wstring& path, bool followLinks) {
  struct stat st;
  if (StatPath(path, st, followLinks) != 0) return PathKind::kNothing;
  return S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

// Share modes have no POSIX counterpart: other processes may read and
// write the file whatever we open it for, so none are asked for here.
int OpenPath(const wchar_t* path, int flags, int& fd) {
  std::string bytes;
  if (const int error = ToSystemPath(path != nullptr ? path : L"", bytes)) return error;
  do {
    fd = ::open(bytes.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd >= 0 ? 0 : errno;
}

// Closes a descriptor that failed a check, keeping the check's reason.
int Refuse(int fd, int error) {
  ::close(fd);
  return error;
}

// Grows the buffer until `fill` answers a length that fits; fill answers
// the length written, or -1 with errno set.
template <typename Fill>
std::wstring ReadGrowing(Fill fill) {
  for (size_t size = 256; size <= (size_t{1} << 24); size *= 2) {
    std::vector<char> buffer(size);
    const ssize_t n = fill(buffer.data(), buffer.size());
    if (n < 0 && errno != ERANGE) return {};
    if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
      return DecodeSystemText(std::string_view(buffer.data(), static_cast<size_t>(n)));
    }
  }
  return {};
}

std::wstring CurrentFolder() {
  std::wstring folder = ReadGrowing([](char* buffer, size_t size) -> ssize_t {
    if (getcwd(buffer, size) == nullptr) return -1;
    return static_cast<ssize_t>(std::char_traits<char>::length(buffer));
  });
  // Anything but an absolute path (an unreachable folder) cannot anchor one.
  if (folder.empty() || folder[0] != L'/') return {};
  return folder;
}

}  // namespace

int OpenForReading(const wchar_t* path, FileHandle& file, int64_t& size) {
  // Non-blocking: a FIFO without a writer would otherwise hang the open,
  // and with it Ctrl+C. Linux opens folders, pipes and devices readily, so
  // only what fstat calls a regular file is kept.
  int fd = -1;
  if (const int error = OpenPath(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, fd)) {
    return error;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) return Refuse(fd, errno);
  if (S_ISDIR(st.st_mode)) return Refuse(fd, EISDIR);
  if (!S_ISREG(st.st_mode)) return Refuse(fd, EINVAL);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Refuse(fd, errno);
  file = ToHandle(fd);
  size = static_cast<int64_t>(st.st_size);
  return 0;
}

int OpenForAppending(const wchar_t* path, FileHandle& file) {
  // O_APPEND stands for a seek to the end before every write, without the
  // gap between the two. New files are 0600: decrypted output is plaintext.
  int fd = -1;
  if (const int error = OpenPath(path, O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, fd)) {
    return error;
  }
  file = ToHandle(fd);
  return 0;
}

int CreateNewFile(const wchar_t* path, FileHandle& file) {
  // O_EXCL makes the check for "nothing there" and the creation one step:
  // a file or link planted after the caller looked is refused, never
  // written through.
  int fd = -1;
  const int error =
      OpenPath(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_APPEND | O_CLOEXEC | O_NOCTTY, fd);
  if (error == EEXIST && GetEntryKind(path) == PathKind::kFolder) return EISDIR;
  if (error != 0) return error;
  file = ToHandle(fd);
  return 0;
}

int ReadExact(FileHandle file, void* buffer, size_t count, size_t& done) {
  auto* at = static_cast<unsigned char*>(buffer);
  done = 0;
  while (done < count) {
    const ssize_t n = ::read(ToDescriptor(file), at + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

int WriteSome(FileHandle file, const void* buffer, size_t count, size_t& written) {
  ssize_t n;
  do {
    n = ::write(ToDescriptor(file), buffer, count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return errno;
  // A regular file never takes nothing of a non-empty write; if it did,
  // the caller's loop would spin.
  if (n == 0 && count > 0) return EIO;
  written = static_cast<size_t>(n);
  return 0;
}

void CloseFile(FileHandle file) {
  // Not retried on EINTR: Linux releases the descriptor either way.
  ::close(ToDescriptor(file));
}

PathKind GetPathKind(const std::wstring& path) { return KindOf(path, true); }

PathKind GetEntryKind(const std::wstring& path) { return KindOf(path, false); }

int RemoveFile(const std::wstring& path) {
  std::string bytes;
  if (const int error = ToSystemPath(path, bytes)) return error;
  struct stat st;
  if (lstat(bytes.c_str(), &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) return EPERM;
  return unlink(bytes.c_str()) == 0 ? 0 : errno;
}

int CreateDirectories(const std::wstring& path) {
  std::string bytes;
  if (const int error = ToSystemPath(path, bytes)) return error;
  // Every prefix that ends a step, from the top down.
  for (size_t i = 1; i <= bytes.size(); ++i) {
    if ((i < bytes.size() && bytes[i] != '/') || bytes[i - 1] == '/') continue;
    const std::string level = bytes.substr(0, i);
    struct stat st;
    if (stat(level.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return ENOTDIR;
      continue;
    }
    if (mkdir(level.c_str(), 0777) != 0) {
      const int error = errno;
      // Someone else may have made it meanwhile.
      if (error == EEXIST && stat(level.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
      return error;
    }
  }
  return 0;
}

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  struct stat first, second;
  return StatPath(a, first, true) == 0 && StatPath(b, second, true) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::wstring GetFullPath(const std::wstring& path) {
  if (path.empty()) return {};
  std::wstring joined = path;
  if (path[0] != L'/') {
    const std::wstring current = CurrentFolder();
    if (current.empty()) return {};
    joined = current + L"/" + path;
  }
  std::vector<std::wstring_view> steps;
  const std::wstring_view text(joined);
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(L'/', start);
    if (end == std::wstring_view::npos) end = text.size();
    const std::wstring_view step = text.substr(start, end - start);
    if (step == L"..") {
      if (!steps.empty()) steps.pop_back();
    } else if (!step.empty() && step != L".") {
      steps.push_back(step);
    }
    start = end + 1;
  }
  std::wstring full;
  for (const auto& step : steps) {
    full += L'/';
    full += step;
  }
  if (full.empty() || path.back() == L'/') full += L'/';
  return full;
}

std::wstring GetProgramFilePath() {
  return ReadGrowing([](char* buffer, size_t size) -> ssize_t {
    const ssize_t n = readlink("/proc/self/exe", buffer, size);
    // A result that fills the buffer may have been cut: ask for more room.
    if (n >= 0 && static_cast<size_t>(n) == size) {
      errno = ERANGE;
      return -1;
    }
    return n;
  });
}

// ---- The tick count ----

uint32_t TickCount() {
  timespec now{};
  // CLOCK_MONOTONIC cannot fail with a valid address; it ignores changes
  // of the wall clock, which would otherwise stall or rush the pacing.
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms =
      static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

// ---- Console output ----

WideConsole& WideConsole::operator<<(std::wstring_view text) {
  std::cout << EncodeSystemTextLossy(text);
  return *this;
}

WideConsole& WideOut() {
  static WideConsole console;
  return console;
}

// ---- Console input ----

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

// ---- Console signals ----

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

// ---- Locales ----

namespace {

struct CountryLocale {
  const char* name;
  const char* locale;
};

// Each country takes the language its name stood for in the help text's
// original setting (Belgium Dutch, Singapore Chinese, Norway Bokmål).
// clang-format off
constexpr CountryLocale kCountries[] = {
    {"aus", "en_AU.UTF-8"},         {"australia", "en_AU.UTF-8"},
    {"aut", "de_AT.UTF-8"},         {"austria", "de_AT.UTF-8"},
    {"bel", "nl_BE.UTF-8"},         {"belgium", "nl_BE.UTF-8"},
    {"bra", "pt_BR.UTF-8"},         {"brazil", "pt_BR.UTF-8"},
    {"can", "en_CA.UTF-8"},         {"canada", "en_CA.UTF-8"},
    {"china", "zh_CN.UTF-8"},       {"chn", "zh_CN.UTF-8"},
    {"pr-china", "zh_CN.UTF-8"},    {"cze", "cs_CZ.UTF-8"},
    {"czech", "cs_CZ.UTF-8"},       {"dnk", "da_DK.UTF-8"},
    {"denmark", "da_DK.UTF-8"},     {"fin", "fi_FI.UTF-8"},
    {"finland", "fi_FI.UTF-8"},     {"fra", "fr_FR.UTF-8"},
    {"france", "fr_FR.UTF-8"},      {"deu", "de_DE.UTF-8"},
    {"germany", "de_DE.UTF-8"},     {"grc", "el_GR.UTF-8"},
    {"greece", "el_GR.UTF-8"},      {"hkg", "zh_HK.UTF-8"},
    {"hong-kong", "zh_HK.UTF-8"},   {"hun", "hu_HU.UTF-8"},
    {"hungary", "hu_HU.UTF-8"},     {"iceland", "is_IS.UTF-8"},
    {"isl", "is_IS.UTF-8"},         {"irl", "en_IE.UTF-8"},
    {"ireland", "en_IE.UTF-8"},     {"ita", "it_IT.UTF-8"},
    {"italy", "it_IT.UTF-8"},       {"jpn", "ja_JP.UTF-8"},
    {"japan", "ja_JP.UTF-8"},       {"kor", "ko_KR.UTF-8"},
    {"korea", "ko_KR.UTF-8"},       {"mex", "es_MX.UTF-8"},
    {"mexico", "es_MX.UTF-8"},      {"nld", "nl_NL.UTF-8"},
    {"holland", "nl_NL.UTF-8"},     {"nzl", "en_NZ.UTF-8"},
    {"new-zealand", "en_NZ.UTF-8"}, {"nor", "nb_NO.UTF-8"},
    {"norway", "nb_NO.UTF-8"},      {"pol", "pl_PL.UTF-8"},
    {"poland", "pl_PL.UTF-8"},      {"prt", "pt_PT.UTF-8"},
    {"portugal", "pt_PT.UTF-8"},    {"rus", "ru_RU.UTF-8"},
    {"russia", "ru_RU.UTF-8"},      {"sgp", "zh_SG.UTF-8"},
    {"singapore", "zh_SG.UTF-8"},   {"svk", "sk_SK.UTF-8"},
    {"slovak", "sk_SK.UTF-8"},      {"esp", "es_ES.UTF-8"},
    {"spain", "es_ES.UTF-8"},       {"swe", "sv_SE.UTF-8"},
    {"sweden", "sv_SE.UTF-8"},      {"che", "de_CH.UTF-8"},
    {"switzerland", "de_CH.UTF-8"}, {"twn", "zh_TW.UTF-8"},
    {"taiwan", "zh_TW.UTF-8"},      {"tur", "tr_TR.UTF-8"},
    {"turkey", "tr_TR.UTF-8"},      {"gbr", "en_GB.UTF-8"},
    {"england", "en_GB.UTF-8"},     {"usa", "en_US.UTF-8"},
    {"america", "en_US.UTF-8"},
};
// clang-format on

// ASCII folding only: the names are ASCII, and the current locale may be
// Turkish, where 'I' does not fold to 'i'.
bool EqualsAsciiNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != b[i]) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

void SetUserDefaultLocale() { std::locale::global(std::locale("")); }

std::string MapLocaleName(const std::string& name) {
  for (const CountryLocale& country : kCountries) {
    if (EqualsAsciiNoCase(name, country.name)) return country.locale;
  }
  return name;
}

void SetGlobalLocale(const std::string& name) {
  std::locale::global(std::locale(MapLocaleName(name)));
}

// ---- The process ----

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
