#include "cryptopp/factory_part_impl.h"

QM_INSTANTIATE_FACTORY_PART(1)
