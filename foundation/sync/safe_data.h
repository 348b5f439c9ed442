#pragma once

#include <utility>

#include "foundation/sync/locker.h"

namespace tarnwick::sync::internal {

// A value paired with its own lock. The owner calls Lock, reads or writes
// `value` once, and calls Unlock.
template <typename L, typename T>
class SafeData : public ILockable {
 public:
  template <typename... Args>
  explicit SafeData(Args&&... args) : value(std::forward<Args>(args)...) {}
  SafeData(const SafeData&) = delete;
  SafeData& operator=(const SafeData&) = delete;

  void Lock() override { locker.Lock(); }
  void Unlock() override { locker.Unlock(); }
  bool TryLock() override { return locker.TryLock(); }

  L locker;
  T value;
};

}  // namespace tarnwick::sync::internal
