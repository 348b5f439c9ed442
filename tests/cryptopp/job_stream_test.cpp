// The stream routines' own rules: argument checks, chunking, keys from
// passwords, and what the reader does with files it did not write.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cryptopp/symmetric_engine.h"
#include "cryptopp/file_header.h"
#include "cryptopp/job_core.h"
#include "cryptopp/password_hash.h"
#include "tests/cryptopp/job_test_support.h"

namespace qmtest {
namespace {

using tarnwick::cryptopp::internal::ChunkBufferLength;
using Key = std::vector<unsigned char>;

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
  EXPECT_TRUE(out.writes().empty());
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
      encrypted.in.LimitReadsTo(999);
      encrypted.Encrypt(*MakeEncryptor(id), bufferSize, 0);
      EXPECT_TRUE(encrypted.bytes() == file);
      const auto& writes = encrypted.out.writes();
      const auto n = static_cast<int32_t>(ChunkBufferLength(bufferSize, block));
      for (size_t i = 0; i + 1 < writes.size(); ++i) ASSERT_EQ(writes[i], n);
      JobRun decrypted(file);
      decrypted.in.LimitReadsTo(1000);
      EXPECT_EQ(decrypted.Decrypt(*MakeDecryptor(id), bufferSize, 0).result, Result2{});
      EXPECT_TRUE(decrypted.bytes() == plain);
    }
  }
}

TEST(JobPassword, HashChoiceAndItsFailures) {
  const struct {
    uint32_t id, hashId;
    Result2 result;
  } cases[] = {{250, 13, {}},                 // a longer digest is cut to the key
               {252, 1, {5, 4040, 0, 0}},     // a 20-byte digest for a 32-byte key
               {252, 302, {5, 700, 5, 4042}}};  // no hash function
  for (const auto& c : cases) {
    MemoryInStream in(Pattern(77));
    MemoryOutStream out, restored;
    EXPECT_EQ(MakeEncryptor(c.id)->EncryptWithPasswordHash(&in, &out, "pw", c.hashId, false,
                                                           nullptr, nullptr), c.result);
    MemoryInStream encrypted(out.bytes());
    EXPECT_EQ(MakeDecryptor(c.id)->DecryptWithPasswordHash(&encrypted, &restored, "pw",
                                                           c.hashId, nullptr, nullptr), c.result);
    EXPECT_TRUE(restored.bytes() == (IsSuccess(c.result) ? Pattern(77) : ""));
  }
  // A null password is the empty one.
  EXPECT_TRUE(Encrypted(252, "abc", nullptr).bytes() == Encrypted(252, "abc", "").bytes());
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
      {252, Encrypted(252, Pattern(100)).bytes().substr(0, 157), "", {5, 4005, 0, 0}},
  };
  for (const auto& c : cases) {
    const JobRun decrypted = Decrypted(c.id, c.file);
    EXPECT_EQ(decrypted.result, c.result) << c.file.size();
    EXPECT_TRUE(decrypted.bytes() == c.plain) << c.file.size();
  }
}

}  // namespace
}  // namespace qmtest
