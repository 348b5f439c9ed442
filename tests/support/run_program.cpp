#include "tests/support/run_program.h"

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

extern char** environ;

namespace qmtest {

namespace {

// All of a file written so far, read from its start.
std::string Contents(FILE* file) {
  std::string text;
  char buffer[65536];
  for (ssize_t n; (n = pread(fileno(file), buffer, sizeof buffer, text.size())) > 0;) {
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

}  // namespace

RunResult Run(const std::vector<std::string>& args, const RunOptions& options) {
  // Files for the standard streams: the program may end before it reads
  // its input, and what it writes can be read while it runs.
  FILE* const streams[3] = {tmpfile(), tmpfile(), tmpfile()};
  fwrite(options.input.data(), 1, options.input.size(), streams[0]);
  fflush(streams[0]);
  std::vector<std::string> argStore = args, envStore = options.env;
  for (char** e = environ; *e; ++e) envStore.emplace_back(*e);
  std::vector<char*> argv, envp;
  for (auto& a : argStore) argv.push_back(a.data());
  for (auto& e : envStore) envp.push_back(e.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    for (int fd = 0; fd < 3; ++fd) dup2(fileno(streams[fd]), fd);
    lseek(0, 0, SEEK_SET);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const auto limit = [](int resource, long long value) {
      const rlimit both{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
      if (setrlimit(resource, &both) != 0) _exit(125);
    };
    if (options.fileSizeLimit >= 0) limit(RLIMIT_FSIZE, options.fileSizeLimit);
    rlimit core{};
    getrlimit(RLIMIT_CORE, &core);
    limit(RLIMIT_CORE, static_cast<long long>(core.rlim_max));
    if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(126);
    execve(options.program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<long>(options.timeoutSeconds * 1000));
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      ADD_FAILURE() << "program timed out";
      waitpid(pid, &status, 0);
      break;
    }
    if (options.watch) options.watch(pid, Contents(streams[1]));
    usleep(options.watch ? 10000 : 2000);
  }
  RunResult result;
  result.out = Contents(streams[1]);
  result.err = Contents(streams[2]);
  for (FILE* stream : streams) fclose(stream);
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
  std::error_code ec;  // read-only folders are left only by tests run as root
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

const std::vector<CatalogueRow>& Catalogue() {
  static const std::vector<CatalogueRow> rows = [] {
    std::vector<CatalogueRow> read;
    for (const auto& r : ReadTsv("catalogue.tsv")) {
      read.push_back({static_cast<uint32_t>(std::stoul(r[0])), r[1], std::stoi(r[2]),
                      std::stoi(r[3]), static_cast<uint32_t>(std::stoul(r[4])),
                      static_cast<uint32_t>(std::stoul(r[5]))});
    }
    return read;
  }();
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
