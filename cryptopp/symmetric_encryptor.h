#pragma once

#include <cstdint>

#include "crypto/symmetric_encryptor.h"
#include "crypto/symmetric_engine.h"
#include "cryptopp/job_core.h"

namespace tarnwick::cryptopp::internal {

// The encryption job, written once over the engine interface
// (symmetric_encryptor.cpp). Writes the cipher's output over one stream:
// the 56-byte header, the input, and for a block cipher zero bytes up to a
// whole block.
class CEncryptorCore
    : public CSymmetricJob<crypto::ISymmetricEncryptor, crypto::ISymmetricEncryptorEngine,
                           crypto::IEncryptCallback> {
 protected:
  using CSymmetricJob::CSymmetricJob;

  // The entry points with defaults call on through the interface, so an
  // override of EncryptStreamWithPassword or EncryptStream is honoured.
  gen::Result2 EncryptWithKey(InStream* in, OutStream* out, const Bytes* key, bool useSalt,
                              crypto::IEncryptCallback* callback, void* ctx) override;
  gen::Result2 EncryptWithKeyAndIv(InStream* in, OutStream* out, const Bytes* key, const Bytes* iv,
                                   bool useSalt, crypto::IEncryptCallback* callback,
                                   void* ctx) override;
  gen::Result2 EncryptWithPassword(InStream* in, OutStream* out, const char* password, bool useSalt,
                                   crypto::IEncryptCallback* callback, void* ctx) override;
  gen::Result2 EncryptWithPasswordHash(InStream* in, OutStream* out, const char* password,
                                       uint32_t hashId, bool useSalt,
                                       crypto::IEncryptCallback* callback, void* ctx) override;
  gen::Result2 EncryptStreamWithPassword(InStream* in, OutStream* out, const char* password,
                                         uint32_t hashId, const Bytes* iv, uint32_t bufferSize,
                                         uint32_t progressIntervalMs, bool useSalt,
                                         crypto::IEncryptCallback* callback, void* ctx) override;
  gen::Result2 EncryptStream(InStream* in, OutStream* out, const Bytes* key, const Bytes* iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs, bool useSalt,
                             crypto::IEncryptCallback* callback, void* ctx) override;

 private:
  gen::Result2 EncryptChunks(InStream& in, OutStream& out, const Bytes& key, const Bytes& iv,
                             uint32_t bufferSize, uint32_t progressIntervalMs, bool useSalt,
                             crypto::IEncryptCallback* callback, void* ctx);
};

// The encryption job of one algorithm: the core over this algorithm's
// engine. Made only through Create (the factory), used only through the
// interface.
template <typename Engine>
class CSymmetricEncryptor final : EngineMember<Engine>, CEncryptorCore {
 public:
  static crypto::ISymmetricEncryptor* Create() { return new CSymmetricEncryptor(); }

 private:
  CSymmetricEncryptor() : CEncryptorCore(*this->engine.Interface()) {}
};

}  // namespace tarnwick::cryptopp::internal
