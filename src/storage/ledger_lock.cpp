#include "storage/ledger_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace tovra {

LedgerLock::LedgerLock(std::filesystem::path root) : path_(std::move(root)) {}

LedgerLock::~LedgerLock() { release(); }

LedgerLock::State LedgerLock::tryAcquire() {
  if (held()) return State::Held;
  // The folder itself is locked: nothing is created for the lock, nothing can be left
  // behind, and a folder this user can only read is locked as well.
  const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
