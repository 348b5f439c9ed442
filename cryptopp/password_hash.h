#pragma once

#include <cstdint>
#include <vector>

#include <cryptopp/cryptlib.h>
#include <cryptopp/secblock.h>

#include "cryptopp/codes.h"
#include "foundation/gen/result.h"

namespace tarnwick::cryptopp {

// Hashes `length` bytes at `data` with the hash function of `hashId` into
// `digest`, replacing its content. Null data or a length below 1 gives a
// digest of zero bytes, not the hash of nothing: an empty password keys a
// cipher with zeros. On failure `digest` keeps its content:
//   {5, 700}  no hash function for this id,
//   {53, t}   Crypto++ threw an exception of error type t (type 0, which
//             would read as success, is reported as 6),
//   {5, 4000} anything else went wrong,
//   {5, 6}    `digest` is null.
gen::Result HashPassword(std::vector<uint8_t>* digest, uint32_t hashId, const uint8_t* data,
                         int32_t length);

// HashPassword for one Crypto++ hash class H.
template <class H>
gen::Result CalcHash(std::vector<uint8_t>* digest, const uint8_t* data, int32_t length) {
  constexpr size_t kDigestSize = H::DIGESTSIZE;
  if (digest == nullptr) return gen::Result{gen::kKindOwn, kCodeNullArgument};
  try {
    if (data == nullptr || length < 1) {
      digest->assign(kDigestSize, 0);
      return gen::Result{};
    }
    // The digest is key material: the scratch area is wiped on the way out.
    CryptoPP::FixedSizeSecBlock<CryptoPP::byte, kDigestSize> scratch;
    {
      H hash;
      hash.Update(data, static_cast<size_t>(length));
      hash.Final(scratch.data());
    }
    digest->assign(scratch.begin(), scratch.end());
    return gen::Result{};
  } catch (const CryptoPP::Exception& e) {
    // Error type 0 would read as success; report it as the catch-all type.
    const auto type = e.GetErrorType();
    return gen::Result{gen::kKindCryptoLib,
                       static_cast<uint32_t>(type != 0 ? type : CryptoPP::Exception::OTHER_ERROR)};
  } catch (...) {
    return gen::Result{gen::kKindOwn, kCodeHashFailed};
  }
}

}  // namespace tarnwick::cryptopp
