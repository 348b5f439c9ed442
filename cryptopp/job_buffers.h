#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "cryptopp/job_chunks.h"
#include "cryptopp/job_stream_io.h"
#include "foundation/gen/result.h"
#include "foundation/io/stream.h"

namespace tarnwick::cryptopp::internal {

// The input and output buffer of one run, allocated once (the allocation
// throws when memory is short) and reused for every chunk.
class ChunkBuffers {
 public:
  ChunkBuffers(uint32_t chunkLength, uint32_t extra)
      : chunkLength_(chunkLength),
        capacity_(chunkLength + extra),
        in_(new uint8_t[capacity_]),
        out_(new uint8_t[capacity_]) {}

  uint8_t* in() { return in_.get(); }
  const uint8_t* out() const { return out_.get(); }

  // Reads `want` bytes behind the `offset` bytes already in the input
  // buffer and passes them through the engine into the output buffer; a
  // short last chunk of a block cipher goes with zeros up to whole blocks.
  template <typename Engine>
  gen::Result2 Process(Engine& engine, io::internal::IIStream<char>& in, uint32_t offset,
                       uint32_t want, uint32_t& produced) {
    const gen::Result2 read = ReadChunk(in, in_.get() + offset, want);
    if (!gen::IsSuccess(read)) return read;
    const uint32_t filled = offset + want;
    const uint32_t length = RoundChunkLength(filled, chunkLength_, engine.GetBlockSize());
    std::memset(in_.get() + filled, 0, length - filled);
    int32_t count = 0;
    const gen::Result2 result =
        engine.Process(in_.get(), static_cast<int32_t>(length), out_.get(),
                       static_cast<int32_t>(capacity_), &count);
    produced = static_cast<uint32_t>(count);
    return result;
  }

 private:
  uint32_t chunkLength_;
  uint32_t capacity_;
  std::unique_ptr<uint8_t[]> in_;
  std::unique_ptr<uint8_t[]> out_;
};

}  // namespace tarnwick::cryptopp::internal
