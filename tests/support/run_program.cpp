#include "tests/support/run_program.h"

#include <fcntl.h>
#include <stdio.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

extern char** environ;

namespace qmtest {

RunResult Run(const std::vector<std::string>& args, const RunOptions& options) {
  RunResult result;
  // Standard input from a file: the program may end before reading it.
  FILE* input = tmpfile();
  int outPipe[2], errPipe[2];
  if (!input || pipe2(outPipe, O_CLOEXEC | O_NONBLOCK) != 0 ||
      pipe2(errPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    ADD_FAILURE() << "pipe: " << strerror(errno);
    return result;
  }
  fwrite(options.input.data(), 1, options.input.size(), input);
  fflush(input);
  rewind(input);
  std::vector<std::string> argStore = args, envStore = options.env;
  if (argStore.empty()) argStore.push_back(options.program);
  for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
  std::vector<char*> argv, envp;
  for (auto& a : argStore) argv.push_back(a.data());
  for (auto& e : envStore) envp.push_back(e.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fileno(input), 0);
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    const auto limit = [](int resource, long long value) {
      const rlimit both{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
      if (setrlimit(resource, &both) != 0) _exit(125);
    };
    if (options.fileSizeLimit >= 0) limit(RLIMIT_FSIZE, options.fileSizeLimit);
    rlimit core{};
    getrlimit(RLIMIT_CORE, &core);
    limit(RLIMIT_CORE, options.coreDumps ? static_cast<long long>(core.rlim_max) : 0);
    if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(126);
    execve(options.program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  fclose(input);
  close(outPipe[1]);
  close(errPipe[1]);

  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<long>(options.timeoutSeconds * 1000));
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  char buf[65536];
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      kill(pid, SIGKILL);
      ADD_FAILURE() << "program timed out";
      break;
    }
    // Closed ends (fd < 0) are skipped by poll.
    poll(fds, 2, static_cast<int>(std::min<long>(left.count(), options.watch ? 10 : 1000)));
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !fds[i].revents) continue;
      const ssize_t r = read(fds[i].fd, buf, sizeof buf);
      if (r > 0) {
        sinks[i]->append(buf, static_cast<size_t>(r));
      } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
        close(fds[i].fd);
        fds[i].fd = -1;
      }
    }
    if (options.watch && (fds[0].fd >= 0 || fds[1].fd >= 0)) options.watch(pid, result.out);
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qmtest-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests may leave read-only folders behind; make them removable first.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
  }
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::string VectorsDir() { return QM_VECTORS_DIR; }

std::vector<std::vector<std::string>> ReadTsv(const std::string& name) {
  std::ifstream in(VectorsDir() + "/" + name);
  EXPECT_TRUE(in) << "missing known answers " << name;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (line.back() == '\t') fields.emplace_back();
    rows.push_back(fields);
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

Bytes FromHex(const std::string& hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

}  // namespace qmtest
