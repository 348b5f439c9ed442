#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The platform layer: everything the program asks of the operating
// system, behind one narrow interface. Each system has one backend file
// (platform_posix.cpp), which the build picks; nothing above this header
// sees the system. Operations that can fail answer 0 or the system's error
// number (an errno value); queries answer a value that has room for
// "nothing there" (PathKind::kNothing, an empty text).
namespace tarnwick::platform {

// ---- System text: bytes and wide strings ----

// The one conversion between the system's bytes (arguments, file names,
// console, password) and wide strings, whatever the locale: UTF-8, where a
// byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC80 + (byte - 0x80) and turns back into that byte. Every byte string
// survives the round trip, so every file name stays reachable.
std::wstring DecodeSystemText(std::string_view bytes);

// Throws std::range_error for a code point UTF-8 cannot carry (above
// U+10FFFF, or a surrogate that is not an escaped byte).
std::string EncodeSystemText(std::wstring_view text);

// For console output only: code points that cannot be encoded become '?'.
std::string EncodeSystemTextLossy(std::wstring_view text);

// ---- Case-insensitive comparison ----

// Case-insensitive comparison of wide texts (<0, 0, >0): ASCII letters fold
// by ASCII rules whatever the locale (so 'I' matches 'i' under a Turkish
// locale too), other letters by the C library's current locale.
int CompareNoCase(std::wstring_view a, std::wstring_view b);

// ---- Error messages ----

// The C library's message for an error number, untrimmed; empty for a
// number that has no message of its own.
std::wstring ErrorMessage(uint32_t code);

// ---- Files and paths ----

// Every path is tidied by GetFullPath before the system sees it, as the
// Windows calls do: "." steps go, ".." removes the step before it, so a
// ".." after a missing or linked folder means the textual parent. The
// checks made on a path and the file then opened are thus the same one.

// An open file as this layer hands it out. Null is "no file" for every
// file, the first descriptor included.
using FileHandle = void*;
inline constexpr FileHandle kNoFile = nullptr;

// Opens an existing regular file for reading and tells its size; any other
// kind is refused at once, without blocking (a folder: EISDIR, a pipe or a
// device: EINVAL).
int OpenForReading(const wchar_t* path, FileHandle& file, int64_t& size);

// Opens a file for reading and writing where every write goes to its end;
// created readable and writable by the owner only when missing, an
// existing one is never truncated.
int OpenForAppending(const wchar_t* path, FileHandle& file);

// Creates a new file, readable and writable by the owner only, where every
// write goes to its end. Whatever stands at the path already is refused
// and left as it is: EEXIST for a file, a link (dangling or not, never
// followed), a pipe or a device; EISDIR for a folder.
int CreateNewFile(const wchar_t* path, FileHandle& file);

// Reads exactly `count` bytes, asking again while the system hands out
// fewer. A file that ends first (it shrank) fails with EIO. `done` is how
// many bytes were taken from the file, on failure too.
int ReadExact(FileHandle file, void* buffer, size_t count, size_t& done);

// One write, which may take fewer bytes than asked; `written` is how many.
int WriteSome(FileHandle file, const void* buffer, size_t count, size_t& written);

void CloseFile(FileHandle file);

// What stands at a path. Anything that is not a folder counts as a file
// (a pipe, a device, and a link itself when links are not followed).
// kNothing also when the path cannot be examined.
enum class PathKind { kNothing, kFile, kFolder };

// Links are followed to what they name; a dangling one names nothing.
PathKind GetPathKind(const std::wstring& path);
// The entry itself: a link is a file, whatever it points to.
PathKind GetEntryKind(const std::wstring& path);

// Removes a regular file, or a symbolic link itself (never its target).
// Anything else is refused: a folder with EISDIR, a device, a pipe or a
// socket with EPERM, since a device node must survive whoever runs the
// program.
int RemoveFile(const std::wstring& path);

// Creates every missing level of a folder path; 0 also when the folder
// exists already.
int CreateDirectories(const std::wstring& path);

// Both paths name the same file (same device and inode), links followed.
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// The path made absolute without touching the disk: a relative path is
// joined to the current folder, "." and empty steps are dropped and ".."
// steps remove the step before them but never climb above the root. A
// trailing '/' is kept, so the path still names only a folder; a trailing
// "/." is dropped like any other "." step. Empty when the path is empty or
// the current folder is unknown.
std::wstring GetFullPath(const std::wstring& path);

// Full path of the running program file (links resolved by the kernel);
// empty when it cannot be found.
std::wstring GetProgramFilePath();

// ---- The tick count ----

// Milliseconds of a monotonic clock, cut to 32 bits: it wraps about every
// 49.7 days, so compare tick counts in unsigned 32-bit arithmetic.
uint32_t TickCount();

// ---- Console output ----

// The wide console stream. Narrow texts go to std::cout; wide texts come
// here and are written, converted, through std::cout too, so both reach
// standard output in call order. Nothing writes to std::wcout.
class WideConsole {
 public:
  WideConsole& operator<<(std::wstring_view text);
  WideConsole& operator<<(const wchar_t* text) { return *this << std::wstring_view(text); }
  WideConsole& operator<<(const std::wstring& text) { return *this << std::wstring_view(text); }
};

WideConsole& WideOut();

// ---- Console input ----

// Flushes std::cout (a question without a line end must show), then reads
// one word from standard input: leading white space is skipped and the
// word ends at the next white space. End of input, a read error or a
// console interrupt (Ctrl+C, a closed terminal) while waiting ends the
// word where it stands; interrupts from before the call do not count.
// Nothing read gives an empty text. The bytes are converted with
// DecodeSystemText. Words are cut to kMaxConsoleWordBytes; the rest of a
// longer word is read and dropped.
constexpr size_t kMaxConsoleWordBytes = 4096;

std::wstring ReadConsoleWord();

// ---- Console signals ----

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

// ---- Locales ----

// Setting the global locale here sets the C library's locale too, so
// printf-style number formatting and towlower follow it; streams that exist
// already keep the locale they were made with.

// Makes the user's default locale (from the environment; "C" when none is
// set) the global locale. Throws std::runtime_error when the environment
// names a locale that is not installed.
void SetUserDefaultLocale();

// The locale that a "/locale" name stands for: a country name of the help
// text ("deu", "germany", ... case ignored) gives that country's UTF-8
// locale ("de_DE.UTF-8"); any other name comes back as it is.
std::string MapLocaleName(const std::string& name);

// Makes the locale of MapLocaleName(name) the global locale. Throws
// std::runtime_error when it is not installed.
void SetGlobalLocale(const std::string& name);

// ---- The process ----

// Makes the process safe to run before anything else happens:
// - standard descriptors 0, 1 and 2 that are closed at start are opened on
//   /dev/null, so a file opened later never takes their place (console
//   lines would otherwise land in the output file);
// - SIGPIPE and SIGXFSZ are ignored, so writing to a closed pipe or past a
//   file-size limit fails with an error instead of killing the process;
// - no core file is ever written: the core-file limit is 0 and the process
//   is marked not dumpable.
void PrepareProcess();

}  // namespace tarnwick::platform
