#pragma once

#include <cstdint>

#include "foundation/gen/result.h"
#include "foundation/io/stream.h"

namespace tarnwick::cryptopp::internal {

// Reads exactly `length` bytes, asking again after a short read, since a
// gap in the middle of a chunk would shift the cipher stream. A read that
// fails, or an input that ends first, gives {5, 60, the stream's last
// error}.
gen::Result2 ReadChunk(io::internal::IIStream<char>& in, uint8_t* buffer, uint32_t length);

// Writes `length` bytes (nothing for 0). Any write that stores fewer
// bytes than asked is a failure, {5, 61, the stream's last error}: going
// on would leave a hole in the output.
gen::Result2 WriteChunk(io::internal::IOStream<char>& out, const uint8_t* buffer,
                        uint32_t length);

// {5, 61, the output stream's last error}.
gen::Result2 WriteFailure(io::internal::IOStream<char>& out);

}  // namespace tarnwick::cryptopp::internal
