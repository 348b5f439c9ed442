#include "cryptopp/factory_shard_impl.h"

QM_INSTANTIATE_FACTORY_SHARD(1)
