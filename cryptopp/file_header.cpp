#include "cryptopp/file_header.h"

#include "cryptopp/codes.h"

#include <cstring>
#include <ctime>

#include <cryptopp/keccak.h>

namespace tarnwick::cryptopp {
namespace {

constexpr size_t kDigestBlockSize = 256;
constexpr char kDigestText[] = "zentova.amx";  // 11 bytes, stored without its NUL
constexpr size_t kDigestTextOffset = 12;

void PutLittleEndian(uint8_t* out, uint64_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t GetLittleEndian(const uint8_t* in, size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) value |= static_cast<uint64_t>(in[i]) << (8 * i);
  return value;
}

gen::Result2 DigestFailure(uint32_t errorType) {
  return gen::Result2{gen::kKindCryptoLib, errorType, gen::kKindOwn, kStageHeaderDigest};
}

}  // namespace

uint16_t EncryptedFileHeader::Version() const {
  return static_cast<uint16_t>(GetLittleEndian(bytes + kVersionOffset, 2));
}

uint64_t EncryptedFileHeader::PlainSize() const {
  return GetLittleEndian(bytes + kPlainSizeOffset, 8);
}

gen::Result2 ComputeHeaderDigest(uint8_t* digest, uint32_t algorithmId, uint64_t plainSize) {
  if (digest == nullptr) return gen::OwnError(kCodeNullArgument);
  uint8_t block[kDigestBlockSize] = {};
  PutLittleEndian(block, algorithmId, 4);
  PutLittleEndian(block + 4, plainSize, 8);
  std::memcpy(block + kDigestTextOffset, kDigestText, sizeof(kDigestText) - 1);
  uint8_t local[EncryptedFileHeader::kDigestSize] = {};
  try {
    CryptoPP::Keccak_256 hash;
    hash.Update(block, sizeof(block));
    hash.Final(local);
  } catch (const CryptoPP::Exception& e) {
    return DigestFailure(static_cast<uint32_t>(e.GetErrorType()));
  } catch (...) {
    return DigestFailure(CryptoPP::Exception::OTHER_ERROR);
  }
  std::memcpy(digest, local, sizeof(local));
  return gen::Result2{};
}

gen::Result2 BuildFileHeader(uint32_t algorithmId, uint64_t plainSize,
                             EncryptedFileHeader* header) {
  if (header == nullptr) return gen::OwnError(kCodeNullArgument);
  uint8_t digest[EncryptedFileHeader::kDigestSize] = {};
  const gen::Result2 result = ComputeHeaderDigest(digest, algorithmId, plainSize);
  if (!gen::IsSuccess(result)) return result;

  uint8_t* out = header->bytes;
  std::memset(out, 0, EncryptedFileHeader::kSize);  // reserved runs and salt
  PutLittleEndian(out + EncryptedFileHeader::kVersionOffset, EncryptedFileHeader::kVersion, 2);
  std::memcpy(out + EncryptedFileHeader::kDigestOffset, digest, sizeof(digest));
  PutLittleEndian(out + EncryptedFileHeader::kPlainSizeOffset, plainSize, 8);
  return result;
}

void FillHeaderSaltWithSeed(EncryptedFileHeader* header, uint32_t seed) {
  if (header == nullptr) return;
  SaltGenerator generator;
  generator.Seed(seed);
  for (size_t i = 0; i < EncryptedFileHeader::kSaltSize; ++i) {
    // 0..32767 scaled to a byte: the output divided by 128.
    header->bytes[EncryptedFileHeader::kSaltOffset + i] =
        static_cast<uint8_t>(generator.Next() >> 7);
  }
}

void FillHeaderSalt(EncryptedFileHeader* header) {
  FillHeaderSaltWithSeed(header, static_cast<uint32_t>(std::time(nullptr)));
}

}  // namespace tarnwick::cryptopp
