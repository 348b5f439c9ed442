#pragma once

#include <cstdint>

#include "foundation/gen/result.h"
#include "foundation/io/stream.h"
#include "foundation/platform/platform.h"
#include "foundation/sync/locks.h"

// The two file streams, unbuffered: each Read is one read of the system
// (completed when it delivers less), each Write one or more writes. Every
// member sits under its own lock; system calls are made on a copy of the
// handle, with no lock held.
namespace tarnwick::io::internal {

// The handle holder both streams keep; null when no file is open.
using HandleHolder = sync::internal::SafeData<sync::Locker, void*>;

template <typename Char>
class IStreamFile;

template <typename Char>
class OStreamFile;

// An existing regular file read from start to end. The size is taken at
// Open; a Read never goes past it, and a file that turns out shorter fails
// the read rather than ending it early.
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

// A file written at its end: one opened that exists keeps its bytes in
// front of the new ones. OpenNew opens only a file it creates.
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
