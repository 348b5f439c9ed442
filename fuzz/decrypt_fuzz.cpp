// Arbitrary bytes as an encrypted file, decrypted by the real decryption
// job from memory into memory (input layout: decrypt_input.h). Whatever
// the bytes, the job must end without a crash or a hang, with one of its
// documented results, having written nothing but a prefix of the plaintext
// that the file's header states, and all of it after a run that succeeded
// and was not stopped. The oracle is the same cipher run over the whole
// file in one piece, so the job's chunking, header check, fill handling,
// stop and writes are what is under test.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "crypto/symmetric_decryptor.h"
#include "cryptopp/alg_info.h"
#include "cryptopp/codes.h"
#include "cryptopp/factory.h"
#include "cryptopp/file_header.h"
#include "cryptopp/job_core.h"
#include "cryptopp/symmetric_engine.h"
#include "fuzz/decrypt_input.h"
#include "tests/support/memory_streams.h"

namespace {

using namespace qmfuzz;
namespace cp = tarnwick::cryptopp;
namespace internal = tarnwick::cryptopp::internal;
using tarnwick::crypto::ISymmetricDecryptor;
using tarnwick::gen::Result;
using tarnwick::gen::Result2;

const Result kDeviceFull{tarnwick::gen::kKindSystem, ENOSPC};

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "decrypt_fuzz: %s\n", what);
  std::abort();
}

Result2 Own(uint32_t code) { return Result2{tarnwick::gen::kKindOwn, code, 0, 0}; }

struct Control {
  uint8_t flags;
  uint8_t stopAtRead;
  uint8_t room;
  uint8_t smallBuffer;
};

// `bytes`, zero-filled to whole blocks, through one keyed engine in one
// piece.
template <class Engine>
std::string RunCipher(std::string bytes) {
  constexpr uint32_t block = Engine::kBlockSize;
  if (block != 0 && bytes.size() % block != 0) {
    bytes.resize((bytes.size() / block + 1) * block, '\0');
  }
  if (bytes.empty()) return bytes;
  internal::PasswordKey key;
  Require(IsSuccess(key.Derive(kFuzzPassword, cp::DefaultHashIdForKeySize(Engine::kKeySize),
                               Engine::kKeySize)),
          "password key");
  const std::vector<unsigned char> iv(Engine::kIvSize, 0);
  Engine engine;
  Require(
      IsSuccess(engine.SetKey(key.bytes()->data(), Engine::kKeySize, iv.data(), Engine::kIvSize)),
      "reference key");
  std::string out(bytes.size(), '\0');
  int32_t produced = 0;
  const Result2 processed = engine.Process(
      reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int32_t>(bytes.size()),
      reinterpret_cast<uint8_t*>(out.data()), static_cast<int32_t>(out.size()), &produced);
  Require(IsSuccess(processed) && produced == static_cast<int32_t>(out.size()), "reference cipher");
  engine.ResetKey();
  return out;
}

std::string Repeat(const std::string& pattern, size_t length) {
  if (pattern.empty()) return std::string(length, '\0');
  std::string body;
  body.reserve(length);
  while (body.size() < length) body.append(pattern, 0, length - body.size());
  return body;
}

// A file encrypted as the encryption job would, but with a header that
// states any size, then cut, lengthened or damaged.
template <uint32_t id>
std::string ForgeFile(InputReader& recipe) {
  const uint8_t rule = recipe.Byte() & 3;
  const uint8_t difference = recipe.Byte();
  const uint16_t bodyLength = recipe.U16();
  const int8_t lengthChange = static_cast<int8_t>(recipe.Byte());
  const uint16_t flipAt = recipe.U16();
  const uint8_t flipMask = recipe.Byte();
  const uint64_t rawSize = rule == kRawSize ? recipe.U64() : 0;
  std::string body = recipe.Rest();
  if (bodyLength != 0) body = Repeat(body, bodyLength);

  uint64_t plainSize = body.size();
  if (rule == kSmallerSize) plainSize -= std::min<uint64_t>(difference, plainSize);
  if (rule == kLargerSize) plainSize += difference;
  if (rule == kRawSize) plainSize = rawSize;
  cp::EncryptedFileHeader header;
  Require(IsSuccess(cp::BuildFileHeader(id, plainSize, &header)), "forged header");

  using Encryptor = typename internal::EngineTypes<id>::Encryptor;
  std::string file = RunCipher<Encryptor>(
      std::string(reinterpret_cast<const char*>(header.bytes), sizeof header.bytes) + body);
  if (lengthChange < 0) {
    file.resize(file.size() - std::min<size_t>(static_cast<size_t>(-lengthChange), file.size()));
  } else {
    file.append(static_cast<size_t>(lengthChange), '\xA5');
  }
  if (flipMask != 0 && !file.empty()) file[flipAt % file.size()] ^= static_cast<char>(flipMask);
  return file;
}

// What the job reports through its callback; every call must carry the
// context it was given.
class RunRecord : public tarnwick::crypto::IDecryptCallback {
 public:
  int starts = 0;
  int finishes = 0;
  bool stopped = false;
  Result2 finished;
  uint64_t mostDone = 0;
  float mostPercent = 0;

  void OnProgress(uint64_t doneBytes, float percent, void* ctx) override {
    Require(ctx == this, "progress context");
    Require(percent >= 0.0f, "negative progress");
    mostDone = std::max(mostDone, doneBytes);
    mostPercent = std::max(mostPercent, percent);
  }
  void OnStart(void* ctx) override {
    Require(ctx == this, "start context");
    ++starts;
  }
  void OnFinish(bool stoppedFlag, const Result2* result, void* ctx) override {
    Require(ctx == this && result != nullptr, "finish arguments");
    ++finishes;
    stopped = stoppedFlag;
    finished = *result;
  }
};

// The outcome the file allows, judged by the reference decryption.
template <uint32_t id>
void CheckOutcome(const std::string& file, const Control& control, const Result2& result,
                  const std::string& written, bool stopped) {
  using Decryptor = typename internal::EngineTypes<id>::Decryptor;
  constexpr uint32_t kHeader = cp::EncryptedFileHeader::kSize;
  if (file.empty()) {
    Require(result == Result2{} && written.empty(), "empty file");
    return;
  }
  if (file.size() < kHeader) {
    Require(result == Own(cp::kCodeInputTooShort) && written.empty(), "file shorter than a header");
    return;
  }
  const std::string clear = RunCipher<Decryptor>(file);
  cp::EncryptedFileHeader header;
  std::memcpy(header.bytes, clear.data(), kHeader);
  uint8_t digest[cp::EncryptedFileHeader::kDigestSize];
  Require(IsSuccess(cp::ComputeHeaderDigest(digest, id, header.PlainSize())), "digest");
  if (std::memcmp(digest, header.Digest(), sizeof digest) != 0) {
    Require(result == Own(cp::kCodeHeaderMismatch) && written.empty(), "foreign header accepted");
    return;
  }
  const uint64_t plainSize = header.PlainSize();
  if (plainSize > file.size() - kHeader) {
    Require(result == Own(cp::kCodeInputDamaged) && written.empty(), "cut-off file accepted");
    return;
  }
  // A file that ends inside a block may be refused as damaged, or read
  // with its last block zero-filled; either way nothing half-done.
  const bool ragged = Decryptor::kBlockSize != 0 && file.size() % Decryptor::kBlockSize != 0;
  if (ragged && result == Own(cp::kCodeInputDamaged)) {
    Require(written.empty(), "damaged file partly written");
    return;
  }
  const std::string plain = clear.substr(kHeader, plainSize);
  Require(written.size() <= plain.size(), "more written than the header states");
  Require(written == plain.substr(0, written.size()), "written bytes are not the plaintext");
  if (IsSuccess(result)) {
    Require(written.size() == plain.size() || stopped, "plaintext cut short");
    return;
  }
  Require(result.kind == tarnwick::gen::kKindOwn && result.code == cp::kCodeWriteFailed,
          "undocumented result");
  const Result context{result.ctxKind, result.ctxCode};
  const size_t room = size_t{control.room} * kRoomUnit;
  const bool full =
      control.room != 0 && context == kDeviceFull && written.size() == room && room < plain.size();
  // A file that fits in one chunk and states no plaintext leaves nothing
  // to write.
  const bool nothingStated = plainSize == 0 && context == Result{};
  Require(full || nothingStated, "write failure without cause");
}

template <uint32_t id>
void DecryptOne(const Control& control, InputReader& rest) {
  const std::string file = (control.flags & kForged) ? ForgeFile<id>(rest) : rest.Rest();

  qmtest::MemoryInStream in(file);
  if (const int limit = control.flags >> 4; limit != 0) in.LimitReadsTo(1u << (limit - 1));
  qmtest::MemoryOutStream out;
  if (control.room != 0) out.LimitTo(size_t{control.room} * kRoomUnit, kDeviceFull);

  ISymmetricDecryptor* made = nullptr;
  cp::CDecryptorFactory factory;
  Require(IsSuccess(factory.Create(cp::kLibraryType, id, &made)) && made != nullptr, "factory");
  const std::unique_ptr<ISymmetricDecryptor> job(made);

  bool stopped = false;
  if (control.stopAtRead != 0) {
    in.onRead = [&](int readsBefore) {
      if (readsBefore + 1 != control.stopAtRead) return;
      job->Stop();
      stopped = true;
    };
  }

  RunRecord record;
  Result2 result;
  if (control.flags & kSmallChunks) {
    const std::vector<unsigned char> iv(job->GetIvSize(), 0);
    result = job->DecryptStreamWithPassword(&in, &out, kFuzzPassword,
                                            cp::DefaultHashIdForKeySize(job->GetKeySize()), &iv,
                                            8u + control.smallBuffer, 0, &record, &record);
  } else {
    result = job->DecryptWithPassword(&in, &out, kFuzzPassword, &record, &record);
  }

  Require(!job->IsRunning(), "still running after the run");
  Require(record.starts == 1 && record.finishes == 1, "start and finish once each");
  Require(record.finished == result, "finish saw another result");
  Require(record.stopped == stopped, "stop flag at the finish");
  Require(record.mostDone <= file.size() && record.mostPercent <= 100.0f, "progress past the end");
  CheckOutcome<id>(file, control, result, out.bytes(), stopped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  Control control;
  control.flags = input.Byte();
  control.stopAtRead = input.Byte();
  control.room = input.Byte();
  control.smallBuffer = input.Byte();
  switch (control.flags & 3) {
    case 0: DecryptOne<kFuzzAlgorithms[0]>(control, input); break;
    case 1: DecryptOne<kFuzzAlgorithms[1]>(control, input); break;
    case 2: DecryptOne<kFuzzAlgorithms[2]>(control, input); break;
    default: DecryptOne<kFuzzAlgorithms[3]>(control, input); break;
  }
  return 0;
}
