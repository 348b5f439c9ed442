#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"
#include "cryptopp/alg_info.h"
#include "cryptopp/factory.h"
#include "tests/support/memory_streams.h"
#include "tests/support/run_program.h"

namespace qmtest {

using tarnwick::gen::Result2;
using Encryptor = tarnwick::crypto::ISymmetricEncryptor;
using Decryptor = tarnwick::crypto::ISymmetricDecryptor;

inline std::unique_ptr<Encryptor> MakeEncryptor(uint32_t algorithmId) {
  Encryptor* job = nullptr;
  EXPECT_EQ(tarnwick::cryptopp::CEncryptorFactory().Create(1, algorithmId, &job), Result2{});
  return std::unique_ptr<Encryptor>(job);
}

inline std::unique_ptr<Decryptor> MakeDecryptor(uint32_t algorithmId) {
  Decryptor* job = nullptr;
  EXPECT_EQ(tarnwick::cryptopp::CDecryptorFactory().Create(1, algorithmId, &job), Result2{});
  return std::unique_ptr<Decryptor>(job);
}

// Records the callbacks of both directions, a line each: "start",
// "progress <done>", "finish <stopped> <code>".
class CallbackRecorder : public tarnwick::crypto::IEncryptCallback,
                         public tarnwick::crypto::IDecryptCallback {
 public:
  void OnStart(void* ctx) override {
    Record(ctx, "start");
    if (onStart) onStart();
  }
  void OnProgress(uint64_t doneBytes, float percent, void* ctx) override {
    Record(ctx, "progress " + std::to_string(doneBytes));
    percents.push_back(percent);
  }
  void OnFinish(bool stopped, const Result2* result, void* ctx) override {
    Record(ctx, "finish " + std::to_string(stopped) + " " + std::to_string(result->code));
  }

  std::vector<std::string> events;
  std::vector<float> percents;
  std::function<void()> onStart;

 private:
  void Record(void* ctx, const std::string& event) {
    EXPECT_EQ(ctx, this);
    events.push_back(event);
  }
};

// One run over memory streams through the password path: the entry
// points the program calls, or the stream routine's own chunk length and
// progress interval.
struct JobRun {
  explicit JobRun(std::string input) : in(std::move(input)) {}

  JobRun& Encrypt(Encryptor& job, const char* password = "pw", bool useSalt = false) {
    result = job.EncryptWithPassword(&in, &out, password, useSalt, &recorder, &recorder);
    return *this;
  }
  JobRun& Decrypt(Decryptor& job, const char* password = "pw") {
    result = job.DecryptWithPassword(&in, &out, password, &recorder, &recorder);
    return *this;
  }
  JobRun& Encrypt(Encryptor& job, uint32_t bufferSize, uint32_t intervalMs) {
    const std::vector<unsigned char> iv(job.GetIvSize());
    result = job.EncryptStreamWithPassword(&in, &out, "pw", HashFor(job), &iv, bufferSize,
                                           intervalMs, false, &recorder, &recorder);
    return *this;
  }
  JobRun& Decrypt(Decryptor& job, uint32_t bufferSize, uint32_t intervalMs) {
    const std::vector<unsigned char> iv(job.GetIvSize());
    result = job.DecryptStreamWithPassword(&in, &out, "pw", HashFor(job), &iv, bufferSize,
                                           intervalMs, &recorder, &recorder);
    return *this;
  }
  const std::string& bytes() const { return out.bytes(); }

  template <typename Job>
  static uint32_t HashFor(Job& job) {
    return tarnwick::cryptopp::DefaultHashIdForKeySize(job.GetKeySize());
  }

  MemoryInStream in;
  MemoryOutStream out;
  CallbackRecorder recorder;
  Result2 result;
};

inline JobRun Encrypted(uint32_t id, const std::string& plain, const char* password = "pw",
                        bool useSalt = false) {
  JobRun run(plain);
  run.Encrypt(*MakeEncryptor(id), password, useSalt);
  return run;
}

inline JobRun Decrypted(uint32_t id, const std::string& file, const char* password = "pw") {
  JobRun run(file);
  run.Decrypt(*MakeDecryptor(id), password);
  return run;
}

}  // namespace qmtest
