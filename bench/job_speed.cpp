// Speed of the encryption and decryption jobs per algorithm, over streams
// in memory, beside the speed of the bare Crypto++ cipher (ProcessData
// over the same bytes): the difference is what the jobs cost on top.
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

#include "cryptopp/algorithm_table.h"
#include "cryptopp/engine_types.h"
#include "cryptopp/factory.h"
#include "foundation/platform/strings.h"
#include "foundation/platform/text.h"
#include "tests/support/memory_streams.h"

namespace {

using tarnwick::gen::IsSuccess;
using tarnwick::gen::Result2;

// Seconds of the fastest of `rounds` calls of `work`, each after an
// untimed `prepare`.
double Fastest(int rounds, const std::function<void()>& work,
               const std::function<void()>& prepare = [] {}) {
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

struct Speeds {
  double rawEncrypt, jobEncrypt, rawDecrypt, jobDecrypt;  // seconds
};

// The streams alone: every chunk read into a buffer and written out, as
// the jobs move it, without a cipher. Its time is part of every job's.
double MeasureStreams(const std::string& plain, int rounds) {
  qmtest::MemoryInStream in;
  qmtest::MemoryOutStream out;
  out.Reserve(plain.size());
  std::vector<uint8_t> buffer(32768);
  return Fastest(
      rounds,
      [&] {
        uint32_t got = 0;
        while (in.Read(buffer.data(), static_cast<int32_t>(buffer.size()), got)) {
          out.Write(buffer.data(), static_cast<int32_t>(got));
        }
      },
      [&] {
        in = qmtest::MemoryInStream(plain);
        out.Clear();
      });
}

// The bare cipher objects of one algorithm, keyed once per pass, over the
// whole buffer in one ProcessData call.
template <class Types>
void MeasureRaw(const std::string& plain, int rounds, Speeds& speeds) {
  using Encryption = typename Types::Encryptor::CipherType;
  using Decryption = typename Types::Decryptor::CipherType;
  const std::vector<uint8_t> key(Types::Encryptor::kKeySize, 0x3C);
  const std::vector<uint8_t> iv(Types::Encryptor::kIvSize, 0);
  const auto* in = reinterpret_cast<const uint8_t*>(plain.data());
  std::vector<uint8_t> encrypted(plain.size()), decrypted(plain.size());
  speeds.rawEncrypt = Fastest(rounds, [&] {
    Encryption cipher;
    cipher.SetKeyWithIV(key.data(), key.size(), iv.data(), iv.size());
    cipher.ProcessData(encrypted.data(), in, plain.size());
  });
  speeds.rawDecrypt = Fastest(rounds, [&] {
    Decryption cipher;
    cipher.SetKeyWithIV(key.data(), key.size(), iv.data(), iv.size());
    cipher.ProcessData(decrypted.data(), encrypted.data(), encrypted.size());
  });
  if (decrypted != std::vector<uint8_t>(in, in + plain.size())) {
    std::fprintf(stderr, "the bare cipher did not round-trip\n");
    std::exit(2);
  }
}

// The jobs as the program runs them: from the factories, through the
// password entry points, with the default chunks and a progress callback.
void MeasureJobs(uint32_t id, const std::string& plain, int rounds, Speeds& speeds) {
  struct Quiet : tarnwick::crypto::IEncryptCallback, tarnwick::crypto::IDecryptCallback {
    void OnStart(void*) override {}
    void OnProgress(uint64_t, float, void*) override {}
    void OnFinish(bool, const Result2*, void*) override {}
  } callback;
  tarnwick::crypto::ISymmetricEncryptor* encryptor = nullptr;
  tarnwick::crypto::ISymmetricDecryptor* decryptor = nullptr;
  tarnwick::cryptopp::CEncryptorFactory().Create(1, id, &encryptor);
  tarnwick::cryptopp::CDecryptorFactory().Create(1, id, &decryptor);
  // Both outputs keep their storage from round to round, as the bare
  // cipher's buffers do.
  qmtest::MemoryOutStream encrypted, decrypted;
  encrypted.Reserve(plain.size() + 64);
  decrypted.Reserve(plain.size());
  qmtest::MemoryInStream in;
  Result2 result;
  speeds.jobEncrypt = Fastest(
      rounds,
      [&] {
        result = encryptor->EncryptWithPassword(&in, &encrypted, "bench", false, &callback,
                                                nullptr);
      },
      [&] {
        in = qmtest::MemoryInStream(plain);
        encrypted.Clear();
      });
  const bool encryptedWell = IsSuccess(result);
  speeds.jobDecrypt = Fastest(
      rounds,
      [&] { result = decryptor->DecryptWithPassword(&in, &decrypted, "bench", &callback, nullptr); },
      [&] {
        in = qmtest::MemoryInStream(encrypted.bytes());
        decrypted.Clear();
      });
  delete encryptor;
  delete decryptor;
  if (!encryptedWell || !IsSuccess(result) || decrypted.bytes() != plain) {
    std::fprintf(stderr, "the jobs of id %u did not round-trip\n", id);
    std::exit(2);
  }
}

struct Algorithm {
  uint32_t id;
  const char* name;
  void (*measureRaw)(const std::string&, int, Speeds&);
};

#define QM_BENCH_ROW(id, name, key, iv, block, CipherClass) \
  {id, name, &MeasureRaw<tarnwick::cryptopp::internal::EngineTypes<id>>},
const Algorithm kAlgorithms[] = {QM_FOR_EACH_ALGORITHM(QM_BENCH_ROW)};
#undef QM_BENCH_ROW

bool Wanted(const Algorithm& algorithm, const std::vector<std::string>& names) {
  if (names.empty()) return true;
  const std::wstring name = tarnwick::platform::DecodeSystemText(algorithm.name);
  for (const std::string& wanted : names) {
    if (tarnwick::platform::CompareNoCase(name, tarnwick::platform::DecodeSystemText(wanted)) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  size_t mib = 64;
  int rounds = 3;
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
  const double streams = MeasureStreams(plain, rounds);
  std::printf("%zu MiB per pass, fastest of %d, MB/s (10^6 bytes a second).\n", mib, rounds);
  std::printf("The in-memory streams alone move %.0f MB/s: two copies of every chunk.\n",
              megabytes / streams);
  std::printf("cost: the job's time over the bare cipher's; own: the same less the streams' "
              "copies\n");
  std::printf("%-14s %9s %9s %7s %7s   %9s %9s %7s %7s\n", "algorithm", "raw enc", "job enc",
              "cost", "own", "raw dec", "job dec", "cost", "own");
  for (const Algorithm& algorithm : kAlgorithms) {
    if (!Wanted(algorithm, names)) continue;
    Speeds speeds{};
    algorithm.measureRaw(plain, rounds, speeds);
    MeasureJobs(algorithm.id, plain, rounds, speeds);
    const auto percent = [](double job, double raw) { return (job / raw - 1) * 100; };
    std::printf("%-14s %9.1f %9.1f %6.1f%% %6.1f%%   %9.1f %9.1f %6.1f%% %6.1f%%\n",
                algorithm.name, megabytes / speeds.rawEncrypt, megabytes / speeds.jobEncrypt,
                percent(speeds.jobEncrypt, speeds.rawEncrypt),
                percent(speeds.jobEncrypt - streams, speeds.rawEncrypt),
                megabytes / speeds.rawDecrypt, megabytes / speeds.jobDecrypt,
                percent(speeds.jobDecrypt, speeds.rawDecrypt),
                percent(speeds.jobDecrypt - streams, speeds.rawDecrypt));
    std::fflush(stdout);
  }
  return 0;
}
