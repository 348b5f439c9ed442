#pragma once

#include "foundation/gen/result.h"
#include "foundation/platform/files.h"
#include "foundation/sync/locker.h"
#include "foundation/sync/safe_data.h"

namespace tarnwick::io::internal {

// The handle holder both file streams keep; null when no file is open.
using HandleHolder = sync::internal::SafeData<sync::Locker, void*>;

// A copy of the handle, taken under the lock; system calls are made on
// the copy after the lock is released.
platform::FileHandle LoadHandle(HandleHolder& holder);
void StoreHandle(HandleHolder& holder, platform::FileHandle file);

// Closes the file, if any, and leaves the holder null.
void CloseHeldFile(HandleHolder& holder);

// The checks that come before either stream's Open asks the system:
// {5, 5} for a null or empty name, {5, 7} when a file is open already.
gen::Result CheckOpenRequest(const wchar_t* fileName, HandleHolder& holder);

}  // namespace tarnwick::io::internal
