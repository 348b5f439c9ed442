#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "crypto/symmetric_encryptor.h"
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

// The encryption job of one algorithm. Writes the cipher's output over
// one stream: the 56-byte header, the input, and for a block cipher zero
// bytes up to a whole block. Made only through Create (the factory), used
// only through the interface.
template <typename Engine>
class CSymmetricEncryptor : CSymmetricJob<Engine, crypto::ISymmetricEncryptor> {
  using Base = CSymmetricJob<Engine, crypto::ISymmetricEncryptor>;
  using Bytes = crypto::ISymmetricEncryptor::Bytes;
  using InStream = crypto::ISymmetricEncryptor::InStream;
  using OutStream = crypto::ISymmetricEncryptor::OutStream;
  using Base::engine;
  using Base::stop;

 public:
  static crypto::ISymmetricEncryptor* Create() { return new CSymmetricEncryptor(); }

  using Base::MakeZeroIv;

 private:
  CSymmetricEncryptor() = default;

  using Base::GetAlgorithmId;
  using Base::GetIvSize;
  using Base::GetKeySize;

  gen::Result2 EncryptWithKey(InStream* in, OutStream* out, const Bytes* key, bool useSalt,
                              crypto::IEncryptCallback* callback, void* ctx) override {
    Bytes iv;
    MakeZeroIv(iv);
    return EncryptStream(in, out, key, &iv, kDefaultBufferSize, kDefaultProgressIntervalMs,
                         useSalt, callback, ctx);
  }

  gen::Result2 EncryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key,
                                   const Bytes* iv, bool useSalt,
                                   crypto::IEncryptCallback* callback, void* ctx) override {
    return EncryptStream(in, out, key, iv, kDefaultBufferSize, kDefaultProgressIntervalMs,
                         useSalt, callback, ctx);
  }

  gen::Result2 EncryptWithPassword(InStream* in, OutStream* out, const char* password,
                                   bool useSalt, crypto::IEncryptCallback* callback,
                                   void* ctx) override {
    Bytes iv;
    MakeZeroIv(iv);
    return EncryptStreamWithPassword(in, out, password, DefaultHashIdForKeySize(GetKeySize()),
                                     &iv, kDefaultBufferSize, kDefaultProgressIntervalMs,
                                     useSalt, callback, ctx);
  }

  gen::Result2 EncryptWithPasswordHash(InStream* in, OutStream* out, const char* password,
                                       uint32_t hashId, bool useSalt,
                                       crypto::IEncryptCallback* callback, void* ctx) override {
    Bytes iv;
    MakeZeroIv(iv);
    return EncryptStreamWithPassword(in, out, password, hashId, &iv, kDefaultBufferSize,
                                     kDefaultProgressIntervalMs, useSalt, callback, ctx);
  }

  gen::Result2 EncryptStreamWithPassword(InStream* in, OutStream* out, const char* password,
                                         uint32_t hashId, const Bytes* iv,
                                         uint32_t bufferSize, uint32_t progressIntervalMs,
                                         bool useSalt, crypto::IEncryptCallback* callback,
                                         void* ctx) override {
    PasswordKey key;
    const gen::Result2 derived = key.Derive(password, hashId, GetKeySize());
    if (!gen::IsSuccess(derived)) return derived;
    return EncryptStream(in, out, key.bytes(), iv, bufferSize, progressIntervalMs, useSalt,
                         callback, ctx);
  }

  gen::Result2 EncryptStream(InStream* in, OutStream* out, const Bytes* key, const Bytes* iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs, bool useSalt,
                             crypto::IEncryptCallback* callback, void* ctx) override {
    const gen::Result2 refused = CheckRunArguments(in, out, bufferSize, key, GetKeySize(), iv,
                                                   GetIvSize(), this->running);
    if (!gen::IsSuccess(refused)) return refused;
    return RunJob(engine, this->Flags(), callback, ctx, kStageEncrypting,
                  [&] {
                    return EncryptChunks(*in, *out, *key, *iv, bufferSize, progressIntervalMs,
                                         useSalt, callback, ctx);
                  });
  }

  gen::Result2 EncryptChunks(InStream& in, OutStream& out, const Bytes& key, const Bytes& iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs, bool useSalt,
                             crypto::IEncryptCallback* callback, void* ctx) {
    const uint32_t extra = engine.GetExtraSize();
    const uint32_t blockSize = engine.GetBlockSize();
    const int64_t total = in.GetSize();
    if (total <= 0) return gen::Result2{};

    gen::Result2 result = engine.SetKey(key.data(), static_cast<uint32_t>(key.size()),
                                        iv.data(), static_cast<uint32_t>(iv.size()));
    if (!gen::IsSuccess(result)) return result;

    const uint32_t n = ChunkBufferLength(bufferSize, blockSize);
    ChunkBuffers buffers(n, extra);

    EncryptedFileHeader header;
    result = BuildFileHeader(GetAlgorithmId(), static_cast<uint64_t>(total), &header);
    if (!gen::IsSuccess(result)) return result;
    if (useSalt) FillHeaderSalt(&header);
    if (stop.Get()) return gen::Result2{};

    // The header and the plaintext are one cipher stream: the first chunk
    // carries the header and as much plaintext as fits behind it.
    std::memcpy(buffers.in(), header.bytes, kHeaderBytes);
    const uint32_t firstPlain = static_cast<uint32_t>(
        std::min<int64_t>(n - kHeaderBytes, total));
    int64_t written = 0;
    result = EncryptChunk(in, out, buffers, kHeaderBytes, firstPlain, written);
    if (!gen::IsSuccess(result)) return result;

    // Header and plaintext bytes still to go; the zero fill of the last
    // block takes it below 0.
    int64_t remaining = total + kHeaderBytes - written;
    ProgressReporter<crypto::IEncryptCallback> reporter(callback, ctx, progressIntervalMs, total);
    while (remaining > 0) {
      if (stop.Get()) return gen::Result2{};
      const uint32_t want = static_cast<uint32_t>(std::min<int64_t>(n, remaining));
      result = EncryptChunk(in, out, buffers, 0, want, written);
      if (!gen::IsSuccess(result)) return result;
      remaining = total + kHeaderBytes - written;
      reporter.AfterChunk(total - remaining, stop);
    }
    return gen::Result2{};
  }

  // One chunk from the input to the output; `written` counts what went out.
  gen::Result2 EncryptChunk(InStream& in, OutStream& out, ChunkBuffers& buffers,
                            uint32_t offset, uint32_t want, int64_t& written) {
    uint32_t produced = 0;
    gen::Result2 result = buffers.Process(engine, in, offset, want, produced);
    if (!gen::IsSuccess(result)) return result;
    result = WriteChunk(out, buffers.out(), produced);
    if (gen::IsSuccess(result)) written += produced;
    return result;
  }
};

}  // namespace tarnwick::cryptopp::internal
