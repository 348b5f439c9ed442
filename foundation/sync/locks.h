#pragma once

#include <mutex>
#include <type_traits>
#include <utility>

// Locks and guarded values: every value two threads share sits in a
// holder with its own recursive lock, read or written one access at a time.
namespace tarnwick::sync {

class ILockable {
 public:
  virtual ~ILockable() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual bool TryLock() = 0;
};

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

// One access to a lock-guarded holder (SafeData, or anything with Lock,
// Unlock and `value`): calls `access(holder.value)` between Lock and
// Unlock and answers what it answers. The lock is let go on an exception
// too, so a failed access never leaves it held.
template <typename Holder, typename Access>
auto Locked(Holder& holder, Access&& access) {
  using Answer = decltype(access(holder.value));
  holder.Lock();
  try {
    if constexpr (std::is_void_v<Answer>) {
      access(holder.value);
      holder.Unlock();
    } else {
      std::decay_t<Answer> answer = access(holder.value);
      holder.Unlock();
      return answer;
    }
  } catch (...) {
    holder.Unlock();
    throw;
  }
}

}  // namespace tarnwick::sync
