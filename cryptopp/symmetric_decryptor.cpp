#include "cryptopp/symmetric_decryptor.h"

#include <algorithm>
#include <cstring>

#include "cryptopp/alg_info.h"
#include "cryptopp/codes.h"
#include "cryptopp/file_header.h"

namespace tarnwick::cryptopp::internal {

gen::Result2 CDecryptorCore::DecryptWithKey(InStream* in, OutStream* out, const Bytes* key,
                                            crypto::IDecryptCallback* callback, void* ctx) {
  Bytes iv;
  MakeZeroIv(iv);
  return DecryptStream(in, out, key, &iv, kDefaultBufferSize, kDefaultProgressIntervalMs, callback,
                       ctx);
}

gen::Result2 CDecryptorCore::DecryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key,
                                                 const Bytes* iv,
                                                 crypto::IDecryptCallback* callback, void* ctx) {
  return DecryptStream(in, out, key, iv, kDefaultBufferSize, kDefaultProgressIntervalMs, callback,
                       ctx);
}

gen::Result2 CDecryptorCore::DecryptWithPassword(InStream* in, OutStream* out, const char* password,
                                                 crypto::IDecryptCallback* callback, void* ctx) {
  Bytes iv;
  MakeZeroIv(iv);
  return DecryptStreamWithPassword(in, out, password, DefaultHashIdForKeySize(GetKeySize()), &iv,
                                   kDefaultBufferSize, kDefaultProgressIntervalMs, callback, ctx);
}

gen::Result2 CDecryptorCore::DecryptWithPasswordHash(InStream* in, OutStream* out,
                                                     const char* password, uint32_t hashId,
                                                     crypto::IDecryptCallback* callback,
                                                     void* ctx) {
  Bytes iv;
  MakeZeroIv(iv);
  return DecryptStreamWithPassword(in, out, password, hashId, &iv, kDefaultBufferSize,
                                   kDefaultProgressIntervalMs, callback, ctx);
}

gen::Result2 CDecryptorCore::DecryptStreamWithPassword(InStream* in, OutStream* out,
                                                       const char* password, uint32_t hashId,
                                                       const Bytes* iv, uint32_t bufferSize,
                                                       uint32_t progressIntervalMs,
                                                       crypto::IDecryptCallback* callback,
                                                       void* ctx) {
  PasswordKey key;
  const gen::Result2 derived = key.Derive(password, hashId, GetKeySize());
  if (!gen::IsSuccess(derived)) return derived;
  return DecryptStream(in, out, key.bytes(), iv, bufferSize, progressIntervalMs, callback, ctx);
}

gen::Result2 CDecryptorCore::DecryptStream(InStream* in, OutStream* out, const Bytes* key,
                                           const Bytes* iv, uint32_t bufferSize,
                                           uint32_t progressIntervalMs,
                                           crypto::IDecryptCallback* callback, void* ctx) {
  const gen::Result2 refused =
      CheckRunArguments(in, out, bufferSize, key, GetKeySize(), iv, GetIvSize(), running);
  if (!gen::IsSuccess(refused)) return refused;
  return RunStream(callback, ctx, kStageDecrypting, [&] {
    return DecryptChunks(*in, *out, *key, *iv, bufferSize, progressIntervalMs, callback, ctx);
  });
}

// The file as read: the first chunk is always carried through, since it
// holds the header, which is checked before anything is written; then
// exactly the plaintext the header states goes out, and whatever lies
// behind it (the zero fill, bytes appended to the file) is read but never
// written. Nothing but the digest and the plaintext size of the header is
// read.
gen::Result2 CDecryptorCore::DecryptChunks(InStream& in, OutStream& out, const Bytes& key,
                                           const Bytes& iv, uint32_t bufferSize,
                                           uint32_t progressIntervalMs,
                                           crypto::IDecryptCallback* callback, void* ctx) {
  const uint32_t blockSize = engine_.GetBlockSize();
  const int64_t total = in.GetSize();
  if (total <= 0) return gen::Result2{};
  if (total < static_cast<int64_t>(kHeaderBytes)) return gen::OwnError(kCodeInputTooShort);

  gen::Result2 result = engine_.SetKey(key.data(), static_cast<uint32_t>(key.size()), iv.data(),
                                       static_cast<uint32_t>(iv.size()));
  if (!gen::IsSuccess(result)) return result;

  const uint32_t n = ChunkBufferLength(bufferSize, blockSize);
  ChunkBuffers buffers(n, blockSize, engine_.GetExtraSize());

  const uint32_t first = static_cast<uint32_t>(std::min<int64_t>(n, total));
  uint32_t produced = 0;
  result = buffers.Process(engine_, in, 0, first, produced);
  if (!gen::IsSuccess(result)) return result;

  EncryptedFileHeader header;
  std::memcpy(header.bytes, buffers.out(), kHeaderBytes);
  const uint64_t plainSize = header.PlainSize();
  uint8_t digest[EncryptedFileHeader::kDigestSize] = {};
  result = ComputeHeaderDigest(digest, GetAlgorithmId(), plainSize);
  if (!gen::IsSuccess(result)) return result;
  if (std::memcmp(digest, header.Digest(), sizeof digest) != 0) {
    return gen::OwnError(kCodeHeaderMismatch);
  }
  // Cut short, or cut inside a block: either way the last block would
  // decrypt to garbage.
  if (plainSize > static_cast<uint64_t>(total) - kHeaderBytes ||
      (blockSize != 0 && total % blockSize != 0)) {
    return gen::OwnError(kCodeInputDamaged);
  }

  uint64_t plainLeft = plainSize;
  int64_t remaining = total - first;  // encrypted bytes not read yet
  const uint32_t firstPlain =
      static_cast<uint32_t>(std::min<uint64_t>(produced - kHeaderBytes, plainLeft));
  if (firstPlain == 0 && remaining == 0) {
    // A whole file that states no plaintext, which the encryption job never
    // writes (an empty input gives an empty file): only a forged file gets
    // here. The reader of the stored format has always failed it as a write
    // of nothing, {5, 61, the stream's last error}, and callers tell such a
    // file by that code.
    out.Write(buffers.out() + kHeaderBytes, 0);
    return WriteFailure(out);
  }
  result = WriteChunk(out, buffers.out() + kHeaderBytes, firstPlain);
  if (!gen::IsSuccess(result)) return result;
  plainLeft -= firstPlain;

  ProgressReporter<crypto::IDecryptCallback> reporter(callback, ctx, progressIntervalMs, total);
  while (remaining > 0) {
    if (stop.Get()) return gen::Result2{};
    const uint32_t want = static_cast<uint32_t>(std::min<int64_t>(n, remaining));
    result = buffers.Process(engine_, in, 0, want, produced);
    if (!gen::IsSuccess(result)) return result;
    const uint32_t plain = static_cast<uint32_t>(std::min<uint64_t>(produced, plainLeft));
    result = WriteChunk(out, buffers.out(), plain);
    if (!gen::IsSuccess(result)) return result;
    plainLeft -= plain;
    remaining -= want;
    reporter.AfterChunk(total - remaining, stop);
  }
  return gen::Result2{};
}

}  // namespace tarnwick::cryptopp::internal
