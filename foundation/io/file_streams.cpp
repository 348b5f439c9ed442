#include "foundation/io/file_streams.h"

#include <algorithm>

#include "foundation/err/codes.h"
#include "foundation/sync/locks.h"

namespace tarnwick::io::internal {
namespace {

platform::FileHandle LoadHandle(HandleHolder& holder) {
  return sync::Locked(holder, [](platform::FileHandle file) { return file; });
}

void StoreHandle(HandleHolder& holder, platform::FileHandle file) {
  sync::Locked(holder, [&](platform::FileHandle& held) { held = file; });
}

// Closes the file, if any, and leaves the holder null.
void CloseHeldFile(HandleHolder& holder) {
  sync::Locked(holder, [](platform::FileHandle& held) {
    if (held != platform::kNoFile) platform::CloseFile(held);
    held = platform::kNoFile;
  });
}

// The checks that come before either stream's Open asks the system:
// {5, 5} for a null or empty name, {5, 7} when a file is open already.
gen::Result CheckOpenRequest(const wchar_t* fileName, HandleHolder& holder) {
  if (fileName == nullptr || *fileName == L'\0') return {gen::kKindOwn, err::kCodeMissingArgument};
  if (LoadHandle(holder) != platform::kNoFile) return {gen::kKindOwn, err::kCodeAlreadyOpen};
  return {};
}

}  // namespace

IStreamFile<wchar_t>::~IStreamFile() { Close(); }

gen::Result IStreamFile<wchar_t>::Open(const wchar_t* fileName) {
  const gen::Result refused = CheckOpenRequest(fileName, handle_);
  if (refused.code != 0) return refused;
  lastError_.Set({});
  platform::FileHandle file = platform::kNoFile;
  int64_t size = 0;
  if (const int error = platform::OpenForReading(fileName, file, size)) {
    return gen::SystemError(error);
  }
  StoreHandle(handle_, file);
  StoreOptions({size, 0});
  return {};
}

void IStreamFile<wchar_t>::Close() {
  CloseHeldFile(handle_);
  StoreOptions({});
}

bool IStreamFile<wchar_t>::IsBegin() {
  return LoadHandle(handle_) != platform::kNoFile && LoadOptions().position == 0;
}

bool IStreamFile<wchar_t>::IsEnd() {
  if (LoadHandle(handle_) == platform::kNoFile) return true;
  const SFileOptions options = LoadOptions();
  return options.position >= options.size;
}

bool IStreamFile<wchar_t>::Read(uint8_t* buffer, int32_t length, uint32_t& read) {
  lastError_.Set({});
  if (length < 1) {
    read = 0;
    return true;
  }
  if (buffer == nullptr) {
    lastError_.Set({gen::kKindOwn, err::kCodeMissingArgument});
    return false;
  }
  const platform::FileHandle file = LoadHandle(handle_);
  if (file == platform::kNoFile) {
    lastError_.Set({gen::kKindOwn, err::kCodeNotOpen});
    return false;
  }
  SFileOptions options = LoadOptions();
  if (options.position >= options.size) return false;
  const int64_t count = std::min<int64_t>(options.size - options.position, length);
  // All of `count` or a failure: a short answer in the middle of the file
  // would be taken for data by the caller.
  size_t done = 0;
  const int error = platform::ReadExact(file, buffer, static_cast<size_t>(count), done);
  // The position follows the file's own, also over bytes a failed read took.
  options.position += static_cast<int64_t>(done);
  StoreOptions(options);
  if (error != 0) {
    lastError_.Set(gen::SystemError(error));
    return false;
  }
  read = static_cast<uint32_t>(count);
  return true;
}

bool IStreamFile<wchar_t>::ReadByte(uint8_t& byte) {
  uint8_t one = 0;
  uint32_t read = 0;
  if (!Read(&one, 1, read) || read != 1) return false;
  byte = one;
  return true;
}

int64_t IStreamFile<wchar_t>::GetSize() { return LoadOptions().size; }

gen::Result IStreamFile<wchar_t>::GetLastError() { return lastError_.Get(); }

IStreamFile<wchar_t>::SFileOptions IStreamFile<wchar_t>::LoadOptions() {
  return sync::Locked(options_, [](const SFileOptions& options) { return options; });
}

void IStreamFile<wchar_t>::StoreOptions(const SFileOptions& options) {
  sync::Locked(options_, [&](SFileOptions& stored) { stored = options; });
}

OStreamFile<wchar_t>::~OStreamFile() { CloseHeldFile(handle_); }

gen::Result OStreamFile<wchar_t>::Open(const wchar_t* fileName) {
  return OpenWith(platform::OpenForAppending, fileName);
}

gen::Result OStreamFile<wchar_t>::OpenNew(const wchar_t* fileName) {
  return OpenWith(platform::CreateNewFile, fileName);
}

gen::Result OStreamFile<wchar_t>::OpenWith(int (*open)(const wchar_t*, platform::FileHandle&),
                                           const wchar_t* fileName) {
  const gen::Result refused = CheckOpenRequest(fileName, handle_);
  if (refused.code != 0) return refused;
  lastError_.Set({});
  platform::FileHandle file = platform::kNoFile;
  if (const int error = open(fileName, file)) return gen::SystemError(error);
  StoreHandle(handle_, file);
  return {};
}

uint32_t OStreamFile<wchar_t>::Write(const uint8_t* buffer, int32_t length) {
  lastError_.Set({});
  if (length < 1) return 0;
  if (buffer == nullptr) {
    lastError_.Set({gen::kKindOwn, err::kCodeMissingArgument});
    return 0;
  }
  const platform::FileHandle file = LoadHandle(handle_);
  if (file == platform::kNoFile) {
    lastError_.Set({gen::kKindOwn, err::kCodeNotOpen});
    return 0;
  }
  const auto total = static_cast<size_t>(length);
  size_t written = 0;
  while (written < total) {
    size_t n = 0;
    if (const int error = platform::WriteSome(file, buffer + written, total - written, n)) {
      lastError_.Set(gen::SystemError(error));
      break;
    }
    written += n;
  }
  return static_cast<uint32_t>(written);
}

uint32_t OStreamFile<wchar_t>::WriteByte(uint8_t byte) { return Write(&byte, 1); }

gen::Result OStreamFile<wchar_t>::GetLastError() { return lastError_.Get(); }

}  // namespace tarnwick::io::internal
