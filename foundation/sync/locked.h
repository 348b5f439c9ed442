#pragma once

#include <type_traits>

namespace tarnwick::sync {

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
