// The platform layer: system text, case folding, locales, files and paths,
// the tick count, the process set-up, console signals and console input.
#include "foundation/platform/platform.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <clocale>
#include <filesystem>
#include <locale>
#include <stdexcept>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

TEST(SystemText, Utf8RoundTripsAndForeignBytesEscape) {
  EXPECT_EQ(DecodeSystemText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), L"a\u00E9\u20AC\U0001F600");
  // A lone continuation byte, a truncated sequence, an overlong '/', an
  // encoded surrogate and a byte above F4: each byte escapes on its own.
  const std::string bytes = "x\x80y\xC3z\xC0\xAF\xED\xA0\x80\xFF";
  const std::wstring wide = DecodeSystemText(bytes);
  EXPECT_EQ(wide, std::wstring(L"x\xDC80y\xDCC3z\xDCC0\xDCAF\xDCED\xDCA0\xDC80\xDCFF"));
  // Every byte string comes back as typed: a password or a file name.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(EncodeSystemText(DecodeSystemText(all + "\xF0\x9F\x98")), all + "\xF0\x9F\x98");
  EXPECT_THROW(EncodeSystemText(L"\xD800"), std::range_error);
}

// Each test leaves the global locale (C++ and C) as it found it.
class GlobalLocale : public ::testing::Test {
 protected:
  void TearDown() override { std::locale::global(saved_); }

  // The C library's locale name and its printf form of 42.5.
  static std::string CState() {
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 42.5);
    return std::string(std::setlocale(LC_ALL, nullptr)) + " " + number;
  }

 private:
  const std::locale saved_;
};

TEST_F(GlobalLocale, SetsTheCLibraryLocaleTooAndFoldsCaseByIt) {
  ASSERT_NO_THROW(SetGlobalLocale("GERMANY"));
  EXPECT_EQ(CState(), "de_DE.UTF-8 42,5");
  ASSERT_NO_THROW(SetGlobalLocale("en_US.UTF-8"));
  EXPECT_EQ(CState(), "en_US.UTF-8 42.5");
  EXPECT_THROW(SetGlobalLocale("nosuch"), std::runtime_error);  // changes nothing
  EXPECT_EQ(CState(), "en_US.UTF-8 42.5");
  EXPECT_EQ(MapLocaleName("deu ") + MapLocaleName(""), "deu ");

  // ASCII letters fold by ASCII rules, though Turkish folds 'I' to a
  // dotless i; other letters fold by the locale.
  ASSERT_NO_THROW(SetGlobalLocale("tur"));
  EXPECT_EQ(CompareNoCase(L"/INPUTFILE", L"/inputfile"), 0);
  EXPECT_EQ(CompareNoCase(L"\u00C7\u00D6", L"\u00E7\u00F6"), 0);
  EXPECT_NE(CompareNoCase(L"\u0131", L"i"), 0);
  EXPECT_LT(CompareNoCase(L"abc", L"ABD"), 0);
  EXPECT_LT(CompareNoCase(L"ABC", L"abcd"), 0);

  // The user's default comes from the environment.
  ASSERT_EQ(setenv("LC_ALL", "de_CH.UTF-8", 1), 0);
  EXPECT_NO_THROW(SetUserDefaultLocale());
  EXPECT_EQ(CState(), "de_CH.UTF-8 42.5");
  ASSERT_EQ(setenv("LC_ALL", "xx_YY.UTF-8", 1), 0);
  EXPECT_THROW(SetUserDefaultLocale(), std::runtime_error);
  ASSERT_EQ(unsetenv("LC_ALL"), 0);
}

class FileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    qmtest::WriteFile(dir_ / "file", "data");
    fs::create_directory(dir_ / "folder");
    fs::create_symlink(dir_ / "folder", dir_ / "link-to-folder");
    fs::create_symlink(dir_ / "missing", dir_ / "dangling");
    ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  }
  std::wstring At(const std::string& name) const { return fs::path(dir_ / name).wstring(); }

  qmtest::TempDir dir_;
};

// Links are followed, or taken as what they are; ".." is textual.
TEST_F(FileSystem, KindsTellFilesFoldersAndNothingAndRemoveTakesOnlyFilesAndLinks) {
  using K = PathKind;
  const struct {
    std::string name;
    PathKind followed, entry;
  } cases[] = {
      {"file", K::kFile, K::kFile},           {"link-to-folder", K::kFolder, K::kFile},
      {"dangling", K::kNothing, K::kFile},    {"folder", K::kFolder, K::kFolder},
      {"missing", K::kNothing, K::kNothing},  {"file/x", K::kNothing, K::kNothing},
      {"missing/../file", K::kFile, K::kFile},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetPathKind(At(c.name)), c.followed) << c.name;
    EXPECT_EQ(GetEntryKind(At(c.name)), c.entry) << c.name;
  }
  EXPECT_EQ(CreateDirectories(At("missing/../made/deep/")), 0);
  EXPECT_TRUE(fs::is_directory(dir_ / "made/deep"));
  EXPECT_FALSE(qmtest::FileExists(dir_ / "missing"));

  // Remove takes files and links but nothing else. Tidied first: this is
  // the folder, not a file inside a missing one.
  EXPECT_EQ(RemoveFile(At("missing/../folder")), EISDIR);
  EXPECT_NE(RemoveFile(At("fifo")), 0);
  EXPECT_EQ(RemoveFile(At("missing")), ENOENT);
  EXPECT_TRUE(qmtest::FileExists(dir_ / "fifo"));
}

TEST(FullPath, NormalisesWithoutTouchingTheDisk) {
  const std::wstring here = fs::current_path().wstring();
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"/a/b/../c", L"/a/c"}, {L"/a/./b//c", L"/a/b/c"}, {L"/a/b/", L"/a/b/"},
      {L"/a/b/.", L"/a/b"},    {L"/../../x", L"/x"},      {L"//", L"/"},
      {L"./sub/", here + L"/sub/"}, {L"/a\\..\\b", L"/a\\..\\b"},
      {L"no/such/../../x", here + L"/x"},  // lexical: none of these folders exists
  };
  for (const auto& [path, full] : cases) EXPECT_EQ(GetFullPath(path), full) << path;
}

// Progress pacing relies on milliseconds: a count in seconds or
// microseconds would report far too seldom or far too often.
TEST(TickCount, CountsMilliseconds) {
  const uint32_t before = TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const uint32_t elapsed = TickCount() - before;
  EXPECT_GE(elapsed, 29u);
  EXPECT_LT(elapsed, 5000u);
}

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

std::atomic<int> g_calls{0};
std::atomic<uint32_t> g_lastEvent{99};

bool Recording(uint32_t event) {
  g_lastEvent = event;
  ++g_calls;
  return true;
}

bool WaitForCalls(int calls) {
  for (int i = 0; i < 10000 && g_calls.load() < calls; ++i) usleep(1000);
  return g_calls.load() >= calls;
}

ssize_t DrainInterruptPipe() {
  char bytes[16];
  return std::max<ssize_t>(read(ConsoleInterruptFd(), bytes, sizeof bytes), 0);
}

// Only Ctrl+C and a closed console end a console read; after stopping,
// signals wait unhandled.
TEST(ConsoleSignals, EachSignalReachesTheHandlerAsItsEventUntilStopped) {
  BlockConsoleSignals();
  ASSERT_EQ(InstallConsoleHandler(Recording), 0u);
  const struct {
    int sig;
    uint32_t event;
    ssize_t interruptBytes;
  } cases[] = {{SIGINT, 0, 1}, {SIGQUIT, 1, 0}, {SIGHUP, 2, 1}, {SIGTERM, 6, 0}, {SIGINT, 0, 1}};
  for (const auto& c : cases) {
    const int before = g_calls.load();
    ASSERT_EQ(kill(getpid(), c.sig), 0);
    ASSERT_TRUE(WaitForCalls(before + 1)) << "signal " << c.sig;
    EXPECT_EQ(g_lastEvent.load(), c.event) << "signal " << c.sig;
    EXPECT_EQ(DrainInterruptPipe(), c.interruptBytes) << "signal " << c.sig;
  }
  StopConsoleDispatch();
  const int before = g_calls.load();
  ASSERT_EQ(kill(getpid(), SIGINT), 0);
  usleep(100000);  // time for a dispatcher left running to take it
  EXPECT_EQ(g_calls.load(), before);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  const timespec now = {0, 0};
  EXPECT_EQ(sigtimedwait(&set, nullptr, &now), SIGINT);  // still pending
}

// A handler that declines leaves the signal its default action; so does
// a handler call that never returns (a cancellation waiting for a job
// stuck in a write) to the next signal, which never waits behind it.
TEST(ConsoleSignalsDeathTest, DeclinedOrBlockedHandlersLetSignalsEndTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  static std::atomic<bool> blocked{false};
  for (const bool block : {false, true}) {
    for (int sig : {SIGINT, SIGTERM}) {
      EXPECT_EXIT(
          {
            BlockConsoleSignals();
            InstallConsoleHandler(block ? +[](uint32_t) -> bool {
              blocked = true;
              for (;;) pause();
            } : +[](uint32_t) { return false; });
            alarm(10);  // a lost signal fails instead of hanging
            if (block) kill(getpid(), SIGINT);
            while (block && !blocked) usleep(1000);
            kill(getpid(), sig);
            for (;;) pause();
          },
          ::testing::KilledBySignal(sig), "")
          << "signal " << sig << (block ? " behind a blocked call" : "");
    }
  }
}

// In a child process: three words read after a Ctrl+C that came before
// the first question; 0 when they are as typed and a fourth read finds
// the end.
int ReadWordsAfterAnInterrupt() {
  alarm(10);  // an interrupt that ends nothing fails instead of hanging
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
  dup2(fds[0], 0);  // the writer stays open: only an interrupt ends the fourth read
  std::thread([] {
    usleep(100000);
    kill(getpid(), SIGINT);
  }).detach();
  const bool asTyped = ReadConsoleWord() == L"y" &&
                       ReadConsoleWord() == std::wstring(kMaxConsoleWordBytes, L'n') &&
                       ReadConsoleWord() == L"yes" && ReadConsoleWord().empty();
  StopConsoleDispatch();  // joins the handler's thread: ThreadSanitizer reports one left
  return asTyped ? 0 : 1;
}

// A Ctrl+C from before the question is no answer to it, one while it waits
// ends it; a word longer than the cap is cut there, and the rest of it does
// not become the next.
TEST(ConsoleInputDeathTest, StaleInterruptsAndOverlongWords) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(_exit(ReadWordsAfterAnInterrupt()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tarnwick::platform
