// MD2, MD4 and MD5 live in the library's namespace of weak algorithms.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1

#include "cryptopp/password_hash.h"

#include <type_traits>

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

#include "cryptopp/hash_table.h"

namespace tarnwick::cryptopp {
namespace {

template <class H>
gen::Result HashWith(std::vector<uint8_t>* digest, const uint8_t* data, int32_t length) {
  if constexpr (std::is_void_v<H>) {
    return gen::Result{gen::kKindOwn, kCodeHashUnknown};
  } else {
    return CalcHash<H>(digest, data, length);
  }
}

}  // namespace

gen::Result HashPassword(std::vector<uint8_t>* digest, uint32_t hashId, const uint8_t* data,
                         int32_t length) {
#define QM_HASH_CASE(id, Name, name, HashClass) \
  case id: return HashWith<HashClass>(digest, data, length);
  switch (hashId) { QM_FOR_EACH_HASH(QM_HASH_CASE) }
#undef QM_HASH_CASE
  return gen::Result{gen::kKindOwn, kCodeHashUnknown};
}

}  // namespace tarnwick::cryptopp
