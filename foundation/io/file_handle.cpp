#include "foundation/io/file_handle.h"

#include "foundation/err/codes.h"

namespace tarnwick::io::internal {

platform::FileHandle LoadHandle(HandleHolder& holder) {
  holder.Lock();
  platform::FileHandle file = holder.value;
  holder.Unlock();
  return file;
}

void StoreHandle(HandleHolder& holder, platform::FileHandle file) {
  holder.Lock();
  holder.value = file;
  holder.Unlock();
}

void CloseHeldFile(HandleHolder& holder) {
  holder.Lock();
  if (holder.value != platform::kNoFile) platform::CloseFile(holder.value);
  holder.value = platform::kNoFile;
  holder.Unlock();
}

gen::Result CheckOpenRequest(const wchar_t* fileName, HandleHolder& holder) {
  if (fileName == nullptr || *fileName == L'\0') return {gen::kKindOwn, err::kCodeMissingArgument};
  if (LoadHandle(holder) != platform::kNoFile) return {gen::kKindOwn, err::kCodeAlreadyOpen};
  return {};
}

}  // namespace tarnwick::io::internal
