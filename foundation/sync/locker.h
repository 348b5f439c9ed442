#pragma once

#include <mutex>

#include "foundation/sync/lockable.h"

namespace tarnwick::sync {

// A recursive lock: the holder may lock it again and must unlock it as
// often. Mutex failures surface as std::system_error.
class Locker : public ILockable {
 public:
  Locker() = default;
  Locker(const Locker&) = delete;
  Locker& operator=(const Locker&) = delete;

  void Lock() override { mutex_.lock(); }
  void Unlock() override { mutex_.unlock(); }
  bool TryLock() override { return mutex_.try_lock(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace tarnwick::sync
