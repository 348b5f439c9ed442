#pragma once

#include <cstdint>

// The one list of hash ids. Every consumer (the id constants, the names of
// the listing, the hashing) expands this table; nothing else enumerates
// them.
//
// QM_X(id, Name, "display name", HashClass)
//   Name makes the constant kHash<Name>. HashClass is the Crypto++ class
//   that computes the hash, or void for one the library does not provide:
//   such an id is named in listings and refused when asked to hash. It is
//   only named, never used, outside password_hash.cpp, so including this
//   header needs no Crypto++ header. The SHA3 ids are Keccak as submitted
//   (padding 0x01), which stored files depend on; the FIPS 202 functions
//   give other digests.
// clang-format off
#define QM_FOR_EACH_HASH(QM_X)                                                   \
  QM_X(1, Sha1, "SHA1", CryptoPP::SHA1)                                          \
  QM_X(10, Sha224, "SHA-224", CryptoPP::SHA224)                                  \
  QM_X(11, Sha256, "SHA-256", CryptoPP::SHA256)                                  \
  QM_X(12, Sha384, "SHA-384", CryptoPP::SHA384)                                  \
  QM_X(13, Sha512, "SHA-512", CryptoPP::SHA512)                                  \
  QM_X(20, Sha3_224, "SHA3-224", CryptoPP::Keccak_224)                           \
  QM_X(21, Sha3_256, "SHA3-256", CryptoPP::Keccak_256)                           \
  QM_X(22, Sha3_384, "SHA3-384", CryptoPP::Keccak_384)                           \
  QM_X(23, Sha3_512, "SHA3-512", CryptoPP::Keccak_512)                           \
  QM_X(30, Tiger, "Tiger-192", CryptoPP::Tiger)                                  \
  QM_X(40, Whirlpool, "Whirlpool", CryptoPP::Whirlpool)                          \
  QM_X(50, Ripemd128, "RIPEMD-128", CryptoPP::RIPEMD128)                         \
  QM_X(51, Ripemd160, "RIPEMD-160", CryptoPP::RIPEMD160)                         \
  QM_X(52, Ripemd256, "RIPEMD-256", CryptoPP::RIPEMD256)                         \
  QM_X(53, Ripemd320, "RIPEMD-320", CryptoPP::RIPEMD320)                         \
  QM_X(100, Skein256_224, "Skein256-224", void)                                  \
  QM_X(101, Skein256_256, "Skein256-256", void)                                  \
  QM_X(102, Skein512_224, "Skein512-224", void)                                  \
  QM_X(103, Skein512_256, "Skein512-256", void)                                  \
  QM_X(104, Skein512_384, "Skein512-384", void)                                  \
  QM_X(105, Skein512_512, "Skein512-512", void)                                  \
  QM_X(106, Skein1024_224, "Skein1024-224", void)                                \
  QM_X(107, Skein1024_256, "Skein1024-256", void)                                \
  QM_X(108, Skein1024_384, "Skein1024-384", void)                                \
  QM_X(109, Skein1024_512, "Skein1024-512", void)                                \
  QM_X(110, Skein1024_1024, "Skein1024-1024", void)                              \
  QM_X(300, Md2, "MD2", CryptoPP::Weak1::MD2)                                    \
  QM_X(301, Md4, "MD4", CryptoPP::Weak1::MD4)                                    \
  QM_X(303, Md5, "MD5", CryptoPP::Weak1::MD5)                                    \
  QM_X(304, Panama, "Panama", CryptoPP::Weak::PanamaHash<CryptoPP::LittleEndian>) \
  QM_X(400, Adler32, "Adler32", CryptoPP::Adler32)                               \
  QM_X(401, Crc32, "CRC32", CryptoPP::CRC32)
// clang-format on

namespace tarnwick::cryptopp {

#define QM_HASH_ID(id, Name, name, HashClass) kHash##Name = id,
enum HashId : uint32_t { QM_FOR_EACH_HASH(QM_HASH_ID) };
#undef QM_HASH_ID

}  // namespace tarnwick::cryptopp
