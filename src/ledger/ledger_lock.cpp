#include "ledger/ledger_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace tovra {

LedgerLock::LedgerLock(std::filesystem::path root) : path_(std::move(root) / kLedgerLockFile) {}

LedgerLock::~LedgerLock() { release(); }

LedgerLock::State LedgerLock::tryAcquire() {
  if (held()) return State::Held;
  // The lock file holds nothing; it is never removed, so that two programs always lock
  // the same file.
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);  // a lock file made by another user
  if (fd < 0) return State::Failed;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK || errno == EINTR;
    ::close(fd);
    return busy ? State::Busy : State::Failed;
  }
  fd_ = fd;
  return State::Held;
}

LedgerLock::State LedgerLock::acquire(int millis) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
  for (;;) {
    State s = tryAcquire();
    if (s != State::Busy || std::chrono::steady_clock::now() >= until) return s;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void LedgerLock::release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing the only descriptor releases the flock
  fd_ = -1;
}

}  // namespace tovra
