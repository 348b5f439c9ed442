// Speed of the encryption and decryption jobs per algorithm, over streams
// in memory, beside the bare Crypto++ cipher: ProcessData over the whole
// buffer ("raw"), and ProcessData chunk by chunk between the same streams
// that the jobs use ("loop"). Any stream copies every chunk in and out; the
// jobs' own cost is what they take over the loop.
//
//   job_speed [--mib N] [--rounds R] [name...]
//
// Without names every algorithm is measured. Build in Release.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "cryptopp/alg_info.h"
#include "cryptopp/algorithm_table.h"
#include "cryptopp/factory.h"
#include "cryptopp/symmetric_engine.h"
#include "foundation/platform/platform.h"
#include "tests/support/memory_streams.h"

namespace {

using tarnwick::gen::IsSuccess;
using tarnwick::gen::Result2;

constexpr int32_t kChunk = 32768;

// Seconds of the fastest of `rounds` calls of `work`, each after an
// untimed `prepare`.
double Fastest(
    int rounds, const std::function<void()>& work, const std::function<void()>& prepare = [] {}) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// Seconds for one direction.
struct Times {
  double raw, loop, job;
};

// A stream pass: the input rewound to `bytes`, the output emptied but
// keeping its storage (as the bare cipher's buffers do).
struct Streams {
  qmtest::MemoryInStream in;
  qmtest::MemoryOutStream out;
  void Prepare(const std::string& bytes) {
    in = qmtest::MemoryInStream(bytes);
    out.Clear(bytes.size() + 64);
  }
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s did not round-trip\n", what);
  std::exit(2);
}

// The bare cipher of one direction: over the whole buffer, then chunk by
// chunk between the streams. Returns its output.
template <class Cipher>
std::string MeasureBare(const std::string& input, size_t keySize, size_t ivSize, int rounds,
                        Times& times) {
  const std::vector<uint8_t> key(keySize, 0x3C), iv(ivSize, 0);
  std::string output(input.size(), '\0');
  times.raw = Fastest(rounds, [&] {
    Cipher cipher;
    cipher.SetKeyWithIV(key.data(), key.size(), iv.data(), iv.size());
    cipher.ProcessData(reinterpret_cast<uint8_t*>(output.data()),
                       reinterpret_cast<const uint8_t*>(input.data()), input.size());
  });
  Streams streams;
  std::vector<uint8_t> in(kChunk), out(kChunk);
  times.loop = Fastest(
      rounds,
      [&] {
        Cipher cipher;
        cipher.SetKeyWithIV(key.data(), key.size(), iv.data(), iv.size());
        uint32_t got = 0;
        while (streams.in.Read(in.data(), kChunk, got)) {
          cipher.ProcessData(out.data(), in.data(), got);
          streams.out.Write(out.data(), static_cast<int32_t>(got));
        }
      },
      [&] { streams.Prepare(input); });
  if (streams.out.bytes() != output) Fail("the chunked cipher");
  return output;
}

// The jobs as the program runs them: from the factories, through the
// password entry points, with the default chunks and a progress callback.
void MeasureJobs(uint32_t id, const std::string& plain, int rounds, Times& encrypting,
                 Times& decrypting) {
  struct Quiet : tarnwick::crypto::IEncryptCallback, tarnwick::crypto::IDecryptCallback {
    void OnStart(void*) override {}
    void OnProgress(uint64_t, float, void*) override {}
    void OnFinish(bool, const Result2*, void*) override {}
  } callback;
  tarnwick::crypto::ISymmetricEncryptor* encryptor = nullptr;
  tarnwick::crypto::ISymmetricDecryptor* decryptor = nullptr;
  tarnwick::cryptopp::CEncryptorFactory().Create(tarnwick::cryptopp::kLibraryType, id, &encryptor);
  tarnwick::cryptopp::CDecryptorFactory().Create(tarnwick::cryptopp::kLibraryType, id, &decryptor);
  Streams encrypted, decrypted;
  Result2 encryptResult, decryptResult;
  encrypting.job = Fastest(
      rounds,
      [&] {
        encryptResult = encryptor->EncryptWithPassword(&encrypted.in, &encrypted.out, "bench",
                                                       false, &callback, nullptr);
      },
      [&] { encrypted.Prepare(plain); });
  decrypting.job = Fastest(
      rounds,
      [&] {
        decryptResult = decryptor->DecryptWithPassword(&decrypted.in, &decrypted.out, "bench",
                                                       &callback, nullptr);
      },
      [&] { decrypted.Prepare(encrypted.out.bytes()); });
  delete encryptor;
  delete decryptor;
  if (!IsSuccess(encryptResult) || !IsSuccess(decryptResult) || decrypted.out.bytes() != plain) {
    Fail("the job");
  }
}

template <class Types>
void MeasureBareCiphers(const std::string& plain, int rounds, Times& encrypting,
                        Times& decrypting) {
  using Encryptor = typename Types::Encryptor;
  const std::string encrypted = MeasureBare<typename Encryptor::CipherType>(
      plain, Encryptor::kKeySize, Encryptor::kIvSize, rounds, encrypting);
  const std::string decrypted = MeasureBare<typename Types::Decryptor::CipherType>(
      encrypted, Encryptor::kKeySize, Encryptor::kIvSize, rounds, decrypting);
  if (decrypted != plain) Fail("the bare cipher");
}

struct Algorithm {
  uint32_t id;
  const char* name;
  void (*measureBare)(const std::string&, int, Times&, Times&);
};

#define QM_BENCH_ROW(id, name, key, iv, block, CipherClass) \
  {id, name, &MeasureBareCiphers<tarnwick::cryptopp::internal::EngineTypes<id>>},
const Algorithm kAlgorithms[] = {QM_FOR_EACH_ALGORITHM(QM_BENCH_ROW)};
#undef QM_BENCH_ROW

bool Wanted(const Algorithm& algorithm, const std::vector<std::string>& names) {
  if (names.empty()) return true;
  const std::wstring name = tarnwick::platform::DecodeSystemText(algorithm.name);
  for (const std::string& wanted : names) {
    if (tarnwick::platform::CompareNoCase(name, tarnwick::platform::DecodeSystemText(wanted)) ==
        0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  size_t mib = 64;
  int rounds = 5;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--mib") == 0 && i + 1 < argc) {
      mib = std::max(1ul, std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else {
      names.push_back(argv[i]);
    }
  }

  std::string plain(mib << 20, '\0');
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>(i * 131 + (i >> 12));
  const double megabytes = static_cast<double>(plain.size()) / 1e6;

  std::printf(
      "%zu MiB per pass, fastest of %d, MB/s (10^6 bytes a second); cost: the job's\n"
      "time over the loop's, the bare cipher between the same streams\n",
      mib, rounds);
  std::printf("%-14s %8s %8s %8s %6s   %8s %8s %8s %6s\n", "algorithm", "raw enc", "loop", "job",
              "cost", "raw dec", "loop", "job", "cost");
  for (const Algorithm& algorithm : kAlgorithms) {
    if (!Wanted(algorithm, names)) continue;
    Times encrypting{}, decrypting{};
    algorithm.measureBare(plain, rounds, encrypting, decrypting);
    MeasureJobs(algorithm.id, plain, rounds, encrypting, decrypting);
    std::printf("%-14s", algorithm.name);
    for (const Times& t : {encrypting, decrypting}) {
      std::printf(" %8.1f %8.1f %8.1f %5.1f%%  ", megabytes / t.raw, megabytes / t.loop,
                  megabytes / t.job, (t.job / t.loop - 1) * 100);
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}
