// One running copy of the program: a lock file in a given folder, held for the program's life.
// The lock goes with the process, so a crashed copy never blocks the next start.
#pragma once

#include <string>

namespace sys {

class SingleInstanceLock {
 public:
  // Tries once, without waiting, to take the lock file `name` in `folder`.
  explicit SingleInstanceLock(const std::string& folder, const std::string& name = ".vorak-talmor.lock");
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // True when this copy holds the lock; false when another copy does (or the folder is unusable:
  // then `error()` says why and the caller may decide to run anyway).
  bool acquired() const { return fd_ >= 0; }
  bool heldElsewhere() const { return heldElsewhere_; }
  const std::string& error() const { return error_; }

 private:
  int fd_ = -1;
  bool heldElsewhere_ = false;
  std::string error_;
};

}  // namespace sys
