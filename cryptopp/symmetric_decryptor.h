#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "crypto/symmetric_decryptor.h"
#include "cryptopp/alg_info.h"
#include "cryptopp/file_header.h"
#include "cryptopp/job_buffers.h"
#include "cryptopp/job_chunks.h"
#include "cryptopp/codes.h"
#include "cryptopp/job_password.h"
#include "cryptopp/job_progress.h"
#include "cryptopp/job_run.h"
#include "cryptopp/job_stream_io.h"
#include "cryptopp/symmetric_job.h"

namespace tarnwick::cryptopp::internal {

// The decryption job of one algorithm: checks the header in the first
// chunk before anything is written, then writes exactly the plaintext the
// header states, leaving out the header, the zero fill and anything behind
// the plaintext. Made only through Create (the factory).
template <typename Engine>
class CSymmetricDecryptor : CSymmetricJob<Engine, crypto::ISymmetricDecryptor> {
  using Base = CSymmetricJob<Engine, crypto::ISymmetricDecryptor>;
  using Bytes = crypto::ISymmetricDecryptor::Bytes;
  using InStream = crypto::ISymmetricDecryptor::InStream;
  using OutStream = crypto::ISymmetricDecryptor::OutStream;
  using Base::engine;
  using Base::stop;

 public:
  static crypto::ISymmetricDecryptor* Create() { return new CSymmetricDecryptor(); }

  using Base::MakeZeroIv;

 private:
  CSymmetricDecryptor() = default;

  using Base::GetAlgorithmId;
  using Base::GetIvSize;
  using Base::GetKeySize;

  gen::Result2 DecryptWithKey(InStream* in, OutStream* out, const Bytes* key,
                              crypto::IDecryptCallback* callback, void* ctx) override {
    Bytes iv;
    MakeZeroIv(iv);
    return DecryptStream(in, out, key, &iv, kDefaultBufferSize, kDefaultProgressIntervalMs,
                         callback, ctx);
  }

  gen::Result2 DecryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key,
                                   const Bytes* iv, crypto::IDecryptCallback* callback,
                                   void* ctx) override {
    return DecryptStream(in, out, key, iv, kDefaultBufferSize, kDefaultProgressIntervalMs,
                         callback, ctx);
  }

  gen::Result2 DecryptWithPassword(InStream* in, OutStream* out, const char* password,
                                   crypto::IDecryptCallback* callback, void* ctx) override {
    Bytes iv;
    MakeZeroIv(iv);
    return DecryptStreamWithPassword(in, out, password, DefaultHashIdForKeySize(GetKeySize()),
                                     &iv, kDefaultBufferSize, kDefaultProgressIntervalMs,
                                     callback, ctx);
  }

  gen::Result2 DecryptWithPasswordHash(InStream* in, OutStream* out, const char* password,
                                       uint32_t hashId, crypto::IDecryptCallback* callback,
                                       void* ctx) override {
    Bytes iv;
    MakeZeroIv(iv);
    return DecryptStreamWithPassword(in, out, password, hashId, &iv, kDefaultBufferSize,
                                     kDefaultProgressIntervalMs, callback, ctx);
  }

  gen::Result2 DecryptStreamWithPassword(InStream* in, OutStream* out, const char* password,
                                         uint32_t hashId, const Bytes* iv,
                                         uint32_t bufferSize, uint32_t progressIntervalMs,
                                         crypto::IDecryptCallback* callback,
                                         void* ctx) override {
    PasswordKey key;
    const gen::Result2 derived = key.Derive(password, hashId, GetKeySize());
    if (!gen::IsSuccess(derived)) return derived;
    return DecryptStream(in, out, key.bytes(), iv, bufferSize, progressIntervalMs, callback,
                         ctx);
  }

  gen::Result2 DecryptStream(InStream* in, OutStream* out, const Bytes* key, const Bytes* iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs,
                             crypto::IDecryptCallback* callback, void* ctx) override {
    const gen::Result2 refused = CheckRunArguments(in, out, bufferSize, key, GetKeySize(), iv,
                                                   GetIvSize(), this->running);
    if (!gen::IsSuccess(refused)) return refused;
    return RunJob(engine, this->Flags(), callback, ctx, kStageDecrypting,
                  [&] {
                    return DecryptChunks(*in, *out, *key, *iv, bufferSize, progressIntervalMs,
                                         callback, ctx);
                  });
  }

  gen::Result2 DecryptChunks(InStream& in, OutStream& out, const Bytes& key, const Bytes& iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs,
                             crypto::IDecryptCallback* callback, void* ctx) {
    const uint32_t extra = engine.GetExtraSize();
    const uint32_t blockSize = engine.GetBlockSize();
    const int64_t total = in.GetSize();
    if (total <= 0) return gen::Result2{};
    if (total < static_cast<int64_t>(kHeaderBytes)) return gen::OwnError(kCodeInputTooShort);

    gen::Result2 result = engine.SetKey(key.data(), static_cast<uint32_t>(key.size()),
                                        iv.data(), static_cast<uint32_t>(iv.size()));
    if (!gen::IsSuccess(result)) return result;

    const uint32_t n = ChunkBufferLength(bufferSize, blockSize);
    ChunkBuffers buffers(n, extra);

    // The first chunk is always carried through: it holds the header,
    // which is checked before anything is written.
    const uint32_t first = static_cast<uint32_t>(std::min<int64_t>(n, total));
    uint32_t produced = 0;
    result = buffers.Process(engine, in, 0, first, produced);
    if (!gen::IsSuccess(result)) return result;

    EncryptedFileHeader header;
    std::memcpy(header.bytes, buffers.out(), kHeaderBytes);
    uint8_t digest[EncryptedFileHeader::kDigestSize] = {};
    result = ComputeHeaderDigest(digest, GetAlgorithmId(), header.PlainSize());
    if (!gen::IsSuccess(result)) return result;
    if (std::memcmp(digest, header.Digest(), sizeof digest) != 0) {
      return gen::OwnError(kCodeHeaderMismatch);
    }
    // Cut short, or cut inside a block: either way the last block would
    // decrypt to garbage.
    const uint64_t plainSize = header.PlainSize();
    if (plainSize > static_cast<uint64_t>(total) - kHeaderBytes ||
        (blockSize != 0 && total % blockSize != 0)) {
      return gen::OwnError(kCodeInputDamaged);
    }

    uint64_t plainLeft = plainSize;
    int64_t remaining = total - first;  // encrypted bytes not read yet
    const uint32_t firstPlain =
        static_cast<uint32_t>(std::min<uint64_t>(produced - kHeaderBytes, plainLeft));
    if (firstPlain == 0 && remaining == 0) {
      // A whole file that states no plaintext: the encryption job never
      // writes one (it writes nothing for an empty input).
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
      result = buffers.Process(engine, in, 0, want, produced);
      if (!gen::IsSuccess(result)) return result;
      // Whatever lies behind the plaintext is read but never written.
      const uint32_t plain = static_cast<uint32_t>(std::min<uint64_t>(produced, plainLeft));
      result = WriteChunk(out, buffers.out(), plain);
      if (!gen::IsSuccess(result)) return result;
      plainLeft -= plain;
      remaining -= want;
      reporter.AfterChunk(total - remaining, stop);
    }
    return gen::Result2{};
  }
};

}  // namespace tarnwick::cryptopp::internal
