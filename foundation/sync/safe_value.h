#pragma once

#include <type_traits>

#include "foundation/sync/locker.h"

namespace tarnwick::sync {

// A lock directly followed by a plain value (flag, number, small record).
// Copies of such values cannot throw, so the lock is never left held.
template <typename T>
struct SafeValue {
  static_assert(std::is_trivially_copyable_v<T>, "SafeValue holds plain values");

  T Get() {
    locker.Lock();
    T copy = value;
    locker.Unlock();
    return copy;
  }

  void Set(const T& v) {
    locker.Lock();
    value = v;
    locker.Unlock();
  }

  Locker locker;
  T value{};
};

}  // namespace tarnwick::sync
