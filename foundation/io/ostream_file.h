#pragma once

#include <cstdint>

#include "foundation/gen/result.h"
#include "foundation/io/file_handle.h"
#include "foundation/io/stream.h"
#include "foundation/sync/safe_value.h"

namespace tarnwick::io::internal {

template <typename Char>
class OStreamFile;

// A file written at its end, unbuffered: one opened that exists keeps its
// bytes in front of the new ones. OpenNew opens only a file it creates.
template <>
class OStreamFile<wchar_t> : public IOStream<char> {
 public:
  OStreamFile() = default;
  OStreamFile(const OStreamFile&) = delete;
  OStreamFile& operator=(const OStreamFile&) = delete;
  ~OStreamFile() override;

  // Creates the file when missing; failures are answered, not kept.
  gen::Result Open(const wchar_t* fileName);
  // Creates the file, refusing whatever stands at the path already (a
  // file, a link, a pipe, a device: {1, EEXIST}; a folder: {1, EISDIR})
  // without touching it.
  gen::Result OpenNew(const wchar_t* fileName);

  // Writes all `length` bytes, continuing after partial writes; fewer
  // bytes answered means a failure kept as the last error.
  uint32_t Write(const uint8_t* buffer, int32_t length) override;
  uint32_t WriteByte(uint8_t byte) override;
  gen::Result GetLastError() override;

 private:
  gen::Result OpenWith(int (*open)(const wchar_t*, platform::FileHandle&), const wchar_t* fileName);

  HandleHolder handle_;
  sync::SafeValue<gen::Result> lastError_;
};

}  // namespace tarnwick::io::internal
