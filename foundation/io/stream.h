#pragma once

#include <cstdint>

#include "foundation/gen/result.h"

namespace tarnwick::io::internal {

// Input byte stream. Read answers false at the end (last error {0, 0}) and
// on failure (last error set); the caller tells them apart by GetLastError.
template <typename Char>
class IIStream {
 public:
  virtual ~IIStream() = default;
  virtual bool IsBegin() = 0;
  virtual bool IsEnd() = 0;
  virtual bool Read(uint8_t* buffer, int32_t length, uint32_t& read) = 0;
  virtual bool ReadByte(uint8_t& byte) = 0;
  virtual int64_t GetSize() = 0;
  virtual gen::Result GetLastError() = 0;
};

// Output byte stream. Write answers the bytes written; fewer than asked
// means a failure kept for GetLastError.
template <typename Char>
class IOStream {
 public:
  virtual ~IOStream() = default;
  virtual uint32_t Write(const uint8_t* buffer, int32_t length) = 0;
  virtual uint32_t WriteByte(uint8_t byte) = 0;
  virtual gen::Result GetLastError() = 0;
};

}  // namespace tarnwick::io::internal
