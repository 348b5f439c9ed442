#include "cryptopp/job_run.h"

#include <cryptopp/cryptlib.h>

#include "cryptopp/codes.h"
#include "cryptopp/job_chunks.h"

namespace tarnwick::cryptopp::internal {
gen::Result2 CheckRunArguments(const void* in, const void* out, uint32_t bufferSize,
                               const JobBytes* key, uint32_t keySize, const JobBytes* iv,
                               uint32_t ivSize, sync::SafeValue<bool>& running) {
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
    return gen::Result2{gen::kKindCryptoLib, static_cast<uint32_t>(e.GetErrorType()),
                        gen::kKindOwn, stage};
  } catch (...) {
    return gen::Result2{gen::kKindCryptoLib, CryptoPP::Exception::OTHER_ERROR, gen::kKindOwn,
                        stage};
  }
}

void FillZeroIv(JobBytes& iv, uint32_t size) { iv.assign(size, 0); }

}  // namespace tarnwick::cryptopp::internal
