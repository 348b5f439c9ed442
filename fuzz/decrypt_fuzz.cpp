// Arbitrary bytes decrypted by the real job, memory to memory. The job must
// end with a documented result, having written only a prefix of the
// plaintext the header states, all of it on success; the oracle is the same
// cipher run over the whole file in one piece.
//
// Input: byte 0 bits 0-1 the algorithm (kAlgorithms), bit 2 a forged file,
// bits 4-7 a read limit (k: 2^(k-1) bytes a read); byte 1 the buffer size
// less 7 (0: the default 32 KiB); byte 2 the output's room in 97-byte units
// (0: unlimited); then the file, or a forged one's recipe: int8 plain size
// less body length (-128: 2^64 - 1), u16 (LE) body length (0: the pattern's),
// int8 bytes added to the ciphertext (or cut), the pattern the body repeats.
// A forged header has a valid digest, which random bytes never get past.
//
// Seeds, five per algorithm: control bytes and what the program wrote for
// "/encrypt ... /password fuzz" of 1 byte, of 300 (47-byte chunks, 4-byte
// reads), of 300 cut by 32; or a recipe: 40000 bytes (two chunks), 8 stating
// 3. New ones likewise, e.g. { printf '\1\0\0'; cat a.enc; } >AES-256-new

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cryptopp/alg_info.h"
#include "cryptopp/codes.h"
#include "cryptopp/factory.h"
#include "cryptopp/file_header.h"
#include "cryptopp/job_core.h"
#include "cryptopp/symmetric_engine.h"
#include "tests/support/memory_streams.h"

namespace {

// A broken promise ends the run as a crash, which libFuzzer reports with
// the input that caused it.
void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "decrypt_fuzz: broken: %s\n", what);
  std::abort();
}

using namespace tarnwick;
namespace cp = tarnwick::cryptopp;
using gen::Result2;

constexpr char kPassword[] = "fuzz";
constexpr size_t kHeader = cp::EncryptedFileHeader::kSize;
const gen::Result kDeviceFull = gen::SystemError(ENOSPC);  // what a full MemoryOutStream reports

// `bytes`, zero-filled to whole blocks, through one engine in one piece.
template <class Engine>
std::string RunCipher(std::string bytes) {
  constexpr size_t block = std::max(1u, Engine::kBlockSize);
  bytes.resize((bytes.size() + block - 1) / block * block);
  cp::internal::PasswordKey key;
  key.Derive(kPassword, cp::DefaultHashIdForKeySize(Engine::kKeySize), Engine::kKeySize);
  const std::vector<unsigned char> iv(Engine::kIvSize, 0);
  Engine engine;
  engine.SetKey(key.bytes()->data(), Engine::kKeySize, iv.data(), Engine::kIvSize);
  auto* data = reinterpret_cast<uint8_t*>(bytes.data());
  int32_t length = static_cast<int32_t>(bytes.size());
  Require(IsSuccess(engine.Process(data, length, data, length, &length)), "reference cipher");
  return bytes;
}

// A file encrypted as the encryption job would, but stating any plain size,
// then cut or lengthened.
template <uint32_t id>
std::string ForgeFile(std::string recipe) {
  recipe.resize(std::max<size_t>(recipe.size(), 4));
  const auto sizeChange = static_cast<int8_t>(recipe[0]);
  const size_t length = static_cast<uint8_t>(recipe[1]) | static_cast<uint8_t>(recipe[2]) << 8;
  const std::string pattern = recipe.substr(4);
  std::string body = length == 0 ? pattern : std::string(length, '\0');
  for (size_t i = 0; i < length && !pattern.empty(); ++i) body[i] = pattern[i % pattern.size()];
  const int64_t stated = static_cast<int64_t>(body.size()) + sizeChange;
  cp::EncryptedFileHeader header{};
  cp::BuildFileHeader(id, sizeChange == INT8_MIN ? UINT64_MAX : std::max<int64_t>(0, stated),
                      &header);
  std::string file = RunCipher<typename cp::internal::EngineTypes<id>::Encryptor>(
      std::string(reinterpret_cast<const char*>(header.bytes), kHeader) + body);
  const auto lengthChange = static_cast<int8_t>(recipe[3]);
  file.resize(std::max<int64_t>(0, static_cast<int64_t>(file.size()) + lengthChange), '\xA5');
  return file;
}

// Passed to the job so that its progress reports run too; the finish must
// carry the result.
struct Record : crypto::IDecryptCallback {
  std::vector<Result2> finished;
  void OnProgress(uint64_t, float, void*) override {}
  void OnStart(void*) override {}
  void OnFinish(bool, const Result2* result, void*) override { finished.push_back(*result); }
};

template <uint32_t id>
void DecryptOne(const uint8_t control[3], const std::string& rest) {
  const std::string file = control[0] & 4 ? ForgeFile<id>(rest) : rest;
  qmtest::MemoryInStream in(file);
  if (const int limit = control[0] >> 4; limit != 0) in.readLimit = size_t{1} << (limit - 1);
  qmtest::MemoryOutStream out;
  const size_t room = control[2] * size_t{97};
  out.capacity = room == 0 ? SIZE_MAX : room;

  crypto::ISymmetricDecryptor* made = nullptr;
  cp::CDecryptorFactory().Create(cp::kLibraryType, id, &made);
  const std::unique_ptr<crypto::ISymmetricDecryptor> job(made);
  Record record;
  const std::vector<unsigned char> iv(job->GetIvSize(), 0);
  const Result2 result =
      control[1] == 0 ? job->DecryptWithPassword(&in, &out, kPassword, &record, &record)
                      : job->DecryptStreamWithPassword(
                            &in, &out, kPassword, cp::DefaultHashIdForKeySize(job->GetKeySize()),
                            &iv, 7u + control[1], 0, &record, &record);
  Require(record.finished == std::vector<Result2>{result}, "one finish, with the result");

  using Decryptor = typename cp::internal::EngineTypes<id>::Decryptor;
  const std::string clear = RunCipher<Decryptor>(file);
  cp::EncryptedFileHeader header{}, expected{};
  std::memcpy(header.bytes, clear.data(), std::min(kHeader, clear.size()));
  const uint64_t plainSize = header.PlainSize();
  cp::BuildFileHeader(id, plainSize, &expected);
  const bool foreign =
      std::memcmp(expected.Digest(), header.Digest(), cp::EncryptedFileHeader::kDigestSize) != 0;
  const bool cut = plainSize > file.size() - kHeader ||
                   file.size() % std::max(1u, Decryptor::kBlockSize) != 0;  // or inside a block
  const uint32_t refusal = file.empty()            ? 0
                           : file.size() < kHeader ? cp::kCodeInputTooShort
                           : foreign               ? cp::kCodeHeaderMismatch
                           : cut                   ? cp::kCodeInputDamaged
                                                   : 0;
  // A refused file leaves nothing to write.
  const std::string plain = refusal != 0 || file.empty() ? "" : clear.substr(kHeader, plainSize);
  const std::string& written = out.bytes();
  Require(written == plain.substr(0, written.size()), "not a prefix of the stated plaintext");
  const gen::Result context{result.ctxKind, result.ctxCode};
  const bool full =
      room != 0 && room < plain.size() && written.size() == room && context == kDeviceFull;
  // A file in one chunk that states no plaintext leaves nothing to write.
  const bool writeFailed = result.kind == gen::kKindOwn && result.code == cp::kCodeWriteFailed &&
                           (full || (plainSize == 0 && context == gen::Result{}));
  Require(refusal != 0        ? result == gen::OwnError(refusal)
          : IsSuccess(result) ? written == plain
                              : writeFailed,
          "an undocumented result, or the plaintext cut short");
}

// An 8-, a 16- and a 32-byte block cipher and a stream cipher: Blowfish-128,
// AES-256, SHACAL2-512, Sosemanuk-128.
constexpr void (*kAlgorithms[4])(const uint8_t[3], const std::string&) = {
    DecryptOne<800>, DecryptOne<252>, DecryptOne<904>, DecryptOne<100>};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  input.resize(std::max<size_t>(size, 3));  // missing control bytes read as 0
  const auto* control = reinterpret_cast<const uint8_t*>(input.data());
  kAlgorithms[control[0] & 3](control, input.substr(3));
  return 0;
}
