#include "cryptopp/symmetric_encryptor.h"

#include <algorithm>
#include <cstring>

#include "cryptopp/alg_info.h"
#include "cryptopp/codes.h"
#include "cryptopp/file_header.h"

namespace tarnwick::cryptopp::internal {

gen::Result2 CEncryptorCore::EncryptWithKey(InStream* in, OutStream* out, const Bytes* key,
                                            bool useSalt, crypto::IEncryptCallback* callback,
                                            void* ctx) {
  Bytes iv;
  MakeZeroIv(iv);
  return EncryptStream(in, out, key, &iv, kDefaultBufferSize, kDefaultProgressIntervalMs, useSalt,
                       callback, ctx);
}

gen::Result2 CEncryptorCore::EncryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key,
                                                 const Bytes* iv, bool useSalt,
                                                 crypto::IEncryptCallback* callback, void* ctx) {
  return EncryptStream(in, out, key, iv, kDefaultBufferSize, kDefaultProgressIntervalMs, useSalt,
                       callback, ctx);
}

gen::Result2 CEncryptorCore::EncryptWithPassword(InStream* in, OutStream* out, const char* password,
                                                 bool useSalt, crypto::IEncryptCallback* callback,
                                                 void* ctx) {
  Bytes iv;
  MakeZeroIv(iv);
  return EncryptStreamWithPassword(in, out, password, DefaultHashIdForKeySize(GetKeySize()), &iv,
                                   kDefaultBufferSize, kDefaultProgressIntervalMs, useSalt,
                                   callback, ctx);
}

gen::Result2 CEncryptorCore::EncryptWithPasswordHash(InStream* in, OutStream* out,
                                                     const char* password, uint32_t hashId,
                                                     bool useSalt,
                                                     crypto::IEncryptCallback* callback,
                                                     void* ctx) {
  Bytes iv;
  MakeZeroIv(iv);
  return EncryptStreamWithPassword(in, out, password, hashId, &iv, kDefaultBufferSize,
                                   kDefaultProgressIntervalMs, useSalt, callback, ctx);
}

gen::Result2 CEncryptorCore::EncryptStreamWithPassword(InStream* in, OutStream* out,
                                                       const char* password, uint32_t hashId,
                                                       const Bytes* iv, uint32_t bufferSize,
                                                       uint32_t progressIntervalMs, bool useSalt,
                                                       crypto::IEncryptCallback* callback,
                                                       void* ctx) {
  PasswordKey key;
  const gen::Result2 derived = key.Derive(password, hashId, GetKeySize());
  if (!gen::IsSuccess(derived)) return derived;
  return EncryptStream(in, out, key.bytes(), iv, bufferSize, progressIntervalMs, useSalt, callback,
                       ctx);
}

gen::Result2 CEncryptorCore::EncryptStream(InStream* in, OutStream* out, const Bytes* key,
                                           const Bytes* iv, uint32_t bufferSize,
                                           uint32_t progressIntervalMs, bool useSalt,
                                           crypto::IEncryptCallback* callback, void* ctx) {
  const gen::Result2 refused =
      CheckRunArguments(in, out, bufferSize, key, GetKeySize(), iv, GetIvSize(), running);
  if (!gen::IsSuccess(refused)) return refused;
  return RunStream(callback, ctx, kStageEncrypting, [&] {
    return EncryptChunks(*in, *out, *key, *iv, bufferSize, progressIntervalMs, useSalt, callback,
                         ctx);
  });
}

// The file as written: one cipher stream over the header, the plaintext
// and, for a block cipher, zeros up to a whole block; nothing at all for
// an empty input. Every chunk but the last is n bytes, and the first
// carries the header with as much plaintext as fits behind it.
gen::Result2 CEncryptorCore::EncryptChunks(InStream& in, OutStream& out, const Bytes& key,
                                           const Bytes& iv, uint32_t bufferSize,
                                           uint32_t progressIntervalMs, bool useSalt,
                                           crypto::IEncryptCallback* callback, void* ctx) {
  const int64_t total = in.GetSize();
  if (total <= 0) return gen::Result2{};

  gen::Result2 result = engine_.SetKey(key.data(), static_cast<uint32_t>(key.size()), iv.data(),
                                       static_cast<uint32_t>(iv.size()));
  if (!gen::IsSuccess(result)) return result;

  const uint32_t blockSize = engine_.GetBlockSize();
  const uint32_t n = ChunkBufferLength(bufferSize, blockSize);
  ChunkBuffers buffers(n, blockSize, engine_.GetExtraSize());

  EncryptedFileHeader header;
  result = BuildFileHeader(GetAlgorithmId(), static_cast<uint64_t>(total), &header);
  if (!gen::IsSuccess(result)) return result;
  if (useSalt) FillHeaderSalt(&header);
  if (stop.Get()) return gen::Result2{};

  // Header and plaintext bytes still to go; the zero fill of the last
  // block takes it below 0.
  int64_t remaining = total + kHeaderBytes;
  // One chunk from the input, behind the `offset` bytes already in place.
  const auto encryptChunk = [&](uint32_t offset) {
    const uint32_t want = static_cast<uint32_t>(std::min<int64_t>(n, remaining) - offset);
    uint32_t produced = 0;
    gen::Result2 done = buffers.Process(engine_, in, offset, want, produced);
    if (gen::IsSuccess(done)) done = WriteChunk(out, buffers.out(), produced);
    remaining -= produced;
    return done;
  };

  // The first chunk carries the header and as much plaintext as fits
  // behind it. It follows the header's stop test and reports no progress.
  std::memcpy(buffers.in(), header.bytes, kHeaderBytes);
  result = encryptChunk(kHeaderBytes);
  if (!gen::IsSuccess(result)) return result;
  ProgressReporter<crypto::IEncryptCallback> reporter(callback, ctx, progressIntervalMs, total);
  while (remaining > 0) {
    if (stop.Get()) return gen::Result2{};
    result = encryptChunk(0);
    if (!gen::IsSuccess(result)) return result;
    reporter.AfterChunk(total - remaining, stop);
  }
  return gen::Result2{};
}

}  // namespace tarnwick::cryptopp::internal
