#pragma once

#include <cstdint>

#include "foundation/gen/result.h"
#include "foundation/io/file_handle.h"
#include "foundation/io/stream.h"
#include "foundation/sync/safe_value.h"

namespace tarnwick::io::internal {

template <typename Char>
class IStreamFile;

// An existing regular file read from start to end, unbuffered. The size
// is taken at Open; a Read never goes past it, and a file that turns out
// shorter fails the read rather than ending it early.
template <>
class IStreamFile<wchar_t> : public IIStream<char> {
 public:
  struct SFileOptions {
    int64_t size = 0;
    int64_t position = 0;  // bytes already read
  };

  IStreamFile() = default;
  IStreamFile(const IStreamFile&) = delete;
  IStreamFile& operator=(const IStreamFile&) = delete;
  ~IStreamFile() override;

  // Failures are answered, not kept as the last error.
  gen::Result Open(const wchar_t* fileName);
  void Close();

  bool IsBegin() override;
  bool IsEnd() override;
  // Fills `buffer` with min(length, bytes left). False at the end (last
  // error {0, 0}) or on failure (last error set); `read` is then unchanged.
  bool Read(uint8_t* buffer, int32_t length, uint32_t& read) override;
  bool ReadByte(uint8_t& byte) override;
  int64_t GetSize() override;
  gen::Result GetLastError() override;

 private:
  SFileOptions LoadOptions();
  void StoreOptions(const SFileOptions& options);

  HandleHolder handle_;
  sync::internal::SafeData<sync::Locker, SFileOptions> options_;
  sync::SafeValue<gen::Result> lastError_;
};

}  // namespace tarnwick::io::internal
