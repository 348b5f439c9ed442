#pragma once

namespace tarnwick::sync {

class ILockable {
 public:
  virtual ~ILockable() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual bool TryLock() = 0;
};

}  // namespace tarnwick::sync
