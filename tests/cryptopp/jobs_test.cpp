// The encryption and decryption jobs through their interfaces: every
// algorithm there and back, the factories, the stream routines' own rules
// (argument checks, chunking, keys from passwords, what the reader does with
// files it did not write), callbacks, stop requests and failures.
#include <algorithm>
#include <functional>
#include <memory>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include <cryptopp/cryptlib.h>
#include <gtest/gtest.h>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"
#include "cryptopp/factory.h"
#include "cryptopp/file_header.h"
#include "cryptopp/job_core.h"
#include "cryptopp/password_hash.h"
#include "cryptopp/symmetric_engine.h"
#include "tests/support/memory_streams.h"
#include "tests/support/run_program.h"

namespace qmtest {
namespace {

using tarnwick::cryptopp::internal::ChunkBufferLength;
using tarnwick::gen::Result2;
using Encryptor = tarnwick::crypto::ISymmetricEncryptor;
using Decryptor = tarnwick::crypto::ISymmetricDecryptor;
using Events = std::vector<std::string>;
using Key = std::vector<unsigned char>;

template <class Job, class Factory>
std::unique_ptr<Job> Make(uint32_t algorithmId) {
  Job* job = nullptr;
  EXPECT_EQ(Factory().Create(1, algorithmId, &job), Result2{});
  return std::unique_ptr<Job>(job);
}
const auto MakeEncryptor = Make<Encryptor, tarnwick::cryptopp::CEncryptorFactory>;
const auto MakeDecryptor = Make<Decryptor, tarnwick::cryptopp::CDecryptorFactory>;

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

// One run over memory streams through the password path: the entry point
// the program calls, or with a buffer size the stream routine's own chunk
// length, with progress due after every chunk.
struct JobRun {
  explicit JobRun(std::string input) : in(std::move(input)) {}

  JobRun& Encrypt(Encryptor& job, const char* password = "pw", uint32_t bufferSize = 0) {
    const Key iv(job.GetIvSize());
    result = bufferSize == 0
                 ? job.EncryptWithPassword(&in, &out, password, false, &recorder, &recorder)
                 : job.EncryptStreamWithPassword(&in, &out, password, HashFor(job), &iv,
                                                 bufferSize, 0, false, &recorder, &recorder);
    return *this;
  }
  JobRun& Decrypt(Decryptor& job, const char* password = "pw", uint32_t bufferSize = 0) {
    const Key iv(job.GetIvSize());
    result = bufferSize == 0
                 ? job.DecryptWithPassword(&in, &out, password, &recorder, &recorder)
                 : job.DecryptStreamWithPassword(&in, &out, password, HashFor(job), &iv,
                                                 bufferSize, 0, &recorder, &recorder);
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

JobRun Encrypted(uint32_t id, const std::string& plain, const char* password = "pw") {
  return std::move(JobRun(plain).Encrypt(*MakeEncryptor(id), password));
}

JobRun Decrypted(uint32_t id, const std::string& file, const char* password = "pw") {
  return std::move(JobRun(file).Decrypt(*MakeDecryptor(id), password));
}

class EveryAlgorithm : public testing::TestWithParam<CatalogueRow> {};

// Both factories bind the id to its row; the files have the stored
// lengths, show no plaintext and read back under a UTF-8 password.
TEST_P(EveryAlgorithm, RoundTripsWithTheStoredLengths) {
  const CatalogueRow row = GetParam();
  const char kPassword[] = "p\xC3\xA4ssw\xC3\xB6rd";
  const auto constants = [](const auto& job) {
    return std::vector<uint32_t>{job->GetLibraryType(), job->GetAlgorithmId(), job->GetKeySize(),
                                 job->GetIvSize()};
  };
  const std::vector<uint32_t> want = {1, row.id, uint32_t(row.key), uint32_t(row.iv)};
  EXPECT_EQ(constants(MakeEncryptor(row.id)), want);
  EXPECT_EQ(constants(MakeDecryptor(row.id)), want);
  for (size_t size : {0, 1, 55, 56, 32712, 32713, 300 * 1024 + 3}) {
    SCOPED_TRACE(size);
    const std::string plain = Pattern(size);
    const JobRun encrypted = Encrypted(row.id, plain, kPassword);
    ASSERT_EQ(encrypted.result, Result2{});
    const size_t stream = size == 0 ? 0 : 56 + size, block = row.block == 0 ? 1 : row.block;
    EXPECT_EQ(encrypted.bytes().size(), (stream + block - 1) / block * block);
    EXPECT_TRUE(size < 55 || encrypted.bytes().find(plain.substr(0, 55)) == std::string::npos);
    const JobRun decrypted = Decrypted(row.id, encrypted.bytes(), kPassword);
    EXPECT_EQ(decrypted.result, Result2{});
    EXPECT_TRUE(decrypted.bytes() == plain);
  }
}

INSTANTIATE_TEST_SUITE_P(Jobs, EveryAlgorithm, testing::ValuesIn(Catalogue()),
                         [](const testing::TestParamInfo<CatalogueRow>& info) {
                           return "id" + std::to_string(info.param.id);
                         });

TEST(JobChunkLength, RoundsToWholeBlocksAboveTheHeader) {
  const uint32_t cases[][3] = {  // buffer size, block length, chunk length
      {32768, 8, 32768}, {32768, 32, 32768}, {8, 0, 56}, {56, 8, 56},  {8, 16, 80},
      {56, 16, 80},      {8, 32, 96},        {95, 32, 96}, {64, 32, 64}, {100, 32, 128},
      {57, 8, 72},       {60, 32, 96},       {100, 16, 112}, {57, 0, 57}};
  for (const auto& c : cases) EXPECT_EQ(ChunkBufferLength(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST(JobArguments, AreCheckedInOrderBeforeAnyCallback) {
  MemoryInStream in(Pattern(10));
  MemoryOutStream out;
  const Key key(32), shortKey(31), iv(16), longIv(17);
  struct Case {
    MemoryInStream* in;
    MemoryOutStream* out;
    const Key *key, *iv;
    uint32_t bufferSize, code;
  } cases[] = {
      {nullptr, nullptr, &shortKey, &longIv, 7, 17}, {&in, nullptr, &shortKey, &longIv, 7, 18},
      {&in, &out, &shortKey, &longIv, 7, 4060},      {&in, &out, &key, &iv, 0xFFFFFFFF, 4060},
      {&in, &out, &shortKey, &longIv, 8, 4040},      {&in, &out, nullptr, &iv, 8, 4040},
      {&in, &out, &key, &longIv, 8, 4041},           {&in, &out, &key, nullptr, 8, 4041},
  };
  for (const Case& c : cases) {
    CallbackRecorder recorder;
    EXPECT_EQ(MakeEncryptor(252)->EncryptStream(c.in, c.out, c.key, c.iv, c.bufferSize, 0, false,
                                                &recorder, &recorder),
              (Result2{5, c.code, 0, 0}));
    EXPECT_EQ(MakeDecryptor(252)->DecryptStream(c.in, c.out, c.key, c.iv, c.bufferSize, 0,
                                                &recorder, &recorder),
              (Result2{5, c.code, 0, 0}));
    EXPECT_TRUE(recorder.events.empty()) << c.code;
  }
  // A hash the library does not provide (Skein): the failure names its stage.
  const Result2 unhashed = {5, 700, 5, 4042};
  CallbackRecorder recorder;
  EXPECT_EQ(MakeEncryptor(252)->EncryptStreamWithPassword(&in, &out, "pw", 100, &iv, 8, 0, false,
                                                          &recorder, &recorder),
            unhashed);
  EXPECT_EQ(MakeDecryptor(252)->DecryptStreamWithPassword(&in, &out, "pw", 100, &iv, 8, 0,
                                                          &recorder, &recorder),
            unhashed);
  EXPECT_TRUE(recorder.events.empty() && out.writes().empty());
}

// The address first, then the library, then the id; a refusal leaves the
// caller's variable alone.
TEST(JobFactories, RefuseInOrder) {
  Encryptor* encryptor = nullptr;
  Decryptor* decryptor = nullptr;
  const std::tuple<uint32_t, uint32_t, bool, uint32_t> cases[] = {  // library, id, address, code
      {2, 999, false, 5}, {2, 252, true, 70}, {1, 999, true, 70}, {1, 253, true, 70}};
  for (const auto& [library, id, address, code] : cases) {
    EXPECT_EQ(tarnwick::cryptopp::CEncryptorFactory().Create(library, id,
                                                             address ? &encryptor : nullptr),
              (Result2{5, code, 0, 0}));
    EXPECT_EQ(tarnwick::cryptopp::CDecryptorFactory().Create(library, id,
                                                             address ? &decryptor : nullptr),
              (Result2{5, code, 0, 0}));
  }
  EXPECT_TRUE(encryptor == nullptr && decryptor == nullptr);
}

// The file does not depend on the chunk length; every chunk length reads
// back, down to a first chunk that holds the header alone; reads that
// deliver less than asked change nothing.
TEST(JobChunking, AnyChunkLengthWritesAndReadsTheSameFile) {
  const std::string plain = Pattern(70000);
  for (const auto& [id, block] : {std::pair{804u, 8u}, {252u, 16u}, {904u, 32u}, {151u, 0u}}) {
    const std::string file = Encrypted(id, plain).bytes();
    for (uint32_t bufferSize : {8u, 56u, 57u, 100u, 4096u}) {
      SCOPED_TRACE(std::to_string(id) + " in chunks of " + std::to_string(bufferSize));
      JobRun encrypted(plain);
      encrypted.in.readLimit = 999;
      encrypted.Encrypt(*MakeEncryptor(id), "pw", bufferSize);
      EXPECT_TRUE(encrypted.bytes() == file);
      const auto& writes = encrypted.out.writes();
      const auto n = static_cast<int32_t>(ChunkBufferLength(bufferSize, block));
      for (size_t i = 0; i + 1 < writes.size(); ++i) ASSERT_EQ(writes[i], n);
      JobRun decrypted(file);
      decrypted.in.readLimit = 1000;
      EXPECT_EQ(decrypted.Decrypt(*MakeDecryptor(id), "pw", bufferSize).result, Result2{});
      EXPECT_TRUE(decrypted.bytes() == plain);
    }
  }
}

// A Salsa20-256 file made by hand, with a header the encryption job would
// never write: another plaintext size, version or salt.
std::string HandMadeFile(const std::string& plain, uint64_t statedSize, uint8_t version = 2,
                         uint8_t saltByte = 0) {
  tarnwick::cryptopp::EncryptedFileHeader header;
  EXPECT_EQ(tarnwick::cryptopp::BuildFileHeader(151, statedSize, &header), Result2{});
  header.bytes[0] = version;
  std::memset(header.bytes + 48, saltByte, 6);
  std::string file = std::string(reinterpret_cast<const char*>(header.bytes), 56) + plain;
  Key key;
  tarnwick::cryptopp::HashPassword(&key, 21, reinterpret_cast<const uint8_t*>("pw"), 2);
  const Key iv(8);
  tarnwick::cryptopp::internal::EngineTypes<151>::Encryptor engine;
  EXPECT_EQ(engine.SetKey(key.data(), 32, iv.data(), 8), Result2{});
  auto* bytes = reinterpret_cast<uint8_t*>(file.data());
  const auto size = static_cast<int32_t>(file.size());
  EXPECT_EQ(engine.Process(bytes, size, bytes, size, nullptr), Result2{});
  return file;
}

TEST(JobReader, WritesExactlyThePlaintextTheHeaderStates) {
  const std::string plain = Pattern(40000);
  const std::string aes = Encrypted(250, plain).bytes();
  ASSERT_EQ(aes.size(), 40064u);
  EXPECT_EQ(Decrypted(250, aes).out.writes(), (std::vector<int32_t>{32712, 7288}));
  const struct {
    uint32_t id;
    std::string file, plain;
    Result2 result;
  } cases[] = {
      {250, aes + Pattern(48), plain, {}},     // whole blocks appended
      {250, aes + Pattern(40000), plain, {}},  // more than a chunk appended
      {151, HandMadeFile(plain, 40000) + "xyz", plain, {}},
      {151, HandMadeFile("abc", 3, 9, 0xA5), "abc", {}},  // version and salt are not read
      {151, HandMadeFile(plain, 100), plain.substr(0, 100), {}},
      {151, HandMadeFile(Pattern(33000), 0), "", {}},  // nothing stated, more than a chunk
      {151, HandMadeFile("", 0), "", {5, 61, 0, 0}},   // nothing stated, the whole file
      // Foreign: another password, or another algorithm of the same lengths.
      {250, Encrypted(250, plain, "other").bytes(), "", {5, 4003, 0, 0}},
      {400, aes, "", {5, 4003, 0, 0}},
      {250, aes.substr(0, 55), "", {5, 4004, 0, 0}},  // shorter than a header
      // Cut short by whole blocks, or inside one.
      {252, Encrypted(252, Pattern(100)).bytes().substr(0, 144), "", {5, 4005, 0, 0}},
      {252, Encrypted(252, Pattern(100)).bytes().substr(0, 157), "", {5, 4005, 0, 0}},
  };
  for (const auto& c : cases) {
    const JobRun decrypted = Decrypted(c.id, c.file);
    EXPECT_EQ(decrypted.result, c.result) << c.file.size();
    EXPECT_TRUE(decrypted.bytes() == c.plain) << c.file.size();
  }
}

TEST(JobProgressPacer, WaitsLongerThanTheIntervalAndWrapsAt32Bits) {
  tarnwick::cryptopp::internal::ProgressPacer pacer(400);
  EXPECT_FALSE(pacer.Due(400));  // the last report counts from 0
  EXPECT_TRUE(pacer.Due(401));
  EXPECT_FALSE(pacer.Due(801));
  EXPECT_TRUE(pacer.Due(802));
  EXPECT_TRUE(pacer.Due(0xFFFFF000u));
  EXPECT_FALSE(pacer.Due(0x10));  // the count wrapped: a pause until past last + interval
  EXPECT_FALSE(pacer.Due(0xFFFFF190u));
  EXPECT_TRUE(pacer.Due(0xFFFFFF00u));
  EXPECT_TRUE(pacer.Due(0xFFFFFF01u));  // last + interval wrapped: due at once
}

TEST(JobCallbacks, StartProgressFinishAndNoProgressWithinTheFirstChunk) {
  const std::string plain = Pattern(3 * 32768);
  const JobRun encrypted = JobRun(plain).Encrypt(*MakeEncryptor(252), "pw", 32768);
  const Events& events = encrypted.recorder.events;
  ASSERT_GE(events.size(), 3u);
  // At least the report after the second chunk: the tick count is past 0.
  EXPECT_EQ(events[0], "start");
  EXPECT_EQ(events[1], "progress " + std::to_string(2 * 32768 - 56));
  EXPECT_FLOAT_EQ(encrypted.recorder.percents[0], (2 * 32768 - 56) * 100.0f / plain.size());
  EXPECT_EQ(events.back(), "finish 0 0");
  const JobRun decrypted = JobRun(encrypted.bytes()).Decrypt(*MakeDecryptor(252), "pw", 32768);
  EXPECT_EQ(decrypted.recorder.events[1], "progress 65536");  // over the encrypted size
  EXPECT_EQ(decrypted.recorder.events.back(), "finish 0 0");

  for (size_t size : {0, 1, 32712}) {
    const JobRun small = JobRun(Pattern(size)).Encrypt(*MakeEncryptor(252), "pw", 32768);
    EXPECT_EQ(small.recorder.events, (Events{"start", "finish 0 0"}));
    const JobRun back = JobRun(small.bytes()).Decrypt(*MakeDecryptor(252), "pw", 32768);
    EXPECT_EQ(back.recorder.events, (Events{"start", "finish 0 0"}));
    EXPECT_TRUE(back.bytes() == Pattern(size));
  }
}

// A stop from another thread while chunk k is read ends the run after that
// chunk, with a zero result, stopped true and no progress reported; output
// so far stays. Asked as the run starts (k = -1), it leaves the encryption
// with no output, while the decryption still carries its first chunk through.
TEST(JobStop, EndsTheRunBeforeTheNextChunk) {
  const std::string plain = Pattern(4 * 32768);
  const std::string file = Encrypted(252, plain).bytes();
  for (int k : {-1, 0, 1}) {
    const auto encryptor = MakeEncryptor(252);
    const auto decryptor = MakeDecryptor(252);
    JobRun encrypting(plain), decrypting(file);
    encrypting.in.onRead = [&](int read) {
      if (read == k) std::thread([&] { encryptor->Stop(); }).join();
    };
    decrypting.in.onRead = [&](int read) {
      EXPECT_TRUE(decryptor->IsRunning());
      if (read == k) std::thread([&] { decryptor->Stop(); }).join();
    };
    if (k < 0) {
      encrypting.recorder.onStart = [&] { encryptor->Stop(); };
      decrypting.recorder.onStart = [&] { decryptor->Stop(); };
    }
    encrypting.Encrypt(*encryptor);
    decrypting.Decrypt(*decryptor);
    for (const JobRun* run : {&encrypting, &decrypting}) {
      EXPECT_EQ(run->result, Result2{});
      // No progress is reported for the chunk during which the stop came.
      EXPECT_EQ(run->recorder.events, (Events{"start", "finish 1 0"})) << k;
    }
    EXPECT_EQ(encrypting.bytes().size(), (k + 1) * 32768u) << k;
    EXPECT_TRUE(decrypting.bytes() == plain.substr(0, std::max(k + 1, 1) * 32768 - 56)) << k;
    EXPECT_FALSE(decryptor->IsRunning());
  }
}

// Stop before a run is forgotten, and a stop asked of another job of the
// same id does not reach this one; a busy job refuses a second run without
// disturbing the first; a finished job runs again to the same bytes.
TEST(JobStop, EarlyStopBusyJobAndRunningAgain) {
  const std::string plain = Pattern(2 * 32768);
  const auto encryptor = MakeEncryptor(252), other = MakeEncryptor(252);
  encryptor->Stop();
  JobRun first(plain), second("x");
  first.in.onRead = [&](int read) {
    other->Stop();
    if (read == 1) std::thread([&] { second.Encrypt(*encryptor); }).join();
  };
  first.Encrypt(*encryptor);
  EXPECT_EQ(second.result, (Result2{5, 8, 0, 0}));
  EXPECT_TRUE(second.recorder.events.empty() && second.out.writes().empty());
  EXPECT_EQ(first.result, Result2{});
  EXPECT_EQ(first.recorder.events.back(), "finish 0 0");
  EXPECT_EQ(first.bytes().size(), 2 * 32768u + 64);
  EXPECT_TRUE(JobRun(plain).Encrypt(*encryptor).bytes() == first.bytes());
  EXPECT_FALSE(encryptor->IsRunning());
  EXPECT_EQ(encryptor->GetProgress(), 0.0f);
}

constexpr size_t kAll = ~size_t{0};

TEST(JobFailures, ReadsWritesAndExceptionsMapToResults) {
  const std::string plain = Pattern(100000);
  const std::string file = Encrypted(252, plain).bytes();
  const struct {
    int64_t failReadFrom;   // -1: never
    int64_t claimedSize;    // -1: what is held
    size_t readLimit;       // bytes per read; 0: a stream that answers nothing
    size_t capacity;        // of the output before it is full
    int throwAtRead;        // 0: never; 1: std::runtime_error; 2: Crypto++
    size_t maxWritten;
    Result2 encrypting, decrypting;
  } cases[] = {
      {10, -1, kAll, kAll, 0, 0, {5, 60, 1, EIO}, {5, 60, 1, EIO}},
      {40000, -1, kAll, kAll, 0, 32768, {5, 60, 1, EIO}, {5, 60, 1, EIO}},
      {-1, 200000, kAll, kAll, 0, 3 * 32768, {5, 60, 0, 0}, {5, 60, 0, 0}},  // input ends early
      {-1, -1, kAll, 40000, 0, 40000, {5, 61, 1, ENOSPC}, {5, 61, 1, ENOSPC}},
      {-1, -1, kAll, kAll, 1, 32768, {53, 6, 5, 4020}, {53, 6, 5, 4021}},
      {-1, -1, kAll, kAll, 2, 32768, {53, 4, 5, 4020}, {53, 4, 5, 4021}},
      {-1, -1, 0, kAll, 0, 0, {5, 60, 0, 0}, {5, 60, 0, 0}},
  };
  const auto encryptor = MakeEncryptor(252);
  const auto decryptor = MakeDecryptor(252);
  for (const auto& c : cases) {
    for (bool decrypt : {false, true}) {
      JobRun run(decrypt ? file : plain);
      run.in.failFrom = c.failReadFrom;
      run.in.claimedSize = c.claimedSize;
      run.in.readLimit = c.readLimit;
      run.in.onRead = [&](int read) {
        if (read == 1 && c.throwAtRead == 1) throw std::runtime_error("stream broke");
        if (read == 1 && c.throwAtRead == 2) {
          throw CryptoPP::Exception(CryptoPP::Exception::INVALID_DATA_FORMAT, "bad data");
        }
      };
      run.out.capacity = c.capacity;
      decrypt ? run.Decrypt(*decryptor) : run.Encrypt(*encryptor);
      const Result2 expected = decrypt ? c.decrypting : c.encrypting;
      EXPECT_EQ(run.result, expected) << decrypt << " " << c.maxWritten;
      EXPECT_EQ(run.recorder.events.back(), "finish 0 " + std::to_string(expected.code));
      EXPECT_LE(run.bytes().size(), c.maxWritten);
      EXPECT_EQ(run.out.writesAfterFailure(), 0);
      // Unkeyed and idle again: the next run succeeds.
      EXPECT_EQ(decrypt ? JobRun(file).Decrypt(*decryptor).result
                        : JobRun(plain).Encrypt(*encryptor).result,
                Result2{});
    }
  }
}

}  // namespace
}  // namespace qmtest
