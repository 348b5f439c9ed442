#include "foundation/io/ostream_file.h"

#include "foundation/err/codes.h"
#include "foundation/platform/files.h"

namespace tarnwick::io::internal {

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
