#pragma once

#include <cstdint>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace qmtest {

struct RunOptions {
  std::string program = QM_PROGRAM_PATH;  // the real quellmark by default
  std::string cwd;                        // empty: the test's own
  std::string input;                      // bytes on standard input (then EOF)
  std::vector<std::string> env;           // extra NAME=VALUE entries
  double timeoutSeconds = 60;
  long long fileSizeLimit = -1;  // largest file the program may write; -1: none
  // Called about every 10 ms while the program runs, with its process id
  // and its standard output so far (to send it signals at the right time).
  std::function<void(int pid, const std::string& out)> watch;
};

struct RunResult {
  int exitCode = -1;  // -1 when ended by a signal
  int signal = 0;     // the signal that ended it, or 0
  std::string out;    // standard output, bytes as written
  std::string err;    // standard error
};

// Runs a program with the given arguments (argv[0] is the program) and
// waits for it; kills it after the time-out and fails the test then. The
// core-file limit is raised as far as allowed: the program must lower it.
RunResult Run(const std::vector<std::string>& args, const RunOptions& options = {});

// A fresh temporary folder, removed with everything in it at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// The known answers, computed outside this code base (tests/data).
inline std::string VectorsDir() { return QM_VECTORS_DIR; }

using Bytes = std::vector<uint8_t>;

// The rows of a tab-separated known-answer file, without its title row.
std::vector<std::vector<std::string>> ReadTsv(const std::string& name);
Bytes FromHex(const std::string& hex);
inline Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The catalogue as published, written out by hand (catalogue.tsv). Block 0
// marks a stream cipher; hash is the SHA3 id (20 to 23) that turns a
// password into the key.
struct CatalogueRow {
  uint32_t id;
  std::string name;
  int32_t key, iv;
  uint32_t block, hash;
};
const std::vector<CatalogueRow>& Catalogue();

// Everything written to std::cout while `body` runs, wide texts included.
template <typename Body>
std::string CoutOf(Body body) {
  std::ostringstream sink;
  std::streambuf* const previous = std::cout.rdbuf(sink.rdbuf());
  body();
  std::cout.rdbuf(previous);
  return sink.str();
}

// The plaintexts of the known-answer files: byte i is (i * 13 + 5) mod 256.
inline std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 13 + 5) & 0xFF);
  return bytes;
}

}  // namespace qmtest
