// MD2, MD4 and MD5 live in the library's namespace of weak algorithms.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1

#include "cryptopp/password_hash.h"

#include <cryptopp/adler32.h>
#include <cryptopp/crc.h>
#include <cryptopp/keccak.h>
#include <cryptopp/md2.h>
#include <cryptopp/md4.h>
#include <cryptopp/md5.h>
#include <cryptopp/panama.h>
#include <cryptopp/ripemd.h>
#include <cryptopp/sha.h>
#include <cryptopp/tiger.h>
#include <cryptopp/whrlpool.h>

namespace tarnwick::cryptopp {

gen::Result HashPassword(std::vector<uint8_t>* digest, uint32_t hashId, const uint8_t* data,
                         int32_t length) {
  namespace cp = CryptoPP;
  switch (hashId) {
    case 1: return CalcHash<cp::SHA1>(digest, data, length);
    case 10: return CalcHash<cp::SHA224>(digest, data, length);
    case 11: return CalcHash<cp::SHA256>(digest, data, length);
    case 12: return CalcHash<cp::SHA384>(digest, data, length);
    case 13: return CalcHash<cp::SHA512>(digest, data, length);
    // The SHA-3 ids are Keccak as submitted (padding 0x01), which stored
    // files depend on; the FIPS 202 functions give other digests.
    case 20: return CalcHash<cp::Keccak_224>(digest, data, length);
    case 21: return CalcHash<cp::Keccak_256>(digest, data, length);
    case 22: return CalcHash<cp::Keccak_384>(digest, data, length);
    case 23: return CalcHash<cp::Keccak_512>(digest, data, length);
    case 30: return CalcHash<cp::Tiger>(digest, data, length);
    case 40: return CalcHash<cp::Whirlpool>(digest, data, length);
    case 50: return CalcHash<cp::RIPEMD128>(digest, data, length);
    case 51: return CalcHash<cp::RIPEMD160>(digest, data, length);
    case 52: return CalcHash<cp::RIPEMD256>(digest, data, length);
    case 53: return CalcHash<cp::RIPEMD320>(digest, data, length);
    case 300: return CalcHash<cp::Weak1::MD2>(digest, data, length);
    case 301: return CalcHash<cp::Weak1::MD4>(digest, data, length);
    case 303: return CalcHash<cp::Weak1::MD5>(digest, data, length);
    case 304: return CalcHash<cp::Weak::PanamaHash<cp::LittleEndian>>(digest, data, length);
    case 400: return CalcHash<cp::Adler32>(digest, data, length);
    case 401: return CalcHash<cp::CRC32>(digest, data, length);
    default: return gen::Result{gen::kKindOwn, kCodeHashUnknown};
  }
}

}  // namespace tarnwick::cryptopp
