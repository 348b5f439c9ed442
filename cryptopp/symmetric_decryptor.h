#pragma once

#include <cstdint>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_engine.h"
#include "cryptopp/job_core.h"

namespace tarnwick::cryptopp::internal {

// The decryption job, written once over the engine interface
// (symmetric_decryptor.cpp). Checks the header in the first chunk before
// anything is written, then writes exactly the plaintext the header
// states, leaving out the header, the zero fill and anything behind it.
class CDecryptorCore
    : public CSymmetricJob<crypto::ISymmetricDecryptor, crypto::ISymmetricDecryptorEngine,
                           crypto::IDecryptCallback> {
 protected:
  using CSymmetricJob::CSymmetricJob;

  // The entry points with defaults call on through the interface, so an
  // override of DecryptStreamWithPassword or DecryptStream is honoured.
  gen::Result2 DecryptWithKey(InStream* in, OutStream* out, const Bytes* key,
                              crypto::IDecryptCallback* callback, void* ctx) override;
  gen::Result2 DecryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key, const Bytes* iv,
                                   crypto::IDecryptCallback* callback, void* ctx) override;
  gen::Result2 DecryptWithPassword(InStream* in, OutStream* out, const char* password,
                                   crypto::IDecryptCallback* callback, void* ctx) override;
  gen::Result2 DecryptWithPasswordHash(InStream* in, OutStream* out, const char* password,
                                       uint32_t hashId, crypto::IDecryptCallback* callback,
                                       void* ctx) override;
  gen::Result2 DecryptStreamWithPassword(InStream* in, OutStream* out, const char* password,
                                         uint32_t hashId, const Bytes* iv, uint32_t bufferSize,
                                         uint32_t progressIntervalMs,
                                         crypto::IDecryptCallback* callback, void* ctx) override;
  gen::Result2 DecryptStream(InStream* in, OutStream* out, const Bytes* key, const Bytes* iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs,
                             crypto::IDecryptCallback* callback, void* ctx) override;

 private:
  gen::Result2 DecryptChunks(InStream& in, OutStream& out, const Bytes& key, const Bytes& iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs,
                             crypto::IDecryptCallback* callback, void* ctx);
};

// The decryption job of one algorithm: the core over this algorithm's
// engine. Made only through Create (the factory), used only through the
// interface.
template <typename Engine>
class CSymmetricDecryptor final : EngineMember<Engine>, CDecryptorCore {
 public:
  static crypto::ISymmetricDecryptor* Create() { return new CSymmetricDecryptor(); }

 private:
  CSymmetricDecryptor() : CDecryptorCore(*this->engine.Interface()) {}
};

}  // namespace tarnwick::cryptopp::internal
