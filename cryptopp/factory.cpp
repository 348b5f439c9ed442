#include "cryptopp/factory.h"

#include "cryptopp/alg_info.h"
#include "cryptopp/codes.h"
#include "cryptopp/factory_shards.h"

namespace tarnwick::cryptopp {
namespace {

// Picks the shard that owns the id; a shard answers null for any id that
// is not in the table.
template <typename Job>
gen::Result2 CreateJob(uint32_t libraryType, uint32_t algorithmId, Job** object,
                       Job* (*const makers[internal::kFactoryShards])(uint32_t)) {
  if (object == nullptr) return gen::OwnError(kCodeNoObjectAddress);
  if (libraryType != kLibraryType) return gen::OwnError(kCodeNotProvided);
  Job* job = makers[internal::FactoryShardOf(algorithmId)](algorithmId);
  if (job == nullptr) return gen::OwnError(kCodeNotProvided);
  *object = job;
  return gen::Result2{};
}

using internal::NewDecryptorInShard;
using internal::NewEncryptorInShard;

crypto::ISymmetricEncryptor* (*const kEncryptorMakers[])(uint32_t) = {
    NewEncryptorInShard<0>, NewEncryptorInShard<1>, NewEncryptorInShard<2>, NewEncryptorInShard<3>};
crypto::ISymmetricDecryptor* (*const kDecryptorMakers[])(uint32_t) = {
    NewDecryptorInShard<0>, NewDecryptorInShard<1>, NewDecryptorInShard<2>, NewDecryptorInShard<3>};
static_assert(sizeof kEncryptorMakers / sizeof kEncryptorMakers[0] == internal::kFactoryShards);

}  // namespace

gen::Result2 CEncryptorFactory::Create(uint32_t libraryType, uint32_t algorithmId,
                                       crypto::ISymmetricEncryptor** object) {
  return CreateJob(libraryType, algorithmId, object, kEncryptorMakers);
}

gen::Result2 CDecryptorFactory::Create(uint32_t libraryType, uint32_t algorithmId,
                                       crypto::ISymmetricDecryptor** object) {
  return CreateJob(libraryType, algorithmId, object, kDecryptorMakers);
}

}  // namespace tarnwick::cryptopp
