// Whole jobs through the real program: every algorithm there and back,
// larger files, and the encrypted files computed outside this code base.
#include <cctype>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/alg_info.h"
#include "tests/e2e/job_run_support.h"
#include "tests/support/run_program.h"

namespace {

using qmjob::JobHeader;
using qmjob::Quellmark;
using qmjob::ShowsJob;
using qmjob::SuccessEnd;

constexpr size_t kHeaderBytes = 56;

// Test names take letters and digits only.
std::string TestName(std::string text) {
  for (char& c : text) {
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return text;
}

// An empty input gives an empty file, without a header.
size_t CipherSize(uint32_t algorithmId, size_t plainSize) {
  if (plainSize == 0) return 0;
  const uint32_t block = tarnwick::cryptopp::AlgInfo().GetInfo(algorithmId).blockSize;
  const size_t total = kHeaderBytes + plainSize;
  return block == 0 ? total : (total + block - 1) / block * block;
}

// Encrypts `in` to `enc`, decrypts that to `dec` and checks both runs and
// the bytes that come back.
void RoundTrip(const std::string& algorithm, const std::string& password, const std::string& in,
               const std::string& enc, const std::string& dec) {
  qmtest::RunResult r =
      Quellmark({"/encrypt", "/i", in, "/o", enc, "/alg", algorithm, "/password", password});
  EXPECT_EQ(r.exitCode, 0) << algorithm;
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(true, algorithm, in, enc), SuccessEnd(true, "in.bin")));

  r = Quellmark({"/decrypt", "/i", enc, "/o", dec, "/alg", algorithm, "/password", password});
  EXPECT_EQ(r.exitCode, 0) << algorithm;
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(false, algorithm, enc, dec),
                       SuccessEnd(false, enc.substr(enc.rfind('/') + 1))));
  EXPECT_EQ(qmtest::ReadFile(dec), qmtest::ReadFile(in)) << algorithm;
}

class EveryAlgorithm : public ::testing::TestWithParam<size_t> {};

TEST_P(EveryAlgorithm, RoundTripsThroughTheProgram) {
  const size_t index = GetParam();
  const uint32_t id = tarnwick::cryptopp::AlgorithmTable[index].algorithmId;
  const std::string name = tarnwick::cryptopp::GetAlgorithmNameA(id);
  qmtest::TempDir dir;
  // Sizes across block and header boundaries; passwords with and without
  // non-ASCII letters, one empty.
  const size_t size = 1 + index * 7;
  const std::string password = index == 0 ? "" : index % 2 ? "p\xC3\xA4sswort \xE2\x82\xAC" : "pw";
  const std::string plain = qmjob::Pattern(size, static_cast<unsigned>(id));
  qmtest::WriteFile(dir / "in.bin", plain);

  RoundTrip(name, password, dir / "in.bin", dir / "out.enc", dir / "out.dec");
  const std::string cipher = qmtest::ReadFile(dir / "out.enc");
  EXPECT_EQ(cipher.size(), CipherSize(id, size));
  EXPECT_EQ(cipher.find(plain), std::string::npos) << "plaintext stored in clear";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryAlgorithm, ::testing::Range<size_t>(0, 54),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           return TestName(tarnwick::cryptopp::GetAlgorithmNameA(
                               tarnwick::cryptopp::AlgorithmTable[info.param].algorithmId));
                         });

TEST(WholeJob, LargerFilesRoundTrip) {
  const struct {
    const char* algorithm;
    size_t size;
  } cases[] = {
      {"AES-256", 3u << 20},
      {"Salsa20-128", (5u << 20) + 3},
      {"SHACAL2-512", (3u << 20) - 1},
      {"Blowfish-448", 0},
  };
  for (const auto& c : cases) {
    qmtest::TempDir dir;
    qmtest::WriteFile(dir / "in.bin", qmjob::Pattern(c.size, 7));
    RoundTrip(c.algorithm, "secret", dir / "in.bin", dir / "in.bin.enc", dir / "back.bin");
    const uint32_t id = tarnwick::cryptopp::FindAlgorithmByName(
        std::wstring(c.algorithm, c.algorithm + strlen(c.algorithm))).algorithmId;
    EXPECT_EQ(qmjob::FileSize(dir / "in.bin.enc"), static_cast<long long>(CipherSize(id, c.size)))
        << c.algorithm;
  }
}

TEST(WholeJob, SaltedFilesDecryptAndDefaultNamesAreUsed) {
  qmtest::TempDir dir;
  const std::string in = dir / "in.bin";
  qmtest::WriteFile(in, qmjob::Pattern(1000, 3));
  qmtest::RunResult r = Quellmark({"/enc", "/i", in, "/a", "Twofish-256", "/psw", "x", "/usesalt"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out,
                       qmjob::Banner() + "Generated output file: '" + in + ".enc'.\r\n" +
                           JobHeader(true, "Twofish-256", in, in + ".enc").substr(
                               qmjob::Banner().size()),
                       SuccessEnd(true, "in.bin")));

  r = Quellmark({"/dec", "/i", in + ".enc", "/a", "twofish-256", "/psw", "x"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(qmtest::ReadFile(in + ".enc.dec"), qmtest::ReadFile(in));
}

struct VectorFile {
  std::string file, algorithm, password, plaintext;
};

void PrintTo(const VectorFile& v, std::ostream* out) { *out << v.file; }

std::vector<VectorFile> VectorFiles() {
  std::vector<VectorFile> rows;
  std::ifstream table(qmtest::VectorsDir() + "/files.tsv");
  std::string line;
  std::getline(table, line);  // column names
  while (std::getline(table, line)) {
    std::vector<std::string> cells;
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      cells.push_back(line.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    if (cells.size() >= 4) rows.push_back({cells[0], cells[1], cells[2], cells[3]});
  }
  return rows;
}

class KnownFile : public ::testing::TestWithParam<VectorFile> {};

TEST_P(KnownFile, IsWrittenByteForByteAndReadBack) {
  const VectorFile& v = GetParam();
  const std::string files = qmtest::VectorsDir() + "/files/";
  qmtest::TempDir dir;
  const std::string in = dir / "in.bin";
  qmtest::WriteFile(in, qmtest::ReadFile(files + v.plaintext));

  qmtest::RunResult r =
      Quellmark({"/enc", "/i", in, "/o", dir / "out.enc", "/alg", v.algorithm, "/psw", v.password});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(qmtest::ReadFile(dir / "out.enc") == qmtest::ReadFile(files + v.file)) << v.file;

  r = Quellmark({"/dec", "/i", files + v.file, "/o", dir / "back.bin", "/alg", v.algorithm,
                 "/psw", v.password});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(ShowsJob(r.out, JobHeader(false, v.algorithm, files + v.file, dir / "back.bin"),
                       SuccessEnd(false, v.file)));
  EXPECT_TRUE(qmtest::ReadFile(dir / "back.bin") == qmtest::ReadFile(in)) << v.file;
}

INSTANTIATE_TEST_SUITE_P(Vectors, KnownFile, ::testing::ValuesIn(VectorFiles()),
                         [](const ::testing::TestParamInfo<VectorFile>& info) {
                           return TestName(info.param.file);
                         });

TEST(WholeJob, AllKnownFilesAreListed) { EXPECT_EQ(VectorFiles().size(), 21u); }

}  // namespace
