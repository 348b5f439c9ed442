#include "cryptopp/job_core.h"

#include <cstring>

#include <cryptopp/cryptlib.h>
#include <cryptopp/misc.h>

#include "cryptopp/codes.h"
#include "cryptopp/password_hash.h"

namespace tarnwick::cryptopp::internal {
namespace {

gen::Result2 WithContext(uint32_t code, gen::Result context) {
  return gen::Result2{gen::kKindOwn, code, context.kind, context.code};
}

}  // namespace

gen::Result2 ReadChunk(io::internal::IIStream<char>& in, uint8_t* buffer, uint32_t length) {
  uint32_t done = 0;
  while (done < length) {
    uint32_t got = 0;
    if (!in.Read(buffer + done, static_cast<int32_t>(length - done), got) || got == 0) {
      return WithContext(kCodeReadFailed, in.GetLastError());
    }
    done += got;
  }
  return gen::Result2{};
}

gen::Result2 WriteChunk(io::internal::IOStream<char>& out, const uint8_t* buffer, uint32_t length) {
  if (length == 0) return gen::Result2{};
  if (out.Write(buffer, static_cast<int32_t>(length)) != length) return WriteFailure(out);
  return gen::Result2{};
}

gen::Result2 WriteFailure(io::internal::IOStream<char>& out) {
  return WithContext(kCodeWriteFailed, out.GetLastError());
}

PasswordKey::~PasswordKey() { CryptoPP::SecureWipeBuffer(bytes_.data(), bytes_.size()); }

gen::Result2 PasswordKey::Derive(const char* password, uint32_t hashId, uint32_t keySize) {
  const size_t length = password != nullptr ? std::strlen(password) : 0;
  // The hash takes a signed 32-bit length; a longer password (no command
  // line carries one) must not wrap to the empty password's zero key.
  if (length > static_cast<size_t>(INT32_MAX)) {
    return gen::Result2{gen::kKindOwn, kCodeHashFailed, gen::kKindOwn, kStagePasswordHash};
  }
  const gen::Result hashed = HashPassword(
      &bytes_, hashId, reinterpret_cast<const uint8_t*>(password), static_cast<int32_t>(length));
  if (hashed.code != 0) {
    return gen::Result2{hashed.kind, hashed.code, gen::kKindOwn, kStagePasswordHash};
  }
  if (bytes_.size() > keySize) {
    CryptoPP::SecureWipeBuffer(bytes_.data() + keySize, bytes_.size() - keySize);
    bytes_.resize(keySize);
  }
  return gen::Result2{};
}

gen::Result2 CheckRunArguments(const void* in, const void* out, uint32_t bufferSize,
                               const Bytes* key, uint32_t keySize, const Bytes* iv, uint32_t ivSize,
                               sync::SafeValue<bool>& running) {
  if (in == nullptr) return gen::OwnError(kCodeNullInputStream);
  if (out == nullptr) return gen::OwnError(kCodeNullOutputStream);
  if (bufferSize < kMinBufferSize || bufferSize > kMaxBufferSize) {
    return gen::OwnError(kCodeBadBufferSize);
  }
  if (key == nullptr || key->size() != keySize) return gen::OwnError(kCodeBadKeySize);
  if (iv == nullptr || iv->size() != ivSize) return gen::OwnError(kCodeBadIvSize);
  if (running.Get()) return gen::OwnError(kCodeJobBusy);
  return gen::Result2{};
}

gen::Result2 CurrentExceptionResult(uint32_t stage) {
  try {
    throw;
  } catch (const CryptoPP::Exception& e) {
    return gen::Result2{gen::kKindCryptoLib, static_cast<uint32_t>(e.GetErrorType()), gen::kKindOwn,
                        stage};
  } catch (...) {
    return gen::Result2{gen::kKindCryptoLib, CryptoPP::Exception::OTHER_ERROR, gen::kKindOwn,
                        stage};
  }
}

}  // namespace tarnwick::cryptopp::internal
